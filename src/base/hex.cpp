#include "base/hex.h"

namespace base {

namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";

}  // namespace

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

std::string HexNumber(std::uint64_t value, int digits) {
  std::string text;
  do {
    text.insert(text.begin(), kUpperDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0 || static_cast<int>(text.size()) < digits);
  return "0x" + text;
}

std::string HexBytes(const unsigned char* data, std::size_t size) {
  std::string text;
  text.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    text += kUpperDigits[data[i] >> 4];
    text += kUpperDigits[data[i] & 0xF];
  }
  return text;
}

}  // namespace base
