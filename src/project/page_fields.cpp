#include "project/page_fields.h"

#include <utility>

#include "project/builder_requirements.h"

#include "base/sjis.h"
#include "project/file_utils.h"

namespace project {
namespace {

bool Refuse(Refusal* refusal, int string_id, Field field, std::string argument = std::string()) {
  refusal->string_id = string_id;
  refusal->field = field;
  refusal->argument = std::move(argument);
  return false;
}

}  // namespace

void SplitVersion(const std::string& version, std::string* major, std::string* minor,
                  bool* has_minor) {
  size_t dot = version.find('.');
  *major = version.substr(0, dot);
  *has_minor = dot != std::string::npos;
  if (!*has_minor) {
    minor->clear();
    return;
  }
  std::string rest = version.substr(dot + 1);
  *minor = rest.substr(0, rest.find('.'));
}

std::string JoinVersion(const std::string& major, const std::string& minor) {
  return (major.empty() ? std::string("1") : major) + "." + (minor.empty() ? std::string("0") : minor);
}

std::string ProgramPathText(const std::string& inst_dir, const std::string& exe, bool short_form) {
  if (short_form) return "\\Program Disk\\...\\" + exe;
  return "\\Program Disk\\" + inst_dir + "\\" + exe;
}

std::string DefaultInstallText(const std::string& prefix, const std::string& separator,
                               const std::string& product, const std::string& name) {
  std::string text = product.empty() ? prefix + name : prefix + product + separator + name;
  // A double-byte character that would be split is left out whole.
  return std::string(base::SjisCut(text, kDefaultTextMaximum - 1));
}

bool CheckProgramFields(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                        Refusal* refusal) {
  // An empty field: the refusal names the first one, in the order of the page.
  const std::pair<const TextSetting*, Field> fields[] = {
      {&s.Product, Field::kProduct}, {&s.Name, Field::kName},     {&s.Caption, Field::kCaption},
      {&s.Ver, Field::kVer},         {&s.Output, Field::kOutput}, {&s.Source, Field::kSource}};
  for (const auto& [setting, field] : fields) {
    if (setting->IsEmpty()) return Refuse(refusal, kStrFillAll, field);
  }
  if (!s.Product.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kProduct);
  if (!s.Name.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kName);
  if (!s.Output.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kOutput);
  if (static_cast<int>(current_dir.size()) + s.Output.Length() + 5 >= kMaxPath) {
    return Refuse(refusal, kStrOutputTooLong, Field::kOutput);
  }
  if (!s.Source.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kSource);
  std::string source_path;
  if (!s.SourceFolderPath(current_dir, &source_path) || !FolderExists(fs, source_path)) {
    return Refuse(refusal, kStrFolderNotFound, Field::kSource, s.Source.Text());
  }
  return true;
}

bool CheckInstallFields(const ProjectSettings& s, Refusal* refusal) {
  if (s.InstDir.IsEmpty()) return Refuse(refusal, kStrFillAll, Field::kInstDir);
  if (s.Uninstall.On() && s.UninstFile.IsEmpty()) return Refuse(refusal, kStrFillAll, Field::kUninstFile);
  if (s.Exe.IsEmpty()) return Refuse(refusal, kStrSelectExe, Field::kExe);
  if (!s.InstDir.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kInstDir);
  if (!s.UninstFile.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kUninstFile);
  // What the archive builder would refuse is told here, before Finish.
  switch (BuilderRefusal(s)) {
    case kStrCmdQuote: return Refuse(refusal, kStrCmdQuote, Field::kCmd);
    case kStrUninstallRequired: return Refuse(refusal, kStrUninstallRequired, Field::kUninstall);
  }
  return true;
}

}  // namespace project
