#pragma once
// Hexadecimal digits and byte data written as pairs of them.

#include <cstddef>
#include <string_view>
#include <vector>

namespace base {

/// The value (0-15) of the hexadecimal digit `c` (0-9, A-F, a-f), or -1.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

/// How reading pairs of hexadecimal digits ended.
enum class HexPairsResult {
  kOk,
  kBadFirstDigit,    ///< the first character of a pair is no digit
  kMissingLowDigit,  ///< the text ends after the first digit of a pair
  kBadSecondDigit,   ///< the second character of a pair is no digit
  kTooLong,          ///< a further complete pair after `max_bytes` bytes
};

/// Reads `text` as pairs of hexadecimal digits without separators, high
/// digit first, into `bytes` (emptied first), at most `max_bytes` of them.
/// Stops at the first pair that is wrong; the bytes before it are kept.
HexPairsResult ParseHexPairs(std::string_view text, std::size_t max_bytes,
                             std::vector<unsigned char>* bytes);

}  // namespace base
