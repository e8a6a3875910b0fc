#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace builder {

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("pakmak-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// Host path of the folder (or of `relative` inside it, "/"-separated).
  std::string Path(const std::string& relative = "") const {
    return relative.empty() ? path_.string() : (path_ / std::filesystem::path(relative)).make_preferred().string();
  }

  /// Writes `content` to `relative`, creating folders on the way.
  void Write(const std::string& relative, const std::string& content) const {
    std::filesystem::path p = path_ / std::filesystem::path(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
  }

  void MakeFolder(const std::string& relative) const { std::filesystem::create_directories(path_ / relative); }

 private:
  std::filesystem::path path_;
};

}  // namespace builder
