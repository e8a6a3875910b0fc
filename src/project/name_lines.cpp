#include "project/name_lines.h"

namespace project {

std::string NameLines(const std::vector<std::string>& names) {
  std::string lines;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) lines += (i ? "\n" : "") + names[i];
  if (names.size() > kNamesShown) lines += "\n... (+" + std::to_string(names.size() - kNamesShown) + ")";
  return lines;
}

}  // namespace project
