#include "base/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace base {
namespace {

bool Convert(const char* to, const char* from, std::string_view in, std::string* out) {
  // ASCII is the same bytes in both encodings: most names and texts are
  // ASCII, and a listing converts every name, so they skip iconv.
  bool ascii = true;
  for (char c : in) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) {
    out->assign(in);
    return true;
  }
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out->clear();
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char buffer[1024];
  bool ok = true;
  while (src_left > 0) {
    char* dst = buffer;
    size_t dst_left = sizeof buffer;
    size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    out->append(buffer, static_cast<size_t>(dst - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) { ok = false; break; }
  }
  if (ok) {
    char* dst = buffer;
    size_t dst_left = sizeof buffer;
    if (iconv(cd, nullptr, nullptr, &dst, &dst_left) == static_cast<size_t>(-1)) ok = false;
    out->append(buffer, static_cast<size_t>(dst - buffer));
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

bool Cp932ToUtf8(std::string_view sjis, std::string* out) {
  return Convert("UTF-8", "CP932", sjis, out);
}

bool Utf8ToCp932(std::string_view utf8, std::string* out) {
  return Convert("CP932", "UTF-8", utf8, out);
}

}  // namespace base
