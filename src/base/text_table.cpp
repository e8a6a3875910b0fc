#include "base/text_table.h"

#include <cstring>

namespace base {

std::vector<std::string> PrintfArguments(std::string_view format) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i++] != '%') continue;
    if (i < format.size() && format[i] == '%') {
      ++i;
      continue;
    }
    // Flags, width and precision; a '*' takes an int argument of its own.
    while (i < format.size() && std::strchr("-+ #0123456789.*", format[i])) {
      if (format[i] == '*') arguments.push_back("*");
      ++i;
    }
    std::string conversion;
    while (i < format.size() && std::strchr("hljztL", format[i])) conversion += format[i++];
    if (i < format.size()) conversion += format[i++];
    arguments.push_back(conversion);
  }
  return arguments;
}

std::string FillText(std::string_view format, const std::vector<std::string>& arguments) {
  std::string text;
  text.reserve(format.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == 's' && next < arguments.size()) {
        text += arguments[next++];
      } else {
        text.append(format, i, 2);
      }
      ++i;
      continue;
    }
    text += format[i];
  }
  return text;
}

}  // namespace base
