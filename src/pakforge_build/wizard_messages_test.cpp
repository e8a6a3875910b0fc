#include "pakforge_build/wizard_messages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "base/encoding.h"

namespace pakforge_build {
namespace {

// The string table of the wizard's resource script: "  <id>, "<text>""
// lines, with the script's escapes ("" for ", \\ for \, \n for a new line).
std::map<int, std::string> ResourceStrings() {
  std::ifstream in(PAK_SOURCE_DIR "/src/wizard/resources/pakforge.rc", std::ios::binary);
  std::map<int, std::string> table;
  std::string line;
  bool inside = false;
  while (std::getline(in, line)) {
    if (line.rfind("STRINGTABLE", 0) == 0) inside = true;
    if (!inside) continue;
    if (line.rfind("END", 0) == 0) inside = false;
    std::istringstream fields(line);
    int id = 0;
    char comma = 0;
    if (!(fields >> id >> comma) || comma != ',') continue;
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    std::string text;
    for (std::size_t i = open + 1; i < close; ++i) {
      if (line[i] == '"' && line[i + 1] == '"') {
        text += '"';
        ++i;
      } else if (line[i] == '\\' && line[i + 1] == 'n') {
        text += '\n';
        ++i;
      } else if (line[i] == '\\' && line[i + 1] == '\\') {
        text += '\\';
        ++i;
      } else {
        text += line[i];
      }
    }
    table[id] = text;
  }
  return table;
}

TEST(WizardMessagesTest, EveryTextIsTheWizardsOwn) {
  const std::map<int, std::string> resources = ResourceStrings();
  ASSERT_FALSE(resources.empty());
  int count = 0;
  const MessageEntry* table = MessageTable(&count);
  ASSERT_GT(count, 0);
  for (int i = 0; i < count; ++i) {
    const auto found = resources.find(table[i].id);
    ASSERT_NE(found, resources.end()) << table[i].id;
    EXPECT_EQ(table[i].utf8, found->second) << table[i].id;
    std::string sjis;
    ASSERT_TRUE(base::Utf8ToCp932(found->second, &sjis));
    if (found->second.find("%s") == std::string::npos) {
      EXPECT_EQ(WizardMessage(table[i].id), sjis);
    }
  }
}

TEST(WizardMessagesTest, ArgumentTakesThePlaceOfPercentS) {
  std::string expected;
  ASSERT_TRUE(base::Utf8ToCp932("フォルダ 'src' が見つかりません。存在するフォルダを指定してください。",
                                &expected));
  EXPECT_EQ(WizardMessage(4, "src"), expected);
  EXPECT_EQ(WizardMessage(2), "");
}

}  // namespace
}  // namespace pakforge_build
