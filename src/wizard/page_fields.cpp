#include "wizard/page_fields.h"

#include "base/sjis.h"
#include "wizard/file_utils.h"

namespace wizard {
namespace {

// Cuts `text` to at most `limit` bytes; a double-byte character that would
// be split is left out whole, so the text stays valid Shift-JIS.
std::string CutToBytes(const std::string& text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = 0;
  while (end < limit) {
    size_t step = base::IsSjisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) break;
    end += step;
  }
  return text.substr(0, end);
}

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
  return CutToBytes(text, kDefaultTextMaximum - 1);
}

bool CheckProgramFields(const ProjectSettings& s, const std::string& current_dir,
                        Refusal* refusal) {
  if (s.Product.IsEmpty() || s.Name.IsEmpty() || s.Caption.IsEmpty() || s.Output.IsEmpty() ||
      s.Source.IsEmpty() || s.Ver.IsEmpty()) {
    return Refuse(refusal, kStrFillAll, Field::kNone);
  }
  if (!s.Product.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kProduct);
  if (!s.Name.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kName);
  if (!s.Output.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kOutput);
  if (static_cast<int>(current_dir.size()) + s.Output.Length() + 5 >= kMaxPath) {
    return Refuse(refusal, kStrOutputTooLong, Field::kOutput);
  }
  if (!s.Source.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kSource);
  std::string source_path;
  if (!s.SourceFolderPath(current_dir, &source_path) || !FolderExists(source_path)) {
    return Refuse(refusal, kStrFolderNotFound, Field::kSource, s.Source.Text());
  }
  return true;
}

bool CheckInstallFields(const ProjectSettings& s, Refusal* refusal) {
  if (s.InstDir.IsEmpty() || (s.Uninstall.On() && s.UninstFile.IsEmpty())) {
    return Refuse(refusal, kStrFillAll, Field::kNone);
  }
  if (s.Exe.IsEmpty()) return Refuse(refusal, kStrSelectExe, Field::kNone);
  if (!s.InstDir.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kInstDir);
  if (!s.UninstFile.IsValidFileName()) return Refuse(refusal, kStrBadName, Field::kUninstFile);
  return true;
}

}  // namespace wizard
