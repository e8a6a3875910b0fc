#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "base/encoding.h"
#include "base/listing.h"

namespace base {
namespace {

unsigned char Fold(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool FoldedLess(const DirEntry& a, const DirEntry& b) {
  const std::string& x = a.host_name;
  const std::string& y = b.host_name;
  std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char p = Fold(static_cast<unsigned char>(x[i]));
    unsigned char q = Fold(static_cast<unsigned char>(y[i]));
    if (p != q) return p < q;
  }
  if (x.size() != y.size()) return x.size() < y.size();
  return x < y;  // names differing only in case: still a fixed order
}

class PosixFolderLister : public FolderLister {
 public:
  bool List(const std::string& folder, std::vector<DirEntry>* entries) override {
    return ListAgain(folder, EarlierEntry(), entries);
  }

  bool ListAgain(const std::string& folder, const EarlierEntry& earlier, std::vector<DirEntry>* entries) override {
    entries->clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    while (dirent* d = readdir(dir)) {
      std::string host = d->d_name;
      if (host == "." || host == "..") continue;
      if (const DirEntry* known = earlier ? earlier(host) : nullptr) {
        entries->push_back(*known);
        continue;
      }
      DirEntry e;
      e.host_name = host;
      // Examined relative to the open folder: one lookup of the name, not
      // of the whole path; a link alone takes a second look, through it.
      struct stat st;
      bool examined = fstatat(dirfd(dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
      if (examined && S_ISLNK(st.st_mode)) {
        e.link = true;
        e.link_target = Resolve(JoinPath(folder, host));
        examined = fstatat(dirfd(dir), d->d_name, &st, 0) == 0;
      }
      if (examined) {
        e.kind = S_ISREG(st.st_mode) ? FileKind::kRegular : S_ISDIR(st.st_mode) ? FileKind::kFolder : FileKind::kOther;
        e.size = e.kind == FileKind::kRegular ? static_cast<std::uint64_t>(st.st_size) : 0;
      } else {
        e.examined = false;
      }
      e.name_convertible = Utf8ToCp932(host, &e.name);
      if (!e.name_convertible) e.name.clear();
      entries->push_back(std::move(e));
    }
    closedir(dir);
    // The order is found on positions, then each entry moved once: moving
    // whole entries inside the sort costs more than comparing their names.
    std::vector<std::size_t> order(entries->size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [entries](std::size_t a, std::size_t b) { return FoldedLess((*entries)[a], (*entries)[b]); });
    std::vector<DirEntry> sorted;
    sorted.reserve(order.size());
    for (std::size_t at : order) sorted.push_back(std::move((*entries)[at]));
    entries->swap(sorted);
    return true;
  }

  std::string ResolvedPath(const std::string& path) override {
    std::string full = Resolve(path);
    return full.empty() ? path : full;
  }

 private:
  // The real path of `path`; empty when it cannot be resolved.
  static std::string Resolve(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) return {};
    std::string full = resolved;
    free(resolved);
    return full;
  }
};

}  // namespace

FolderLister& SystemFolderLister() {
  static PosixFolderLister lister;
  return lister;
}

}  // namespace base
