#pragma once
// The in-memory FileSystem for tests, with switches that make single
// operations fail.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/file_system.h"
#include "base/folder.h"

namespace base {

/// Files and folders held in maps; every operation answers at once.
class FakeFileSystem : public FileSystem {
 public:
  using Bytes = std::vector<std::uint8_t>;

  std::map<std::string, Bytes> files;
  /// Paths whose reads fail.
  std::set<std::string> unreadable;
  /// Creating a file fails.
  bool fail_create = false;
  /// A write fails once this many bytes have been written to a created file.
  std::size_t write_limit = SIZE_MAX;
  /// Closing a created file fails.
  bool fail_close = false;
  /// Replace fails.
  bool fail_replace = false;
  /// Largest single write seen (shows that the copy buffer is bounded).
  std::size_t largest_write = 0;

  /// Syncing a created file fails.
  bool fail_sync = false;
  /// The changes that reach the storage device, in order: "sync PATH" for a
  /// file synced, "replace FROM TO", "rename FROM TO", "remove PATH" and
  /// "sync folder PATH".
  std::vector<std::string> log;

  /// Paths that exist as something other than a file or folder (a FIFO).
  std::set<std::string> others;
  /// Paths that exist as folders.
  std::set<std::string> folders;
  /// Creating or renaming to a path fails unless the folder it goes in is
  /// one of `folders` (for tests that model the folders).
  bool need_parent_folder = false;

  /// Symbolic links: path -> the path they lead to. Every path-based call
  /// follows them as the platform does (all but the last name for Create
  /// New, Rename, Replace and Remove, which act on a link itself).
  std::map<std::string, std::string> links;

  /// Called at the start of every operation, of this file system and of
  /// the folders opened through FakeFolderLister, with the call's name
  /// ("stat", "open", "create", "rename", "replace", "remove", "list",
  /// "open folder") and the path it was given (for a folder's call, the
  /// folder's path and the name joined): a test swaps entries here, between
  /// one call of the code under test and the next.
  std::function<void(const std::string& call, const std::string& path)> before_each;

  /// Puts a link to `target` in the place of whatever is at `path` (a
  /// folder goes with everything in it), as a rename of a link over it does.
  void SwapForLink(const std::string& path, const std::string& target) {
    EraseTree(path);
    links[path] = target;
  }

  /// Moves the file, folder or link at `from` (a folder with everything in
  /// it) to `to`, keeping each one's identity, as a rename does.
  void MoveTree(const std::string& from, const std::string& to) {
    const auto moved = [&](const std::string& path, std::string* there) {
      if (path != from && path.compare(0, from.size() + 1, from + kPathSeparator) != 0) return false;
      *there = to + path.substr(from.size());
      return true;
    };
    const auto move_keys = [&](auto& container) {
      auto copy = container;
      for (const auto& item : copy) {
        std::string there;
        if constexpr (std::is_same_v<std::decay_t<decltype(container)>, std::set<std::string>>) {
          if (moved(item, &there)) container.erase(item), container.insert(there);
        } else {
          if (moved(item.first, &there)) container.erase(item.first), container[there] = item.second;
        }
      }
    };
    move_keys(files);
    move_keys(folders);
    move_keys(others);
    move_keys(links);
    move_keys(serials_);
  }

  /// The identity of the file or folder at `path` (links followed): device
  /// 1 and a number that stays with the entry through renames and changes
  /// of content, and is new for an entry created anew.
  FileIdentity IdentityOf(const std::string& relative) {
    const std::string path = Resolve(FullPath(relative));
    FileIdentity identity;
    const bool file = files.count(path) != 0;
    if (!file && !folders.count(path) && !others.count(path)) return identity;
    identity.device = 1;
    identity.file_id = SerialOf(path);
    identity.size = file ? files[path].size() : 0;
    identity.known = true;
    return identity;
  }

