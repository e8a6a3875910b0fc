#pragma once
// File URIs as editors send them ("file:///home/a/Install.inf",
// "file:///c%3A/Users/a/Install.inf") and the host paths they name.

#include <string>
#include <string_view>

namespace lsp {

/// The host path a "file" URI names: percent escapes decoded; on Windows the
/// drive's slash dropped, slashes made backslashes and the UTF-8 converted
/// to the kit's Shift-JIS. False for another scheme, a URI with a host, or
/// a path that cannot be a host path.
bool UriToHostPath(std::string_view uri, std::string* path);

/// The folder part of a URI: everything before its last "/".
std::string_view UriFolder(std::string_view uri);

/// `name` (UTF-8) percent-encoded for use as a part of a URI path: every
/// byte but ASCII letters, digits and -._~ escaped.
std::string UriPart(std::string_view name);

}  // namespace lsp
