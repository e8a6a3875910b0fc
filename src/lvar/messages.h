#pragma once
// lvar's texts for people: one id per text, and the text of each id in every
// language lvar speaks (messages_en.cpp, messages_ja.cpp). JSON documents and
// the words they hold are the same in every language.

#include "base/console.h"
#include "base/language.h"

namespace lvar {

/// lvar's texts. A new text is one id here and one line in each language's
/// table.
enum class Message {
  kUsage,
  kFailure,
  kFailureAt,
  kUsageError,
  kUnknownOption,
  kUnknownCommand,
  kWrongArgumentCount,
  kJsonNotForExtract,
  kExtractOnlyOptions,
  kHeaderEntries,
  kHeaderPlatformMask,
  kHeaderOsMask,
  kHeaderCpuMask,
  kHeaderDestination,
  kBlockPlatform,
  kBlockOsVersion,
  kBlockCpuType,
  kListColumns,
  kKindInstallInformation,
  kKindProgram,
  kKindData,
  kKindUnknown,
  kVerifySound,
  kDiffHeader,
  kDiffChanged,
  kDiffAddedOrRemoved,
  kDiffOrder,
  kExtractedRenamed,
  kExtractedNativeInfo,
  kExtractDone,
  kExtractDoneOne,
  kRebuild,
  kPlanLabelLine,
  kPlanDestination,
  kPlanDestinationCode,
  kPlanInstallFolder,
  kPlanStartupProgram,
  kPlanMenuCaption,
  kPlanFolders,
  kPlanFiles,
  kPlanRegistry,
  kPlanUninstall,
  kPlanNoUninstall,
  kPlanFilesDeleted,
  kPlanFoldersDeleted,
  kPlanRegistryDeleted,
  kPlanWarnings,
  kPlanNone,
  kPlanNotInArchive,

  kCount  ///< the number of texts, not a text
};

/// The languages lvar speaks; the first, English, is its default, so that a
/// C or POSIX locale keeps the English that scripts read.
inline constexpr base::Language kMessageLanguages[] = {base::Language::kEnglish, base::Language::kJapanese};

/// The text of `id` in English, ASCII (messages_en.cpp).
const char* EnglishMessage(Message id);
/// The text of `id` in Japanese, as Shift-JIS bytes (messages_ja.cpp).
const char* JapaneseMessage(Message id);

/// The text of `id` in `language`; English for a language lvar lacks.
inline const char* MessageText(base::Language language, Message id) {
  return language == base::Language::kJapanese ? JapaneseMessage(id) : EnglishMessage(id);
}

/// Writes text `id` to `stream` in the console's language, its printf
/// conversions filled from `args`.
template <typename... Args>
void Say(base::Console& console, base::Stream stream, Message id, Args... args) {
  console.WriteText(stream, MessageText(console.language(), id), args...);
}

}  // namespace lvar
