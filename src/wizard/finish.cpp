#include "wizard/finish.h"

#include "wizard/build_outputs.h"
#include "wizard/file_utils.h"
#include "wizard/inf_writer.h"
#include "wizard/project_file.h"
#include "wizard/texts.h"

namespace wizard {

namespace {

// True for the names Finish clears from the source folder: extension exactly
// ".txt" or ".inf".
bool IsOutputKind(const std::string& name) {
  std::string extension;
  SplitPath(name, nullptr, nullptr, &extension);
  return extension == ".txt" || extension == ".inf";
}

bool IsOwnOutput(const std::vector<std::string>& own, const std::string& name) {
  for (const std::string& known : own)
    if (base::EqualsIgnoreAsciiCase(known, name)) return true;
  return false;
}

}  // namespace

bool ListForeignOutputs(const ProjectSettings& s, const std::string& current_dir, const FileRowStore* files,
                        std::vector<std::string>* names) {
  names->clear();
  std::string p;
  if (!s.SourceFolderPath(current_dir, &p) || p.size() >= 256 || !FolderExists(p)) return false;
  std::vector<std::string> own = SourceFolderOutputNames(s, files);
  for (const std::string& name : ListDirectory(p + "*.*", true))
    if (IsOutputKind(name) && !IsOwnOutput(own, name)) names->push_back(name);
  return true;
}

int RemoveOldOutputs(const ProjectSettings& s, const std::string& current_dir, const FileRowStore* files,
                     bool remove_foreign) {
  if (current_dir.size() + s.Output.Text().size() < 255)
    DeleteFileAt(base::JoinPath(current_dir, s.Output.Text() + ".lvar"));  // a missing file is no error
  std::string p;
  if (!s.SourceFolderPath(current_dir, &p) || p.size() >= 256) return 0;
  std::vector<std::string> own = SourceFolderOutputNames(s, files);
  for (const std::string& name : ListDirectory(p + "*.*", true))
    if (IsOutputKind(name) && (remove_foreign || IsOwnOutput(own, name))) DeleteFileAt(p + name);
  return 1;
}

int MakeProjectFiles(const ProjectSettings& s, const std::string& current_dir, const FileRowStore* files,
                     const RegistryRowStore* registry, bool remove_foreign, MessageSink& messages,
                     BatchStarter& starter) {
  if (current_dir.size() + 11 >= static_cast<std::size_t>(kMaxPath) ||
      !FileExists(base::JoinPath(current_dir, "Pakmak.exe"))) {
    messages.Show(kStrPakmakMissing, MessageIcon::kError);
    return 0;
  }
  RemoveOldOutputs(s, current_dir, files, remove_foreign);
  bool ok = WriteInstallInf(s, current_dir, files, registry) &&
            (!s.Uninstall.On() || WriteUninstallInf(s, current_dir, files, registry)) &&
            WriteMenuFiles(s, current_dir, files);
  BuildRun run;
  ok = ok && (!s.SetupIniCreate.On() || WriteSetupIni(s, current_dir)) &&
       WriteBatchAndRun(s, current_dir, starter, &run);
  if (!ok) {
    messages.Show(kStrNotAllWritten, MessageIcon::kError);
    return 0;
  }
  ReportBuild(s, current_dir, run, messages);
  return 1;
}

int RunFinish(const ProjectSettings& s, const std::string& current_dir, const FileRowStore* files,
              const RegistryRowStore* registry, bool remove_foreign, MessageSink& messages,
              BatchStarter& starter) {
  std::string path = s.ProjectPath.Text();
  if (path.empty() && !DefaultProjectPath(current_dir, s.Name.Text(), &path)) {
    messages.Show(kStrProgramNameTooLong, MessageIcon::kError);
    return 0;
  }
  if (!SaveProject(s, path, files, registry)) messages.Show(kStrProjectNotSaved, MessageIcon::kError);
  return MakeProjectFiles(s, current_dir, files, registry, remove_foreign, messages, starter);
}

}  // namespace wizard
