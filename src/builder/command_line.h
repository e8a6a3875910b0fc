#pragma once
// The builder's command line:
//   Pakmak DIRECTORY [ ARCHIVE ] [ -p MASK ] [ -o MASK ] [ -c MASK ]

#include <string>
#include <vector>

#include "base/console.h"
#include "builder/build_error.h"
#include "builder/build_options.h"

namespace builder {

/// Result of ParseCommandLine meaning "the usage text or the version was
/// printed"; it is not an error code (the run ends with status 0). No error
/// code has bits set outside 0x1FF00000 at this layer, so this value cannot
/// collide.
inline constexpr BuildErrorCode kUsageShown = 0xFFFFFFFF;

/// Prints the usage text to standard output.
void PrintUsage(base::Console& console);

/// Parses the arguments (without the program name) into `options`.
/// Answers 0; kUsageShown when there was no argument or only "--help" (the
/// usage text is then printed) or only "--version" (the kit's name and
/// version are printed); or the command-line layer's code (0x1000000 to
/// 0x9000000, with the mask parser's code in bits 20-23), after printing the
/// message. "--help" and "--version" among other arguments are options like
/// any other. "--diagnostics=gnu|jsonl|sarif" and "--warnings=error" may
/// stand anywhere and do not count as positions; another value of either
/// answers 0xA000000 or 0xB000000.
BuildErrorCode ParseCommandLine(const std::vector<std::string>& args, base::Console& console,
                                BuildOptions* options);

}  // namespace builder
