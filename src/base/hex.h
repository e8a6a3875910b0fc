#pragma once
// Hexadecimal digits: numbers and byte data read from and written as them.

#include <cstddef>
#include <cstdint>
#include <string>
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

/// `value` as "0x" and upper-case hexadecimal digits, padded with zeros to
/// at least `digits` of them: HexNumber(0x1F, 4) is "0x001F".
std::string HexNumber(std::uint64_t value, int digits);

/// The bytes as upper-case hexadecimal digits, two per byte, no separators.
std::string HexBytes(const unsigned char* data, std::size_t size);

}  // namespace base
