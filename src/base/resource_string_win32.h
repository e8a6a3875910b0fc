#pragma once
// Loading texts from the string table of a Win32 module.

#include <windows.h>

#include <string>

namespace base {

/// The text of string resource `id` of `instance` as the ANSI code page's
/// bytes, read into a buffer of `room` bytes (terminator included), so at
/// most `room` - 1 bytes; empty when the id does not exist.
std::string LoadResourceString(HINSTANCE instance, UINT id, int room);

}  // namespace base
