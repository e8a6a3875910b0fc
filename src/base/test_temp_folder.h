#pragma once
// For tests: a fresh folder of its own under the system's temporary folder,
// removed with everything in it when the object goes.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace base {

/// A new, empty folder for one test. Names inside it are relative paths
/// with "/" between folders; the answers are host paths.
class TestTempFolder {
 public:
  TestTempFolder() {
    std::random_device random;
    const std::filesystem::path root = std::filesystem::temp_directory_path();
    for (;;) {
      std::filesystem::path candidate = root / ("pak-test-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) {
        path_ = candidate;
        return;
      }
    }
  }
  ~TestTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestTempFolder(const TestTempFolder&) = delete;
  TestTempFolder& operator=(const TestTempFolder&) = delete;

  /// Host path of the folder.
  std::string Path() const { return path_.string(); }
  /// Path of `name` inside the folder: its bytes kept as they are (so a
  /// Shift-JIS name gives a kit path), each "/" made the platform's separator.
  std::string Path(std::string name) const {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    for (char& c : name) {
      if (c == '/') c = separator;
    }
    return Path() + separator + name;
  }
  /// Writes `bytes` verbatim as the file `name`, creating folders on the
  /// way; answers its host path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = std::filesystem::path(Path(name));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  /// Creates the folder `name` (and the folders above it).
  void MakeFolder(const std::string& name) const { std::filesystem::create_directories(Path(name)); }

 private:
  std::filesystem::path path_;
};

}  // namespace base
