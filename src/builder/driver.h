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
  /// Where the diagnostics mode writes its report, as the UTF-8 bytes it is
  /// (standard output that passes bytes on unchanged); unset, `console`.
  base::Console* report = nullptr;
  /// The source folder already held open by the caller, who checked where
  /// it lies (pakforge-build): scanned in place of opening DIRECTORY again.
  base::Folder* source = nullptr;
};

/// Runs one build: parses `args` (without the program name), scans the
/// folder, reads and checks the install information files and, when an
/// archive name was given, writes the archive. Stops at the first error,
/// prints "Error Code = 0x%08X" and answers the complete code; answers 0 on
/// success and after the usage text. With --warnings=error a warning fails
/// the run with kWarningsFailedCode. With --diagnostics=FORMAT every
/// problem is reported on `report` instead, and the first error's code is
/// answered without the "Error Code" line.
BuildErrorCode RunBuild(const std::vector<std::string>& args, BuildEnvironment& env);

}  // namespace builder
