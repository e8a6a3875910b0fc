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

std::string CurrentDirectory() {
  char buffer[4096];
  if (!getcwd(buffer, sizeof buffer)) return std::string();
  std::string sjis;
  if (base::Utf8ToCp932(buffer, &sjis)) return sjis;
  return buffer;
}

}  // namespace host
}  // namespace wizard
