#pragma once
// Host paths and host texts: what the platform's file seams and command
// line take (UTF-8 on POSIX, code page 932 on Windows), and
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
/// bytes that are not Shift-JIS stay as they are and a marked host text
/// (MarkHostText) gets its bytes back; the same bytes on Windows.
std::string HostText(std::string_view kit);

/// The kit form of a host text, for showing: Shift-JIS on POSIX, where a
/// text without a Shift-JIS form is marked (MarkHostText), so that it is
/// shown as the host wrote it; the same bytes on Windows.
std::string KitText(std::string_view host);

/// A host text that has no Shift-JIS form, carried inside a kit text to be
/// shown as the host wrote it: the byte 0xFF, each byte of `host` as two
/// lower-case hexadecimal digits, the byte 0xFE. Neither mark is a byte of
/// code page 932 or of UTF-8, and the digits are ASCII, so Shift-JIS scans
/// and conversions pass over the whole as over plain text.
std::string MarkHostText(std::string_view host);

/// The bytes that show the kit text `kit`: each marked host text as the host
/// wrote it, the rest as Shift-JIS bytes or, with `utf8`, converted to UTF-8
/// (kept as they are where they are not valid Shift-JIS).
std::string ShownText(std::string_view kit, bool utf8);

/// The kit form of a host text, for using as a name: false when the text has
/// none (POSIX: not UTF-8, or a character outside code page 932).
bool ExactKitText(std::string_view host, std::string* kit);

}  // namespace base
