#pragma once
// Shift-JIS (code page 932) byte-string scanning.
//
// Every text of the kit is a byte string in code page 932. A scan for a
// particular character must never match the trail byte of a double-byte
// character, and lengths are counted in bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

/// True when `c` is a lead byte of a double-byte character in code page 932
/// (0x81-0x9F or 0xE0-0xFC), the same answer as IsDBCSLeadByteEx(932, c).
constexpr bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

/// True when `c` may follow a lead byte in code page 932 (0x40-0x7E,
/// 0x80-0xFC).
constexpr bool IsSjisTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

/// Bytes of the character that starts at `pos` of `text`: 2 for a lead byte
/// followed by a valid trail byte, 0 at the end of the text, 1 otherwise (a
/// lead byte without its trail byte counts as one byte).
constexpr std::size_t SjisCharSize(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  return IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                 IsSjisTrailByte(static_cast<unsigned char>(text[pos + 1]))
             ? 2
             : 1;
}

/// Bytes of the escape whose backslash is at `pos`: the backslash and the
/// whole character after it, so that the trail byte of a double-byte
/// character (0x5C in "ソ", "表") is never read as a backslash of its own.
/// 1 for a backslash at the end of the text.
constexpr std::size_t SjisEscapeSize(std::string_view text, std::size_t pos) {
  return 1 + SjisCharSize(text, pos + 1);
}

/// Answers whether a byte is the lead byte of a double-byte character.
using LeadByteTest = bool (*)(unsigned char);

/// The longest start of `text` of at most `max_bytes` bytes that does not
/// end inside a double-byte character (lead bytes as `is_lead` tells).
std::string_view SjisCut(std::string_view text, std::size_t max_bytes,
                         LeadByteTest is_lead = IsSjisLeadByte);

/// Position of the first `ch` in `text` that is a character of its own (not
/// the trail byte of a double-byte character), or npos.
std::size_t SjisFind(std::string_view text, char ch);

/// Position of the last such `ch` in `text`, or npos.
std::size_t SjisFindLast(std::string_view text, char ch);

/// `c` upper-cased when it is an ASCII lower-case letter, else `c` itself.
inline unsigned char UpperAsciiByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

/// Upper-cases the ASCII letters of `text`, leaving double-byte characters
/// (both of their bytes) untouched.
void SjisUpperAscii(std::string& text);

/// A copy of `text` with its ASCII letters upper-cased (SjisUpperAscii): the
/// key under which names that differ only in ASCII case meet.
std::string SjisUpperAsciiCopy(std::string_view text);

/// `text` with every byte that is an ASCII lower-case letter upper-cased,
/// whatever character it belongs to: for host names, whose encoding may not
/// be Shift-JIS. Folding a trail byte too can only make two names equal.
std::string UpperAsciiBytes(std::string_view text);

/// Compares two Shift-JIS texts without regard to ASCII case; double-byte
/// characters (whose trail bytes may look like letters) must match exactly.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace base
