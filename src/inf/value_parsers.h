#pragma once
// Values of install information statements: unquoting, decimal numbers and
// hexadecimal byte data. Parsers print their own message on error.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/console.h"

namespace inf {

/// Value text of a token. A token that does not begin with a quote is
/// returned unchanged. Otherwise quotes are dropped, a backslash before a quote
/// gives the quote, a backslash before any other byte stays with that byte,
/// and the byte after a Shift-JIS lead byte is copied as it is (a trail byte
/// 0x5C is no escape).
std::string UnquoteValue(std::string_view token);

/// UnquoteValue into `value`, whose storage is reused.
void UnquoteValueInto(std::string_view token, std::string* value);

/// What ParseDecimal answers besides 0.
enum DecimalCode : std::uint32_t { kDecimalNotNumeric = 1, kDecimalTooLarge = 2 };

/// Reads an unsigned 32-bit decimal the way the C library's unsigned
/// conversion does (leading white space, optional sign, a minus negating
/// modulo 2^32, digits up to the first non-digit). Returns 0 and the value;
/// kDecimalNotNumeric when the value is 0 and text is left after the digits
/// (also when there are no digits); kDecimalTooLarge beyond 4294967295.
/// Text after a non-zero value is ignored.
std::uint32_t ParseDecimal(std::string_view text, std::uint32_t* result, base::Console& console);

/// Most bytes one hexadecimal value may hold.
inline constexpr std::size_t kMaxHexBytes = 1016;

/// What ParseHexBytes answers besides 0.
enum HexCode : std::uint32_t {
  kHexEmpty = 0x10,
  kHexBadFirstDigit = 0x20,
  kHexMissingLowDigit = 0x30,
  kHexBadSecondDigit = 0x40,
  kHexTooLong = 0x50,
};

/// Reads pairs of hexadecimal digits (no separators) into `bytes`, at most
/// `max_bytes` of them. Returns 0 or a HexCode.
std::uint32_t ParseHexBytes(std::string_view text, std::vector<unsigned char>* bytes,
                            base::Console& console, std::size_t max_bytes = kMaxHexBytes);

}  // namespace inf
