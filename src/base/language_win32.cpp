#include <windows.h>

#include "base/language.h"

namespace base {

LanguageRequest CurrentLanguageRequest() {
  LanguageRequest request;
  // The first call answers the size the value needs, terminator included.
  const DWORD size = GetEnvironmentVariableA("LORIVANDER_LANG", nullptr, 0);
  if (size > 1) {
    std::string value(size, '\0');
    const DWORD n = GetEnvironmentVariableA("LORIVANDER_LANG", value.data(), size);
    if (n < size) {
      value.resize(n);
      request.override_tag = value;
    }
  }
  request.windows_ui_language = GetUserDefaultUILanguage();
  request.ansi_code_page = GetACP();
  return request;
}

}  // namespace base
