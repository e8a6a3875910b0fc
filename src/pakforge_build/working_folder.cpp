#include "pakforge_build/working_folder.h"

#ifdef _WIN32
#include <direct.h>
#define getcwd _getcwd
#define chdir _chdir
#else
#include <unistd.h>
#endif

#include "wizard/host_fs.h"

namespace pakforge_build {

WorkingFolder::WorkingFolder(const std::string& kit_path) {
  char here[4096];
  if (getcwd(here, sizeof here)) saved_ = here;
  entered_ = chdir(wizard::host::ToHost(kit_path).c_str()) == 0;
}

WorkingFolder::~WorkingFolder() {
  if (entered_ && !saved_.empty()) (void)!chdir(saved_.c_str());
}

}  // namespace pakforge_build
