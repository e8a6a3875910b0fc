#pragma once
// pakforge-build's own texts: one id per text, and the text of each id in
// every language it speaks (messages_ja.cpp, messages_en.cpp). The wizard's
// refusals come from the wizard's string table (wizard_messages.h); the
// builder's lines from the builder's. The JSON report's keys are the same in
// every language.

#include <string>

#include "base/language.h"

namespace pakforge_build {

/// pakforge-build's texts. A new text is one id here and one line in each
/// language's table.
enum class Message {
  kUsage,
  kOptionNeedsValue,
  kUnknownOption,
  kOneProjectOnly,
  kNoProjectGiven,
  kProjectNameNotSjis,
  kCurrentFolderUnnamed,
  kProjectTooLarge,
  kCannotReadProject,
  kValueNotSjis,
  kUnlistedFile,
  kForeignFiles,
  kCannotEnter,
  kBuilderFailed,
  kWarning,
  kWrote,
  kDeleted,
  kArchiveBuilt,
  kCheckPassed,
  kEntries,
  kEntry,
  kPlusNativeIna,
  kInSubFolders,
  kInSubFolder,
  kWordsRefused,
  kWordNotWritten,
  kSectionNotRead,
  kKeyNotRead,
  kDidYouMean,
  kMoreNotListed,
  kExeNotAFileRow,
  kKeyAt,
  kKeyAbsent,
  kOptionValue,
  kBadDiagnosticsFormat,
  kBadWarningsValue,
  kJsonWithDiagnostics,
  kWarningsAreErrors,
  kFromKey,
  kUnconvertibleInValue,
  kUnconvertibleInLine,
  kMalformedUtf8,
  kCount  ///< the number of texts, not a text
};

/// The languages pakforge-build speaks; the first, Japanese, is its
/// default, as for the builder whose lines it shows.
inline constexpr base::Language kMessageLanguages[] = {base::Language::kJapanese, base::Language::kEnglish};

/// The text of `id` in Japanese, as Shift-JIS bytes (messages_ja.cpp).
const char* JapaneseMessage(Message id);
/// The text of `id` in English, ASCII (messages_en.cpp).
const char* EnglishMessage(Message id);

/// The text of `id` in `language`, its printf conversions filled from the
/// arguments (English for a language pakforge-build lacks).
std::string Text(base::Language language, Message id, ...);

}  // namespace pakforge_build
