#include "base/encoding.h"

#include <iconv.h>

#include <cerrno>

#include "base/sjis.h"

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

// The number of ASCII characters of `utf8` and of the Shift-JIS `sjis`
// differ: the conversion turned a character outside ASCII into an ASCII
// byte, as glibc's tables turn "¥" into "\" and "‾" into "~". Such a
// character has no Shift-JIS form of its own (Windows refuses it too): taken
// as converted, a name would gain a path separator and a text an escape.
bool TurnedIntoAscii(std::string_view utf8, std::string_view sjis) {
  std::size_t ascii_in = 0, ascii_out = 0;
  for (char c : utf8) ascii_in += static_cast<unsigned char>(c) < 0x80 ? 1 : 0;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    if (IsSjisLeadByte(c) && i + 1 < sjis.size()) {
      ++i;
    } else if (c < 0x80) {
      ++ascii_out;
    }
  }
  return ascii_in != ascii_out;
}

}  // namespace

bool Cp932ToUtf8(std::string_view sjis, std::string* out) {
  return Convert("UTF-8", "CP932", sjis, out);
}

bool Utf8ToCp932(std::string_view utf8, std::string* out) {
  return Convert("CP932", "UTF-8", utf8, out) && !TurnedIntoAscii(utf8, *out);
}

}  // namespace base
