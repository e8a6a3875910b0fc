#include "base/language.h"

#include <algorithm>
#include <optional>

namespace base {
namespace {

constexpr unsigned kPrimaryJapanese = 0x11;  // LANG_JAPANESE
constexpr unsigned kPrimaryEnglish = 0x09;   // LANG_ENGLISH
constexpr unsigned kPrimaryRussian = 0x19;   // LANG_RUSSIAN

/// The language part of a tag or locale name: the letters before the first
/// '_', '-', '.' or '@', lower-cased ("en_US.UTF-8" gives "en").
std::string LanguagePart(std::string_view name) {
  std::string part;
  for (char c : name) {
    if (c == '_' || c == '-' || c == '.' || c == '@') break;
    part += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return part;
}

/// The kit's language named by `part`, or none for any other.
std::optional<Language> FromTag(std::string_view part) {
  for (Language language : {Language::kJapanese, Language::kEnglish, Language::kRussian})
    if (part == LanguageTag(language)) return language;
  return std::nullopt;
}

std::optional<Language> FromWindowsLanguage(unsigned langid) {
  switch (langid & 0x3FF) {
    case kPrimaryJapanese: return Language::kJapanese;
    case kPrimaryEnglish: return Language::kEnglish;
    case kPrimaryRussian: return Language::kRussian;
    default: return std::nullopt;
  }
}

}  // namespace

bool CodePageShows(unsigned code_page, Language language) {
  if (code_page == 0 || code_page == 65001 || language == Language::kEnglish) return true;
  if (language == Language::kJapanese) return code_page == 932;
  // Cyrillic: Windows-1251, and the East Asian double-byte code pages, which
  // all hold the Russian alphabet (Japanese Windows shows Russian this way).
  return code_page == 1251 || code_page == 932 || code_page == 936 || code_page == 949 || code_page == 950;
}

Language ChooseLanguage(const LanguageRequest& request, std::span<const Language> available) {
  const Language fallback =
      std::find(available.begin(), available.end(), Language::kEnglish) != available.end() ? Language::kEnglish
                                                                                           : available.front();
  std::optional<Language> wanted;
  if (!request.override_tag.empty()) {
    wanted = FromTag(LanguagePart(request.override_tag));
  } else if (request.windows_ui_language != 0) {
    wanted = FromWindowsLanguage(request.windows_ui_language);
  } else {
    const std::string part = LanguagePart(request.posix_locale);
    if (part.empty() || part == "c" || part == "posix") return fallback;  // no preference
    wanted = FromTag(part);
  }
  if (!wanted || std::find(available.begin(), available.end(), *wanted) == available.end() ||
      !CodePageShows(request.ansi_code_page, *wanted))
    return fallback;
  return *wanted;
}

unsigned short WindowsLanguageId(Language language) {
  // MAKELANGID(primary, SUBLANG_DEFAULT): the sublanguage sits above 10 bits.
  constexpr unsigned short kSublangDefault = 0x01 << 10;
  switch (language) {
    case Language::kJapanese: return kSublangDefault | kPrimaryJapanese;
    case Language::kRussian: return kSublangDefault | kPrimaryRussian;
    case Language::kEnglish: break;
  }
  return kSublangDefault | kPrimaryEnglish;
}

std::string_view LanguageTag(Language language) {
  switch (language) {
    case Language::kJapanese: return "ja";
    case Language::kRussian: return "ru";
    case Language::kEnglish: break;
  }
  return "en";
}

}  // namespace base
