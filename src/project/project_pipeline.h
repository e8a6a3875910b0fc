#pragma once
// One road from a project to the files its archive is built from, taken by
// the wizard's Finish and by pakforge-build alike, in this order:
//
//   1. LoadProject: the project file read and parsed once, then handed to
//      the three loaders (the wizard opens a project with the same call and
//      its pages take their settings and rows from its result).
//   2. ReadListsAsPages: the lists as pages 3 and 4 show them: an empty
//      files list rebuilt from the source folder, both lists in their
//      order, the file rows marked. The wizard's pages take the same steps
//      (RebuildFileRows, SortFileRows, MarkFileRows, SortRegistryRows) one
//      at a time, as the author reaches each page.
//   3. CheckProject: the safety checks before the source folder is read,
//      then the checks of every page in the order the author meets them and
//      those of Finish's outputs; the first refusal ends the road.
//   4. WriteFinishFiles (finish.h): what Finish writes after saving the
//      project; then the build.
//
// ProjectRun (project_run.h) takes these steps in this order for both
// callers. The source folder is read once per road, into a SourceIndex that
// every step asks.

#include <string>
#include <vector>

#include "base/path_resolver.h"
#include "project/page_fields.h"
#include "project/project_file.h"
#include "project/project_review.h"
#include "project/project_safety.h"
#include "project/row_store.h"
#include "project/settings.h"
#include "project/source_folder_rules.h"
#include "project/source_index.h"

