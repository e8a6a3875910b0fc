#pragma once
// The file work of Finish: saving the project, clearing the old outputs and
// writing every generated file in a fixed order.

#include <string>
#include <vector>

#include "base/file_access.h"
#include "project/project_run.h"
#include "project/row_store.h"
#include "project/settings.h"
#include "project/source_index.h"
#include "project/ui_services.h"

namespace project {

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

/// What WriteFinishFiles writes from, and how.
struct FinishWriteOptions {
  const ProjectSettings& settings;
  /// The folder that holds the project, the builder and the source folder.
  const std::string& current_dir;
  const FileRowStore* files = nullptr;
  const RegistryRowStore* registry = nullptr;
  /// The other ".txt"/".inf" files of the source folder go too.
  bool remove_foreign = false;
  /// The old archive is deleted first (as RemoveOldOutputs). A builder that
  /// replaces the archive only once the new one is complete keeps it, so a
  /// failed build keeps the last good one.
  bool remove_archive = true;
  /// The source folder read before (it is not listed again); null: read
  /// here when needed.
  const SourceIndex* source = nullptr;
  /// Receives the source folder as it is once the descriptions are written
  /// (what Setup.ini's size figure counts and the builder packs): the index
  /// of before with the files Finish cleared or wrote brought up to date,
  /// so the folder is listed once in all. May be `source` itself, which is
  /// then brought up to date in place.
  SourceIndex* after = nullptr;
  /// The source folder already opened by OpenFolderInside (a caller that
  /// goes on to build from it); null: opened here.
  base::Folder* given = nullptr;
};

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
/// last.
bool WriteFinishFiles(const base::FileAccess& fs, const FinishWriteOptions& options,
                      std::vector<std::string>* written);

/// The wizard's way to the archive: the batch file runs Pakmak.exe beside
/// the project, and one message tells how the build went.
class BatchFileBuild : public BuildPolicy {
 public:
  /// `save`: the project is saved before anything is written, to
  /// `ProjectPath` when set, else DefaultProjectPath.
  BatchFileBuild(MessageSink& messages, BatchStarter& starter, bool save)
      : messages_(messages), starter_(starter), save_(save) {}
  /// With `save`: a default path too long shows kStrProgramNameTooLong
  /// (nothing saved or built, false); a failed save shows
  /// kStrProjectNotSaved and the road goes on. Then "Pakmak.exe" must be in
  /// the current directory (else kStrPakmakMissing, false).
  bool BeforeWriting(const ProjectRun& run) override;
  bool RemovesOldArchive() const override { return true; }
  /// `starter` runs the batch file; ReportBuild tells how it went.
  bool Build(const ProjectRun& run) override;

 private:
  MessageSink& messages_;
  BatchStarter& starter_;
  bool save_;
};

/// BatchFileBuild without saving, Finish's files written with
/// `remove_foreign`: a failing write (Setup.ini and the batch file
/// included) shows kStrNotAllWritten, runs nothing and returns false;
/// files already written stay. The pages have made their checks
/// (project_pipeline.h) before Finish can be pressed.
bool MakeProjectFiles(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                      const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign,
                      MessageSink& messages, BatchStarter& starter);

/// The file work of Finish (the caller has stored the display name): as
/// MakeProjectFiles, the project saved first (BatchFileBuild with `save`).
bool RunFinish(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
               const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign, MessageSink& messages,
               BatchStarter& starter);

}  // namespace project
