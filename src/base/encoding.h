#pragma once
// Conversions between code page 932 (Shift-JIS) and UTF-8.
//
// On POSIX the file system holds UTF-8 names while the kit's texts are
// Shift-JIS; terminals show UTF-8. On Windows the same functions go through
// the system's code page tables.

#include <string>
#include <string_view>

namespace base {

/// Converts Shift-JIS bytes to UTF-8. Returns false (and leaves `out`
/// unspecified) when `sjis` is not valid code page 932.
bool Cp932ToUtf8(std::string_view sjis, std::string* out);

/// Converts UTF-8 to Shift-JIS bytes. Returns false when `utf8` is not valid
/// UTF-8 or holds a character that code page 932 cannot represent, among them
/// those a system's tables would turn into an ASCII byte ("¥" into "\",
/// "‾" into "~"), which would silently change a name's or a text's meaning.
bool Utf8ToCp932(std::string_view utf8, std::string* out);

}  // namespace base
