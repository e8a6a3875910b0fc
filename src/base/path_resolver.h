#pragma once
// Where a path really leads: every link on the way followed, "." and ".."
// worked out. One implementation per platform (path_resolver_posix.cpp,
// path_resolver_win32.cpp); tests may supply their own.

#include <string>

namespace base {

/// Resolves host paths to the place they lead to.
class PathResolver {
 public:
  virtual ~PathResolver() = default;
  /// Sets `*resolved` to the absolute host path of what `path` names, with
  /// every symbolic link (and, on Windows, junction) followed; false when
  /// nothing is there or it cannot be resolved.
  virtual bool Resolve(const std::string& path, std::string* resolved) = 0;
};

/// The resolver of the running platform.
PathResolver& SystemPathResolver();

}  // namespace base
