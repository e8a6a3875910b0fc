#pragma once
// Syntax checks for the value of a registry entry, one per value type.
//
// The registry entry dialog refuses a value that would not pass the archive
// builder's registry section checks. The value is kept exactly as the author
// typed it: strings in double quotes (an escaped quote is \"), MULTI_SZ as
// quoted strings joined by commas, DWORD as a signed decimal number and
// BINARY as pairs of hexadecimal digits. No check trims blanks.

#include <cstddef>
#include <string_view>

namespace project {

/// Scans one double-quoted string that starts at `pos` of `text` and answers
/// the position just after its closing quote, or npos when there is none.
///
/// Fails when fewer than 3 bytes remain from `pos` or the byte at `pos` is not
/// a double quote. The string is walked as the builder reads it
/// (inf::ScanQuotedString): a backslash escapes the whole character after
/// it, and a string without its closing quote or with a lead byte lacking its
/// trail byte fails. More than 255 bytes of value (a double-byte character
/// counts 2, an escaped quote 1) fail.
std::size_t QuotedStringEnd(std::string_view text, std::size_t pos);

/// SZ: one quoted string that ends exactly at the end of `value`.
bool IsSzValue(std::string_view value);

/// MULTI_SZ: quoted strings joined by single commas, no blanks around the
/// commas and no trailing comma.
bool IsMultiSzValue(std::string_view value);

/// DWORD: an optional "+" or "-" and 1 to 10 decimal digits, not above
/// 2147483647 (2147483648 after "-"). A lone sign is refused, as the
/// builder refuses it.
bool IsDwordValue(std::string_view value);

/// BINARY: an even number (at most 64) of hexadecimal digits, two per byte.
bool IsBinaryValue(std::string_view value);

/// String id of the message for a value that fails the check of registry
/// type `type` (21 MULTI_SZ, 19 DWORD, 18 BINARY, 20 SZ and any unknown
/// type), or 0 when `value` passes.
int RegistryValueError(int type, std::string_view value);

}  // namespace project
