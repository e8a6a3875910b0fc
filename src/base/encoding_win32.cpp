#include "base/encoding.h"

#include <windows.h>

namespace base {
namespace {

bool ToWide(UINT cp, std::string_view in, std::wstring* out) {
  out->clear();
  if (in.empty()) return true;
  int n = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return false;
  out->resize(static_cast<size_t>(n));
  return MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), out->data(), n) == n;
}

bool FromWide(UINT cp, const std::wstring& in, std::string* out) {
  out->clear();
  if (in.empty()) return true;
  BOOL lossy = FALSE;
  BOOL* lossy_arg = cp == CP_UTF8 ? nullptr : &lossy;
  DWORD flags = cp == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(cp, flags, in.data(), static_cast<int>(in.size()), nullptr, 0, nullptr, lossy_arg);
  if (n <= 0 || lossy) return false;
  out->resize(static_cast<size_t>(n));
  return WideCharToMultiByte(cp, flags, in.data(), static_cast<int>(in.size()), out->data(), n, nullptr, lossy_arg) == n && !lossy;
}

}  // namespace

bool Cp932ToUtf8(std::string_view sjis, std::string* out) {
  std::wstring wide;
  return ToWide(932, sjis, &wide) && FromWide(CP_UTF8, wide, out);
}

bool Utf8ToCp932(std::string_view utf8, std::string* out) {
  std::wstring wide;
  return ToWide(CP_UTF8, utf8, &wide) && FromWide(932, wide, out);
}

}  // namespace base
