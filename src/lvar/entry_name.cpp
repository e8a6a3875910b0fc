#include "lvar/entry_name.h"

#include <cstring>

#include "base/encoding.h"
#include "base/sjis.h"

namespace lvar {
namespace {

bool IsDeviceName(std::string_view name) {
  std::size_t dot = base::SjisFind(name, '.');
  std::string stem(name.substr(0, dot == std::string_view::npos ? name.size() : dot));
  base::SjisUpperAscii(stem);
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static const char* const kFixed[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kFixed)
    if (stem == device) return true;
  if (stem.size() != 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
  // A digit, 0 included, or a superscript one, two or three as the ANSI code
  // page 1252 writes them (0xB9, 0xB2, 0xB3): Windows opens a port for each.
  const unsigned char n = static_cast<unsigned char>(stem[3]);
  return (n >= '0' && n <= '9') || n == 0xB9 || n == 0xB2 || n == 0xB3;
}

}  // namespace

std::string NameProblem(std::string_view sjis) {
  if (sjis.empty()) return "an empty name";
  std::string utf8;
  if (!base::Cp932ToUtf8(sjis, &utf8)) return "a byte that is not Shift-JIS";
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(sjis[i]);
    if (base::IsSjisLeadByte(c)) {
      ++i;  // its trail byte is part of the character
      continue;
    }
    if (c < 0x20 || c == 0x7F) return "a control byte";
    if (c == '\\' || c == '/') return "a path separator";
    if (c == ':') return "a drive or stream prefix (:)";
    if (std::strchr("<>\"|?*", c)) return "a character that Windows file names cannot hold";
  }
  if (sjis == "." || sjis == "..") return "a reference to a folder (. or ..)";
  if (sjis.back() == '.' || sjis.back() == ' ') return "a name ending in a dot or a blank";
  if (IsDeviceName(sjis)) return "a Windows device name";
#ifndef _WIN32
  if (utf8.size() > 255) return "a name longer than the file system allows";
#endif
  return "";
}

std::string NameKey(std::string_view sjis) {
  std::string key(sjis);
  base::SjisUpperAscii(key);
  return key;
}

std::string NumberedName(std::string_view sjis, int n) {
  std::size_t dot = base::SjisFindLast(sjis, '.');
  if (dot == 0 || dot == std::string_view::npos) dot = sjis.size();
  return std::string(sjis.substr(0, dot)) + " (" + std::to_string(n) + ")" + std::string(sjis.substr(dot));
}

}  // namespace lvar
