#include "base/encoding.h"
#include "base/host_path.h"

namespace base {

std::size_t LastNameStart(std::string_view path) {
  const std::size_t at = path.rfind('/');
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string HostText(std::string_view kit) {
  std::string utf8;
  if (Cp932ToUtf8(kit, &utf8)) return utf8;
  return std::string(kit);  // not valid Shift-JIS: the bytes as they are
}

std::string KitText(std::string_view host) {
  std::string sjis;
  if (Utf8ToCp932(host, &sjis)) return sjis;
  return std::string(host);
}

bool ExactKitText(std::string_view host, std::string* kit) { return Utf8ToCp932(host, kit); }

}  // namespace base
