#pragma once
// The install information reader's texts: one id per message, and the text
// of each id in every language the builder speaks (messages_ja.cpp,
// messages_en.cpp). Pakmak and lvar show them as the reader reports them.
// The hexadecimal data messages serve the builder's mask values too.

#include "base/console.h"
#include "base/language.h"

namespace inf {

/// The install information reader's messages. A new message is one id here
/// and one line in each language's table.
enum class InfMessage {
  // Hexadecimal data: install information values and the builder's mask values.
  kHexInvalidCharacter,
  kHexLowNibbleMissing,
  kHexSizeOver,

  // The reader and its checks.
  kNotShiftJis,
  kStringNotClosed,
  kSectionMustStartWithBracket,
  kTextAfterSectionBracket,
  kSectionIncomplete,
  kUndefinedSection,
  kAssignmentMissing,
  kTextAfterDefinition,
  kDefinitionIncomplete,
  kFirstParameterOmitted,
  kNotSeparatedByComma,
  kThirdParameterComma,
  kParameterCountWrong,
  kUndefinedKeyword,
  kCannotOpenFile,
  kCheckLocation,
  kLineLocation,
  kSectionContext,
  kOutsideSection,
  kLineContext,
  kNotNumeric,
  kNumberTooLarge,
  kNoHexData,
  kDuplicateKeyword,
  kValueAlreadySet,
  kValueTooLong,
  kKeywordMissing,
  kMajorVersionZero,
  kMajorVerMayBeMissing,
  kDestinationInvalid,
  kSectionWithoutDefinition,
  kCopyFilesWithoutDefinition,
  kCommaAtValuePosition,
  kTooManyParameters,
  kMultiSzLimit,
  kSubkeyAndValueNameOmitted,
  kOpenAddRegistryWarning,
  kDestinationAccepted,
  kUtf8Description,

  // Hints the diagnostics mode adds to an error's message.
  kHintQuoteValue,
  kHintCloseString,
  kHintAssignment,
  kHintSaveAsShiftJis,
  kHintSectionHead,
  kHintCommas,

  kCount  ///< the number of messages, not a message
};

/// The text of `id` in Japanese, as Shift-JIS bytes (messages_ja.cpp).
const char* JapaneseInfMessage(InfMessage id);
/// The text of `id` in English, ASCII (messages_en.cpp).
const char* EnglishInfMessage(InfMessage id);

/// The text of `id` in `language`; English for a language the builder lacks.
inline const char* MessageText(base::Language language, InfMessage id) {
  return language == base::Language::kJapanese ? JapaneseInfMessage(id) : EnglishInfMessage(id);
}

}  // namespace inf
