#pragma once
// Helpers for the wizard core's tests: a scratch folder that is removed
// again, and recorders for the two UI services.

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/listing.h"
#include "wizard/file_utils.h"
#include "wizard/ui_services.h"

namespace wizard {
namespace testing {

/// A fresh folder under the system's temporary folder, removed with all it
/// holds on destruction. path() is a kit path (ASCII only).
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    std::filesystem::path root = std::filesystem::temp_directory_path();
    for (;;) {
      std::filesystem::path candidate = root / ("wizcore" + std::to_string(random() % 100000000));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) {
        path_ = candidate.string();
        break;
      }
    }
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  const std::string& path() const { return path_; }
  /// Kit path of `name` inside the folder.
  std::string At(const std::string& name) const { return base::JoinPath(path_, name); }
  /// Creates sub-folder `name` (a kit path relative to the folder).
  void MakeFolder(const std::string& name) const {
    std::filesystem::create_directories(std::filesystem::path(path_) / name);
  }
  /// Writes a file `name` with `content`.
  void MakeFile(const std::string& name, const std::string& content = "x") const {
    WriteTextFile(At(name), content);
  }

 private:
  std::string path_;
};

/// Records every message shown.
class RecordingMessages : public MessageSink {
 public:
  int Show(int string_id, MessageIcon icon, const std::string& argument = std::string()) override {
    return ShowFilled(string_id, icon, argument.empty() ? std::vector<std::string>{} : std::vector{argument});
  }
  int ShowFilled(int string_id, MessageIcon, const std::vector<std::string>& arguments) override {
    ids.push_back(string_id);
    this->arguments.push_back(arguments);
    return 1;
  }
  std::vector<int> ids;
  /// The arguments of each message, in the order of `ids`.
  std::vector<std::vector<std::string>> arguments;
};

/// Records every batch run and answers `result` (an ended run by default).
class RecordingStarter : public BatchStarter {
 public:
  RecordingStarter() { result.outcome = BuildRun::Outcome::kEnded; }
  BuildRun Run(const std::string& batch_path) override {
    started.push_back(batch_path);
    return result;
  }
  std::vector<std::string> started;
  BuildRun result;
};

/// The platform separator as a string, for expected paths.
inline std::string Sep() { return std::string(1, base::kPathSeparator); }

}  // namespace testing
}  // namespace wizard
