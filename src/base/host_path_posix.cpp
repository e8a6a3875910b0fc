#include "base/encoding.h"
#include "base/host_path.h"

namespace base {

std::size_t LastNameStart(std::string_view path) {
  const std::size_t at = path.rfind('/');
  return at == std::string_view::npos ? 0 : at + 1;
}

// Shift-JIS becomes UTF-8 and a marked host text its own bytes: exactly
// the host text that KitText was given.
std::string HostText(std::string_view kit) { return ShownText(kit, /*utf8=*/true); }

std::string KitText(std::string_view host) {
  std::string sjis;
  if (Utf8ToCp932(host, &sjis)) return sjis;
  return MarkHostText(host);
}

bool ExactKitText(std::string_view host, std::string* kit) { return Utf8ToCp932(host, kit); }

}  // namespace base
