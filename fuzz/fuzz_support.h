#pragma once
// Helpers shared by the fuzz targets: a scratch folder owned by the process,
// and a folder lister that lists the in-memory file system.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/fake_file_system.h"
#include "base/listing.h"

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

/// Lists the folders of a FakeFileSystem: a path's entries are the files
/// whose path continues it by "/" and one name, plus the folders named in
/// `files.folders` the same way. Sorted like the POSIX lister (ASCII letters
/// folded to upper case); every name counts as Shift-JIS.
class FakeFolderLister : public base::FolderLister {
 public:
  explicit FakeFolderLister(base::FakeFileSystem& files) : files_(files) {}

  bool List(const std::string& folder, std::vector<base::DirEntry>* entries) override {
    entries->clear();
    if (!files_.folders.count(folder)) return false;
    const std::string prefix = folder + "/";
    auto child = [&](const std::string& path, std::string* name) {
      if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return false;
      *name = path.substr(prefix.size());
      return name->find('/') == std::string::npos;
    };
    std::string name;
    for (const std::string& path : files_.folders) {
      if (child(path, &name)) entries->push_back(Entry(name, true, 0));
    }
    for (const auto& [path, bytes] : files_.files) {
      if (child(path, &name)) entries->push_back(Entry(name, false, bytes.size()));
    }
    std::sort(entries->begin(), entries->end(), [](const base::DirEntry& a, const base::DirEntry& b) {
      return Folded(a.host_name) < Folded(b.host_name);
    });
    return true;
  }

 private:
  static base::DirEntry Entry(const std::string& name, bool is_folder, std::uint64_t size) {
    base::DirEntry entry;
    entry.name = name;
    entry.host_name = name;
    entry.kind = is_folder ? base::FileKind::kFolder : base::FileKind::kRegular;
    entry.size = size;
    return entry;
  }
  static std::string Folded(std::string text) {
    for (char& c : text) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
  }
  base::FakeFileSystem& files_;
};

}  // namespace fuzz
