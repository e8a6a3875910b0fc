#pragma once
// One run's file access that examines each entry of a folder once. A run
// that lists the same folders twice (pakforge-build reads the source folder
// for the wizard's checks, writes Finish's files into it, then runs the
// builder, which lists it again) pays for examining every file only once.

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/file_access.h"

namespace base {

/// Wraps a run's file access. The first listing of a folder lists it
/// through the inner lister; a later one reads the names afresh and reports
/// each entry it examined before as it was then, except:
/// - links, which are always followed again;
/// - names created, written, renamed or removed through this file system
///   since the run began (ASCII case ignored, in any folder), which are
///   examined afresh from then on.
/// Changes made outside the run are seen by their names only: a file that
/// another program rewrote keeps its earlier size, which a reader that
/// compares sizes (the builder does) then refuses.
class ListingMemo {
 public:
  explicit ListingMemo(FileAccess inner);
  ~ListingMemo();
  ListingMemo(const ListingMemo&) = delete;
  ListingMemo& operator=(const ListingMemo&) = delete;

  /// The file system and lister to hand on: both lead to the inner ones.
  FileAccess access();

 private:
  class Files;
  class Lister;

  /// `folder` made absolute against the current folder, without trailing
  /// separators: the key of its remembered listing.
  std::string FolderKey(const std::string& folder);
  /// Notes that the entry at `path` changes.
  void Touch(const std::string& path);

  FileAccess inner_;
  std::unique_ptr<Files> files_;
  std::unique_ptr<Lister> lister_;
  /// Absolute folder -> its last listing.
  std::unordered_map<std::string, std::vector<DirEntry>> listed_;
  /// The names this run changed, ASCII letters folded to upper case.
  std::unordered_set<std::string> changed_;
};

}  // namespace base
