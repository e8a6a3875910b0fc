#pragma once
// Entry names are untrusted: before a name becomes a file it must be one
// plain file name that every file system of the kit's platforms can hold.

#include <string>
#include <string_view>

namespace lvar {

/// Why `sjis`, an entry name as stored (Shift-JIS), cannot become a file
/// name, or an empty text when it can. Refused: an empty name; a byte that
/// is not valid Shift-JIS; a control byte (0x00-0x1F, 0x7F); a path
/// separator "\" or "/" (a trail byte 0x5C of a double-byte character is
/// not one); ":" (a drive prefix or a stream name); the characters
/// < > " | ? * that Windows does not allow; "." and ".."; a name ending in
/// "." or a blank (Windows drops them); the device names CON, PRN, AUX,
/// NUL, COM1-COM9 and LPT1-LPT9 with or without an extension; and, on
/// POSIX, a name longer than 255 bytes in UTF-8.
std::string NameProblem(std::string_view sjis);

/// The key under which archive entries count as one name, as the builder
/// compares them: ASCII letters folded to upper case (Windows file systems
/// ignore their case). Files on a file system compare by FoldedName.
std::string NameKey(std::string_view sjis);

/// The key under which a file system sees names as one file: the name's
/// Unicode form, so that the two codes of one character (0x8754 and 0xFA4A
/// both give U+2160) are one name, with the letters that Windows file
/// systems fold put in upper case: ASCII and full-width Latin letters, Greek
/// and Cyrillic letters and the small Roman numerals. A name that is not
/// Shift-JIS keeps its bytes, ASCII folded, behind a byte that UTF-8 never
/// holds. Used for the host's files (extract) and the device's (plan).
std::string FoldedName(std::string_view sjis);

/// The name with " (n)" before its extension: "readme.txt" and 2 give
/// "readme (2).txt"; a name without extension gets it at the end.
std::string NumberedName(std::string_view sjis, int n);

}  // namespace lvar
