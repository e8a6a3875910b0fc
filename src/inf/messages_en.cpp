// The install information reader's messages in English.

#include "base/text_table.h"
#include "inf/messages.h"

namespace inf {
namespace {

constexpr base::TextEntry<InfMessage> kEnglish[] = {
    // Hexadecimal data: install information values and the builder's mask values.
    {InfMessage::kHexInvalidCharacter, "Error: a character that is not a hexadecimal digit\n"},
    {InfMessage::kHexLowNibbleMissing, "Error: the hexadecimal data (bytes) lacks its last 4 bits\n"},
    {InfMessage::kHexSizeOver, "Error: too long: at most %u bytes can be given\n"},

    // The reader and its checks.
    {InfMessage::kNotShiftJis, "Error: a character that is not Shift-JIS\n"},
    {InfMessage::kStringNotClosed, "Error: a string is not closed with \"\n"},
    {InfMessage::kSectionMustStartWithBracket, "Error: a section statement must begin with [\n"},
    {InfMessage::kTextAfterSectionBracket, "Error: text follows the ] of a section statement\n"},
    {InfMessage::kSectionIncomplete, "Error: incomplete section statement\n"},
    {InfMessage::kUndefinedSection, "Error: unknown section name\n"},
    {InfMessage::kAssignmentMissing, "Error: the assignment operator = is missing\n"},
    {InfMessage::kTextAfterDefinition, "Error: text follows a definition statement\n"},
    {InfMessage::kDefinitionIncomplete, "Error: incomplete definition statement\n"},
    {InfMessage::kFirstParameterOmitted, "Error: the first parameter cannot be omitted\n"},
    {InfMessage::kNotSeparatedByComma, "Error: the parameters are not separated by commas (,)\n"},
    {InfMessage::kThirdParameterComma, "Error: the value of the third parameter is invalid (,)\n"},
    {InfMessage::kParameterCountWrong, "Error: a definition statement has too few or too many parameters\n"},
    {InfMessage::kUndefinedKeyword, "Error: unknown keyword %s\n"},
    {InfMessage::kCannotOpenFile, "Error: can't open the install information file %s\n"},
    {InfMessage::kCheckLocation, "\nFound in: %s\n"},
    {InfMessage::kLineLocation, "Found in: %s, "},
    {InfMessage::kSectionContext, "[ %s ] section\n"},
    {InfMessage::kOutsideSection, "outside any section\n"},
    {InfMessage::kLineContext, "\nline %d:\n> "},
    {InfMessage::kNotNumeric, "Error: the value %s is not a number\n"},
    {InfMessage::kNumberTooLarge, "Error: the number is too large\n"},
    {InfMessage::kNoHexData, "Error: no hexadecimal data\n"},
    {InfMessage::kDuplicateKeyword, "Error: a keyword is given twice\n"},
    {InfMessage::kValueAlreadySet, "%s already has the value %s\n"},
    {InfMessage::kValueTooLong, "Error: the value of the keyword %s must be at most %d bytes long\n"},
    {InfMessage::kKeywordMissing, "Error: the mandatory keyword %s is missing\n"},
    {InfMessage::kMajorVersionZero, "Error: the major version is 0\n"},
    {InfMessage::kMajorVerMayBeMissing, "The mandatory keyword MajorVer may be missing\n"},
    {InfMessage::kDestinationInvalid, "Error: the value of the mandatory keyword Destination is invalid\n"},
    {InfMessage::kSectionWithoutDefinition, "Error: the [ %s ] section needs at least one definition statement\n"},
    {InfMessage::kCopyFilesWithoutDefinition,
     "Error: No definition statement is found in the [ Copy Files ] section.\n"},
    {InfMessage::kCommaAtValuePosition, "Error: a comma (,) stands in the place of parameter n (n >= 6)\n"},
    {InfMessage::kTooManyParameters, "Error: a definition statement has too many parameters\n"},
    {InfMessage::kMultiSzLimit, "A value of type REG_MULTI_SZ can hold at most %d strings\n"},
    {InfMessage::kSubkeyAndValueNameOmitted,
     "Error: the subkey name and the registry value name cannot both be omitted\n"},
    {InfMessage::kOpenAddRegistryWarning,
     "Warning: the [ Add Registry ] definition statement %s, %s, %s ends with a comma (,) and is left open; it is not added\n"},
    {InfMessage::kDestinationAccepted,
     "Destination = %s on line %d: the accepted values are MAINMEM_ONLY, STORAGE_ONLY and ALTERNATIVE, "
     "in any letter case\n"},
    {InfMessage::kUtf8Description,
     "Warning: The install information file is saved as UTF-8, but the device reads Shift-JIS, so its "
     "non-ASCII text would be garbled. Save it as Shift-JIS (code page 932) [ %s, line %d ].\n"},
    {InfMessage::kHintQuoteValue,
     "(put the value in double quotes)"},
    {InfMessage::kHintCloseString,
     "(end the string with \" on the same line)"},
    {InfMessage::kHintAssignment,
     "(write Keyword = Value)"},
    {InfMessage::kHintSaveAsShiftJis,
     "(save the file as Shift-JIS, code page 932)"},
    {InfMessage::kHintSectionHead,
     "(write a section head as [ Name ] on a line of its own)"},
    {InfMessage::kHintCommas,
     "(separate the parameters with commas)"},
};
static_assert(base::CoversEveryIdInOrder(kEnglish, InfMessage::kCount));

}  // namespace

const char* EnglishInfMessage(InfMessage id) { return kEnglish[static_cast<int>(id)].text; }

}  // namespace inf
