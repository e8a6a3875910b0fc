#pragma once
// The rules that decide whether a source folder can be packed: which of its
// files are copied, exactly one "Native.ina", no two files of one name, no
// folder inside a sub-folder, and device paths that fit. The files page and
// pakforge-build both take their answers from here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "project/row_store.h"
#include "project/source_index.h"

namespace project {

/// Length of "Program Disk", the device folder that holds "Program Files".
inline constexpr int kProgramDiskLength = 12;

/// True when a file whose name has `name_length` bytes, installed into the
/// folder `inst_dir_length` bytes long under "Program Files", would get a
/// device path too long for the device: 12 + inst_dir + name + 20 reaches
/// 260. The same rule covers the start-up program and every copied file.
bool DevicePathTooLong(std::size_t inst_dir_length, std::size_t name_length);

/// True for ".txt" and ".inf" files (any letter case): Finish writes these
/// into the source folder itself, so they are never rows of the files list.
bool IsGeneratedFile(std::string_view name);

/// True for ".exe" and ".dll" files (any letter case), which always go into
/// the install folder itself.
bool IsProgramOrLibrary(std::string_view name);

/// True for "Native.ina" in any letter case.
bool IsNativeIna(std::string_view name);

/// True when the source folder path `source_path` (ending in a separator)
/// leaves no room for the names inside it: its length + 3 reaches 260.
bool SourcePathTooLong(const std::string& source_path);

/// What a look through a source folder and its direct sub-folders found.
struct SourceFolderScan {
  /// The names to copy, in listing order: the folder's own files, then the
  /// files of each sub-folder. Generated files and "Native.ina" are left out.
  std::vector<std::string> files;
  /// How many "Native.ina" files there are (the builder wants exactly one).
  int native_ina_count = 0;
  /// Two of `files` have the same name ignoring ASCII letter case.
  bool duplicate_names = false;
  /// One of `files` has a device path too long for `inst_dir`.
  bool path_too_long = false;
  /// A sub-folder holds a folder of its own.
  bool nested_folders = false;
};

/// The rules over the source folder read into `source`, for a project
/// installing into `inst_dir`.
SourceFolderScan ScanSourceFolder(const SourceIndex& source, std::string_view inst_dir);

/// Sets page 3's two facts of every row: `missing` when its file is not in
/// the source folder `source` (every row when `source` is null), and
/// `startup` when it is the start-up program `exe` (ASCII letter case
/// ignored). True when some row's file is missing.
bool MarkFileRows(FileRowStore& rows, const std::string& exe, const SourceIndex* source);

/// The names of `files` (a scan's list) that no row of `rows` names, ASCII
/// letter case ignored, in the order of `files`: the files a re-read of the
/// source folder would add to a list kept from a saved project.
std::vector<std::string> UnlistedFiles(const FileRowStore& rows, const std::vector<std::string>& files);

/// True when some row of `rows` installs elsewhere than the application
/// folder itself: a destination chosen by the author, which a re-read of
/// the source folder would reset.
bool HasChosenDestination(const FileRowStore& rows);

}  // namespace project
