#pragma once
// A folder held open (a handle), through which a run lists, opens, creates,
// renames and deletes the files in it by name. Whatever happens to the
// folder's path after it was opened (the folder renamed away, a link put in
// its place), the handle stays on the folder that was checked; and a file a
// listing reported is opened only when it is still that same file. One
// implementation per platform (listing_posix.cpp, listing_win32.cpp) and
// one fake for tests (fake_folder_lister.h); FolderLister::OpenFolder opens
// the first folder of a run.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"

namespace base {

struct DirEntry;

/// What tells one file from another on the same machine: the device (the
/// volume) and the file's number on it (an inode on POSIX, the NTFS file
/// index on Windows), with the size the listing saw.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t file_id = 0;
  std::uint64_t size = 0;
  /// False when the lister could not take it (the entry was not examined).
  bool known = false;

  /// The same file: same device and number (the size is compared apart).
  bool SameFile(const FileIdentity& other) const { return device == other.device && file_id == other.file_id; }
};

/// How an open through a Folder ended.
enum class FolderOpen {
  kOpened,
  /// The name cannot be opened (missing rights, a read error, no such name
  /// where no listing promised one).
  kFailed,
  /// The entry is no longer what the listing reported: it was removed, is
  /// a link now, or another file or folder (or a file of another size)
  /// stands under its name. The run must not go on with it.
  kChanged,
};

/// A folder held open. Names are single names (no separator) in host form.
class Folder {
 public:
  virtual ~Folder() = default;

  /// The host path the folder was reached by: for messages, and for the
  /// few calls that still take a path.
  virtual const std::string& path() const = 0;

  /// Where the handle leads: the folder's full path with every link on the
  /// way resolved, in the form FolderLister::ResolvedPath gives; empty when
  /// it cannot be told.
  virtual std::string ResolvedPath() = 0;

  /// Lists the folder as FolderLister::List does (same order, same fields),
  /// with each entry's identity; false when it cannot be read.
  virtual bool List(std::vector<DirEntry>* entries) = 0;

  /// Opens the sub-folder that a listing of this folder reported as
  /// `entry`: never through a link, unless the listing found `entry` to be
  /// one (and the caller checked where it leads); and only when the folder
  /// opened is the one listed (same identity). Null with `*result` set to
  /// kFailed or kChanged otherwise.
  virtual std::unique_ptr<Folder> OpenFolder(const DirEntry& entry, FolderOpen* result) = 0;

  /// Opens for reading the regular file that a listing of this folder
  /// reported as `entry`, on the same terms as OpenFolder (a link only when
  /// the listing found one; same identity and size). Null with `*result`
  /// set to kFailed or kChanged otherwise.
  virtual std::unique_ptr<InputFile> OpenListed(const DirEntry& entry, FolderOpen* result) = 0;

  /// Examines the entry `name` as List reports it (the same fields, its
  /// identity included): one entry without listing the folder. False when
  /// nothing is there. This default lists the folder and picks the entry.
  virtual bool Examine(const std::string& name, DirEntry* entry);

  /// Examines the entry `name` itself (a link is reported as kOther, never
  /// followed); false when nothing is there.
  virtual bool Stat(const std::string& name, FileInfo* info) = 0;

  /// Opens the regular file `name` for reading, never through a link; null
  /// when that fails or anything else is there.
  virtual std::unique_ptr<InputFile> OpenInput(const std::string& name) = 0;

  /// Creates the file `name`, which must not exist yet (a link there
  /// counts as existing and is never followed); null when that fails.
  virtual std::unique_ptr<OutputFile> CreateNew(const std::string& name) = 0;

  /// Renames `from` to `to` within the folder, replacing what `to` names
  /// in one step (a link there is replaced, not followed).
  virtual bool Replace(const std::string& from, const std::string& to) = 0;

  /// Deletes the file `name` (a link there is deleted, not followed);
  /// false when nothing was deleted.
  virtual bool Remove(const std::string& name) = 0;

  /// Makes the folder's entries durable on the storage device.
  virtual bool Sync() = 0;
};

/// Writes `content` as the whole file `name` of `folder`: into a new
/// temporary file of the folder (named as TemporaryPathFor names it, with
/// `process_id`), then renamed over `name`, so that a link at `name` is
/// replaced and never followed. False (and no temporary file left) when any
/// step fails. An interruption before the rename removes the temporary file.
bool WriteWholeFileIn(Folder& folder, const std::string& name, std::string_view content,
                      unsigned long process_id);

}  // namespace base
