#include "project/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "base/text_table.h"
#include "project/text_ids.h"

namespace project {
namespace {

TEST(StringTableTest, EveryIdInEveryLanguageWithTheSameConversions) {
  for (base::Language language : kWizardLanguages) {
    for (base::Language other : kWizardLanguages) {
      for (const StringEntry& entry : StringTable(language)) {
        const char* text = StringText(other, entry.id);
        ASSERT_NE(text, nullptr) << "string " << entry.id << " missing in " << LanguageTag(other);
        EXPECT_EQ(base::PrintfArguments(text), base::PrintfArguments(entry.utf8)) << "string " << entry.id;
      }
    }
  }
}

// The texts of a resource script's string table, in order: its
// "  IDS_NAME, "<text>"" lines, with the script's escapes ("" for ", \\ for
// \, \n for a new line).
std::vector<std::string> ScriptTexts(const char* name) {
  std::ifstream in(std::string(PAK_SOURCE_DIR "/src/project/") + name, std::ios::binary);
  std::vector<std::string> texts;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("  IDS_", 0) != 0) continue;
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    std::string text;
    for (std::size_t i = open + 1; i < close; ++i) {
      const char next = line[i + 1];
      if ((line[i] == '"' && next == '"') || (line[i] == '\\' && (next == '\\' || next == 'n'))) {
        text += next == 'n' ? '\n' : next;
        ++i;
      } else {
        text += line[i];
      }
    }
    texts.push_back(text);
  }
  return texts;
}

TEST(StringTableTest, EveryTextIsTheResourceScriptsOwn) {
  const struct {
    base::Language language;
    const char* script;
  } scripts[] = {{base::Language::kJapanese, "strings_ja.rc"}, {base::Language::kEnglish, "strings_en.rc"}};
  for (const auto& s : scripts) {
    const std::vector<std::string> texts = ScriptTexts(s.script);
    const std::span<const StringEntry> table = StringTable(s.language);
    ASSERT_EQ(table.size(), texts.size()) << s.script;
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(table[i].utf8, texts[i]) << s.script;
  }
}

// Every Japanese text is in Japanese but the historic ones that read alike in
// both languages: the version banner, the name of a new folder, and the OK
// button's word, which Japanese Windows writes so as well.
TEST(StringTableTest, JapaneseTextsAreJapaneseButTheHistoricOnes) {
  const std::vector<int> historic = {IDS_VERSION, IDS_NEW_FOLDER, IDS_BUTTON_OK};
  std::vector<std::string> untranslated;
  for (const StringEntry& entry : StringTable(base::Language::kJapanese))
    if (std::ranges::find(historic, entry.id) == historic.end() && base::IsPlainAscii(entry.utf8))
      untranslated.push_back("string " + std::to_string(entry.id) + ": " + entry.utf8);
  EXPECT_EQ(untranslated, std::vector<std::string>{});
}

TEST(StringTableTest, ResourceEscapesBecomeTheirCharacters) {
  // A doubled quote is one quote, \n a line feed and \\ one backslash.
  EXPECT_STREQ(StringText(base::Language::kJapanese, 38),
               "この名前は使用できません。空白のみか､次の無効な文字が含まれています。\n"
               "\\ / : * ? \" < > |");
  EXPECT_STREQ(StringText(base::Language::kEnglish, 17), "Pakforge.exe Ver 1.00.%02d\n");
  EXPECT_EQ(StringText(base::Language::kJapanese, 2), nullptr);
}

}  // namespace
}  // namespace project
