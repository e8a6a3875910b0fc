#pragma once
// The builder's texts: one id per message, and the text of each id in every
// language the builder speaks (messages_ja.cpp, messages_en.cpp). Messages
// reach the console through Say(), in the console's language. The install
// information reader's messages, with the hexadecimal data messages that the
// mask values share, are its own (inf/messages.h).

#include "base/console.h"
#include "base/language.h"

namespace builder {

/// The builder's messages. A new message is one id here and one line in each
/// language's table.
enum class Message {
  // The usage text, line by line (line 17 serves the three masks).
  kUsage1,
  kUsage2,
  kUsage3,
  kUsage4,
  kUsage5,
  kUsage6,
  kUsage7,
  kUsage8,
  kUsage9,
  kUsage10,
  kUsage11,
  kUsage12,
  kUsage13,
  kUsage14,
  kUsage15,
  kUsage16,
  kUsage17,
  kUsage18,
  kUsage20,

  // The command line and its mask values.
  kTooManyArguments,
  kMaskValueMissing,
  kBadOption,
  kDirectoryMissing,
  kHexWrongLength,

  // The scan, the driver and the archive writer.
  kCantFindDirectory,
  kCantOpenFile,
  kCantReadFile,
  kCantFindMandatoryFile,
  kCantOpenArchive,
  kCantWriteArchive,
  kOkCheckPassed,
  kEntryCounts,
  kErrorCodeLine,
  kNameNotShiftJis,
  kNotRegularFile,
  kCantExamineEntry,
  kCantWriteOutput,
  kFileSizeChanged,
  kCantReplaceArchive,
  kTooManyEntries,
  kNameTooLong,
  kFileTooLarge,
  kNativeInfoSizeFound,
  kNativeInfoTooLong,
  kNativeInfoPlaceholder,
  kLinkLeadsOutside,
  kLinkMakesLoop,
  kNameCaseClash,
  kCopiedFileMissing,
  kKeyFileMissing,
  kMoreFilesMissing,

  kBadDiagnosticsFormat,
  kBadWarningsValue,
  kWarningsAreErrors,
  // An entry of the source folder changed between the listing and its use.
  kEntryChanged,

  kCount  ///< the number of messages, not a message
};

/// The languages the builder speaks; the first is its default.
inline constexpr base::Language kMessageLanguages[] = {base::Language::kJapanese, base::Language::kEnglish};

/// The text of `id` in Japanese, as Shift-JIS bytes (messages_ja.cpp).
const char* JapaneseMessage(Message id);
/// The text of `id` in English, ASCII (messages_en.cpp).
const char* EnglishMessage(Message id);

/// The text of `id` in `language`; English for a language the builder lacks.
inline const char* MessageText(base::Language language, Message id) {
  return language == base::Language::kJapanese ? JapaneseMessage(id) : EnglishMessage(id);
}

}  // namespace builder
