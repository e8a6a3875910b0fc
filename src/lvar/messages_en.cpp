// lvar's texts in English.

#include "base/text_table.h"
#include "lvar/messages.h"

namespace lvar {
namespace {

constexpr base::TextEntry<Message> kEnglish[] = {
    {Message::kUsage,
     "lvar: lists, checks, compares and extracts install archives (.lvar)\n"
     "\n"
     "Usage:\n"
     "  lvar list    [--json] ARCHIVE         the header and one line per entry\n"
     "  lvar verify  [--json] ARCHIVE         check every field and the checksum\n"
     "  lvar diff    [--json] A B             entries added, removed and changed\n"
     "  lvar extract [--force] [--rename] [--native-ina] ARCHIVE [DIR]\n"
     "                                        write every entry into DIR\n"
     "  lvar plan    [--json] ARCHIVE         what installing does on the device\n"
     "  lvar -h | --help | --version\n"
     "\n"
     "Options:\n"
     "  --json        one JSON document (UTF-8) on standard output\n"
     "  --force       extract into a folder that is not empty (never replaces files)\n"
     "  --rename      number later entries of a name met twice instead of refusing\n"
     "  --native-ina  also write the header's device bytes as Native.ina\n"
     "\n"
     "Exit status: 0 sound / done / identical, 1 archives differ (diff),\n"
     "  2 usage error (diff: any error), 3 cannot open or read, 4 not an archive,\n"
     "  5 truncated, 6 a field with an impossible value, 7 count, kind order,\n"
     "  checksum or Install.inf wrong, 8 extraction refused, 9 cannot write,\n"
     "  10 the stored install information fails the builder's checks.\n"},
    {Message::kFailure, "lvar: %s: %s\n"},
    {Message::kFailureAt, "lvar: %s: offset %s: %s\n"},
    {Message::kUsageError,
     "lvar: %s\n"
     "(lvar --help shows the usage)\n"},
    {Message::kUnknownOption, "unknown option %s"},
    {Message::kUnknownCommand, "unknown command %s"},
    {Message::kWrongArgumentCount, "wrong number of arguments for %s"},
    {Message::kJsonNotForExtract, "--json is not an option of extract"},
    {Message::kExtractOnlyOptions, "--force, --rename and --native-ina are options of extract"},
    {Message::kHeaderEntries, "entries:          %u\n"},
    {Message::kHeaderPlatformMask, "platform mask:    %s\n"},
    {Message::kHeaderOsMask, "OS version mask:  %s\n"},
    {Message::kHeaderCpuMask, "CPU type mask:    %s\n"},
    {Message::kHeaderDestination, "destination:      %u (%s)\n"},
    {Message::kBlockPlatform, "platform information:"},
    {Message::kBlockOsVersion, "OS version information:"},
    {Message::kBlockCpuType, "CPU type information:"},
    {Message::kListColumns,
     "\n"
     "offset      kind                       size  name\n"},
    {Message::kKindInstallInformation, "install information"},
    {Message::kKindProgram, "program"},
    {Message::kKindData, "data"},
    {Message::kKindUnknown, "unknown"},
    {Message::kVerifySound, "%s: sound: %d entries, %llu bytes, checksum 0x%02X\n"},
    {Message::kDiffHeader, "header %s: %s -> %s\n"},
    {Message::kDiffChanged, "~ %s (%s, %u bytes -> %s, %u bytes)\n"},
    {Message::kDiffAddedOrRemoved, "%c %s (%s, %u bytes)\n"},
    {Message::kDiffOrder, "the entries are stored in another order\n"},
    {Message::kExtractedRenamed, "%10u  %s (stored as %s)\n"},
    {Message::kExtractedNativeInfo, "%10u  Native.ina (the header's device bytes)\n"},
    {Message::kExtractDone, "%u files written into %s\n"},
    {Message::kExtractDoneOne, "%u file written into %s\n"},
    {Message::kRebuild, "rebuild: pakmak %s ARCHIVE -p %04X -o %04X -c %04X\n"},
    {Message::kPlanLabelLine, "%-18s %s\n"},
    {Message::kPlanDestination, "destination:"},
    {Message::kPlanDestinationCode, "%s (code %u)"},
    {Message::kPlanInstallFolder, "install folder:"},
    {Message::kPlanStartupProgram, "start-up program:"},
    {Message::kPlanMenuCaption, "menu caption:"},
    {Message::kPlanFolders, "folders made:"},
    {Message::kPlanFiles, "files copied:"},
    {Message::kPlanRegistry, "registry values:"},
    {Message::kPlanUninstall, "uninstall:"},
    {Message::kPlanNoUninstall, "uninstall:         no uninstall description\n"},
    {Message::kPlanFilesDeleted, "  files deleted:"},
    {Message::kPlanFoldersDeleted, "  folders deleted:"},
    {Message::kPlanRegistryDeleted, "  registry deleted:"},
    {Message::kPlanWarnings, "warnings:"},
    {Message::kPlanNone, " none"},
    {Message::kPlanNotInArchive, " (not in the archive)"},
};
static_assert(base::CoversEveryIdInOrder(kEnglish, Message::kCount));

}  // namespace

const char* EnglishMessage(Message id) { return kEnglish[static_cast<int>(id)].text; }

}  // namespace lvar