namespace project {

/// A project as opening it in the wizard gives it: the settings, and the
/// two lists that pages 3 and 4 load.
struct LoadedProject {
  ProjectSettings settings;
  MemoryFileRowStore files;
  MemoryRegistryRowStore registry;
  /// The root and type words of the registry rows that the wizard does not
  /// write, which read as HKLM or SZ (CheckRegistryWords refuses them).
  std::vector<UnknownRegistryWord> unknown_words;
  /// The file as it was parsed, for the lines of its keys.
  base::IniFile ini;
  /// Its words the wizard never writes and names it does not read.
  ProjectFileReview review;
  /// Saved as UTF-8 with a character that Shift-JIS lacks: the first such
  /// character (line 0 when none); the file was then read undecoded.
  UnconvertibleCharacter unconvertible;
};

/// Reads the project file at `path` once into `project`: the settings as
/// page 1 takes them when it opens a project, and the rows
/// of both lists, unsorted. False when the file cannot be read (a folder,
/// or no file); `project` then holds what an empty file gives, as the
/// wizard opens such a file.
bool LoadProject(const base::FileAccess& fs, const std::string& path, LoadedProject* project);

/// Reads the source folder of `settings` (beside `current_dir`) into
/// `source`. False when its path cannot be built, leaves no room for the
/// names inside it (SourcePathTooLong), or the folder cannot be listed.
bool ReadSourceFolder(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                      SourceIndex* source);

/// Page 3's rebuild of its list from `scan`: every file into the install
/// folder, the start-up program (`Exe`, ASCII letter case ignored) marked,
/// in the list's order. The list is emptied first.
void RebuildFileRows(const ProjectSettings& settings, const SourceFolderScan& scan,
                     FileRowStore& files);

/// What ReadListsAsPages did.
struct ListReading {
  /// The files list was empty and was rebuilt from the source folder.
  bool rebuilt = false;
  /// Files of the source folder that no row of a kept list names (page 3
  /// offers to add them; they are packed but not installed).
  std::vector<std::string> unlisted;
};

/// Reads the lists as the pages show them: an empty files list is rebuilt
/// from `source` (null: the folder could not be read, and the list stays
/// empty), a kept one is sorted; every file row is marked (MarkFileRows);
/// the registry list is sorted.
ListReading ReadListsAsPages(const ProjectSettings& settings, const SourceIndex* source,
                             FileRowStore& files, RegistryRowStore& registry);

/// What the checks look at.
struct ProjectUnderCheck {
  const base::FileAccess& fs;
  const ProjectSettings& settings;
  /// The folder that holds the project, the builder and the source folder.
  const std::string& current_dir;
  /// The source folder; null when it could not be read.
  const SourceIndex* source;
  /// The files list, marked as page 3 shows it.
  const FileRowStore& files;
  const RegistryRowStore& registry;
  /// Where links lead, for the source folder's own check (needed by
  /// CheckStage::kBeforeReading).
  base::PathResolver* resolver = nullptr;
  /// The project file's bare name, which no file Finish writes may take
  /// (empty when there is none).
  std::string project_file_name = {};
};

/// The checks a project passes, each once, in their order.
enum class CheckId {
  kControlCharacters,  ///< CheckControlCharacters
  kSourceInside,       ///< CheckSourceFolderInside
  kProjectNames,       ///< CheckProjectNames
  kProgramPage,        ///< page 1: CheckProgramFields
  kInstallPage,        ///< page 2: CheckInstallFields
  kFilesPage,          ///< page 3: CheckFilesPage
  kRegistryPage,       ///< page 4: CheckRegistryPage
  kStartupProgramRow,  ///< CheckStartupProgramRow
  kOutputNames,        ///< CheckOutputNames
  kBatchPaths,         ///< CheckBatchPaths
};

/// Which checks a caller makes at one point of the road.
enum class CheckStage {
  /// Those that keep the work inside the project's folders, before the
  /// source folder is read: control characters, the source folder inside,
  /// every name a bare name.
  kBeforeReading,
  /// The rest, once the source folder is read: every page's checks, the
  /// start-up program a copied row, the output names and the batch paths.
  kAfterReading,
  /// What the wizard checks when Finish is pressed (its pages made their
  /// own checks as the author left them): control characters, the output
  /// names and the batch paths.
  kAtFinish,
};

/// Why a check refused: the page's refusal, or for a safety check
/// (`safety`), the safety refusal.
struct CheckRefusal {
  CheckId check = CheckId::kControlCharacters;
  bool safety = false;
  Refusal page;
  SafetyRefusal unsafe;
};

/// The checks of `stage` in their order; true when all pass, else false
/// with the first refusal.
bool CheckProject(const ProjectUnderCheck& project, CheckStage stage, CheckRefusal* refusal);

/// Page 3's checks in order: the source folder's path short enough (else
/// the message of a too long source folder name) and the folder readable
/// (else no "Native.ina"), exactly one
/// "Native.ina", no row missing (the first such row named), no
/// two files of one name, no device path too long, no folder inside a
/// sub-folder.
bool CheckFilesPage(const ProjectUnderCheck& project, Refusal* refusal);

/// Page 4's checks: every row has its key and its value, and its value
/// passes the check of its type (RegistryValueError); the first row that
/// fails is named.
bool CheckRegistryPage(const RegistryRowStore& registry, Refusal* refusal);

/// The rows of `unknown` as kStrUnknownRegistryWords lists them: one line
/// per row, its key and its unknown words in double quotes, as in
/// `RegistryKey0: "HKEY_CURRENT_USER", "REG_DWORD"`.
std::string UnknownRegistryWordsText(const std::vector<UnknownRegistryWord>& unknown);

/// Refuses a project whose registry rows hold a root or type word that the
/// wizard does not write (so the row would silently read as HKLM or SZ):
/// false with kStrUnknownRegistryWords and UnknownRegistryWordsText as its
/// argument when `unknown` is not empty.
bool CheckRegistryWords(const std::vector<UnknownRegistryWord>& unknown, Refusal* refusal);

/// The start-up program `Exe` names a row of `files` (ASCII letter case
/// ignored) that is copied into the application folder itself (AppRoot),
/// as page 2's picker offers only such files. False with kStrSelectExe and
/// Field::kExe otherwise. An empty `Exe` passes (page 2 refuses it).
bool CheckStartupProgramRow(const ProjectSettings& settings, const FileRowStore& files, Refusal* refusal);


}  // namespace project
