#include "lsp/messages.h"

#include "inf/diagnostic.h"

namespace lsp {

const char* MessageText(base::Language language, Message id) {
  return language == base::Language::kJapanese ? JapaneseMessage(id) : EnglishMessage(id);
}

std::string Text(base::Language language, Message id, std::initializer_list<std::string> arguments) {
  const std::string format = inf::SjisToUtf8Lossy(MessageText(language, id));
  std::string out;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == '%')) {
      if (format[i + 1] == '%') {
        out += '%';
      } else if (next != arguments.end()) {
        out += *next++;
      }
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

}  // namespace lsp
