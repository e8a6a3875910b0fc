#include "base/host_path.h"

#include "base/sjis.h"

namespace base {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += kPathSeparator;
  path += name;
  return path;
}

bool PathWithin(std::string_view folder, std::string_view path) {
  if (path.size() < folder.size()) return false;
#ifdef _WIN32
  if (!EqualsIgnoreAsciiCase(path.substr(0, folder.size()), folder)) return false;
#else
  if (path.substr(0, folder.size()) != folder) return false;
#endif
  if (path.size() == folder.size()) return true;
  // "/src" holds "/src/a", not "/src2"; a root such as "/" ends in its separator.
  return path[folder.size()] == kPathSeparator || (!folder.empty() && folder.back() == kPathSeparator);
}

}  // namespace base
