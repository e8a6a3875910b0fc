#pragma once
// Reading UTF-8 one character at a time.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace base {

/// The length of the well-formed UTF-8 character at `text[i]` (no sequence
/// cut short, no overlong form, no surrogate, nothing above U+10FFFF), its
/// code point in `*point`; 0 when the bytes there are none.
std::size_t Utf8CharacterAt(std::string_view text, std::size_t i, std::uint32_t* point);

}  // namespace base
