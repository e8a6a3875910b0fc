#include "base/hex.h"

namespace base {

HexPairsResult ParseHexPairs(std::string_view text, std::size_t max_bytes,
                             std::vector<unsigned char>* bytes) {
  bytes->clear();
  for (std::size_t pos = 0; pos < text.size(); pos += 2) {
    const int high = HexDigitValue(text[pos]);
    if (high < 0) return HexPairsResult::kBadFirstDigit;
    if (pos + 1 >= text.size()) return HexPairsResult::kMissingLowDigit;
    const int low = HexDigitValue(text[pos + 1]);
    if (low < 0) return HexPairsResult::kBadSecondDigit;
    if (bytes->size() == max_bytes) return HexPairsResult::kTooLong;
    bytes->push_back(static_cast<unsigned char>(high * 16 + low));
  }
  return HexPairsResult::kOk;
}

}  // namespace base
