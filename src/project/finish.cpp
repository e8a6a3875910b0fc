#include "project/finish.h"

#include <unordered_set>

#include "base/host_path.h"
#include "base/sjis.h"
#include "project/build_outputs.h"
#include "project/file_utils.h"
#include "project/inf_writer.h"
#include "project/project_file.h"
#include "project/texts.h"

namespace project {

namespace {

// True for the names Finish may clear from the source folder: extension
// exactly ".txt", or ".inf" in any letter case (the builder reads every
// ".INF" as an install description, whatever its case).
bool IsOutputKind(const std::string& name) {
  std::string extension;
  SplitPath(name, nullptr, nullptr, &extension);
  return extension == ".txt" || base::EqualsIgnoreAsciiCase(extension, ".inf");
}

// Which ".txt"/".inf" files of the source folder Finish deletes: its own
// outputs (any letter case) always, the others only when asked; never a
// file that a row of the files list copies.
class OutputRule {
 public:
  OutputRule(const ProjectSettings& s, const FileRowStore* files) {
    for (const std::string& name : SourceFolderOutputNames(s, files)) own_.insert(base::SjisUpperAsciiCopy(name));
    EveryFileRow(files, [this](int, const FileRow& row) {
      copied_.insert(base::SjisUpperAsciiCopy(row.name));
      return true;
    });
  }
  /// A ".txt"/".inf" file that is neither written by Finish nor copied.
  bool IsForeign(const std::string& name) const {
    if (!IsOutputKind(name)) return false;
    const std::string key = base::SjisUpperAsciiCopy(name);
    return own_.count(key) == 0 && copied_.count(key) == 0;
  }
  /// A file that Finish deletes before writing its own.
  bool Clears(const std::string& name, bool remove_foreign) const {
    if (!IsOutputKind(name)) return false;
    const std::string key = base::SjisUpperAsciiCopy(name);
    if (copied_.count(key) != 0) return false;
    return remove_foreign || own_.count(key) != 0;
  }

