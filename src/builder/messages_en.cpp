// The builder's messages in English. "Ok, Check Passed.", the "Error Code"
// line, the entry counts and the builder's historic "Error: Can't ..."
// messages (opening and reading a file, a mandatory file, opening and
// writing the archive) read as in Japanese, so that scripts that look for
// them find them in either language; only the missing folder's message is
// worded anew. The kit's own messages have a Japanese text of their own.

#include "base/text_table.h"
#include "builder/messages.h"

namespace builder {
namespace {

constexpr base::TextEntry<Message> kEnglish[] = {
    // The usage text, line by line (line 17 serves the three masks).
    {Message::kUsage1, "Pakmak: builds archives for remote installation\n"},
    {Message::kUsage2, "  Usage: Pakmak DIRECTORY [ ARCHIVE ] [ -%c MASK ] [ -%c MASK ] [ -%c MASK ]\n\n"},
    {Message::kUsage3, "DIRECTORY: the source folder\n"},
    {Message::kUsage4, "  - the folder that holds the files below\n"},
    {Message::kUsage5, "      1. the device description file (%s)\n"},
    {Message::kUsage6, "         (made by running Devprobe on the target device)\n"},
    {Message::kUsage7, "      2. install information files (%s and others)\n"},
    {Message::kUsage8, "      3. program files (EXE, DLL and others)\n"},
    {Message::kUsage9, "      4. other data files (BMP, WAV and others)\n"},
    {Message::kUsage10, "  - the archive is made from the files in the folder\n"},
    {Message::kUsage11, "  - the folder may hold subfolders, nested to any depth\n"},
    {Message::kUsage12, "  - without it, this message is printed\n"},
    {Message::kUsage13, "ARCHIVE: the name of the archive\n"},
    {Message::kUsage14, "  - the archive to make (any name)\n"},
    {Message::kUsage15, "  - without it, no archive is made (checks only)\n"},
    {Message::kUsage16, "-p MASK: the platform information mask\n"},
    {Message::kUsage17, "  - the upper 2 bytes of the mask in hexadecimal (default: -%c %04X)\n"},
    {Message::kUsage18, "-o MASK: the OS version information mask\n"},
    {Message::kUsage20, "-c MASK: the CPU type information mask\n"},

    // The command line and its mask values.
    {Message::kTooManyArguments, "Error: too many command-line arguments\n"},
    {Message::kMaskValueMissing, "Error: the mask value (hexadecimal) of -%c is missing\n"},
    {Message::kBadOption, "Error: invalid option\n"},
    {Message::kDirectoryMissing, "Error: no source folder is given\n"},
    {Message::kHexWrongLength, "Error: the hexadecimal data is too short or too long\n"},

    // The scan, the driver and the archive writer.
    {Message::kCantFindDirectory, "Error: Can't find the folder [ %s ].\n"},
    {Message::kCantOpenFile, "Error: Can't open a file [ %s ].\n"},
    {Message::kCantReadFile, "Error: Can't read a file [ %s ].\n"},
    {Message::kCantFindMandatoryFile, "Error: Can't find mandatory file [ %s ].\n"},
    {Message::kCantOpenArchive, "Error: Can't open archive file [ %s ].\n"},
    {Message::kCantWriteArchive, "Error: Can't write archive file [ %s ].\n"},
    {Message::kOkCheckPassed, "Ok, Check Passed.\n"},
    {Message::kEntryCounts, "Install Information File = %d, Program File = %d, Data File = %d\n"},
    {Message::kErrorCodeLine, "Error Code = 0x%08X\n"},
    {Message::kNameNotShiftJis, "Error: A file name has no Shift-JIS form; rename the file [ %s ].\n"},
    {Message::kNotRegularFile, "Error: Not a regular file (FIFO, socket or device); move it out of the source folder [ %s ].\n"},
    {Message::kCantExamineEntry, "Error: Can't examine an entry of the folder [ %s ].\n"},
    {Message::kCantWriteOutput, "Error: Can't write to standard output.\n"},
    {Message::kFileSizeChanged, "Error: A file changed while the archive was written [ %s ].\n"},
    {Message::kCantReplaceArchive, "Error: Can't replace archive file [ %s ].\n"},
    {Message::kTooManyEntries, "Error: Too many files for one archive (%llu; at most 65535).\n"},
    {Message::kNameTooLong, "Error: A file name is too long for the archive (%u bytes; at most 255) [ %s ].\n"},
    {Message::kFileTooLarge, "Error: A file is too large for the archive (an entry of 4 GiB or more) [ %s ].\n"},
    {Message::kNativeInfoSizeFound, "The file holds %llu bytes; a device description has %u.\n"},
    {Message::kNativeInfoTooLong,
     "Warning: The device description holds %llu bytes, not %u: only the first %u are used. "
     "Was it made by Devprobe on the device? [ %s ]\n"},
    {Message::kNativeInfoPlaceholder,
     "Warning: The device description is the example's placeholder, not one made by Devprobe on the device "
     "[ %s ].\n"},
    {Message::kLinkLeadsOutside, "Error: A link leads outside the source folder [ %s ].\n"},
    {Message::kLinkMakesLoop, "Error: A link leads back to a folder that holds it [ %s ].\n"},
    {Message::kNameCaseClash,
     "Error: Two file names differ only in letter case. The archive stores names without their folders, so the "
     "device cannot tell them apart: rename one of them [ %s ] [ %s ].\n"},
    {Message::kCopiedFileMissing,
     "Warning: A copy line names a file that is not packed into the archive, so the device cannot install it "
     "[ %s, line %d: %s ].\n"},
    {Message::kKeyFileMissing, "Warning: The key %s names a file that is not packed into the archive [ %s, line %d: %s ].\n"},
    {Message::kMoreFilesMissing,
     "Warning: %llu more files that the install information files name are not packed into the archive.\n"},
    {Message::kBadDiagnosticsFormat,
     "Error: unknown value of --diagnostics; give gnu, jsonl or sarif\n"},
    {Message::kBadWarningsValue,
     "Error: unknown value of --warnings; the only value is error\n"},
    {Message::kWarningsAreErrors,
     "Error: the check gave warnings, and --warnings=error makes them errors\n"},
    {Message::kEntryChanged,
     "Error: An entry was replaced, removed or made into a link while the source folder was being read [ %s ]. No "
     "archive was made; build again once nothing else is changing the folder.\n"},
};
static_assert(base::CoversEveryIdInOrder(kEnglish, Message::kCount));

}  // namespace

const char* EnglishMessage(Message id) { return kEnglish[static_cast<int>(id)].text; }

}  // namespace builder
