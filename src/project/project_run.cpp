#include "project/project_run.h"

#include <utility>

#include "project/file_utils.h"
#include "project/finish.h"
#include "project/project_file.h"
#include "project/project_safety.h"

namespace project {

ProjectRun::ProjectRun(const base::FileAccess& fs, std::string current_dir)
    : fs_(fs), current_dir_(std::move(current_dir)) {}

LoadOutcome ProjectRun::Load(const std::string& path, Refusal* words) {
  project_path_ = path;
  // Refused before it is read at all.
  if (ProjectFileTooLarge(fs_, path)) return LoadOutcome::kTooLarge;
  if (!LoadProject(fs_, path, &project_)) return LoadOutcome::kUnreadable;
  if (project_.unconvertible.line > 0) return LoadOutcome::kUnconvertible;
  if (project_.review.word_count > 0) return LoadOutcome::kWordsRefused;
  if (!CheckRegistryWords(project_.unknown_words, words)) return LoadOutcome::kUnknownWords;
  return LoadOutcome::kLoaded;
}

void ProjectRun::Take(const ProjectSettings& settings, const FileRowStore* files, const RegistryRowStore* registry) {
  project_.settings = settings;
  project_.files.Clear();
  project_.registry.Clear();
  EveryFileRow(files, [this](int, const FileRow& row) {
    project_.files.rows.push_back(row);
    return true;
  });
  const int count = registry ? registry->Count() : 0;
  for (int index = 0; index < count; ++index) {
    RegistryRow row;
    registry->Get(index, &row);
    project_.registry.rows.push_back(row);
  }
  project_path_ = settings.ProjectPath.Text();
  if (project_path_.empty()) DefaultProjectPath(current_dir_, settings.Name.Text(), &project_path_);
}

ProjectUnderCheck ProjectRun::UnderCheck() const {
  std::string folder;
  SplitPath(project_path_, &folder, nullptr, nullptr);
  return ProjectUnderCheck{fs_,         project_.settings, current_dir_, source(), project_.files, project_.registry,
                           resolver_,   project_path_.substr(folder.size())};
}

bool ProjectRun::ReadSource(base::PathResolver& resolver, CheckRefusal* refusal) {
  resolver_ = &resolver;
  // Nothing outside the project's folder is read: the source folder is
  // followed through its links before it is listed, and every name is
  // checked before a row is looked up.
  if (!Check(CheckStage::kBeforeReading, refusal)) return false;
  source_read_ = ReadSourceFolder(fs_, project_.settings, current_dir_, &source_);
  reading_ = ReadListsAsPages(project_.settings, source(), project_.files, project_.registry);
  return true;
}

bool ProjectRun::Check(CheckStage stage, CheckRefusal* refusal) {
  return CheckProject(UnderCheck(), stage, refusal);
}

FinishResult ProjectRun::Finish(ForeignOutputPolicy& foreign, BuildPolicy& build) {
  ListForeignOutputs(fs_, project_.settings, current_dir_, &project_.files, &foreign_, source());
  const ForeignOutputs decision = foreign.Decide(foreign_);
  if (decision == ForeignOutputs::kStop) return FinishResult::kDeclined;
  if (!build.BeforeWriting(*this)) return FinishResult::kNotReady;
  // The source folder is opened once, and only while it lies inside the
  // project's folder: Finish deletes and writes through this handle, and a
  // builder in this process packs from it, so a folder swapped in later is
  // never touched.
  std::string folder;
  if (project_.settings.SourceFolderPath(current_dir_, &folder) && folder.size() < 256) {
    source_folder_ = OpenFolderInside(fs_, folder, current_dir_);
  }
  if (!source_folder_) return FinishResult::kNotWritten;
  FinishWriteOptions options{project_.settings, current_dir_, &project_.files, &project_.registry};
  options.given = source_folder_.get();
  options.remove_foreign = decision == ForeignOutputs::kRemove;
  options.remove_archive = build.RemovesOldArchive();
  options.source = source();
  // The builder in this process packs the folder as Finish leaves it: the
  // index read before, brought up to date in place (no copy of it is kept).
  options.after = source_read_ ? &source_ : nullptr;
  if (!WriteFinishFiles(fs_, options, &written_)) return FinishResult::kNotWritten;
  if (source_read_) {
    // Setup.ini and the batch file go into the project's folder after the
    // index was brought up to date; should that be the source folder too,
    // they are taken in as well.
    std::vector<std::string> names;
    for (const std::string& path : written_) {
      std::string folder, base, extension;
      SplitPath(path, &folder, &base, &extension);
      if (folder == source_.path()) names.push_back(base + extension);
    }
    source_.Refresh(fs_.lister, *source_folder_, names);
  }
  return build.Build(*this) ? FinishResult::kBuilt : FinishResult::kBuildFailed;
}

}  // namespace project
