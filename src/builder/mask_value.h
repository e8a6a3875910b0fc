#pragma once
// The mask values of the -p, -o and -c options.

#include <cstdint>
#include <string_view>

#include "base/console.h"
#include "builder/build_error.h"

namespace builder {

/// Parses a mask value: hexadecimal digit pairs (0-9, A-F, a-f) forming
/// exactly two bytes. Answers 0 and stores the 16-bit value in `value`, or
/// prints the message to standard error and answers 0x100000 (not exactly two
/// bytes), 0x200000 (bad first digit of a pair), 0x300000 (pair without its
/// second digit), 0x400000 (bad second digit) or 0x500000 (a third pair).
BuildErrorCode ParseMaskValue(std::string_view text, base::Console& console, std::uint16_t* value);

}  // namespace builder
