#pragma once
// Host paths and host texts: what the platform's own file functions and
// command line take (UTF-8 on POSIX, the ANSI code page 932 on Windows), and
// their kit form, the Shift-JIS bytes of the kit's texts, archives and
// project files. The conversions differ by platform (host_path_posix.cpp,
// host_path_win32.cpp): on Windows both forms are the same bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

/// The separator of host paths: '\\' on Windows, '/' elsewhere.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

/// Joins a host folder path and a name with the platform's separator.
std::string JoinPath(std::string_view folder, std::string_view name);

/// Where the last name of a host path begins: after the last separator ('/'
/// on POSIX; '\\', '/' or a drive's ':' on Windows, never the trail byte of
/// a double-byte character); 0 when there is none.
std::size_t LastNameStart(std::string_view path);

/// True when the resolved host `path` is `folder` or lies inside it (both as
/// FolderLister::ResolvedPath gives them; ASCII case is ignored on Windows).
bool PathWithin(std::string_view folder, std::string_view path);

/// The host form of a kit text (a kit path, a name): UTF-8 on POSIX, where
/// bytes that are not Shift-JIS stay as they are; the same bytes on Windows.
std::string HostText(std::string_view kit);

/// The kit form of a host text, for showing: Shift-JIS on POSIX, where a
/// text without a Shift-JIS form keeps its bytes; the same bytes on Windows.
std::string KitText(std::string_view host);

/// The kit form of a host text, for using as a name: false when the text has
/// none (POSIX: not UTF-8, or a character outside code page 932).
bool ExactKitText(std::string_view host, std::string* kit);

}  // namespace base
