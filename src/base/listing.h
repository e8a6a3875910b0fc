#pragma once
// Folder listing behind one interface, with one implementation per platform
// (listing_posix.cpp, listing_win32.cpp). Tests may supply their own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/folder.h"

namespace base {

/// One entry of a folder listing ("." and ".." are never reported).
struct DirEntry {
  /// The name as the kit's texts carry it: Shift-JIS bytes, converted from
  /// the UTF-8 name on disk (POSIX) or the UTF-16 one (Windows, with code
  /// page 932 whatever the system's); empty when that has no Shift-JIS form
  /// (see `name_convertible`).
  std::string name;
  /// The name exactly as the file system holds it, for building host paths.
  /// On Windows, where host paths are Shift-JIS too, a name without that
  /// form is marked (MarkHostText): it can be shown, not opened.
  std::string host_name;
  /// False when the on-disk name has no Shift-JIS form.
  bool name_convertible = true;
  /// What the entry is: only kRegular entries are files to read.
  FileKind kind = FileKind::kRegular;
  /// False when the entry could not be examined (it vanished, or its path is
  /// too long for the system); kind and size are then unknown.
  bool examined = true;
  /// Size in bytes of a regular file (0 otherwise).
  std::uint64_t size = 0;
  /// True for a symbolic link (POSIX) or a reparse point (Windows: symbolic
  /// links, junctions, mount points). Kind and size are then those of what
  /// it leads to.
  bool link = false;
  /// For a link: the full path of what it leads to, every link on the way
  /// resolved, in the form ResolvedPath gives (compare with PathWithin).
  std::string link_target;
  /// The entry's device and number (for a link: of what it leads to) and
  /// its size: what Folder::OpenListed and Folder::OpenFolder compare with
  /// the file they open.
  FileIdentity identity;

  bool is_folder() const { return kind == FileKind::kFolder; }
};

/// The order of a lister whose listings are sorted by name: true when `a`
/// comes before `b`.
using ListingOrder = bool (*)(const DirEntry& a, const DirEntry& b);

/// The POSIX lister's order: host names compared byte by byte with ASCII
/// letters folded to upper case, a shorter name first where one begins the
/// other, and names that differ only in letter case by their bytes.
bool FoldedNameOrder(const DirEntry& a, const DirEntry& b);

/// Listings of a folder and of folders below it that a caller already
/// holds, each as the lister gave it and kept up to date since, with every
/// entry's identity: handed to a reader of the folder in place of listing
/// it again. The reader still opens each entry through a handle, checked
/// against the identity held.
class HeldListings {
 public:
  virtual ~HeldListings() = default;
  /// The entries of the folder `relative` below the first one (host names
  /// joined by the separator; empty for the first folder itself), or null
  /// when none is held: the reader then lists that folder itself.
  virtual const std::vector<DirEntry>* Listing(const std::string& relative) const = 0;
};

/// Reads folders. The order of the entries is the platform's: on Windows the
/// order FindFirstFileW/FindNextFileW give; on POSIX the entries are sorted
/// by host name, byte by byte with ASCII letters folded to upper case (the
/// order NTFS gives ASCII names), so a folder lists the same on every machine.
class FolderLister {
 public:
  virtual ~FolderLister() = default;
  /// Lists `folder`. Returns false when the folder cannot be opened.
  virtual bool List(const std::string& folder, std::vector<DirEntry>* entries) = 0;
  /// The full path of `path` with every link on the way resolved, as
  /// DirEntry::link_target gives it; `path` itself when it cannot be
  /// resolved. A lister that reports no links may keep this default.
  virtual std::string ResolvedPath(const std::string& path) { return path; }
  /// The order List gives when it is a sort by name, so that an entry
  /// examined later (Folder::Examine) can be put where a new listing would
  /// report it; null when the order is the file system's own (Windows).
  virtual ListingOrder Order() const { return nullptr; }
  /// Opens the folder at `path` as a handle: links on the way to it are
  /// followed once, now, and the handle then stays on the folder reached,
  /// whatever later happens to `path`. Null when it cannot be opened.
  virtual std::unique_ptr<Folder> OpenFolder(const std::string& path) = 0;
};

/// The lister of the running platform.
FolderLister& SystemFolderLister();

}  // namespace base