  /// `path` with every link on the way followed (`all`: the last name too).
  std::string Resolve(const std::string& path, bool all = true) const {
    std::string done = path;
    for (int hops = 0; hops < 40; ++hops) {
      bool followed = false;
      for (std::size_t at = 1; at <= done.size(); ++at) {
        if (at < done.size() && done[at] != kPathSeparator) continue;
        if (at == done.size() && !all) break;
        const auto link = links.find(done.substr(0, at));
        if (link == links.end()) continue;
        done = link->second + done.substr(at);
        followed = true;
        break;
      }
      if (!followed) return done;
    }
    return done;
  }

  /// The current folder; while it is not empty, relative paths are taken
  /// against it, as the platform's file system does.
  std::string current_folder;

  /// `path` against the current folder: absolute paths (and every path
  /// while there is no current folder) stay as they are.
  std::string FullPath(const std::string& path) const {
    const bool absolute = (!path.empty() && path[0] == kPathSeparator) || (path.size() > 1 && path[1] == ':');
    if (absolute || current_folder.empty()) return path;
    return current_folder + (current_folder.back() == kPathSeparator ? "" : std::string(1, kPathSeparator)) + path;
  }

  bool Stat(const std::string& relative, FileInfo* info) override {
    Before("stat", relative);
    const std::string path = Resolve(FullPath(relative));
    if (folders.count(path)) {
      *info = FileInfo{FileKind::kFolder, 0};
      return true;
    }
    if (others.count(path)) {
      *info = FileInfo{FileKind::kOther, 0};
      return true;
    }
    auto it = files.find(path);
    if (it == files.end()) return false;
    *info = FileInfo{FileKind::kRegular, it->second.size()};
    return true;
  }

  std::unique_ptr<InputFile> OpenInput(const std::string& relative) override {
    Before("open", relative);
    const std::string path = Resolve(FullPath(relative));
    auto it = files.find(path);
    if (it == files.end() || others.count(path)) return nullptr;
    return std::make_unique<Input>(it->second, unreadable.count(path) != 0);
  }

  std::unique_ptr<InputFile> OpenLocked(const std::string& relative, std::uint64_t* size) override {
    auto it = files.find(Resolve(FullPath(relative)));
    if (it != files.end()) *size = it->second.size();
    return OpenInput(relative);
  }

  std::unique_ptr<OutputFile> CreateNew(const std::string& relative) override {
    Before("create", relative);
    const std::string path = Resolve(FullPath(relative), false);
    if (fail_create || files.count(path) || links.count(path) || !Creatable(path)) return nullptr;
    files[path];
    serials_.erase(path);
    return std::make_unique<Output>(this, path);
  }

  std::unique_ptr<OutputFile> Create(const std::string& relative) override {
    Before("create", relative);
    const std::string path = Resolve(FullPath(relative));
    if (fail_create || !Creatable(path)) return nullptr;
    files[path].clear();
    return std::make_unique<Output>(this, path);
  }

  bool Rename(const std::string& relative_from, const std::string& relative_to) override {
    Before("rename", relative_from);
    const std::string from = Resolve(FullPath(relative_from), false), to = Resolve(FullPath(relative_to), false);
    if (!files.count(from) || files.count(to) || links.count(to) || !Creatable(to)) return false;
    MoveTree(from, to);
    log.push_back("rename " + from + " " + to);
    return true;
  }

  bool Replace(const std::string& relative_from, const std::string& relative_to) override {
    Before("replace", relative_from);
    const std::string from = Resolve(FullPath(relative_from), false), to = Resolve(FullPath(relative_to), false);
    if (fail_replace || !files.count(from) || !Creatable(to)) return false;
    files.erase(to);
    links.erase(to);
    serials_.erase(to);
    MoveTree(from, to);
    log.push_back("replace " + from + " " + to);
    return true;
  }

  bool Remove(const std::string& relative) override {
    Before("remove", relative);
    const std::string path = Resolve(FullPath(relative), false);
    if (!files.erase(path) && !links.erase(path)) return false;
    serials_.erase(path);
    log.push_back("remove " + path);
    return true;
  }

