#include <sys/stat.h>

#include "launcher/launcher_files.h"

namespace launcher {

bool IsExistingFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace launcher
