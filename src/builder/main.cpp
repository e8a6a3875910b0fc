// Pakmak: turns a source folder into one install archive (.lvar), or only
// checks it when no archive name is given.
//
//   Pakmak DIRECTORY [ ARCHIVE ] [ -p MASK ] [ -o MASK ] [ -c MASK ]
//          [ --diagnostics=gnu|jsonl|sarif ] [ --warnings=error ]

#include <memory>
#include <string>
#include <vector>

#include "base/console.h"
#include "base/file_system.h"
#include "base/interrupt_cleanup.h"
#include "base/language.h"
#include "base/listing.h"
#include "base/program_arguments.h"
#include "builder/driver.h"
#include "builder/messages.h"

int main(int argc, char** argv) {
  base::InstallInterruptCleanup();
  const base::Language language = base::ChooseLanguage(base::CurrentLanguageRequest(), builder::kMessageLanguages);
  std::unique_ptr<base::Console> console =
      base::MakeProcessConsole(base::EncodingFromEnvironment("PAKMAK_ENCODING"), language, /*batch_redirected=*/true);
  std::vector<std::string> args = base::ProgramArguments(argc, argv);
  // The diagnostics mode's report is UTF-8 already: its console passes the
  // bytes on as they are.
  std::unique_ptr<base::Console> report;
  for (const std::string& arg : args) {
    if (arg.rfind("--diagnostics", 0) == 0) report = base::MakeProcessConsole(base::ConsoleEncoding::kCp932, language);
  }
  builder::BuildEnvironment env{{*console, base::SystemFileSystem(), base::SystemFolderLister()}, report.get()};
  builder::BuildErrorCode code = builder::RunBuild(args, env);
  return builder::ExitStatusFor(code);
}
