#pragma once
// Helpers shared by the fuzz targets: a scratch folder owned by the process,
// and the folder lister of the in-memory file system.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/fake_folder_lister.h"

namespace fuzz {

/// Stops the process with a message when `condition` does not hold; libFuzzer
/// reports the abort as a finding and keeps the input.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

/// A folder under the system's temporary folder, one per process, created on
/// first use and removed when the process ends normally.
class ScratchFolder {
 public:
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  /// The process's scratch folder for `purpose`.
  static const ScratchFolder& For(const std::string& purpose) {
    static ScratchFolder folder(purpose);
    return folder;
  }
  const std::string& path() const { return path_; }

  /// Empties the folder (keeps the folder itself).
  void Clear() const {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(path_, ignored))
      std::filesystem::remove_all(entry.path(), ignored);
  }

 private:
  explicit ScratchFolder(const std::string& purpose) {
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("pakfuzz-" + purpose + "-" + std::to_string(::getpid()));
    std::error_code ignored;
    std::filesystem::remove_all(p, ignored);
    std::filesystem::create_directories(p);
    path_ = p.string();
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string path_;
};

/// The fuzz targets list the in-memory file system with the one fake lister.
using base::FakeFolderLister;

}  // namespace fuzz
