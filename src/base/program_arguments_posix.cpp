#include "base/program_arguments.h"

namespace base {

// POSIX hands the program the bytes it was given: host texts already.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace base
