#include "base/utf8.h"

namespace base {

std::size_t Utf8CharacterAt(std::string_view text, std::size_t i, std::uint32_t* point) {
  const auto c = static_cast<unsigned char>(text[i]);
  std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  *point = length == 1 ? c : c & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto t = static_cast<unsigned char>(text[i + k]);
    if ((t & 0xC0) != 0x80) return 0;
    *point = (*point << 6) | (t & 0x3F);
  }
  const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (*point < least[length] || *point > 0x10FFFF || (*point >= 0xD800 && *point <= 0xDFFF)) return 0;
  return length;
}

}  // namespace base
