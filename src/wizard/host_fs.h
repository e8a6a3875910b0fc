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

/// A host path (as base::PathResolver answers) as a kit path, for showing;
/// a name without a Shift-JIS form keeps its bytes.
std::string FromHost(const std::string& host_path);

}  // namespace host
}  // namespace wizard
