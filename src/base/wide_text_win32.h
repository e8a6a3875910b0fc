#pragma once
// The kit's texts and the system's wide (UTF-16) functions. The kit's names
// are Shift-JIS whatever the system's ANSI code page, so the file system,
// listing and path seams convert with code page 932 themselves and call the
// wide functions: a Japanese name opens on an English Windows too.

#include <string>
#include <string_view>

namespace base {

/// The UTF-16 form of kit text `kit` (code page 932). A byte that is no
/// code page 932 character becomes what the ANSI functions of a Japanese
/// Windows make of it.
std::wstring WideText(std::string_view kit);

/// Sets `*kit` to the kit form of the system's UTF-16 text `wide`: its code
/// page 932 bytes, true; or, when a character has no such form, the text
/// marked from its UTF-8 form (MarkHostText), to be shown but never used as
/// a name, false.
bool KitFromWide(std::wstring_view wide, std::string* kit);

}  // namespace base
