#include <cstdlib>

#include "base/language.h"

namespace base {

LanguageRequest CurrentLanguageRequest() {
  LanguageRequest request;
  if (const char* tag = std::getenv("LORIVANDER_LANG")) request.override_tag = tag;
  // The order in which the C library itself looks for the messages' locale.
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) {
      request.posix_locale = value;
      break;
    }
  }
  return request;
}

}  // namespace base
