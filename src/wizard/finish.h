#pragma once
// The file work of Finish: saving the project, clearing the old outputs and
// writing every generated file in a fixed order.

#include <string>
#include <vector>

#include "base/file_access.h"
#include "wizard/row_store.h"
#include "wizard/settings.h"
#include "wizard/source_index.h"
#include "wizard/ui_services.h"

namespace wizard {

/// The files of the source folder whose extension is exactly ".txt", or
/// ".inf" in any letter case, that this project's Finish neither writes
/// itself nor copies (a row of `files` names it; names compared ignoring
/// ASCII case, as NTFS does), in listing order; false when the folder
/// cannot be listed. `source`, when given, is the source folder already
/// read (it is not listed again).
bool ListForeignOutputs(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                        const FileRowStore* files, std::vector<std::string>* names,
                        const SourceIndex* source = nullptr);

/// Deletes the old archive (current directory, `Output`, ".lvar") when
/// `remove_archive` and length(dir) + length(Output) is below 255 (a check
/// that writes no archive keeps the last one), then the files of the source
/// folder whose extension is exactly ".txt", or ".inf" in any letter case:
/// every one when `remove_foreign`, else only those this project's Finish
/// writes itself (SourceFolderOutputNames of `files`, compared ignoring
/// ASCII case). A file that a row of `files` copies is never deleted.
/// The files are deleted by name through `held`, the source folder held
/// open, or else through a handle opened here (OpenFolderInside).
/// True when the source folder was cleaned, false when its path could not
/// be built or reached 256 bytes, or the folder could not be opened inside
/// the project's folder. `source`, when given, is the source folder already
/// read (it is not listed again).
bool RemoveOldOutputs(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                      const FileRowStore* files, bool remove_foreign, const SourceIndex* source = nullptr,
                      bool remove_archive = true, base::Folder* held = nullptr);

/// What Finish writes after saving the project, in its order: removes the
/// old outputs (the other ".txt"/".inf" files of the source folder too when
/// `remove_foreign`), writes Install.inf (and InsResetFlag.txt), the
/// uninstall description (when `Uninstall` is on), the menu files,
/// Setup.ini (when `SetupIniCreate` is on) and the batch file. The source
/// folder is opened once (OpenFolderInside: only while it lies inside the
/// project's folder), and its files are deleted and written through that
/// handle; false, with nothing of it touched, when it cannot be. Stops at
/// the first failing write (false); files already written stay. `written`
/// receives the path of every file written, in this order, the batch file
/// last. `source`, when given, is the source folder read before (it is not
/// listed again); `after`, when given, receives the source folder as it is
/// once the descriptions are written (what Setup.ini's size figure counts):
/// the index of before with the files Finish cleared or wrote brought up to
/// date, so the folder is listed once in all. `remove_archive`: as
/// RemoveOldOutputs. `given`, when set, is the source folder already
/// opened by OpenFolderInside (a caller that goes on to build from it).
bool WriteFinishFiles(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                      const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign,
                      std::vector<std::string>* written, const SourceIndex* source = nullptr,
                      SourceIndex* after = nullptr, bool remove_archive = true, base::Folder* given = nullptr);

/// Checks that "Pakmak.exe" is in the current directory (else
/// kStrPakmakMissing and 0); WriteFinishFiles; `starter` runs the batch file; then ReportBuild
/// tells how the build went. The pages have made their checks
/// (project_pipeline.h) before Finish can be pressed. A failing write
/// (Setup.ini and the batch file included) shows kStrNotAllWritten, runs nothing
/// and returns false; files already written stay.
bool MakeProjectFiles(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                      const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign,
                      MessageSink& messages, BatchStarter& starter);

/// The file work of Finish (the caller has stored the display name):
/// the project path is `ProjectPath` when set, else DefaultProjectPath (too
/// long: kStrProgramNameTooLong, nothing saved or built, false). SaveProject; a
/// failed save shows kStrProjectNotSaved and the sequence goes on with
/// MakeProjectFiles (given `remove_foreign`), whose result is returned.
bool RunFinish(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
               const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign, MessageSink& messages,
               BatchStarter& starter);

}  // namespace wizard
