#pragma once
// pakmak-lsp's texts for people: one id per text, and the text of each id in
// every language the server speaks (messages_en.cpp, messages_ja.cpp; the
// Japanese as Shift-JIS bytes, converted to UTF-8 where they leave).

#include <cstddef>
#include <initializer_list>
#include <string>

#include "base/language.h"

namespace lsp {

/// The server's texts. The hover texts stand in the order of the inf
/// reader's lists: the sections by SectionKind, the keys of each key-value
/// section as SectionKeys gives them, the registry words as
/// RegistryRootKeys, RegistryDataTypes and RegistryWriteFlags give them,
/// then the two copy flags.
enum class Message {
  kUsage,
  kUnknownArgument,
  kNotJson,
  kNotRequest,
  kUnknownMethod,
  kBadParams,
  kTooLarge,
  kBadHeader,
  kNotInitialized,
  kShuttingDown,
  kCharacterNotShiftJis,
  kSectionFirst,  // App Information ... Ex-Install Information
  kSectionLast = kSectionFirst + 9,
  kAppKeyFirst,  // Maker, Program, Version, InstallDir, ... Unload
  kAppKeyLast = kAppKeyFirst + 14,
  kUninstallKeyFirst,  // Maker, Program
  kUninstallKeyLast = kUninstallKeyFirst + 1,
  kExInstallKeyFirst,  // Program, TimeOut
  kExInstallKeyLast = kExInstallKeyFirst + 1,
  kRootKeyFirst,  // HKEY_CLASSES_ROOT ... APP_REG_ROOT
  kRootKeyLast = kRootKeyFirst + 4,
  kDataTypeFirst,  // REG_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ
  kDataTypeLast = kDataTypeFirst + 3,
  kWriteFlagFirst,  // FLG_ADDREG_NOCLOBBER, FLG_ADDREG_REPLACEONLY
  kWriteFlagLast = kWriteFlagFirst + 1,
  kCopyNoOverwrite,
  kCopyReplaceOnly,
  kCount
};

/// The text of `id` in `language`, as the table holds it (English is ASCII,
/// Japanese Shift-JIS).
const char* EnglishMessage(Message id);
const char* JapaneseMessage(Message id);
const char* MessageText(base::Language language, Message id);

/// The UTF-8 text of `id` in `language`, each "%s" filled in order from
/// `arguments` (UTF-8 already) and "%%" giving "%".
std::string Text(base::Language language, Message id, std::initializer_list<std::string> arguments = {});

/// The message at `offset` of the block that begins at `first`.
constexpr Message Nth(Message first, std::size_t offset) {
  return static_cast<Message>(static_cast<int>(first) + static_cast<int>(offset));
}

}  // namespace lsp