 private:
  std::unordered_set<std::string> own_;
  std::unordered_set<std::string> copied_;
};

// The files of the source folder itself: from `source` when it is that
// folder already read, else listed now.
std::vector<std::string> SourceFolderFiles(const base::FileAccess& fs, const std::string& path,
                                           const SourceIndex* source) {
  if (source == nullptr || source->path() != path) return ListDirectory(fs, path + "*.*", true);
  std::vector<std::string> names;
  for (const SourceFile& file : source->files()) {
    if (file.folder.empty()) names.push_back(file.name);
  }
  return names;
}

}  // namespace

bool ListForeignOutputs(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                        const FileRowStore* files, std::vector<std::string>* names, const SourceIndex* source) {
  names->clear();
  std::string p;
  if (!s.SourceFolderPath(current_dir, &p) || p.size() >= 256 || !FolderExists(fs, p)) return false;
  const OutputRule rule(s, files);
  for (const std::string& name : SourceFolderFiles(fs, p, source))
    if (rule.IsForeign(name)) names->push_back(name);
  return true;
}

bool RemoveOldOutputs(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                      const FileRowStore* files, bool remove_foreign, const SourceIndex* source, bool remove_archive,
                      base::Folder* held) {
  if (remove_archive && current_dir.size() + s.Output.Text().size() < 255)
    DeleteFileAt(fs, base::JoinPath(current_dir, s.ArchiveName()));  // a missing file is no error
  std::string p;
  if (!s.SourceFolderPath(current_dir, &p) || p.size() >= 256) return false;
  // Deleted by name through the folder held open, which lies inside the
  // project's folder: a folder swapped in for it later is never touched.
  std::unique_ptr<base::Folder> opened;
  if (held == nullptr) {
    opened = OpenFolderInside(fs, p, current_dir);
    held = opened.get();
  }
  if (held == nullptr) return false;
  const OutputRule rule(s, files);
  for (const std::string& name : SourceFolderFiles(fs, p, source))
    if (rule.Clears(name, remove_foreign)) held->Remove(base::HostText(name));
  return true;
}

bool WriteFinishFiles(const base::FileAccess& fs, const FinishWriteOptions& options,
                      std::vector<std::string>* written) {
  const ProjectSettings& s = options.settings;
  const std::string& current_dir = options.current_dir;
  const FileRowStore* files = options.files;
  const RegistryRowStore* registry = options.registry;
  const bool remove_foreign = options.remove_foreign;
  const SourceIndex* source = options.source;
  SourceIndex* after = options.after;
  base::Folder* given = options.given;
  written->clear();
  std::string folder;
  const bool have_folder = s.SourceFolderPath(current_dir, &folder);
  // The source folder is read once: Setup.ini's size figure and `after`
  // take the index of before, brought up to date by name below.
  const bool want_packed = s.SetupIniCreate.On() || after != nullptr;
  SourceIndex read_here;
  if (have_folder && want_packed && (source == nullptr || source->path() != folder)) {
    read_here.Read(fs, folder);
    source = &read_here;
  }
  const std::vector<std::string> names = SourceFolderOutputNames(s, files);
  // The names whose files Finish changes: the ones RemoveOldOutputs clears,
  // then the ones written below.
  std::vector<std::string> changed;
  if (source != nullptr) {
    const OutputRule rule(s, files);
    for (const SourceFile& file : source->files()) {
      if (file.folder.empty() && rule.Clears(file.name, remove_foreign))
        changed.push_back(file.name);
    }
  }
  // The source folder is opened once, and only while it lies inside the
  // project's folder; every file of it is deleted and written through this
  // handle, never again by its path.
  std::unique_ptr<base::Folder> opened;
  base::Folder* held = given;
  if (held == nullptr && have_folder && folder.size() < 256) {
    opened = OpenFolderInside(fs, folder, current_dir);
    held = opened.get();
  }
  RemoveOldOutputs(fs, s, current_dir, files, remove_foreign, source, options.remove_archive, held);
  if (!have_folder || !held) return false;
  // Install.inf, InsResetFlag.txt, the uninstall description, then the menu files.
  if (!WriteInstallInf(fs, s, current_dir, files, registry, held)) return false;
  written->push_back(folder + names[0]);
  if (s.Reboot.On()) written->push_back(folder + names[1]);
  if (s.Uninstall.On()) {
    if (!WriteUninstallInf(fs, s, current_dir, files, registry, held)) return false;
    written->push_back(folder + names[2]);
  }
  if (!WriteMenuFiles(fs, s, current_dir, files, held)) return false;
  for (std::size_t i = 3; i < names.size(); ++i) written->push_back(folder + names[i]);
  // The folder as the builder will pack it.
  SourceIndex packed;
  if (after == nullptr) after = &packed;
  if (want_packed) {
    if (after != source) *after = *source;
    changed.insert(changed.end(), names.begin(), names.end());
    after->Refresh(fs.lister, *held, changed);
  }
  if (s.SetupIniCreate.On()) {
    if (!WriteSetupIni(fs, s, current_dir, EstimateArchiveSize(*after))) return false;
    written->push_back(base::JoinPath(current_dir, "Setup.ini"));
  }
  std::string batch;
  if (!WriteBatchFile(fs, s, current_dir, &batch)) return false;
  written->push_back(batch);
  return true;
}

bool BatchFileBuild::BeforeWriting(const ProjectRun& run) {
  const ProjectSettings& s = run.settings();
  if (save_) {
    const std::string& path = run.project_path();
    if (path.empty()) {
      messages_.Show(kStrProgramNameTooLong, MessageIcon::kError);
      return false;
    }
    if (!SaveProject(run.fs(), s, path, &run.project().files, &run.project().registry)) {
      messages_.Show(kStrProjectNotSaved, MessageIcon::kError);
    }
  }
  const std::string& current_dir = run.current_dir();
  if (current_dir.size() + 11 >= static_cast<std::size_t>(kMaxPath) ||
      !FileExists(run.fs(), base::JoinPath(current_dir, "Pakmak.exe"))) {
    messages_.Show(kStrPakmakMissing, MessageIcon::kError);
    return false;
  }
  return true;
}

bool BatchFileBuild::Build(const ProjectRun& run) {
  const BuildRun ran = starter_.Run(run.written().back());
  ReportBuild(run.fs(), run.settings(), run.current_dir(), ran, messages_);
  return true;
}

namespace {

// The foreign outputs removed or kept as the caller has decided already.
class FixedForeignOutputs : public ForeignOutputPolicy {
 public:
  explicit FixedForeignOutputs(bool remove) : remove_(remove) {}
  ForeignOutputs Decide(const std::vector<std::string>&) override {
    return remove_ ? ForeignOutputs::kRemove : ForeignOutputs::kKeep;
  }

 private:
  bool remove_;
};

bool FinishWithBatch(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                     const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign,
                     MessageSink& messages, BatchStarter& starter, bool save) {
  ProjectRun run(fs, current_dir);
  run.Take(s, files, registry);
  FixedForeignOutputs foreign(remove_foreign);
  BatchFileBuild build(messages, starter, save);
  const FinishResult outcome = run.Finish(foreign, build);
  if (outcome == FinishResult::kNotWritten) messages.Show(kStrNotAllWritten, MessageIcon::kError);
  return outcome == FinishResult::kBuilt;
}

}  // namespace

bool MakeProjectFiles(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                      const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign,
                      MessageSink& messages, BatchStarter& starter) {
  return FinishWithBatch(fs, s, current_dir, files, registry, remove_foreign, messages, starter, false);
}

bool RunFinish(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
               const FileRowStore* files, const RegistryRowStore* registry, bool remove_foreign, MessageSink& messages,
               BatchStarter& starter) {
  return FinishWithBatch(fs, s, current_dir, files, registry, remove_foreign, messages, starter, true);
}

}  // namespace project
