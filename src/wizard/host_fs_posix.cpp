#include <stdlib.h>
#include <unistd.h>

#include "base/encoding.h"
#include "wizard/host_fs.h"

namespace wizard {
namespace host {

std::string ToHost(const std::string& kit_path) {
  std::string utf8;
  if (base::Cp932ToUtf8(kit_path, &utf8)) return utf8;
  return kit_path;  // not valid Shift-JIS: take the bytes as they are
}

std::string FromHost(const std::string& host_path) {
  std::string sjis;
  if (base::Utf8ToCp932(host_path, &sjis)) return sjis;
  return host_path;
}

std::string CurrentDirectory() {
  // A null buffer lets getcwd allocate one of any length: a folder deeper
  // than PATH_MAX still has its name, which the length checks then refuse.
  char* buffer = getcwd(nullptr, 0);
  if (!buffer) return std::string();
  const std::string here = FromHost(buffer);
  free(buffer);
  return here;
}

}  // namespace host
}  // namespace wizard
