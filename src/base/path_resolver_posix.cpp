#include <limits.h>
#include <stdlib.h>

#include "base/path_resolver.h"

namespace base {
namespace {

class PosixPathResolver : public PathResolver {
 public:
  bool Resolve(const std::string& path, std::string* resolved) override {
    // realpath with a null buffer allocates a result of any length.
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return false;
    resolved->assign(real);
    ::free(real);
    return true;
  }
};

}  // namespace

PathResolver& SystemPathResolver() {
  static PosixPathResolver resolver;
  return resolver;
}

}  // namespace base
