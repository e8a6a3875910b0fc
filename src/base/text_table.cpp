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

}  // namespace base
