#pragma once
// The folder lister for tests: lists the folders of a FakeFileSystem.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/fake_file_system.h"
#include "base/listing.h"
#include "base/sjis.h"

namespace base {

/// Lists a FakeFileSystem: the entries of a folder in `files.folders` are the
/// paths of `files` (regular files), `files.folders` (folders) and
/// `files.others` (kOther) that continue the folder's path by the separator
/// and one name. Sorted like the POSIX lister (ASCII letters folded to upper
/// case); every name counts as Shift-JIS.
class FakeFolderLister : public FolderLister {
 public:
  explicit FakeFolderLister(FakeFileSystem& files) : files_(files) {}

  /// Paths whose entries are reported as not examined (kind and size unknown).
  std::set<std::string> unexamined;
  /// Every folder asked for, in order.
  std::vector<std::string> listed;

  bool List(const std::string& relative, std::vector<DirEntry>* entries) override {
    listed.push_back(relative);
    entries->clear();
    const std::string folder = files_.FullPath(relative);
    if (!files_.folders.count(folder)) return false;
    for (const std::string& path : files_.folders) Add(folder, path, FileKind::kFolder, 0, entries);
    for (const std::string& path : files_.others) Add(folder, path, FileKind::kOther, 0, entries);
    for (const auto& [path, bytes] : files_.files) Add(folder, path, FileKind::kRegular, bytes.size(), entries);
    std::sort(entries->begin(), entries->end(),
              [](const DirEntry& a, const DirEntry& b) {
                return UpperAsciiBytes(a.host_name) < UpperAsciiBytes(b.host_name);
              });
    return true;
  }

 private:
  // Adds the entry for `path` when it lies directly in `folder`.
  void Add(const std::string& folder, const std::string& path, FileKind kind, std::uint64_t size,
           std::vector<DirEntry>* entries) const {
    const std::string prefix = folder + kPathSeparator;
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return;
    const std::string name = path.substr(prefix.size());
    if (name.find(kPathSeparator) != std::string::npos) return;
    DirEntry entry;
    entry.name = entry.host_name = name;
    entry.kind = kind;
    entry.size = size;
    entry.examined = !unexamined.count(path);
    entries->push_back(entry);
  }
  FakeFileSystem& files_;
};

}  // namespace base
