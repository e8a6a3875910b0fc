#pragma once
// The folder lister for tests: lists the folders of a FakeFileSystem, and
// opens them as Folder handles that stay on the folder opened, as the
// platform's do.

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/fake_file_system.h"
#include "base/folder.h"
#include "base/listing.h"
#include "base/sjis.h"

namespace base {

/// A folder of a FakeFileSystem held open: it follows the folder through
/// renames (FakeFileSystem::MoveTree) by its identity, and its calls go
/// through the file system's `before_each` as "list", "open", "open
/// folder", "stat", "create", "replace" and "remove".
class FakeFolder : public Folder {
 public:
  FakeFolder(FakeFileSystem& files, const std::set<std::string>& unexamined, std::vector<std::string>& listed,
             std::string path, std::uint64_t id)
      : files_(files), unexamined_(unexamined), listed_(listed), path_(std::move(path)), id_(id) {}

  /// Lists the folder at the resolved path `real` (shown as `shown`) into
  /// `entries`, sorted like the POSIX lister (ASCII letters folded to upper
  /// case); every name counts as Shift-JIS. Links are reported with what
  /// they lead to.
  static void ListAt(FakeFileSystem& files, const std::set<std::string>& unexamined, const std::string& real,
                     const std::string& shown, std::vector<DirEntry>* entries) {
    entries->clear();
    const std::string prefix = real + kPathSeparator;
    std::set<std::string> names;
    const auto add = [&](const std::string& path) {
      if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return;
      const std::string name = path.substr(prefix.size());
      if (name.find(kPathSeparator) == std::string::npos) names.insert(name);
    };
    for (const std::string& path : files.folders) add(path);
    for (const std::string& path : files.others) add(path);
    for (const auto& [path, bytes] : files.files) add(path);
    for (const auto& [path, target] : files.links) add(path);
    for (const std::string& name : names) {
      const std::string path = prefix + name;
      DirEntry entry;
      entry.name = entry.host_name = name;
      entry.link = files.links.count(path) != 0;
      const std::string target = files.Resolve(path);
      if (entry.link) entry.link_target = target;
      entry.kind = files.folders.count(target) ? FileKind::kFolder
                   : files.others.count(target) ? FileKind::kOther
                                                : FileKind::kRegular;
      entry.identity = files.IdentityOf(target);
      entry.size = entry.kind == FileKind::kRegular ? entry.identity.size : 0;
      entry.examined = entry.identity.known && !unexamined.count(JoinPath(shown, name));
      entries->push_back(entry);
    }
    std::sort(entries->begin(), entries->end(), FoldedNameOrder);
  }

  const std::string& path() const override { return path_; }

  std::string ResolvedPath() override { return Where(); }

  bool List(std::vector<DirEntry>* entries) override {
    listed_.push_back(path_);
    Before("list", "");
    const std::string real = Where();
    if (real.empty()) return false;
    ListAt(files_, unexamined_, real, path_, entries);
    return true;
  }

  /// Picks the entry from a listing of the folder, which is neither
  /// recorded nor passed through `before_each` as "list" (but as "examine").
  bool Examine(const std::string& name, DirEntry* entry) override {
    Before("examine", name);
    const std::string real = Where();
    if (real.empty()) return false;
    std::vector<DirEntry> entries;
    ListAt(files_, unexamined_, real, path_, &entries);
    for (DirEntry& e : entries) {
      if (e.host_name != name) continue;
      *entry = std::move(e);
      return true;
    }
    return false;
  }

  std::unique_ptr<Folder> OpenFolder(const DirEntry& entry, FolderOpen* result) override {
    Before("open folder", entry.host_name);
    const std::string real = Listed(entry, result);
    if (real.empty()) return nullptr;
    if (!files_.folders.count(real)) {
      *result = FolderOpen::kChanged;
      return nullptr;
    }
    return std::make_unique<FakeFolder>(files_, unexamined_, listed_, JoinPath(path_, entry.host_name), entry.identity.file_id);
  }

  std::unique_ptr<InputFile> OpenListed(const DirEntry& entry, FolderOpen* result) override {
    Before("open", entry.host_name);
    const std::string real = Listed(entry, result);
    if (real.empty()) return nullptr;
    const auto file = files_.files.find(real);
    if (file == files_.files.end() || file->second.size() != entry.identity.size) {
      *result = FolderOpen::kChanged;
      return nullptr;
    }
    std::unique_ptr<InputFile> input = files_.OpenInput(real);
    if (!input) *result = FolderOpen::kFailed;
    return input;
  }

