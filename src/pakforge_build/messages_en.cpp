// pakforge-build's texts in English.

#include "base/text_table.h"
#include "pakforge_build/messages.h"

namespace pakforge_build {
namespace {

constexpr base::TextEntry<Message> kEnglish[] = {
    {Message::kUsage,
     "Usage: pakforge-build PROJECT_FILE [--source DIR] [--output NAME] [--check] [--clean]\n"
     "                      [--json | --diagnostics=FORMAT] [--warnings=error]\n"
     "Builds the archive of a project saved by Pakforge: checks it as the wizard does,\n"
     "writes the files of Finish and runs the archive builder.\n"
     "  --source DIR   use the source folder DIR (beside the project file) for this run\n"
     "  --output NAME  write the archive NAME.lvar for this run (a trailing .lvar is\n"
     "                 taken as the extension)\n"
     "  --check        write the descriptions and stop after the builder's check; no\n"
     "                 archive is written or deleted\n"
     "  --clean        delete, and list, the .txt/.inf files of the source folder that\n"
     "                 Pakforge did not write\n"
     "  --json         print the report as one JSON document\n"
     "  --diagnostics=FORMAT\n"
     "                 report every problem of the project file and of the written\n"
     "                 descriptions on standard output, as gnu, jsonl or sarif\n"
     "  --warnings=error\n"
     "                 fail when anything is warned of; no archive is written\n"
     "  -h, --help     print this text\n"
     "  --version      print the version\n"
     "Exit status: 0 built (or checked); 64 usage; 65 refused by a check; 66 project file\n"
     "unreadable; 67 foreign .txt/.inf files; 73 files not written; otherwise the\n"
     "archive builder's status.\n"},
    {Message::kOptionNeedsValue, "%s needs a value"},
    {Message::kUnknownOption, "unknown option %s"},
    {Message::kOneProjectOnly, "one project file only"},
    {Message::kNoProjectGiven, "no project file given"},
    {Message::kProjectNameNotSjis, "the project file's name has no Shift-JIS form: %s; rename the file"},
    {Message::kCurrentFolderUnnamed, "cannot read the name of the current folder, which holds the project file"},
    {Message::kProjectTooLarge, "the project file '%s' is larger than 64 MiB, far larger than Pakforge writes one"},
    {Message::kCannotReadProject, "cannot read the project file '%s'"},
    {Message::kValueNotSjis, "no Shift-JIS form: %s; use only characters that Shift-JIS has"},
    {Message::kUnlistedFile, "'%s' is in the source folder but in no file row"},
    {Message::kForeignFiles, "the source folder holds .txt/.inf files that Pakforge does not write; --clean deletes them:"},
    {Message::kCannotEnter, "cannot enter %s"},
    {Message::kBuilderFailed, "the archive builder failed with code 0x%08X"},
    {Message::kWarning, "warning: "},
    {Message::kWrote, "Wrote %s\n"},
    {Message::kDeleted, "Deleted %s\n"},
    {Message::kArchiveBuilt, "Archive %s: %llu bytes, %s\n"},
    {Message::kCheckPassed, "Check passed: %s\n"},
    {Message::kEntries, "%u entries"},
    {Message::kEntry, "%u entry"},
    {Message::kPlusNativeIna, " (+ Native.ina)"},
    {Message::kInSubFolders, " in %u sub-folders"},
    {Message::kInSubFolder, " in %u sub-folder"},
    {Message::kWordsRefused,
     "the project file holds values that Pakforge never writes, which would be read as other values:"},
    {Message::kWordNotWritten,
     "%s:%s: %s=%s is not a value that Pakforge writes; write one of %s (Pakforge would read it as %s)"},
    {Message::kSectionNotRead,
     "%s:%s: the section [%s] is not read by Pakforge"},
    {Message::kKeyNotRead,
     "%s:%s: the key %s is not read by Pakforge"},
    {Message::kDidYouMean,
     "; did you mean %s?"},
    {Message::kMoreNotListed,
     "... and %s more"},
    {Message::kExeNotAFileRow,
     "the start-up program %s is not among the files copied into the application folder (the CopyFile rows without a Folder); name one of those files in Exe"},
    {Message::kKeyAt,
     "%s:%s: %s=%s"},
    {Message::kKeyAbsent,
     "%s: the key %s is not set"},
    {Message::kOptionValue,
     "%s %s (replaces %s)"},
    {Message::kBadDiagnosticsFormat,
     "--diagnostics takes gnu, jsonl or sarif"},
    {Message::kBadWarningsValue,
     "--warnings takes only the value error"},
    {Message::kJsonWithDiagnostics,
     "--json and --diagnostics both write to standard output; give only one of them"},
    {Message::kWarningsAreErrors,
     "warnings count as errors (--warnings=error); no archive was written"},
    {Message::kFromKey,
     " (from %s)"},
    {Message::kUnconvertibleInValue,
     "%s:%s: the value of %s holds the character %s, which Shift-JIS lacks, so this file saved as UTF-8 cannot be read; replace the character, or save the file as Shift-JIS"},
    {Message::kUnconvertibleInLine,
     "%s:%s: this line holds the character %s, which Shift-JIS lacks, so this file saved as UTF-8 cannot be read; replace the character, or save the file as Shift-JIS"},
    {Message::kMalformedUtf8,
     "%s:%s: this line holds the byte %s, which is not UTF-8, though the file begins with the UTF-8 byte-order mark, so this file cannot be read; save the file as UTF-8 again, or as Shift-JIS"},
};
static_assert(base::CoversEveryIdInOrder(kEnglish, Message::kCount));

}  // namespace

const char* EnglishMessage(Message id) { return kEnglish[static_cast<int>(id)].text; }

}  // namespace pakforge_build