  bool SyncFolder(const std::string& folder) override {
    log.push_back("sync folder " + FullPath(folder));
    return true;
  }
  bool CreateFolder(const std::string& relative) override {
    const std::string path = FullPath(relative);
    if (fail_create || files.count(path) || !Creatable(path)) return false;
    return folders.insert(path).second;
  }

  unsigned long ProcessId() override { return 42; }

  std::string CurrentFolder() override { return current_folder; }

  /// Enters one of `folders`.
  std::unique_ptr<EnteredFolder> EnterFolder(const std::string& folder) override {
    const std::string path = FullPath(folder);
    if (!folders.count(path)) return nullptr;
    auto stay = std::make_unique<Stay>(this, current_folder);
    current_folder = path;
    return stay;
  }

 private:
  void Before(const char* call, const std::string& path) {
    if (before_each) before_each(call, path);
  }

  // Removes whatever is at `path`, and under it.
  void EraseTree(const std::string& path) {
    const auto under = [&](const std::string& p) {
      return p == path || p.compare(0, path.size() + 1, path + kPathSeparator) == 0;
    };
    for (auto it = files.begin(); it != files.end();) it = under(it->first) ? files.erase(it) : std::next(it);
    for (auto it = folders.begin(); it != folders.end();) it = under(*it) ? folders.erase(it) : std::next(it);
    for (auto it = others.begin(); it != others.end();) it = under(*it) ? others.erase(it) : std::next(it);
    for (auto it = links.begin(); it != links.end();) it = under(it->first) ? links.erase(it) : std::next(it);
    for (auto it = serials_.begin(); it != serials_.end();) it = under(it->first) ? serials_.erase(it) : std::next(it);
  }

  std::uint64_t SerialOf(const std::string& path) {
    auto [it, added] = serials_.emplace(path, next_serial_);
    if (added) ++next_serial_;
    return it->second;
  }

  // Path -> the number of its identity (see IdentityOf), given out on first
  // asking.
  std::map<std::string, std::uint64_t> serials_;
  std::uint64_t next_serial_ = 1;

  friend class FakeFolder;

  // False when a folder or something else is at `path`, or when its folder
  // is missing while folders are modelled.
  bool Creatable(const std::string& path) const {
    if (folders.count(path) || others.count(path)) return false;
    const std::size_t cut = path.find_last_of(kPathSeparator);
    return !need_parent_folder || (cut != std::string::npos && folders.count(path.substr(0, cut)));
  }

  class Stay : public EnteredFolder {
   public:
    Stay(FakeFileSystem* owner, std::string came_from) : owner_(owner), came_from_(std::move(came_from)) {}
    ~Stay() override { owner_->current_folder = came_from_; }

   private:
    FakeFileSystem* owner_;
    std::string came_from_;
  };

  class Input : public InputFile {
   public:
    Input(const Bytes& bytes, bool fail) : bytes_(bytes), fail_(fail) {}
    bool Read(void* buffer, std::size_t capacity, std::size_t* got) override {
      if (fail_) return false;
      std::size_t n = std::min(capacity, bytes_.size() - at_);
      std::copy(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + n), static_cast<std::uint8_t*>(buffer));
      at_ += n;
      *got = n;
      return true;
    }

   private:
    Bytes bytes_;
    bool fail_;
    std::size_t at_ = 0;
  };

  class Output : public OutputFile {
   public:
    Output(FakeFileSystem* owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Write(const void* data, std::size_t size) override {
      Bytes& bytes = owner_->files[path_];
      if (bytes.size() + size > owner_->write_limit) return false;
      owner_->largest_write = std::max(owner_->largest_write, size);
      const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
      bytes.insert(bytes.end(), p, p + size);
      return true;
    }
    bool Sync() override {
      if (owner_->fail_sync) return false;
      owner_->log.push_back("sync " + path_);
      return true;
    }
    bool Close() override { return !owner_->fail_close; }

   private:
    FakeFileSystem* owner_;
    std::string path_;
  };
};

}  // namespace base
