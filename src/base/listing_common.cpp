#include "base/listing.h"

namespace base {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += kPathSeparator;
  path += name;
  return path;
}

}  // namespace base
