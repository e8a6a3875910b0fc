#include "base/wide_text_win32.h"

#include <windows.h>

#include "base/host_path.h"

namespace base {
namespace {

constexpr UINT kKitCodePage = 932;

// `wide` in code page `code_page` with `flags`; `*lossy` tells whether a
// character had no form there (only asked for code pages other than UTF-8).
std::string Narrow(UINT code_page, DWORD flags, std::wstring_view wide, BOOL* lossy) {
  std::string out;
  if (wide.empty()) return out;
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, lossy);
  if (n <= 0) return out;
  out.resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(code_page, flags, wide.data(), size, out.data(), n, nullptr, lossy);
  return out;
}

}  // namespace

std::wstring WideText(std::string_view kit) {
  std::wstring wide;
  if (kit.empty()) return wide;
  const int size = static_cast<int>(kit.size());
  const int n = MultiByteToWideChar(kKitCodePage, 0, kit.data(), size, nullptr, 0);
  if (n <= 0) return wide;
  wide.resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(kKitCodePage, 0, kit.data(), size, wide.data(), n);
  return wide;
}

bool KitFromWide(std::wstring_view wide, std::string* kit) {
  // No best fit: a character without a Shift-JIS form must not become a
  // look-alike that names another file.
  BOOL lossy = FALSE;
  *kit = Narrow(kKitCodePage, WC_NO_BEST_FIT_CHARS, wide, &lossy);
  if (!lossy && (wide.empty() || !kit->empty())) return true;
  *kit = MarkHostText(Narrow(CP_UTF8, 0, wide, nullptr));
  return false;
}

}  // namespace base
