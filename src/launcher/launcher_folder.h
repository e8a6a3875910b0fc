#pragma once
// The launcher's folder, taken from the process command line.

#include <string>
#include <string_view>

#include "base/sjis.h"

namespace launcher {

/// Answers whether a byte is the lead byte of a double-byte character in the
/// ANSI code page the texts are in (IsDBCSLeadByte on Windows).
using LeadByteTest = base::LeadByteTest;

/// Longest command-line part copied when looking for the folder, in bytes.
inline constexpr std::size_t kMaxFolderCopy = 260;

/// Folder of the launcher's executable from the process command line,
/// without a trailing backslash.
///
/// One leading double quote is skipped; then bytes are copied up to the next
/// double quote or the end of the line (at most 260) and the copy is cut at
/// its last backslash, which goes too. Double-byte characters are stepped
/// over whole (`is_lead`), so a backslash that is the trail byte of one
/// (for example in "ソ") never cuts the path.
///
/// `current_dir` is answered, uncut, when there is no command line (null or
/// empty) and when the copy holds no backslash: a launcher typed as "setup"
/// in a command prompt was found in the current directory, and an empty
/// folder would make every path point at the root of the drive.
std::string LauncherFolderFromCommandLine(const char* command_line,
                                          std::string_view current_dir,
                                          LeadByteTest is_lead);

}  // namespace launcher
