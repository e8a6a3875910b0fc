#include "pakforge_build/messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace pakforge_build {

std::string Text(base::Language language, Message id, ...) {
  const char* format = language == base::Language::kJapanese ? JapaneseMessage(id) : EnglishMessage(id);
  va_list args;
  va_start(args, id);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (size > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, again);
    text.assign(buffer.data(), static_cast<std::size_t>(size));
  }
  va_end(again);
  return text;
}

}  // namespace pakforge_build
