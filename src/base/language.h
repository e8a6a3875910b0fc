#pragma once
// The language a program of the kit speaks, chosen once at start from what
// the process asks for (the override LORIVANDER_LANG, the Windows user
// interface language or the POSIX locale) and from what the program has.
// Japanese comes from a "ja" override, a Japanese user interface or a ja_*
// locale; a process that asks for nothing gets English.

#include <span>
#include <string>
#include <string_view>

namespace base {

enum class Language { kJapanese, kEnglish, kRussian };

/// What decides a program's language, gathered from the process.
struct LanguageRequest {
  std::string override_tag;          ///< LORIVANDER_LANG ("ja", "en", "ru"), empty when unset
  std::string posix_locale;          ///< first set of LC_ALL, LC_MESSAGES, LANG (POSIX); empty when none
  unsigned windows_ui_language = 0;  ///< GetUserDefaultUILanguage() (Windows); 0 on POSIX
  unsigned ansi_code_page = 0;       ///< GetACP() on Windows; 0 on POSIX (no code-page limit)
};

/// The language to use for a program that has the `available` languages,
/// the first being its default (never empty). In order:
/// - a non-empty `override_tag` names the language ("ja", "en", "ru", or a
///   locale name such as "en_US"; any case);
/// - else a non-zero `windows_ui_language` names it by its primary language;
/// - else `posix_locale` names it by its language part; an empty locale,
///   "C" or "POSIX" (with any suffix, as in "C.UTF-8") states no preference
///   and gives English, as users of command-line tools expect.
/// That no preference, a language the program lacks, one the kit does not
/// know, and one whose texts `ansi_code_page` cannot show fall back to
/// English (to the program's default when it has no English).
Language ChooseLanguage(const LanguageRequest& request, std::span<const Language> available);

/// True when texts of `language` can be shown in the ANSI code page
/// `code_page` (0 stands for no limit).
bool CodePageShows(unsigned code_page, Language language);

/// This process's request, read from its environment (and on Windows from
/// the system).
LanguageRequest CurrentLanguageRequest();

/// The Windows LANGID of a language (for FindResourceEx, LANGUAGE blocks).
unsigned short WindowsLanguageId(Language language);

/// The short tag of a language: "ja", "en" or "ru".
std::string_view LanguageTag(Language language);

}  // namespace base
