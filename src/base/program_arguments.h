#pragma once
// The arguments a console program was started with, as host texts (what the
// file seams take: UTF-8 on POSIX, the kit's code page 932 bytes on
// Windows).

#include <string>
#include <vector>

namespace base {

/// The arguments after the program's name. On POSIX: `argv` as given. On
/// Windows: the process's wide command line (GetCommandLineW, split by
/// CommandLineToArgvW) converted to code page 932 whatever the system's
/// ANSI code page, so a Japanese name given on an English Windows reaches
/// the kit unchanged instead of as the "?" the ANSI `argv` holds. A
/// character with no code page 932 form becomes "?", which no Windows file
/// name holds, never a look-alike (no best-fit mapping: "Ａ" on code page
/// 1252 would otherwise name the file "A"). When the wide command line
/// splits into another count of arguments than `argc`, `argv` is taken.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace base
