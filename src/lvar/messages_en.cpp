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
    {Message::kDestinationNone, "none"},
    {Message::kDestinationUnknown, "unknown"},
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
    {Message::kFaultNoSuchFile, "no such file"},
    {Message::kFaultIsFolder, "a folder, not an archive file"},
    {Message::kFaultCannotOpen, "cannot open the file"},
    {Message::kFaultReadError, "read error at offset %s"},
    {Message::kFaultEndsInHeader, "the file ends at offset %s inside the 256-byte header"},
    {Message::kFaultEndsInEntryFields, "the file ends at offset %s inside the fixed fields of the entry at offset %s"},
    {Message::kFaultEndsInEntryName,
     "the file ends at offset %s inside the name or size field of the entry at offset %s"},
    {Message::kFaultEndsInContent,
     "the file ends at offset %s inside the content of the entry at offset %s (%s of its %s bytes missing)"},
    {Message::kFaultNoChecksum,
     "the file ends at offset %s inside the archive: the checksum byte after the last entry is missing"},
    {Message::kFaultShorterThanLengthField, "not an archive: the file is shorter than the header length field"},
    {Message::kFaultHeaderLength, "not an archive: the header length field at offset 0x00000000 is %s, not 0x0100"},
    {Message::kFaultHeaderByte, "header byte at offset %s is %s; the header bytes %s-%s are always zero"},
    {Message::kFaultEntryZeroField, "the field at offset %s of the entry at offset %s is %s, not zero"},
    {Message::kFaultEntryKind, "the kind of the entry at offset %s is %s, not 1, 2 or 3"},
    {Message::kFaultKindOrder,
     "the %s entry at offset %s follows a %s entry (install information, then programs, then data)"},
    {Message::kFaultNameNulEarly,
     "the name of the entry at offset %s is %s bytes long but its NUL comes after %s bytes (byte at offset %s is %s)"},
    {Message::kFaultNameNoNul,
     "the name of the entry at offset %s is %s bytes long but no NUL follows (byte at offset %s is %s)"},
    {Message::kFaultNameHoldsNul, "the name of the entry at offset %s holds a NUL before its end"},
    {Message::kFaultLengthTooLong,
     "the length field of the entry at offset %s is %s, too long: name (%s) and size (%s) give %s"},
    {Message::kFaultLengthTooShort,
     "the length field of the entry at offset %s is %s, too short: name (%s) and size (%s) give %s"},
    {Message::kFaultEntryBeyondCount,
     "an entry at offset %s beyond the %s entries that the count at offset 0x00000002 gives"},
    {Message::kFaultCountMismatch, "the entry count at offset 0x00000002 is %s but the archive holds %s entries"},
    {Message::kFaultChecksum, "the checksum byte at offset %s is %s but the bytes before it give %s"},
    {Message::kFaultNoInstallInfo,
     "no install information entry named Install.inf (entries start at offset 0x00000100)"},
    {Message::kRefusedUnsafeName, "refused: the name \"%s\" of the entry at offset %s holds %s"},
    {Message::kRefusedTakenName,
     "refused: the name \"%s\" of the entry at offset %s is taken by an earlier file (--rename numbers the later "
     "ones)"},
    {Message::kRefusedUnsafeNumberedName, "refused: the numbered name \"%s\" of the entry at offset %s holds %s"},
    {Message::kRefusedNotFolder, "refused: %s exists and is not a folder"},
    {Message::kRefusedFolderNotEmpty, "refused: the folder %s is not empty (--force writes into it)"},
    {Message::kFaultArchiveChanged, "the archive changed while it was being extracted"},
    {Message::kCannotCreateFile, "cannot create %s (does a file of that name exist already?)"},
    {Message::kCannotWriteFile, "cannot write %s"},
    {Message::kCannotCreateFolder, "cannot create the folder %s"},
    {Message::kCannotReadFolder, "cannot read the folder %s"},
    {Message::kInfNotStoredAsInf, "%s is not stored as an install information file"},
    {Message::kInfTooLarge, "the install information entry %s is too large to read"},
    {Message::kInfFailsChecks, "the stored %s does not pass the builder's checks (code %s)"},
    {Message::kWarnNotInArchive, "the copy line for %s names a file that is not in the archive"},
    {Message::kWarnSameDevicePath, "%s and %s both land on %s"},
    {Message::kWarnNoCopyLine, "the archive file %s is named by no copy line"},
    {Message::kWarnUninstallMissing, "the uninstall description %s is not in the archive"},
    {Message::kFieldEntryCount, "entry count (0x02)"},
    {Message::kFieldPlatformMask, "platform mask (0x04)"},
    {Message::kFieldOsVersionMask, "OS version mask (0x94)"},
    {Message::kFieldCpuTypeMask, "CPU type mask (0xB0)"},
    {Message::kFieldDestination, "destination (0xDC)"},
    {Message::kFieldPlatformBlock, "platform information (0x08)"},
    {Message::kFieldOsVersionBlock, "OS version information (0x98)"},
    {Message::kFieldCpuTypeBlock, "CPU type information (0xB4)"},
    {Message::kRefusedNoFolderName,
     "refused: the archive's file name gives no usable folder name (it would be empty, . or ..); name the folder: lvar extract ARCHIVE DIR"},
    {Message::kFaultSameName,
     "the entries at offsets %s and %s are named %s and %s, one name when letter case is ignored: copy lines cannot tell them apart"},
    {Message::kWarnStartupNotCopied,
     "the start-up program %s (ExeFile) is not a file that a copy line copies"},
    {Message::kWarnIconNotCopied,
     "the icon %s (Icon) is not a file that a copy line copies"},
};
static_assert(base::CoversEveryIdInOrder(kEnglish, Message::kCount));

}  // namespace

const char* EnglishMessage(Message id) { return kEnglish[static_cast<int>(id)].text; }

}  // namespace lvar
