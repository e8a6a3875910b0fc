#pragma once
// The whole run of the builder, from the command line to the checksum.

#include <string>
#include <vector>

#include "base/console.h"
#include "base/listing.h"
#include "builder/build_error.h"
#include "base/file_system.h"

namespace builder {

/// What a run reads and writes through; the program passes the system's.
struct BuildEnvironment {
  base::Console& console;
  base::FolderLister& lister;
  base::FileSystem& files;
};

/// Runs one build: parses `args` (without the program name), scans the
/// folder, reads and checks the install information files and, when an
/// archive name was given, writes the archive. Stops at the first error,
/// prints "Error Code = 0x%08X" and answers the complete code; answers 0 on
/// success and after the usage text.
BuildErrorCode RunBuild(const std::vector<std::string>& args, BuildEnvironment& env);

}  // namespace builder
