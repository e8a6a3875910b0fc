// lvar: lists, verifies, compares, plans and extracts install archives.

#include <string>
#include <vector>

#include "base/console.h"
#include "base/file_system.h"
#include "base/language.h"
#include "base/listing.h"
#include "base/program_arguments.h"
#include "lvar/commands.h"
#include "lvar/messages.h"

int main(int argc, char** argv) {
  const base::Language language = base::ChooseLanguage(base::CurrentLanguageRequest(), lvar::kMessageLanguages);
  std::unique_ptr<base::Console> console =
      base::MakeProcessConsole(base::EncodingFromEnvironment("LVAR_ENCODING"), language);
  std::unique_ptr<base::Console> json = base::MakeProcessConsole(base::ConsoleEncoding::kCp932, language);
  std::vector<std::string> args = base::ProgramArguments(argc, argv);
  lvar::LvarEnvironment env{{*console, base::SystemFileSystem(), base::SystemFolderLister()}, *json};
  return lvar::RunLvar(args, env);
}
