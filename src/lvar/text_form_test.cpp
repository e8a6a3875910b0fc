#include "lvar/text_form.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>

namespace lvar {
namespace {

using Json = nlohmann::ordered_json;

// Shift-JIS texts of an archive as JSON strings: UTF-8, escaped as JSON
// requires, and texts without a UTF-8 form in their \xNN console form.
TEST(TextFormTest, SjisTextsAsJsonStrings) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain \x83\x81\x83\x82", "\"plain \xE3\x83\xA1\xE3\x83\xA2\""},  // メモ
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\n\r\t", "\"\\n\\r\\t\""},
      {std::string("\x00\x01\x1F", 3), "\"\\u0000\\u0001\\u001f\""},
      {"half \x81", "\"half \\\\x81\""},
  };
  for (const auto& [sjis, text] : cases) EXPECT_EQ(text, JsonText(SjisTextJson(sjis))) << sjis;
}

// A name keeps its bytes: as UTF-8 where it has that form, else as null
// and the stored bytes in hexadecimal.
TEST(TextFormTest, NamesWithAndWithoutUtf8Form) {
  const std::pair<std::string, std::string> cases[] = {
      {"\x83\x81\x83\x82.txt", "{\"name\":\"\xE3\x83\xA1\xE3\x83\xA2.txt\"}"},
      {std::string("a\x01z", 3), "{\"name\":\"a\\u0001z\"}"},
      {"bad\x81", "{\"name\":null,\"name_sjis_hex\":\"62616481\"}"},
  };
  for (const auto& [sjis, text] : cases) {
    Json object = Json::object();
    AddSjisName(object, "name", sjis);
    EXPECT_EQ(text, JsonText(object)) << sjis;
  }
}

// A host path is passed on as given; bytes that are not UTF-8 must not make
// the document invalid (nor stop lvar).
TEST(TextFormTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  EXPECT_EQ("\"\xEF\xBF\xBD.lvar\"", JsonText(Json("\xFF.lvar")));
  EXPECT_EQ("[\"ok/\xC3\xA9\xEF\xBF\xBD\"]", JsonText(Json::array({"ok/\xC3\xA9\xC3"})));
}

}  // namespace
}  // namespace lvar
