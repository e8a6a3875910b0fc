#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <numeric>

#include "base/encoding.h"
#include "base/file_posix.h"
#include "base/listing.h"

namespace base {
namespace {

// The real path of `path`; empty when it cannot be resolved.
std::string Resolve(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return {};
  std::string full = resolved;
  free(resolved);
  return full;
}

FileIdentity IdentityOf(const struct stat& st) {
  FileIdentity identity;
  identity.device = static_cast<std::uint64_t>(st.st_dev);
  identity.file_id = static_cast<std::uint64_t>(st.st_ino);
  identity.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  identity.known = true;
  return identity;
}

// Where the open `fd` leads, as a full path with every link resolved: what
// /proc tells of the descriptor, else `hint` resolved; either only when the
// path found leads to the very file held open. Empty otherwise.
std::string WhereFdLeads(int fd, const std::string& hint) {
  struct stat held;
  if (fstat(fd, &held) != 0) return {};
  std::string candidate;
  char proc[64];
  std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t n = readlink(proc, buffer.data(), buffer.size());
    if (n < 0) break;
    if (static_cast<std::size_t>(n) < buffer.size()) {
      candidate.assign(buffer.data(), static_cast<std::size_t>(n));
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  if (candidate.empty() || candidate[0] != '/') candidate = Resolve(hint);
  struct stat there;
  if (candidate.empty() || stat(candidate.c_str(), &there) != 0 || there.st_dev != held.st_dev ||
      there.st_ino != held.st_ino)
    return {};
  return candidate;
}

void SetKind(const struct stat& st, DirEntry* e) {
  e->kind = S_ISREG(st.st_mode) ? FileKind::kRegular : S_ISDIR(st.st_mode) ? FileKind::kFolder : FileKind::kOther;
  e->size = e->kind == FileKind::kRegular ? static_cast<std::uint64_t>(st.st_size) : 0;
  e->identity = IdentityOf(st);
}

// Examines the entry `host` of the folder open as `dir_fd` (whose path is
// `folder`) as a listing reports it. False when nothing is there under
// that name; an entry that is there but cannot be examined is reported
// with `examined` false.
bool ExamineAt(int dir_fd, const std::string& folder, const std::string& host, DirEntry* e) {
  e->host_name = host;
  // Examined relative to the open folder: one lookup of the name, not of
  // the whole path.
  struct stat st;
  bool examined = fstatat(dir_fd, host.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
  const bool there = examined || errno != ENOENT;
  if (examined && S_ISLNK(st.st_mode)) {
    // A link: what it leads to is opened once, and its identity and
    // place are both taken from that one open, so they belong together.
    e->link = true;
#ifdef O_PATH
    const int target = openat(dir_fd, host.c_str(), O_PATH | O_CLOEXEC);
#else
    const int target = openat(dir_fd, host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
    examined = target >= 0 && fstat(target, &st) == 0;
    if (examined) e->link_target = WhereFdLeads(target, JoinPath(folder, host));
    if (target >= 0) close(target);
  }
  if (examined) {
    SetKind(st, e);
  } else {
    e->examined = false;
  }
  e->name_convertible = Utf8ToCp932(host, &e->name);
  if (!e->name_convertible) e->name.clear();
  return there;
}

// Reads the entries of the open `dir` (whose path is `folder`) and sorts
// them; takes `dir` over.
void ReadEntries(DIR* dir, const std::string& folder, std::vector<DirEntry>* entries) {
  entries->clear();
  while (dirent* d = readdir(dir)) {
    std::string host = d->d_name;
    if (host == "." || host == "..") continue;
    DirEntry e;
    ExamineAt(dirfd(dir), folder, host, &e);
    entries->push_back(std::move(e));
  }
  closedir(dir);
  // The order is found on positions, then each entry moved once: moving
  // whole entries inside the sort costs more than comparing their names.
  std::vector<std::size_t> order(entries->size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [entries](std::size_t a, std::size_t b) { return FoldedNameOrder((*entries)[a], (*entries)[b]); });
  std::vector<DirEntry> sorted;
  sorted.reserve(order.size());
  for (std::size_t at : order) sorted.push_back(std::move((*entries)[at]));
  entries->swap(sorted);
}

// Folders opened from one first folder hold at most this many descriptors
// between them; the least recently used is closed beyond it and opened
// again (relative to its parent, checked to be the same folder) when
// needed. So a tree of any size or depth stays under the process's limit.
constexpr std::size_t kOpenFolderBudget = 64;

// One folder of a tree of handles: what it is (its parent, name and
// identity), and its descriptor while it is open.
class Node {
 public:
  using Budget = std::list<Node*>;  // open nodes, most recently used first

  // The first folder of a tree: held open for as long as it lives.
  Node(int fd, std::string path) : path_(std::move(path)), fd_(fd), budget_(std::make_shared<Budget>()) {}

  // A sub-folder, opened as `fd` from `parent`.
  Node(std::shared_ptr<Node> parent, const DirEntry& entry, int fd)
      : path_(JoinPath(parent->path_, entry.host_name)),
        parent_(std::move(parent)),
        name_(entry.host_name),
        follow_(entry.link),
        identity_(entry.identity),
        budget_(parent_->budget_) {
    Adopt(fd);
  }

  ~Node() { Park(); }
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  const std::string& path() const { return path_; }

  // The open descriptor; -1 when the folder could not be opened again
  // (`*changed`: it is no longer the folder first opened).
  int Fd(bool* changed) {
    *changed = false;
    if (fd_ >= 0) {
      if (parent_) budget_->splice(budget_->begin(), *budget_, place_);
      return fd_;
    }
    const int parent_fd = parent_->Fd(changed);
    if (parent_fd < 0) return -1;
    struct stat st;
    const int fd = openat(parent_fd, name_.c_str(), OpenFlags(follow_));
    if (fd < 0 || fstat(fd, &st) != 0 || !IdentityOf(st).SameFile(identity_)) {
      *changed = fd >= 0 || errno == ENOENT || errno == ELOOP || errno == ENOTDIR;
      if (fd >= 0) close(fd);
      return -1;
    }
    Adopt(fd);
    return fd_;
  }

  static int OpenFlags(bool follow) { return O_RDONLY | O_DIRECTORY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW); }

 private:
  void Adopt(int fd) {
    fd_ = fd;
    budget_->push_front(this);
    place_ = budget_->begin();
    while (budget_->size() > kOpenFolderBudget) budget_->back()->Park();
  }

  void Park() {
    if (fd_ < 0) return;
    close(fd_);
    fd_ = -1;
    if (parent_) budget_->erase(place_);
  }

  std::string path_;
  std::shared_ptr<Node> parent_;  // null for the first folder
  std::string name_;
  bool follow_ = false;
  FileIdentity identity_;
  int fd_ = -1;
  std::shared_ptr<Budget> budget_;
  Budget::iterator place_;
};

class PosixFolder : public Folder {
 public:
  explicit PosixFolder(std::shared_ptr<Node> node) : node_(std::move(node)) {}

  const std::string& path() const override { return node_->path(); }

  std::string ResolvedPath() override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    return fd < 0 ? std::string() : WhereFdLeads(fd, node_->path());
  }

  bool List(std::vector<DirEntry>* entries) override {
    entries->clear();
    bool changed = false;
    const int fd = node_->Fd(&changed);
    if (fd < 0) return false;
    // A descriptor of its own, so the listing's position is its own too.
    const int own = openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (own < 0) return false;
    DIR* dir = fdopendir(own);
    if (!dir) {
      close(own);
      return false;
    }
    ReadEntries(dir, node_->path(), entries);
    return true;
  }

  bool Examine(const std::string& name, DirEntry* entry) override {
    *entry = DirEntry();
    bool changed = false;
    const int fd = node_->Fd(&changed);
    if (fd < 0 || name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") return false;
    return ExamineAt(fd, node_->path(), name, entry);
  }

  std::unique_ptr<Folder> OpenFolder(const DirEntry& entry, FolderOpen* result) override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    if (fd < 0) return Fail(changed, result), nullptr;
    const int sub = openat(fd, entry.host_name.c_str(), Node::OpenFlags(entry.link));
    struct stat st;
    if (sub < 0 || fstat(sub, &st) != 0 || !S_ISDIR(st.st_mode) || !IdentityOf(st).SameFile(entry.identity)) {
      const bool gone = sub < 0 && (errno == ENOENT || errno == ELOOP || errno == ENOTDIR);
      if (sub >= 0) close(sub);
      Fail(gone || sub >= 0, result);
      return nullptr;
    }
    *result = FolderOpen::kOpened;
    return std::make_unique<PosixFolder>(std::make_shared<Node>(node_, entry, sub));
  }

  std::unique_ptr<InputFile> OpenListed(const DirEntry& entry, FolderOpen* result) override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    if (fd < 0) return Fail(changed, result), nullptr;
    // O_NONBLOCK: a FIFO put in the file's place must not make the open
    // wait for a writer; reads of a regular file are not affected by it.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (entry.link ? 0 : O_NOFOLLOW);
    const int file = openat(fd, entry.host_name.c_str(), flags);
    struct stat st;
    if (file < 0 || fstat(file, &st) != 0 || !S_ISREG(st.st_mode) || !IdentityOf(st).SameFile(entry.identity) ||
        static_cast<std::uint64_t>(st.st_size) != entry.identity.size) {
      const bool gone = file < 0 && (errno == ENOENT || errno == ELOOP || errno == ENOTDIR || errno == ENXIO);
      if (file >= 0) close(file);
      Fail(gone || file >= 0, result);
      return nullptr;
    }
    *result = FolderOpen::kOpened;
    return PosixInputFileOver(file);
  }

  bool Stat(const std::string& name, FileInfo* info) override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    struct stat st;
    if (fd < 0 || fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    info->kind = S_ISREG(st.st_mode) ? FileKind::kRegular : S_ISDIR(st.st_mode) ? FileKind::kFolder : FileKind::kOther;
    info->size = info->kind == FileKind::kRegular ? static_cast<std::uint64_t>(st.st_size) : 0;
    return true;
  }

  std::unique_ptr<InputFile> OpenInput(const std::string& name) override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    if (fd < 0) return nullptr;
    const int file = openat(fd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (file < 0) return nullptr;
    if (fstat(file, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(file);
      return nullptr;
    }
    return PosixInputFileOver(file);
  }

  std::unique_ptr<OutputFile> CreateNew(const std::string& name) override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    if (fd < 0) return nullptr;
    const int file = openat(fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (file < 0) return nullptr;
    return PosixOutputFileOver(file);
  }

  bool Replace(const std::string& from, const std::string& to) override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    return fd >= 0 && renameat(fd, from.c_str(), fd, to.c_str()) == 0;
  }

  bool Remove(const std::string& name) override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    return fd >= 0 && unlinkat(fd, name.c_str(), 0) == 0;
  }

