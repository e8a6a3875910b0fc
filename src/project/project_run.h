#pragma once
// One road from a project to its archive, taken by the wizard's Finish and
// by pakforge-build alike. A ProjectRun owns what the road works on (the
// file access, the project's folder, the project with its rows and the
// source folder read once) and offers the steps in their one order:
//
//   1. Load (or Take, for a project the wizard's pages hold);
//   2. ReadSource: the safety checks that come before anything of the
//      source folder is read, then the folder and the lists as the pages
//      show them;
//   3. Check: every check of a stage (project_pipeline.h);
//   4. Finish: the foreign outputs listed and decided on, Finish's files
//      written, the archive built.
//
// What differs between the callers is passed in: what to do with the
// source folder's other ".txt"/".inf" files (ForeignOutputPolicy) and how
// the archive is built (BuildPolicy).

#include <memory>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "base/folder.h"
#include "base/path_resolver.h"
#include "project/project_pipeline.h"
#include "project/source_index.h"

namespace project {

class ProjectRun;

/// What becomes of the source folder's ".txt"/".inf" files that this
/// project's Finish neither writes nor copies.
enum class ForeignOutputs {
  kStop,    ///< nothing is saved, deleted or written
  kKeep,    ///< Finish clears only its own outputs
  kRemove,  ///< Finish deletes them with its own outputs
};

/// Decides on the foreign outputs: the wizard asks the author,
/// pakforge-build takes --clean.
class ForeignOutputPolicy {
 public:
  virtual ~ForeignOutputPolicy() = default;
  /// `names`: the foreign outputs, bare names in listing order (may be
  /// empty).
  virtual ForeignOutputs Decide(const std::vector<std::string>& names) = 0;
};

/// How the archive is built once Finish's files are written: the batch
/// file and Pakmak.exe for the wizard (BatchFileBuild, finish.h), the
/// builder in the same process for pakforge-build.
class BuildPolicy {
 public:
  virtual ~BuildPolicy() = default;
  /// What must hold before anything is written (the wizard saves its
  /// project and needs Pakmak.exe). False ends the road; the policy has
  /// told why.
  virtual bool BeforeWriting(const ProjectRun& run) = 0;
  /// Whether Finish deletes the old archive before writing. A builder that
  /// replaces it only once the new one is complete keeps it, so a failed
  /// build keeps the last good one.
  virtual bool RemovesOldArchive() const = 0;
  /// Builds the archive from the files written (ProjectRun::written(), the
  /// batch file last; ProjectRun::packed()). False when the build failed.
  virtual bool Build(const ProjectRun& run) = 0;
};

/// How Load ended.
enum class LoadOutcome {
  kLoaded,
  kTooLarge,     ///< larger than any project file the wizard writes; not read
  kUnreadable,   ///< a folder, no file, or unreadable
  kWordsRefused, ///< the file holds words that would be read as others (ProjectFileReview::words)
  kUnknownWords, ///< registry rows with words the wizard does not write (CheckRegistryWords)
  kUnconvertible, ///< saved as UTF-8 with a character Shift-JIS lacks, or marked as UTF-8 with a byte that is none (LoadedProject::unconvertible): read garbled
};

/// How Finish ended.
enum class FinishResult {
  kDeclined,     ///< the foreign outputs stay: nothing done
  kNotReady,     ///< BuildPolicy::BeforeWriting refused; nothing written
  kNotWritten,   ///< a file of Finish could not be written; earlier ones stay
  kBuildFailed,  ///< the files are written, the build failed
  kBuilt,        ///< the files are written and the archive built
};

/// One project on its road to the archive.
class ProjectRun {
 public:
  /// `current_dir`: the folder that holds the project file, the builder
  /// and the source folder (a kit path without a final separator).
  ProjectRun(const base::FileAccess& fs, std::string current_dir);

  /// Reads the project file at `path` (LoadProject), refusing a file too
  /// large to be the wizard's before reading it. On kUnconvertible,
  /// kWordsRefused and kUnknownWords the project is loaded (kUnconvertible
  /// comes first: its texts are garbled) and its review holds what to tell;
  /// `words` receives the refusal of kUnknownWords.
  LoadOutcome Load(const std::string& path, Refusal* words);

  /// Takes the project as the wizard's pages hold it (a null list has no
  /// rows). Its project file is `ProjectPath`, else the default one for
  /// `Name` beside the project's folder.
  void Take(const ProjectSettings& settings, const FileRowStore* files, const RegistryRowStore* registry);

  /// Makes the checks of CheckStage::kBeforeReading, then reads the source
  /// folder and the lists as the pages show them (ReadListsAsPages). False
  /// with the refusal when a check refuses; a source folder that cannot be
  /// read is no refusal here (source() is null; page 3's check names it).
  bool ReadSource(base::PathResolver& resolver, CheckRefusal* refusal);

  /// The checks of `stage`, on the project as it stands.
  bool Check(CheckStage stage, CheckRefusal* refusal);

  /// Lists the foreign outputs, lets `foreign` decide on them, asks
  /// `build` what it needs first, writes Finish's files and builds.
  FinishResult Finish(ForeignOutputPolicy& foreign, BuildPolicy& build);

  const base::FileAccess& fs() const { return fs_; }
  const std::string& current_dir() const { return current_dir_; }
  /// The project file's path (kit text; empty when it has none).
  const std::string& project_path() const { return project_path_; }
  LoadedProject& project() { return project_; }
  const LoadedProject& project() const { return project_; }
  ProjectSettings& settings() { return project_.settings; }
  const ProjectSettings& settings() const { return project_.settings; }
  /// What ReadSource found of the lists.
  const ListReading& reading() const { return reading_; }
  /// The source folder as read, and after Finish as Finish left it (the
  /// same index, brought up to date for the files Finish cleared and
  /// wrote); null when not read.
  const SourceIndex* source() const { return source_read_ ? &source_ : nullptr; }
  /// The source folder as Finish left it, what the builder packs (after
  /// Finish, when the source folder was read).
  const SourceIndex& packed() const { return source_; }
  /// The foreign outputs Finish found (bare names).
  const std::vector<std::string>& foreign() const { return foreign_; }
  /// Every file Finish wrote, in order, the batch file last.
  const std::vector<std::string>& written() const { return written_; }
  /// The source folder as Finish opened it (OpenFolderInside), held open
  /// for the build; null before Finish or when it could not be opened.
  base::Folder* source_folder() const { return source_folder_.get(); }

 private:
  ProjectUnderCheck UnderCheck() const;

  const base::FileAccess fs_;
  const std::string current_dir_;
  std::string project_path_;
  LoadedProject project_;
  base::PathResolver* resolver_ = nullptr;
  ListReading reading_;
  SourceIndex source_;
  bool source_read_ = false;
  std::unique_ptr<base::Folder> source_folder_;
  std::vector<std::string> foreign_;
  std::vector<std::string> written_;
};

}  // namespace project
