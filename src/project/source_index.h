#pragma once
// The source folder read once: its files and those of its direct
// sub-folders, looked up by name. Page 3, Finish and pakforge-build read
// the folder into one index per operation and ask it every question, so a
// list of many rows over many sub-folders costs one listing of each folder.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/file_access.h"
#include "base/folder.h"
#include "base/listing.h"

namespace project {

/// One file of the source folder or of one of its direct sub-folders.
struct SourceFile {
  std::string name;    ///< the bare name (Shift-JIS)
  std::string folder;  ///< the sub-folder's name; empty for the source folder itself
  std::uint64_t size = 0;
};

/// The source folder and its direct sub-folders, each listed once. As
/// base::HeldListings it hands its listings to the builder, which then
/// lists only what lies deeper.
class SourceIndex : public base::HeldListings {
 public:
  /// Lists the source folder at `source_path` (a kit path ending in a
  /// separator) and each of its direct sub-folders. False, with an empty
  /// index, when the source folder cannot be listed.
  bool Read(const base::FileAccess& fs, const std::string& source_path);

  /// The path given to Read.
  const std::string& path() const { return path_; }
  /// Every file in listing order: the folder's own, then those of each
  /// sub-folder in turn.
  const std::vector<SourceFile>& files() const { return files_; }
  /// The direct sub-folders, in listing order.
  const std::vector<std::string>& folders() const { return folders_; }
  /// True when a sub-folder holds a folder of its own (never read further).
  bool nested_folders() const { return nested_folders_; }

  /// True when `name` is a file of the source folder or of a direct
  /// sub-folder, ASCII letter case ignored (as Windows finds files). A file
  /// whose path would reach 260 bytes counts as absent: the source path and
  /// the name below 260, or with a sub-folder, its name and a separator.
  bool Contains(std::string_view name) const;

  /// Takes the source folder's own entries named in `names` (ASCII letter
  /// case ignored) from the folder as it is now, examined through `folder`,
  /// the source folder held open: each is dropped, then put back where a
  /// listing puts it when an entry of that name exists, with the identity
  /// of the file now there. Finish changes only such files, so the index
  /// stays what a new Read would give, without listing the folder again.
  /// Where `lister` gives no order of names, the source folder is listed
  /// again through `folder` instead.
  void Refresh(base::FolderLister& lister, base::Folder& folder, const std::vector<std::string>& names);

  /// The listing of the source folder ("") or of its direct sub-folder
  /// `relative` (a host name), as read and refreshed; null for any other
  /// folder, and for a listing whose entries carry no identity (a lister
  /// that does not take them when listing by path), which a reader must
  /// list through its handle itself.
  const std::vector<base::DirEntry>* Listing(const std::string& relative) const override;

  /// The host path the source folder was listed at (path() without its
  /// final separator, in host form).
  const std::string& host_path() const { return host_path_; }

 private:
  /// One listed folder as the lister reported it, names without a
  /// Shift-JIS form included.
  struct Listed {
    std::string relative;  ///< the sub-folder's host name; empty for the source folder
    std::vector<base::DirEntry> entries;
    bool identified = true;  ///< every examined entry carries its identity
  };

  /// Takes the source folder's own files and its sub-folders from the
  /// first listing, ahead of the sub-folders' files already held.
  void TakeOwnEntries();
  /// Rebuilds `shortest_` from `files_`.
  void IndexNames();
  /// Takes `file` into `shortest_`.
  void IndexName(const SourceFile& file);

  std::string path_;
  std::vector<SourceFile> files_;
  std::vector<std::string> folders_;
  bool nested_folders_ = false;
  /// Folded name -> the fewest bytes a path to a file of that name adds to
  /// the source path before the name (0 in the folder itself, else the
  /// sub-folder's name and a separator).
  std::unordered_map<std::string, std::size_t> shortest_;
  std::string host_path_;
  /// The source folder's listing, then each direct sub-folder's.
  std::vector<Listed> listed_;
};

}  // namespace project
