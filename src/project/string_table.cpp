#include "project/string_table.h"

namespace project {
namespace {

// kJapaneseStrings and kEnglishStrings, made from the resource scripts.
#include "wizard_string_table.inc"

}  // namespace

std::span<const StringEntry> StringTable(base::Language language) {
  if (language == base::Language::kJapanese) return kJapaneseStrings;
  return kEnglishStrings;
}

const char* StringText(base::Language language, int id) {
  for (const StringEntry& entry : StringTable(language)) {
    if (entry.id == id) return entry.utf8;
  }
  return nullptr;
}

}  // namespace project
