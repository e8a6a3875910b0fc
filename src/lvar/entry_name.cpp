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

// The upper-case letter of `c` where Windows file systems fold it, among the
// letters that code page 932 holds.
char32_t UpperLetter(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;  // full-width Latin
  if (c == 0x03C2) return 0x03A3;                   // final sigma
  if (c >= 0x03B1 && c <= 0x03C9) return c - 0x20;  // Greek
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;  // Cyrillic
  if (c == 0x0451) return 0x0401;                   // Cyrillic io
  if (c >= 0x2170 && c <= 0x217F) return c - 0x10;  // small Roman numerals
  return c;
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | (c >> 6));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | (c >> 12));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (c >> 18));
    *out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
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

std::string FoldedName(std::string_view sjis) {
  std::string utf8;
  if (!base::Cp932ToUtf8(sjis, &utf8)) {
    std::string bytes(1, '\xFF');
    bytes += NameKey(sjis);
    return bytes;
  }
  std::string key;
  key.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    // The converter's output is valid UTF-8: a lead byte, then its
    // continuation bytes.
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length && i + k < utf8.size(); ++k) c = (c << 6) | (utf8[i + k] & 0x3F);
    AppendUtf8(UpperLetter(c), &key);
    i += static_cast<std::size_t>(length);
  }
  return key;
}

std::string NumberedName(std::string_view sjis, int n) {
  std::size_t dot = base::SjisFindLast(sjis, '.');
  if (dot == 0 || dot == std::string_view::npos) dot = sjis.size();
  return std::string(sjis.substr(0, dot)) + " (" + std::to_string(n) + ")" + std::string(sjis.substr(dot));
}

}  // namespace lvar
