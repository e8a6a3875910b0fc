#include "builder/mask_value.h"

#include <vector>

#include "base/hex.h"
#include "builder/messages.h"

namespace builder {
namespace {

constexpr unsigned kMaskBytes = 2;

}  // namespace

BuildErrorCode ParseMaskValue(std::string_view text, base::Console& console, std::uint16_t* value) {
  std::vector<unsigned char> bytes;
  switch (base::ParseHexPairs(text, kMaskBytes, &bytes)) {
    case base::HexPairsResult::kOk:
      break;
    case base::HexPairsResult::kBadFirstDigit:
      console.Write(base::Stream::kErr, messages::kHexInvalidCharacter);
      return 0x200000;
    case base::HexPairsResult::kMissingLowDigit:
      console.Write(base::Stream::kErr, messages::kHexLowNibbleMissing);
      return 0x300000;
    case base::HexPairsResult::kBadSecondDigit:
      console.Write(base::Stream::kErr, messages::kHexInvalidCharacter);
      return 0x400000;
    case base::HexPairsResult::kTooLong:
      console.Printf(base::Stream::kErr, messages::kHexSizeOver, kMaskBytes);
      return 0x500000;
  }
  if (bytes.size() != kMaskBytes) {
    console.Write(base::Stream::kErr, messages::kHexWrongLength);
    return 0x100000;
  }
  const std::uint32_t result = (std::uint32_t{bytes[0]} << 8) | bytes[1];
  *value = static_cast<std::uint16_t>(result);
  return 0;
}

}  // namespace builder
