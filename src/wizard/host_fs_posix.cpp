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

}  // namespace host
}  // namespace wizard
