#include "launcher/launcher_folder.h"

namespace launcher {

std::string LauncherFolderFromCommandLine(const char* command_line,
                                          std::string_view current_dir,
                                          LeadByteTest is_lead) {
  if (command_line == nullptr || *command_line == '\0') return std::string(current_dir);

  std::string_view line(command_line);
  if (line.front() == '"') line.remove_prefix(1);

  std::string copy;
  std::size_t cut = std::string::npos;  // position of the last backslash
  std::size_t i = 0;
  while (i < line.size() && copy.size() < kMaxFolderCopy) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c == '"') break;
    if (is_lead(c) && i + 1 < line.size()) {
      if (copy.size() + 2 > kMaxFolderCopy) break;  // never keep half a character
      copy += line[i];
      copy += line[i + 1];
      i += 2;
      continue;
    }
    if (c == '\\') cut = copy.size();
    copy += static_cast<char>(c);
    ++i;
  }
  if (cut == std::string::npos) return std::string(current_dir);
  copy.resize(cut);
  return copy;
}

}  // namespace launcher
