#include "base/listing.h"

namespace base {

std::string JoinPath(const std::string& folder, const std::string& name) {
  std::string path = folder;
  path += kPathSeparator;
  path += name;
  return path;
}

}  // namespace base
