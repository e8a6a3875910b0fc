#include "base/json_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace base {
namespace {

TEST(JsonWriterTest, EscapesWhatJsonRequiresAndControlCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain \xE3\x83\xA1\xE3\x83\xA2", "\"plain \xE3\x83\xA1\xE3\x83\xA2\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\n\r\t", "\"\\n\\r\\t\""},
      {std::string("\x00\x01\x1F", 3), "\"\\u0000\\u0001\\u001F\""},
      {"\x7F~ ", "\"\\u007F~ \""},
  };
  for (const auto& [text, quoted] : cases) {
    std::string out;
    JsonWriter(&out).String(text);
    EXPECT_EQ(out, quoted);
  }
}

// One document in each layout: nesting, empty containers and every kind of value.
TEST(JsonWriterTest, Layouts) {
  const std::pair<JsonLayout, std::string> cases[] = {
      {JsonLayout::kCompact, R"({"a":[1,"x",null],"b":{},"c":[],"d":{"e":true,"f":-3}})"},
      {JsonLayout::kMembersOnLines,
       "{\n  \"a\": [1, \"x\", null],\n  \"b\": {},\n  \"c\": [],\n  \"d\": {\n    \"e\": true,\n    \"f\": -3\n  }\n}"},
  };
  for (const auto& [layout, expected] : cases) {
    std::string out;
    JsonWriter json(&out, layout);
    json.BeginObject();
    json.Key("a").BeginArray();
    json.Number(1u);
    json.String("x");
    json.Null();
    json.EndArray();
    json.Key("b").BeginObject();
    json.EndObject();
    json.Key("c").BeginArray();
    json.EndArray();
    json.Key("d").BeginObject();
    json.Key("e").Bool(true);
    json.Key("f").Number(-3);
    json.EndObject();
    json.EndObject();
    EXPECT_EQ(out, expected);
  }
}

}  // namespace
}  // namespace base
