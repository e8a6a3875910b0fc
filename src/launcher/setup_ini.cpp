#include "launcher/setup_ini.h"

#include <fstream>
#include <iterator>

#include "base/sjis.h"

namespace launcher {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string CutToRoom(std::string_view value, LeadByteTest is_lead) {
  const std::size_t limit = kAppNameRoom - 1;
  std::size_t i = 0;
  while (i < value.size()) {
    const std::size_t step = is_lead(static_cast<unsigned char>(value[i])) ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  if (i > value.size()) i = value.size();  // a lone lead byte at the very end
  return std::string(value.substr(0, i));
}

// Finds [section] key the way the Windows profile functions do (see
// AppNameFromIni); false when the section or the key is absent.
bool FindIniValue(std::string_view ini_text, std::string_view section, std::string_view key,
                  std::string_view* value) {
  if (ini_text.substr(0, 3) == "\xEF\xBB\xBF") ini_text.remove_prefix(3);

  bool in_section = false;
  while (!ini_text.empty()) {
    const std::size_t end = ini_text.find('\n');
    std::string_view line = Trim(ini_text.substr(0, end));
    ini_text.remove_prefix(end == std::string_view::npos ? ini_text.size() : end + 1);

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      const std::string_view name =
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      in_section = base::EqualsIgnoreAsciiCase(name, section);
      continue;
    }
    if (!in_section) continue;
    const std::size_t eq = line.find('=');
    if (!base::EqualsIgnoreAsciiCase(Trim(line.substr(0, eq)), key)) continue;
    std::string_view found =
        eq == std::string_view::npos ? std::string_view() : Trim(line.substr(eq + 1));
    if (found.size() >= 2 && (found.front() == '"' || found.front() == '\'') &&
        found.back() == found.front()) {
      found = found.substr(1, found.size() - 2);
    }
    *value = found;
    return true;
  }
  return false;
}

}  // namespace

std::string AppNameFromIni(std::string_view ini_text, std::string_view default_name,
                           LeadByteTest is_lead) {
  std::string_view value;
  if (FindIniValue(ini_text, "APPNAME", "appname", &value)) return CutToRoom(value, is_lead);
  return CutToRoom(default_name, is_lead);
}

std::string ArchiveNameFromIni(std::string_view ini_text) {
  std::string_view value;
  if (!FindIniValue(ini_text, "APPNAME", "file", &value)) return std::string();
  return std::string(value);
}

bool ReadWholeFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace launcher
