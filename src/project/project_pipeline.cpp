#include "project/project_pipeline.h"

#include "project/file_utils.h"
#include "project/project_file.h"
#include "project/registry_value_checks.h"
#include "project/texts.h"

namespace project {
namespace {

bool Refuse(Refusal* refusal, int string_id, Field field, int row = -1) {
  *refusal = Refusal();
  refusal->string_id = string_id;
  refusal->field = field;
  refusal->row = row;
  return false;
}

// Every check, once, in the order the road makes them: the safety checks
// that come before the source folder is read, every page's checks in the
// order the author meets them, then those of the files Finish writes. A
// check added goes into this list at its place, with the stages it runs in.
struct ProjectCheck {
  CheckId id;
  bool before_reading;  // CheckStage::kBeforeReading, else kAfterReading
  bool at_finish;       // also CheckStage::kAtFinish
  bool (*run)(const ProjectUnderCheck& project, CheckRefusal* refusal);
};
constexpr ProjectCheck kEveryPageCheck[] = {
    {CheckId::kControlCharacters, true, true,
     [](const ProjectUnderCheck& p, CheckRefusal* r) {
       return CheckControlCharacters(p.settings, &p.files, &p.registry, &r->unsafe);
     }},
    {CheckId::kSourceInside, true, false,
     [](const ProjectUnderCheck& p, CheckRefusal* r) {
       return CheckSourceFolderInside(p.fs, p.settings, p.current_dir, *p.resolver, &r->unsafe);
     }},
    {CheckId::kProjectNames, true, false,
     [](const ProjectUnderCheck& p, CheckRefusal* r) { return CheckProjectNames(p.settings, &p.files, &r->unsafe); }},
    {CheckId::kProgramPage, false, false,
     [](const ProjectUnderCheck& p, CheckRefusal* r) {
       return CheckProgramFields(p.fs, p.settings, p.current_dir, &r->page);
     }},
    {CheckId::kInstallPage, false, false,
     [](const ProjectUnderCheck& p, CheckRefusal* r) { return CheckInstallFields(p.settings, &r->page); }},
    {CheckId::kFilesPage, false, false,
     [](const ProjectUnderCheck& p, CheckRefusal* r) { return CheckFilesPage(p, &r->page); }},
    {CheckId::kRegistryPage, false, false,
     [](const ProjectUnderCheck& p, CheckRefusal* r) { return CheckRegistryPage(p.registry, &r->page); }},
    // Page 2's picker offers only the files copied into the application
    // folder; a project file written by hand may name any.
    {CheckId::kStartupProgramRow, false, false,
     [](const ProjectUnderCheck& p, CheckRefusal* r) { return CheckStartupProgramRow(p.settings, p.files, &r->page); }},
    {CheckId::kOutputNames, false, true,
     [](const ProjectUnderCheck& p, CheckRefusal* r) {
       return CheckOutputNames(p.settings, &p.files, p.project_file_name, &r->unsafe);
     }},
    {CheckId::kBatchPaths, false, true,
     [](const ProjectUnderCheck& p, CheckRefusal* r) { return CheckBatchPaths(p.settings, p.current_dir, &r->unsafe); }},
};

bool IsSafetyCheck(CheckId id) {
  return id == CheckId::kControlCharacters || id == CheckId::kSourceInside || id == CheckId::kProjectNames ||
         id == CheckId::kOutputNames || id == CheckId::kBatchPaths;
}

}  // namespace

bool LoadProject(const base::FileAccess& fs, const std::string& path, LoadedProject* project) {
  base::IniFile& ini = project->ini;
  const bool read = !FolderExists(fs, path) && ReadProjectFile(fs, path, &ini, &project->unconvertible);
  // A file that cannot be read loads as an empty one.
  if (!read) {
    ini = base::IniFile();
    project->unconvertible = UnconvertibleCharacter{};
  }
  ProjectSettings& s = project->settings;
  LoadProjectSettings(s, ini);
  // As page 1 opens a project: its list counts as built from its folder.
  s.ProjectPath.Assign(path);
  s.ScannedSource.Assign(s.Source.Text());
  LoadCopyFileRows(ini, project->files);
  project->unknown_words.clear();
  LoadRegistryRows(ini, project->registry, &project->unknown_words);
  project->review = ReviewProjectFile(ini);
  return read;
}

std::string UnknownRegistryWordsText(const std::vector<UnknownRegistryWord>& unknown) {
  std::string text;
  int row = -1;
  for (const UnknownRegistryWord& u : unknown) {
    if (u.row != row) {
      if (row >= 0) text += "\n";
      text += "RegistryKey" + std::to_string(u.row) + ":";
      row = u.row;
    } else {
      text += ",";
    }
    text += " \"" + u.word + "\"";
  }
  return text;
}

bool CheckRegistryWords(const std::vector<UnknownRegistryWord>& unknown, Refusal* refusal) {
  if (unknown.empty()) return true;
  *refusal = Refusal{};
  refusal->string_id = kStrUnknownRegistryWords;
  refusal->argument = UnknownRegistryWordsText(unknown);
  return false;
}

bool ReadSourceFolder(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                      SourceIndex* source) {
  std::string path;
  if (!settings.SourceFolderPath(current_dir, &path) || SourcePathTooLong(path)) return false;
  return source->Read(fs, path);
}

void RebuildFileRows(const ProjectSettings& settings, const SourceFolderScan& scan, FileRowStore& files) {
  files.Clear();
  for (const std::string& name : scan.files) {
    if (!InsertFileRow(files, name, settings.Exe.Equals(name, true), std::string(), AppRoot)) break;
  }
  SortFileRows(files);
}

ListReading ReadListsAsPages(const ProjectSettings& settings, const SourceIndex* source,
                             FileRowStore& files, RegistryRowStore& registry) {
  ListReading reading;
  if (files.Count() == 0) {
    reading.rebuilt = true;
    if (source) RebuildFileRows(settings, ScanSourceFolder(*source, settings.InstDir.Text()), files);
  } else {
    SortFileRows(files);
    if (source) reading.unlisted = UnlistedFiles(files, ScanSourceFolder(*source, settings.InstDir.Text()).files);
  }
  MarkFileRows(files, settings.Exe.Text(), source);
  SortRegistryRows(registry);
  return reading;
}

bool CheckFilesPage(const ProjectUnderCheck& project, Refusal* refusal) {
  if (project.source == nullptr) {
    // A path too long to hold the names inside it, else a folder that
    // cannot be read: it has no "Native.ina".
    std::string path;
    if (!project.settings.SourceFolderPath(project.current_dir, &path) || SourcePathTooLong(path)) {
      return Refuse(refusal, kStrSourceNameTooLong, Field::kSource);
    }
    return Refuse(refusal, kStrNoNativeIna, Field::kNone);
  }
  const SourceFolderScan scan = ScanSourceFolder(*project.source, project.settings.InstDir.Text());
  if (scan.native_ina_count == 0) return Refuse(refusal, kStrNoNativeIna, Field::kNone);
  if (scan.native_ina_count >= 2) return Refuse(refusal, kStrManyNativeIna, Field::kNone);
  const int count = project.files.Count();
  for (int index = 0; index < count; ++index) {
    FileRow row;
    project.files.Get(index, &row);
    if (row.missing) return Refuse(refusal, kStrMissingFiles, Field::kFileRow, index);
  }
  if (scan.duplicate_names) return Refuse(refusal, kStrDuplicateNames, Field::kNone);
  if (scan.path_too_long) return Refuse(refusal, kStrPathTooLong, Field::kNone);
  if (scan.nested_folders) return Refuse(refusal, kStrNestedFolders, Field::kNone);
  return true;
}

bool CheckRegistryPage(const RegistryRowStore& registry, Refusal* refusal) {
  const int count = registry.Count();
  for (int index = 0; index < count; ++index) {
    RegistryRow row;
    registry.Get(index, &row);
    RegistryEntry entry;
    RowToEntry(row, &entry);
    // The registry entry dialog's own checks, for rows that never went
    // through it (a project file written by hand or by a script).
    int error = entry.key.IsEmpty() || entry.value.IsEmpty() ? kStrKeyValueRequired : 0;
    if (error == 0) error = RegistryValueError(entry.type, entry.value.Text());
    if (error != 0) return Refuse(refusal, error, Field::kRegistryRow, index);
  }
  return true;
}

bool CheckStartupProgramRow(const ProjectSettings& settings, const FileRowStore& files, Refusal* refusal) {
  if (settings.Exe.IsEmpty()) return true;
  const int count = files.Count();
  for (int index = 0; index < count; ++index) {
    FileRow row;
    files.Get(index, &row);
    if ((row.kind & AppRoot) && settings.Exe.Equals(row.name, true)) return true;
  }
  return Refuse(refusal, kStrSelectExe, Field::kExe);
}

bool CheckProject(const ProjectUnderCheck& project, CheckStage stage, CheckRefusal* refusal) {
  for (const ProjectCheck& check : kEveryPageCheck) {
    const bool runs = stage == CheckStage::kAtFinish ? check.at_finish
                                                     : check.before_reading == (stage == CheckStage::kBeforeReading);
    if (!runs) continue;
    *refusal = CheckRefusal{};
    refusal->check = check.id;
    refusal->safety = IsSafetyCheck(check.id);
    if (!check.run(project, refusal)) return false;
  }
  return true;
}

}  // namespace project
