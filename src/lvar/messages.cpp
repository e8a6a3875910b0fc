#include "lvar/messages.h"

namespace lvar {

std::string NoteText(base::Language language, const Note& note) {
  if (note.id == Message::kCount) return {};
  std::string out;
  std::size_t next = 0;
  for (const char* c = MessageText(language, note.id); *c; ++c) {
    if (c[0] == '%' && c[1] == '%') {
      out += '%';
      ++c;
    } else if (c[0] == '%' && c[1] == 's') {
      if (next < note.arguments.size()) {
        const NoteArgument& argument = note.arguments[next];
        out += argument.word == Message::kCount ? argument.text : MessageText(language, argument.word);
      }
      ++next;
      ++c;
    } else {
      out += *c;
    }
  }
  return out;
}

}  // namespace lvar
