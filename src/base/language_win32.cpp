#include <windows.h>

#include "base/language.h"

namespace base {

LanguageRequest CurrentLanguageRequest() {
  LanguageRequest request;
  char tag[16];
  DWORD n = GetEnvironmentVariableA("LORIVANDER_LANG", tag, sizeof tag);
  if (n > 0 && n < sizeof tag) request.override_tag.assign(tag, n);
  else if (n >= sizeof tag) request.override_tag = "?";  // too long to be a tag the kit knows
  request.windows_ui_language = GetUserDefaultUILanguage();
  request.ansi_code_page = GetACP();
  return request;
}

}  // namespace base
