#include "base/resource_string_win32.h"

#include <vector>

namespace base {

std::string LoadResourceString(HINSTANCE instance, UINT id, int room) {
  if (room < 1) return std::string();
  std::vector<char> buffer(static_cast<std::size_t>(room), '\0');
  const int length = LoadStringA(instance, id, buffer.data(), room);
  if (length <= 0) return std::string();
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace base
