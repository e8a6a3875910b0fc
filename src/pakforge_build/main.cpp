// pakforge-build: builds the archive of a project saved by Pakforge.
//
//   pakforge-build PROJECT_FILE [--source DIR] [--output NAME] [--check] [--clean]
//                  [--json | --diagnostics=gnu|jsonl|sarif] [--warnings=error]

#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <string>
#include <vector>

#include "base/console.h"
#include "base/file_system.h"
#include "base/interrupt_cleanup.h"
#include "base/language.h"
#include "base/listing.h"
#include "base/path_resolver.h"
#include "base/program_arguments.h"
#include "pakforge_build/messages.h"
#include "pakforge_build/project_build.h"

int main(int argc, char** argv) {
  // An interruption removes the temporary file being written: one of
  // Finish's files or the archive.
  base::InstallInterruptCleanup();
  // Its own texts, the wizard's refusals and the builder's lines all follow
  // the user's language.
  const base::Language language =
      base::ChooseLanguage(base::CurrentLanguageRequest(), pakforge_build::kMessageLanguages);
  std::unique_ptr<base::Console> console =
      base::MakeProcessConsole(base::EncodingFromEnvironment("PAKMAK_ENCODING"), language,
                               /*batch_redirected=*/true);
  std::vector<std::string> args = base::ProgramArguments(argc, argv);
  pakforge_build::Options options;
  std::string error;
  if (!pakforge_build::ParseOptions(args, &options, &error, language)) {
    console->Write(base::Stream::kErr, "pakforge-build: " + error + "\n" + pakforge_build::UsageText(language));
    return pakforge_build::kExitUsage;
  }
  std::string json;
  // The JSON document and the diagnostics report are UTF-8 already.
  const bool utf8_report = options.json || options.diagnostics != builder::DiagnosticsFormat::kNone;
  pakforge_build::RunEnvironment env{{*console, base::SystemFileSystem(), base::SystemFolderLister()},
                                     base::SystemPathResolver(), utf8_report ? &json : nullptr};
  const int status = pakforge_build::RunProjectBuild(options, env);
  if (!json.empty()) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the document's own line ends
#endif
    std::fwrite(json.data(), 1, json.size(), stdout);  // the JSON document or the diagnostics report
    std::fflush(stdout);
  }
  return status;
}
