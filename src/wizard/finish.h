#pragma once
// The file work of Finish: saving the project, clearing the old outputs and
// writing every generated file in a fixed order.

#include <string>
#include <vector>

#include "wizard/row_store.h"
#include "wizard/settings.h"
#include "wizard/ui_services.h"

namespace wizard {

/// The ".txt" and ".inf" files of the source folder that this project's Finish does not write itself, in listing order; false when the folder cannot be listed.
bool ListForeignOutputs(const ProjectSettings& settings, const std::string& current_dir, const FileRowStore* files, std::vector<std::string>* names);

/// Deletes the old archive (current directory, `Output`, ".lvar") when
/// length(dir) + length(Output) is below 255, then the files of the source
/// folder whose extension is exactly ".txt" or ".inf" (case-sensitive):
/// every one when `remove_foreign`, else only those this project's Finish
/// writes itself (SourceFolderOutputNames of `files`, compared ignoring
/// case). Returns non-zero when the source folder was cleaned, 0 when its
/// path could not be built or reached 256 bytes.
int RemoveOldOutputs(const ProjectSettings& settings, const std::string& current_dir,
                     const FileRowStore* files, bool remove_foreign);

/// Checks that "Pakmak.exe" is in the current directory (else message 45 and
/// 0), removes the old outputs (the other ".txt"/".inf" files of the source
/// folder too when `remove_foreign`), writes Install.inf, the uninstall
/// description (when `Uninstall` is on), the menu files, Setup.ini (when
/// `SetupIniCreate` is on) and the batch file, which `starter` starts. A
/// failing step shows message 31 and returns 0; files already written stay.
int MakeProjectFiles(const ProjectSettings& settings, const std::string& current_dir,
                     const FileRowStore* files, const RegistryRowStore* registry,
                     bool remove_foreign, MessageSink& messages, BatchStarter& starter);

/// The file work of Finish (the caller has stored the display name):
/// the project path is `ProjectPath` when set, else DefaultProjectPath (too
/// long: message 32, nothing saved or built, returns 0). SaveProject; a
/// failed save shows kStrProjectNotSaved and the sequence goes on with
/// MakeProjectFiles (given `remove_foreign`), whose result is returned.
int RunFinish(const ProjectSettings& settings, const std::string& current_dir,
              const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign,
              MessageSink& messages, BatchStarter& starter);

}  // namespace wizard
