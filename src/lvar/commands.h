#pragma once
// The lvar program without main(): its command line and its five commands,
// list, verify, diff, extract and plan.
//
//   lvar list    [--json] ARCHIVE
//   lvar verify  [--json] ARCHIVE
//   lvar diff    [--json] ARCHIVE-A ARCHIVE-B
//   lvar extract [--force] [--rename] [--native-ina] ARCHIVE [DIR]
//   lvar plan    [--json] ARCHIVE
//   lvar -h | --help | --version

#include <string>
#include <vector>

#include "base/console.h"
#include "base/run_environment.h"

namespace lvar {

/// What a run reads and writes through; the program passes the system's.
struct LvarEnvironment : base::RunEnvironment {
  /// JSON documents: UTF-8 bytes, passed on unchanged.
  base::Console& json;
};

/// Runs one command; `args` without the program name. Answers the exit
/// status (exit_status.h). Host paths in `args` are used as given.
int RunLvar(const std::vector<std::string>& args, LvarEnvironment& env);

}  // namespace lvar
