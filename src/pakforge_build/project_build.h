#pragma once
// pakforge-build: builds the archive of a project saved by the wizard, from
// a terminal or a build script. It reads the project file with the wizard's
// reader, makes every check the wizard makes before Finish, writes the same
// files as Finish and runs the archive builder in the same process.

#include <string>
#include <vector>

#include "base/console.h"
#include "base/file_system.h"
#include "base/language.h"
#include "base/listing.h"
#include "base/path_resolver.h"
#include "builder/build_options.h"
#include "base/run_environment.h"

namespace pakforge_build {

/// Exit statuses of pakforge-build's own refusals. A failure of the archive
/// builder ends with the builder's status instead (the complete code on
/// Windows, code >> 28, 1 to 7, on POSIX), so the two never meet.
enum ExitStatus : int {
  kExitOk = 0,
  kExitUsage = 64,         ///< the command line is wrong
  kExitRefused = 65,       ///< a check of the wizard refuses the project
  kExitNoProject = 66,     ///< the project file is missing or cannot be read
  kExitForeignFiles = 67,  ///< the source folder holds .txt/.inf files the wizard did not write
  kExitNotWritten = 73,    ///< a file of Finish could not be written
};

/// What the command line asks for. Paths and names are host texts (UTF-8 on
/// POSIX, the ANSI code page on Windows).
struct Options {
  std::string project;        ///< the project file
  std::string source;         ///< --source: replaces the project's source folder
  std::string output;         ///< --output: replaces the project's archive name
  bool check = false;         ///< --check: stop after the builder's check
  bool clean = false;         ///< --clean: delete foreign .txt/.inf files
  bool json = false;          ///< --json: the report as one JSON document
  /// --diagnostics=gnu|jsonl|sarif: every problem on standard output instead
  builder::DiagnosticsFormat diagnostics = builder::DiagnosticsFormat::kNone;
  bool warnings_as_errors = false;  ///< --warnings=error: a warning fails the run
  bool help = false;          ///< -h, --help
  bool version = false;       ///< --version
};

/// Parses the arguments (without the program name). False with a message in
/// `error` when they are wrong.
/// `error` is in `language`.
bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error,
                  base::Language language = base::Language::kJapanese);

/// The usage text.
std::string UsageText(base::Language language = base::Language::kJapanese);

/// Where a run reads, writes and reports: the console takes the report
/// (standard output) and the errors (standard error).
struct RunEnvironment : base::RunEnvironment {
  base::PathResolver& resolver;  ///< where the source folder really leads
  /// With --json or --diagnostics, the report (UTF-8) is stored here
  /// instead of being written to the console, so that the caller writes it
  /// unconverted.
  std::string* json = nullptr;
};

/// Runs one build of `options.project` and answers the exit status.
int RunProjectBuild(const Options& options, RunEnvironment& env);

}  // namespace pakforge_build
