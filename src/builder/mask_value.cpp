#include "builder/mask_value.h"

#include "builder/messages.h"

namespace builder {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr unsigned kMaskBytes = 2;

}  // namespace

BuildErrorCode ParseMaskValue(std::string_view text, base::Console& console, std::uint16_t* value) {
  std::uint32_t result = 0;
  unsigned pairs = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    int high = HexDigit(text[i]);
    if (high < 0) {
      console.Write(base::Stream::kErr, messages::kHexInvalidCharacter);
      return 0x200000;
    }
    if (i + 1 >= text.size()) {
      console.Write(base::Stream::kErr, messages::kHexLowNibbleMissing);
      return 0x300000;
    }
    int low = HexDigit(text[i + 1]);
    if (low < 0) {
      console.Write(base::Stream::kErr, messages::kHexInvalidCharacter);
      return 0x400000;
    }
    result = (result << 8) | static_cast<std::uint32_t>(high * 16 + low);
    i += 2;
    if (++pairs > kMaskBytes) {
      console.Printf(base::Stream::kErr, messages::kHexSizeOver, kMaskBytes);
      return 0x500000;
    }
  }
  if (pairs != kMaskBytes) {
    console.Write(base::Stream::kErr, messages::kHexWrongLength);
    return 0x100000;
  }
  *value = static_cast<std::uint16_t>(result);
  return 0;
}

}  // namespace builder
