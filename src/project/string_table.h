#pragma once
// Pakforge's string table in each of its languages, as UTF-8, for programs
// that show the wizard's texts without its resources (pakforge-build). The
// table is made at build time from the resource scripts' string tables
// (resources/strings_*.rc), so the two never differ.

#include <span>

#include "base/language.h"

namespace project {

/// The languages Pakforge speaks; the first is its default.
inline constexpr base::Language kWizardLanguages[] = {base::Language::kJapanese,
                                                      base::Language::kEnglish};

/// One text of the string table: its IDS_ id and its UTF-8 text, with the
/// resource script's escapes resolved.
struct StringEntry {
  int id;
  const char* utf8;
};

/// The string table in `language`, in the order of its resource script; a
/// language Pakforge does not speak gives the English table.
std::span<const StringEntry> StringTable(base::Language language);

/// The UTF-8 text of string `id` in `language`; null when the table has none.
const char* StringText(base::Language language, int id);

}  // namespace project
