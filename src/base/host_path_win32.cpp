#include "base/host_path.h"
#include "base/sjis.h"

namespace base {

std::size_t LastNameStart(std::string_view path) {
  std::size_t start = 0;
  for (char separator : {'\\', '/', ':'}) {
    const std::size_t at = SjisFindLast(path, separator);
    if (at != std::string_view::npos && at + 1 > start) start = at + 1;
  }
  return start;
}

// Host paths are the kit's Shift-JIS bytes (the file seams hand them to the
// wide functions through code page 932): host and kit texts are the same.
std::string HostText(std::string_view kit) { return std::string(kit); }

std::string KitText(std::string_view host) { return std::string(host); }

bool ExactKitText(std::string_view host, std::string* kit) {
  kit->assign(host);
  return true;
}

}  // namespace base
