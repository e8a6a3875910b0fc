#pragma once
// A read-only view of the files of a run in which some host paths hold given
// bytes instead of what lies on disk: an editor's unsaved buffers standing in
// for their files, so that the builder's own checks read what the author sees.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/file_access.h"

namespace base {

/// Serves the bytes put for a host path (Stat, OpenInput, OpenLocked) and
/// passes every other read to the inner file system. It never changes a
/// file: every call that would create, rename, remove or sync fails.
class OverlayFileSystem : public ForwardingFileSystem {
 public:
  explicit OverlayFileSystem(FileSystem& inner) : ForwardingFileSystem(inner) {}

  /// Makes `path` (a host path, matched byte for byte) hold `content`,
  /// which is shared, never copied: a reader that opened it keeps the bytes
  /// it opened even when `path` is given new ones.
  void Put(const std::string& path, std::shared_ptr<const std::string> content) {
    overlay_[path] = std::move(content);
  }
  /// Lets `path` show the inner file system's file again.
  void Drop(const std::string& path) { overlay_.erase(path); }
  /// The bytes put for `path`, or null.
  const std::string* Find(const std::string& path) const;
  /// The bytes put for `path` as the shared buffer readers hold, or null.
  std::shared_ptr<const std::string> Shared(const std::string& path) const;
  /// The host paths put, in byte order.
  std::vector<std::string> Paths() const;

  bool Stat(const std::string& path, FileInfo* info) override;
  std::unique_ptr<InputFile> OpenInput(const std::string& path) override;
  std::unique_ptr<InputFile> OpenLocked(const std::string& path, std::uint64_t* size) override;
  std::unique_ptr<OutputFile> CreateNew(const std::string&) override { return nullptr; }
  std::unique_ptr<OutputFile> Create(const std::string&) override { return nullptr; }
  bool Rename(const std::string&, const std::string&) override { return false; }
  bool Replace(const std::string&, const std::string&) override { return false; }
  bool CreateFolder(const std::string&) override { return false; }
  bool Remove(const std::string&) override { return false; }
  bool SyncFolder(const std::string&) override { return false; }

 private:
  std::map<std::string, std::shared_ptr<const std::string>> overlay_;
};

/// Lists folders as the inner lister does, with the files of `overlay`
/// shown as it holds them: a listed entry of a path put there gets the size
/// of its bytes, and a path put there that the folder lacks (a buffer not
/// yet saved) is added as a regular file, in the order the POSIX lister
/// gives (host names with ASCII letters folded to upper case).
class OverlayFolderLister : public FolderLister {
 public:
  OverlayFolderLister(FolderLister& inner, const OverlayFileSystem& overlay) : inner_(inner), overlay_(overlay) {}

  bool List(const std::string& folder, std::vector<DirEntry>* entries) override;
  std::string ResolvedPath(const std::string& path) override { return inner_.ResolvedPath(path); }
  /// The inner lister's folder handle, seen through the overlay: listed,
  /// opened and examined as List and the overlay's file system show it,
  /// and never written through.
  std::unique_ptr<Folder> OpenFolder(const std::string& path) override;

 private:
  FolderLister& inner_;
  const OverlayFileSystem& overlay_;
};

}  // namespace base
