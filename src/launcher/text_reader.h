#pragma once
// Reading a text file for a text page.

#include <cstdint>
#include <string>

#include "base/file_system.h"

namespace launcher {

/// Reads `size` bytes of `file` (its size when it was opened) into a
/// zero-filled buffer one byte longer and answers its text up to the first
/// NUL byte. Returns false (text empty) when the file is 4 GB or larger (its
/// size would not fit the 32-bit read), the buffer cannot be reserved or the
/// read fails; the caller then reports the error.
bool ReadTextForPage(base::InputFile& file, std::uint64_t size, std::string* text);

}  // namespace launcher
