#pragma once
// lvar's texts for people: one id per text, and the text of each id in every
// language lvar speaks (messages_en.cpp, messages_ja.cpp). JSON documents and
// the words they hold are the same in every language.

#include <initializer_list>
#include <string>
#include <vector>

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
  kDestinationNone,
  kDestinationUnknown,
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

  // Faults of an archive and of extraction, and the plan's warnings: texts
  // whose conversions are all %s, filled from a Note.
  kFaultNoSuchFile,
  kFaultIsFolder,
  kFaultCannotOpen,
  kFaultReadError,
  kFaultEndsInHeader,
  kFaultEndsInEntryFields,
  kFaultEndsInEntryName,
  kFaultEndsInContent,
  kFaultNoChecksum,
  kFaultShorterThanLengthField,
  kFaultHeaderLength,
  kFaultHeaderByte,
  kFaultEntryZeroField,
  kFaultEntryKind,
  kFaultKindOrder,
  kFaultNameNulEarly,
  kFaultNameNoNul,
  kFaultNameHoldsNul,
  kFaultLengthTooLong,
  kFaultLengthTooShort,
  kFaultEntryBeyondCount,
  kFaultCountMismatch,
  kFaultChecksum,
  kFaultNoInstallInfo,
  kRefusedUnsafeName,
  kRefusedTakenName,
  kRefusedUnsafeNumberedName,
  kRefusedNotFolder,
  kRefusedFolderNotEmpty,
  kFaultArchiveChanged,
  kCannotCreateFile,
  kCannotWriteFile,
  kCannotCreateFolder,
  kCannotReadFolder,
  kInfNotStoredAsInf,
  kInfTooLarge,
  kInfFailsChecks,
  kWarnNotInArchive,
  kWarnSameDevicePath,
  kWarnNoCopyLine,
  kWarnUninstallMissing,
  // Header fields that diff names.
  kFieldEntryCount,
  kFieldPlatformMask,
  kFieldOsVersionMask,
  kFieldCpuTypeMask,
  kFieldDestination,
  kFieldPlatformBlock,
  kFieldOsVersionBlock,
  kFieldCpuTypeBlock,
  // Later notes (all conversions %s).
  kRefusedNoFolderName,
  kFaultSameName,
  kWarnStartupNotCopied,
  kWarnIconNotCopied,

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

/// One argument of a Note: a text as it is (a name as stored, a number
/// written out), or a text of the table (`word`, such as an entry kind),
/// filled in the language the note is shown in.
struct NoteArgument {
  NoteArgument(std::string text) : text(std::move(text)) {}
  NoteArgument(const char* text) : text(text) {}
  NoteArgument(Message word) : word(word) {}
  std::string text;
  Message word = Message::kCount;  ///< kCount: `text` is the argument
};

/// A text to be shown later, in whatever language the reader speaks: the
/// id of a text whose conversions are all %s, and their arguments in order.
/// The reader, the extractor and the plan answer notes; the command layer
/// shows them (NoteText).
struct Note {
  Note() = default;
  Note(Message id, std::initializer_list<NoteArgument> arguments = {}) : id(id), arguments(arguments) {}
  Message id = Message::kCount;  ///< kCount: no text
  std::vector<NoteArgument> arguments;
};

/// The text of `note` in `language`: each %s filled with the next argument
/// (an empty text when they run out), "%%" giving "%"; the arguments are
/// copied, never read as formats. Empty for a note without text.
std::string NoteText(base::Language language, const Note& note);

}  // namespace lvar
