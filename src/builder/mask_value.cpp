#include "builder/mask_value.h"

#include <vector>

#include "base/hex.h"
#include "builder/messages.h"
#include "inf/messages.h"

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
      Say(console, base::Stream::kErr, inf::InfMessage::kHexInvalidCharacter);
      return 0x200000;
    case base::HexPairsResult::kMissingLowDigit:
      Say(console, base::Stream::kErr, inf::InfMessage::kHexLowNibbleMissing);
      return 0x300000;
    case base::HexPairsResult::kBadSecondDigit:
      Say(console, base::Stream::kErr, inf::InfMessage::kHexInvalidCharacter);
      return 0x400000;
    case base::HexPairsResult::kTooLong:
      Say(console, base::Stream::kErr, inf::InfMessage::kHexSizeOver, kMaskBytes);
      return 0x500000;
  }
  if (bytes.size() != kMaskBytes) {
    Say(console, base::Stream::kErr, Message::kHexWrongLength);
    return 0x100000;
  }
  const std::uint32_t result = (std::uint32_t{bytes[0]} << 8) | bytes[1];
  *value = static_cast<std::uint16_t>(result);
  return 0;
}

}  // namespace builder
