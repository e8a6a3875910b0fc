#pragma once
// The rules that keep a project's work inside its own folders: every name
// that becomes a file or folder name is a name and no path, no two files
// that Finish writes share a name (nor one of them the project file's), the
// source folder does not lead out of the project's folder through a link,
// and no project file is read that is larger than the wizard ever writes.
// The pages and pakforge-build both take their answers from here.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_access.h"
#include "base/path_resolver.h"
#include "project/row_store.h"
#include "project/settings.h"

namespace project {

/// Why a project is refused before anything is written or deleted: the
/// message's string id and what it concerns, written as the project file
/// writes it ("File3=..\x.exe", "UninstFile=Install (Install.inf)"); for two
/// files of one name the other one, for a link where it leads.
struct SafetyRefusal {
  int string_id = 0;
  std::string what;
  std::string other;
  /// `what`, then " / " and `other` when there is one.
  std::string Detail() const;
};

/// The largest project file read: the wizard writes at most 255 file rows,
/// 255 registry rows and 100 own folders, far below this.
inline constexpr std::uint64_t kMaxProjectFileSize = 64ull << 20;

/// True when `path` names a regular file larger than kMaxProjectFileSize.
bool ProjectFileTooLarge(const base::FileAccess& fs, const std::string& path);

/// True when `name` names a file of the source folder or of one of its
/// direct sub-folders by itself: not empty, not "." or "..", no "\", "/" or
/// ":" (so no drive letter either), no byte below 0x20, and every lead byte
/// followed by a trail byte.
bool IsBareFileName(std::string_view name);

/// Every name of the project that becomes a file or folder name on the PC
/// or on the device: each file row's name is a bare name (IsBareFileName);
/// the folder of each row outside the application folder itself, each own
/// folder (NameApp<k>, Name<k>) and `Exe` pass IsValidFileName. False with
/// kStrBadName and the first offending key on failure.
bool CheckProjectNames(const ProjectSettings& settings, const FileRowStore* files,
                       SafetyRefusal* refusal);

/// No two files that Finish writes may share a name (ASCII case ignored, as
/// Windows compares): in the source folder Install.inf, the uninstall
/// description (when `Uninstall` is on), InsResetFlag.txt (when `Reboot` is
/// on) and the menu file of each program row; in the project's folder the
/// source folder, the archive, Setup.ini (when `SetupIniCreate` is on), the
/// batch file and the project file `project_file_name` (a bare name; empty
/// when there is none). False with kStrOutputNameClash naming both. Nor
/// may a file that a row of `files` copies have the name of one that Finish
/// writes into the source folder: False with kStrCopiedFileOverwritten
/// naming the row and the file written.
bool CheckOutputNames(const ProjectSettings& settings, const FileRowStore* files,
                      const std::string& project_file_name, SafetyRefusal* refusal);

/// `text` with each control character written as "\xNN", so that a
/// message can show it without the console or a message box acting on it.
std::string VisibleText(std::string_view text);

/// No value of the project holds a control character (IsControlCharacter):
/// the texts of the Property section, [SetupIni] Name, the own folders, and
/// the names and folders of the file rows and the key, value name and value
/// of the registry rows. False with kStrControlCharacter naming the first
/// such key and its value (VisibleText).
bool CheckControlCharacters(const ProjectSettings& settings, const FileRowStore* files,
                            const RegistryRowStore* registry, SafetyRefusal* refusal);

/// The paths that go into the batch file between double quotes (the
/// current directory `current_dir`, `Source` and `Output`) hold no double
/// quote and no control character (IsBatchSafe), which would end the quotes
/// or the line. False with kStrBatchPathUnsafe naming the first (VisibleText).
bool CheckBatchPaths(const ProjectSettings& settings, const std::string& current_dir, SafetyRefusal* refusal);

/// The source folder of `settings` in `current_dir` (both kit paths), with
/// every link followed by `resolver`, must lie below the project's folder
/// `current_dir` (itself resolved the same way). False with
/// kStrSourceOutside naming the source folder and where it leads (empty
/// when it cannot be resolved). A source folder that does not exist, or an
/// empty `Source`, passes: page 1 refuses it, and nothing is read there.
bool CheckSourceFolderInside(const base::FileAccess& fs, const ProjectSettings& settings,
                             const std::string& current_dir, base::PathResolver& resolver, SafetyRefusal* refusal);

}  // namespace project