  bool Stat(const std::string& name, FileInfo* info) override {
    Before("stat", name);
    const std::string at = Inside(name);
    if (at.empty()) return false;
    if (files_.links.count(at)) {
      *info = FileInfo{FileKind::kOther, 0};
      return true;
    }
    return files_.Stat(at, info);
  }

  std::unique_ptr<InputFile> OpenInput(const std::string& name) override {
    Before("open", name);
    const std::string at = Inside(name);
    if (at.empty() || files_.links.count(at)) return nullptr;
    return files_.OpenInput(at);
  }

  std::unique_ptr<OutputFile> CreateNew(const std::string& name) override {
    Before("create", name);
    const std::string at = Inside(name);
    if (at.empty()) return nullptr;
    return files_.CreateNew(at);
  }

  bool Replace(const std::string& from, const std::string& to) override {
    Before("replace", from);
    const std::string at = Inside(from), there = Inside(to);
    return !at.empty() && !there.empty() && files_.Replace(at, there);
  }

  bool Remove(const std::string& name) override {
    Before("remove", name);
    const std::string at = Inside(name);
    return !at.empty() && files_.Remove(at);
  }

  bool Sync() override {
    const std::string real = Where();
    if (real.empty()) return false;
    files_.log.push_back("sync folder " + real);
    return true;
  }

 private:
  void Before(const char* call, const std::string& name) {
    if (files_.before_each) files_.before_each(call, name.empty() ? path_ : JoinPath(path_, name));
  }

  // Where the folder is now (found by its identity); empty when it is gone.
  std::string Where() {
    for (const std::string& folder : files_.folders) {
      const FileIdentity identity = files_.IdentityOf(folder);
      if (identity.file_id == id_ && !files_.links.count(folder)) return folder;
    }
    return std::string();
  }

  // The path of `name` in the folder where it is now; empty when it is gone.
  std::string Inside(const std::string& name) {
    const std::string real = Where();
    return real.empty() ? real : real + kPathSeparator + name;
  }

  // The place of a listed entry when it is still the one listed (a link
  // only when it was one); empty, with `*result` set, otherwise.
  std::string Listed(const DirEntry& entry, FolderOpen* result) {
    const std::string at = Inside(entry.host_name);
    *result = FolderOpen::kFailed;
    if (at.empty()) return at;
    if (files_.links.count(at) && !entry.link) {
      *result = FolderOpen::kChanged;
      return std::string();
    }
    const std::string real = files_.Resolve(at);
    const FileIdentity now = files_.IdentityOf(real);
    if (!now.known || !now.SameFile(entry.identity)) {
      *result = FolderOpen::kChanged;
      return std::string();
    }
    *result = FolderOpen::kOpened;
    return real;
  }

  FakeFileSystem& files_;
  const std::set<std::string>& unexamined_;
  std::vector<std::string>& listed_;
  std::string path_;
  std::uint64_t id_;
};

/// Lists a FakeFileSystem: the entries of a folder in `files.folders` are the
/// paths of `files` (regular files), `files.folders` (folders),
/// `files.others` (kOther) and `files.links` that continue the folder's path
/// by the separator and one name (see FakeFolder::ListAt).
class FakeFolderLister : public FolderLister {
 public:
  explicit FakeFolderLister(FakeFileSystem& files) : files_(files) {}

  /// Paths whose entries are reported as not examined (kind and size unknown).
  std::set<std::string> unexamined;
  /// Every folder asked for, in order (by path or as a handle).
  std::vector<std::string> listed;

  bool List(const std::string& relative, std::vector<DirEntry>* entries) override {
    listed.push_back(relative);
    entries->clear();
    if (files_.before_each) files_.before_each("list", relative);
    const std::string folder = files_.Resolve(files_.FullPath(relative));
    if (!files_.folders.count(folder)) return false;
    FakeFolder::ListAt(files_, unexamined, folder, files_.FullPath(relative), entries);
    return true;
  }

  std::string ResolvedPath(const std::string& path) override { return files_.Resolve(files_.FullPath(path)); }

  ListingOrder Order() const override { return &FoldedNameOrder; }

  std::unique_ptr<Folder> OpenFolder(const std::string& relative) override {
    if (files_.before_each) files_.before_each("open folder", relative);
    const std::string folder = files_.Resolve(files_.FullPath(relative));
    if (!files_.folders.count(folder)) return nullptr;
    return std::make_unique<FakeFolder>(files_, unexamined, listed, files_.FullPath(relative),
                                        files_.IdentityOf(folder).file_id);
  }

 private:
  FakeFileSystem& files_;
};

}  // namespace base
