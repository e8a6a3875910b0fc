#include "pakforge_build/working_folder.h"

#ifdef _WIN32
#include <direct.h>
#include <stdlib.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "wizard/host_fs.h"

namespace pakforge_build {

WorkingFolder::WorkingFolder(const std::string& kit_path) {
#ifdef _WIN32
  // A null buffer: _getcwd allocates one as long as the name needs.
  if (char* here = _getcwd(nullptr, 0)) {
    saved_ = here;
    free(here);
  }
  entered_ = !saved_.empty() && _chdir(wizard::host::ToHost(kit_path).c_str()) == 0;
#else
  // The folder itself is held open, so the way back works however deep it
  // lies, and even when its name cannot be taken.
  saved_ = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  entered_ = saved_ >= 0 && chdir(wizard::host::ToHost(kit_path).c_str()) == 0;
#endif
}

WorkingFolder::~WorkingFolder() {
#ifdef _WIN32
  if (entered_) (void)!_chdir(saved_.c_str());
#else
  if (entered_) (void)!fchdir(saved_);
  if (saved_ >= 0) close(saved_);
#endif
}

}  // namespace pakforge_build
