#pragma once
// The whole run of the builder, from the command line to the checksum.

#include <string>
#include <vector>

#include "base/console.h"
#include "base/run_environment.h"
#include "builder/build_error.h"
#include "builder/build_options.h"
#include "base/file_system.h"
#include "builder/build_options.h"
#include "builder/diagnostic_format.h"
#include "inf/diagnostic.h"

namespace builder {

/// What a run reads and writes through; the program passes the system's.
struct BuildEnvironment : base::RunEnvironment {
  /// Where the diagnostics mode writes its report, as the UTF-8 bytes it is
  /// (standard output that passes bytes on unchanged); unset, `console`.
  base::Console* report = nullptr;
  /// The source folder already held open by the caller, who checked where
  /// it lies (pakforge-build): scanned in place of opening DIRECTORY again.
  base::Folder* source = nullptr;
  /// With `source`: the listings of that folder and of folders below it
  /// the caller holds (pakforge-build: the source folder as Finish left
  /// it). The scan takes them in place of listing those folders again.
  const base::HeldListings* listings = nullptr;
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

/// The diagnostics mode's check for a caller that reports the problems
/// itself: every problem of the folder of `options` into `collector`, then
/// the archive (when `options` names one) if no error was found and, with
/// warnings_as_errors, no warning. `summary` receives the counts and the
/// archive written. Answers the first error's complete code (or
/// kWarningsFailedCode), or 0.
BuildErrorCode CheckFolderAndBuild(const BuildOptions& options, BuildEnvironment& env,
                                   inf::DiagnosticCollector& collector, DiagnosticsSummary* summary);

/// Runs one build of `options` as RunBuild does once it has parsed the
/// command line, for a program that builds in its own process: nothing is
/// parsed and the current folder is not used beyond what the paths of
/// `options` ask. The folders are listed through `env.lister`, which may
/// answer from a listing the caller already holds. Ends as RunBuild does,
/// the "Error Code" line included.
BuildErrorCode Build(const BuildOptions& options, BuildEnvironment& env);

}  // namespace builder
