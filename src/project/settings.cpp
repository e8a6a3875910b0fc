#include "project/settings.h"

#include "base/listing.h"
#include "base/sjis.h"
#include "project/file_utils.h"

namespace project {

void TextSetting::SetMaximum(int n) {
  Clear();
  maximum_ = n;
}

void TextSetting::Clear() { text_.clear(); }

void TextSetting::Assign(std::string_view text) { text_.assign(text.data(), text.size()); }

bool TextSetting::Equals(std::string_view text, bool ignore_case) const {
  if (text_.empty()) return false;
  return ignore_case ? base::EqualsIgnoreAsciiCase(text_, text) : text_ == text;
}

bool TextSetting::IsValidFileName() const {
  return !text_.empty() && project::IsValidFileName(text_);
}

TextSetting& TextSetting::operator=(const TextSetting& other) {
  if (this == &other) return *this;
  text_ = other.text_;
  maximum_ = other.maximum_;
  return *this;
}

bool NameList::Add(std::string_view name) {
  if (name.size() >= static_cast<std::size_t>(kMaxPath) || IsFull()) return false;
  names_.emplace_back(name);
  return true;
}

const std::string& NameList::At(int index) const {
  static const std::string empty;
  if (index < 0 || index >= Count()) return empty;
  return names_[static_cast<std::size_t>(index)];
}

void RegistryEntry::Reset() {
  root = kHklm;
  type = kSz;
  key.SetMaximum(kMaxPath);
  name.SetMaximum(kMaxPath);
  value.SetMaximum(1024);
}

ProjectSettings::ProjectSettings() { Ver.Assign("1.0"); }

void ProjectSettings::ResetForNewProject() {
  Product.SetMaximum(65);
  Name.SetMaximum(65);
  Caption.SetMaximum(65);
  Ver.SetMaximum(11);
  Ver.Assign("1.0");
  for (TextSetting* s : {&Output, &Source, &InstDir, &Exe, &Cmd, &UninstFile}) s->SetMaximum(101);
  Uninstall.Set(true);
  Reboot.Set(false);
  UnRegist.Set(true);
  SetupIniCreate.Set(true);
  SetupIniName.SetMaximum(65);
  ScannedSource.Clear();
}

bool ProjectSettings::SourceFolderPath(const std::string& current_dir, std::string* out) const {
  if (current_dir.size() + Source.Text().size() + 2 >= static_cast<std::size_t>(kMaxPath)) return false;
  std::string path = current_dir;
  path += base::kPathSeparator;
  path += Source.Text();
  path += base::kPathSeparator;
  *out = path;
  return true;
}

}  // namespace project
