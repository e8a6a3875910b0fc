#pragma once
// The platform half of the file utilities (host_fs_posix.cpp,
// host_fs_win32.cpp): kit paths (Shift-JIS, platform separator) to and from
// the host paths of base::FileSystem. The POSIX side converts to the file
// system's UTF-8; on Windows the two are the same.

#include <string>

namespace wizard {
namespace host {

/// The kit path as the file system functions want it.
std::string ToHost(const std::string& kit_path);

/// The current directory as a kit path; empty when unavailable.
std::string CurrentDirectory();

}  // namespace host
}  // namespace wizard
