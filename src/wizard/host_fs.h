#pragma once
// The platform half of the file utilities (host_fs_posix.cpp,
// host_fs_win32.cpp). Every path is a kit path (Shift-JIS, platform
// separator); the POSIX side converts it to the file system's UTF-8.

#include <cstdint>
#include <string>

namespace wizard {
namespace host {

/// The kit path as the file system functions want it.
std::string ToHost(const std::string& kit_path);

/// The current directory as a kit path; empty when unavailable.
std::string CurrentDirectory();

/// Looks `path` up; false when nothing exists there.
bool Stat(const std::string& path, bool* is_folder, std::uint64_t* size);

/// Deletes a file; false when it could not be deleted.
bool Delete(const std::string& path);

/// Renames `from` to `to`, refusing (false) when `to` exists.
bool Move(const std::string& from, const std::string& to);

}  // namespace host
}  // namespace wizard
