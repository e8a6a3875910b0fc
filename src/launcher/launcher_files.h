#pragma once
// The files the launcher looks for beside itself and the paths it builds.

#include <string>

#include "base/file_system.h"
#include "base/listing.h"

namespace launcher {

/// Text files the launcher shows, in the folder of the launcher.
inline constexpr char kNoteFile[] = "note.txt";
inline constexpr char kReadmeFile[] = "readme.txt";
inline constexpr char kLicenseFile[] = "license.txt";
/// The launcher's configuration file (see AppNameFromIni).
inline constexpr char kSetupIniFile[] = "setup.ini";
/// The application manager's file name, appended to its folder as is.
inline constexpr char kManagerFile[] = "deskinst.exe";
/// Extension of install archives, compared without regard to ASCII case.
inline constexpr char kArchiveExtension[] = ".lvar";

/// `folder` and `name` joined by one separator ("%s\\%s" on Windows).
std::string LauncherPath(const std::string& folder, const std::string& name);

/// True when `path` names an existing file; a folder does not count.
bool IsExistingFile(base::FileSystem& files, const std::string& path);

/// Path of the text for the text page: "note.txt" when that exists as a
/// file, otherwise "readme.txt" (whether or not that exists).
std::string NoteFilePath(base::FileSystem& files, const std::string& folder);

/// The manager's path: the registry's folder text followed directly by
/// "deskinst.exe" (no separator is inserted; an empty folder leaves the
/// bare file name, found relative to the current directory).
std::string ManagerPath(const std::string& manager_folder);

/// Looks for the archive in `folder`. When `named` (the archive that
/// "setup.ini" names) is not empty, ends with ".lvar" and is listed in the
/// folder as a file (name compared without regard to ASCII case), that file
/// is the archive. Otherwise the first entry, in listing order, whose name
/// ends with ".lvar" and that is not a folder. On success sets
/// `archive_path` to the folder, a separator and the listed name and returns
/// true; otherwise leaves `archive_path` unchanged and returns false.
bool FindArchive(base::FolderLister& lister, const std::string& folder,
                 std::string* archive_path, const std::string& named = std::string());

/// Why the application manager did not start, as the user is told.
enum class ManagerFailure {
  kNone,            ///< it started
  kNoRegistryValue, ///< the registry gives no manager folder
  kNoManagerFile,   ///< no file at the manager path
  kStartFailed,     ///< the file is there but would not start
};

/// The failure to report after an attempt to start the manager: none when
/// it `started`; else the missing registry value when no `folder_known`,
/// else the missing file when not `file_exists`, else the failed start.
ManagerFailure DiagnoseManagerStart(bool started, bool folder_known, bool file_exists);

}  // namespace launcher
