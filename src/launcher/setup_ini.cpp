#include "launcher/setup_ini.h"

#include "base/ini_file.h"
#include "base/sjis.h"

namespace launcher {

std::string AppNameFromIni(std::string_view ini_text, std::string_view default_name,
                           LeadByteTest is_lead) {
  base::IniFile ini;
  ini.Parse(ini_text);
  std::string name;
  if (!ini.Find("APPNAME", "appname", &name)) name.assign(default_name);
  name.resize(base::SjisCut(name, kAppNameRoom - 1, is_lead).size());
  return name;
}

std::string ArchiveNameFromIni(std::string_view ini_text) {
  base::IniFile ini;
  ini.Parse(ini_text);
  std::string name;
  if (!ini.Find("APPNAME", "file", &name)) name.clear();
  return name;
}

SetupIniValues ReadSetupIni(base::FileSystem& files, const std::string& path,
                            std::string_view default_name, LeadByteTest is_lead) {
  std::string text;
  if (!base::ReadWholeFile(files, path, &text)) text.clear();
  return SetupIniValues{AppNameFromIni(text, default_name, is_lead), ArchiveNameFromIni(text)};
}

}  // namespace launcher
