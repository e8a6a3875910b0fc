#include "base/sjis.h"

namespace base {

std::string_view SjisCut(std::string_view text, std::size_t max_bytes, LeadByteTest is_lead) {
  if (text.size() <= max_bytes) return text;
  std::size_t end = 0;
  while (end < max_bytes) {
    std::size_t step = is_lead(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > max_bytes) break;
    end += step;
  }
  return text.substr(0, end);
}

std::size_t SjisFind(std::string_view text, char ch) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ch) return i;
    if (IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
  }
  return std::string_view::npos;
}

std::size_t SjisFindLast(std::string_view text, char ch) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ch) found = i;
    else if (IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
  }
  return found;
}

void SjisUpperAscii(std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsSjisLeadByte(c)) { ++i; continue; }
    text[i] = static_cast<char>(UpperAsciiByte(c));
  }
}

std::string SjisUpperAsciiCopy(std::string_view text) {
  std::string copy(text);
  SjisUpperAscii(copy);
  return copy;
}

std::string UpperAsciiBytes(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(UpperAsciiByte(static_cast<unsigned char>(c)));
  return upper;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (IsSjisLeadByte(x) || IsSjisLeadByte(y)) {
      // A double-byte character matches only itself: its trail byte may look
      // like an ASCII letter but must not be folded.
      if (x != y) return false;
      if (i + 1 < a.size()) {
        ++i;
        if (a[i] != b[i]) return false;
      }
      continue;
    }
    if (UpperAsciiByte(x) != UpperAsciiByte(y)) return false;
  }
  return true;
}

}  // namespace base