  bool Sync() override {
    bool changed = false;
    const int fd = node_->Fd(&changed);
    return fd >= 0 && fsync(fd) == 0;
  }

 private:
  static void Fail(bool changed, FolderOpen* result) {
    *result = changed ? FolderOpen::kChanged : FolderOpen::kFailed;
  }

  std::shared_ptr<Node> node_;
};

class PosixFolderLister : public FolderLister {
 public:
  bool List(const std::string& folder, std::vector<DirEntry>* entries) override {
    entries->clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    ReadEntries(dir, folder, entries);
    return true;
  }

  std::string ResolvedPath(const std::string& path) override {
    std::string full = Resolve(path);
    return full.empty() ? path : full;
  }

  ListingOrder Order() const override { return &FoldedNameOrder; }

  std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
    // The links on the way are resolved once, here; the folder reached is
    // then opened without following any link of its own, and must be the
    // one the resolved path names (nothing was swapped in between).
    const std::string resolved = Resolve(path);
    if (resolved.empty()) return nullptr;
    const int fd = open(resolved.c_str(), Node::OpenFlags(false));
    if (fd < 0) return nullptr;
    if (WhereFdLeads(fd, resolved) != resolved) {
      close(fd);
      return nullptr;
    }
    return std::make_unique<PosixFolder>(std::make_shared<Node>(fd, path));
  }
};

}  // namespace

FolderLister& SystemFolderLister() {
  static PosixFolderLister lister;
  return lister;
}

}  // namespace base
