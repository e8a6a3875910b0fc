#include "base/language.h"

#include <gtest/gtest.h>

#include <vector>

namespace base {
namespace {

constexpr Language kJa = Language::kJapanese;
constexpr Language kEn = Language::kEnglish;
constexpr Language kRu = Language::kRussian;

TEST(LanguageTest, ChoosesByOverrideThenSystemThenLocale) {
  const std::vector<Language> console = {kJa, kEn};       // pakmak, lvar, Pakforge
  const std::vector<Language> launcher = {kRu, kEn, kJa};  // Setup
  const std::vector<Language> japanese_only = {kJa};
  struct Case {
    const char* override_tag;
    const char* locale;
    unsigned ui_language;
    unsigned code_page;
    const std::vector<Language>* available;
    Language expected;
  } cases[] = {
      // POSIX locales: unset, C and POSIX ask for nothing and get English.
      {"", "", 0, 0, &console, kEn},
      {"", "C", 0, 0, &console, kEn},
      {"", "C.UTF-8", 0, 0, &console, kEn},
      {"", "POSIX", 0, 0, &console, kEn},
      {"", "POSIX.utf8@euro", 0, 0, &console, kEn},
      {"", "ja_JP.UTF-8", 0, 0, &console, kJa},
      {"", "en_US.UTF-8", 0, 0, &console, kEn},
      {"", "de_DE.UTF-8", 0, 0, &console, kEn},
      {"", "ru_RU.UTF-8", 0, 0, &console, kEn},  // a language the program lacks
      {"", "ru_RU.UTF-8", 0, 0, &launcher, kRu},
      {"", "", 0, 0, &launcher, kEn},
      {"", "", 0, 0, &japanese_only, kJa},  // no English: the program's default
      // Windows user interface languages (any sublanguage).
      {"", "", 0x0411, 932, &console, kJa},
      {"", "", 0x0409, 1252, &console, kEn},
      {"", "", 0x0407, 1252, &console, kEn},
      {"", "", 0x0419, 1251, &console, kEn},
      {"", "", 0x0411, 932, &launcher, kJa},
      // The override wins over both, in any case and with a region.
      {"en", "ja_JP.UTF-8", 0, 0, &console, kEn},
      {"EN", "", 0x0411, 932, &console, kEn},
      {"ja_JP", "en_US.UTF-8", 0, 0, &console, kJa},
      {"ru", "", 0x0411, 932, &launcher, kRu},  // Russian shows in code page 932
      {"ru", "", 0x0411, 932, &console, kEn},
      {"xx", "", 0, 0, &console, kEn},
      // A code page that cannot show the texts gives English.
      {"ja", "", 0x0409, 1252, &console, kEn},
      {"", "", 0x0411, 1252, &console, kEn},
      {"ru", "", 0x0409, 1252, &launcher, kEn},
      {"", "", 0x0419, 1251, &launcher, kRu},
      {"", "", 0x0411, 65001, &console, kJa},
  };
  for (const Case& c : cases) {
    LanguageRequest request{c.override_tag, c.locale, c.ui_language, c.code_page};
    EXPECT_EQ(ChooseLanguage(request, *c.available), c.expected)
        << "override '" << c.override_tag << "', locale '" << c.locale << "', ui " << std::hex << c.ui_language
        << ", code page " << std::dec << c.code_page;
  }
}

}  // namespace
}  // namespace base
