#include "lsp/message_json.h"

#include <gtest/gtest.h>

namespace lsp {
namespace {

using json = nlohmann::json;

// The value read is the one nlohmann::json::parse gives, for what a message
// can hold and for what is not JSON.
TEST(MessageJsonTest, ReadsAsTheLibrarysParser) {
  const char* const bodies[] = {
      R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})",
      R"({"a":[1,[2,{"b":[]}],{"c":{"d":[null,true,false]}}],"e":"f"})",
      R"({"k":1,"k":{"x":2}})",  // a later duplicate replaces the earlier
      R"([-1, 18446744073709551615, 1.5e3, "\u00e9\ud83d\ude00\n\"", {}, [[]]])",
      R"("text")",
      "  {\"t\": \"\xE3\x81\x82\"}  ",
      R"({"jsonrpc":)",
      R"({"a":1} {"b":2})",
      R"({"a":"\ud800"})",
      "{\"a\":\"\xFF\"}",
      "",
      "[1,]",
  };
  for (const char* body : bodies) {
    json read;
    const bool ok = ParseMessage(MessageBody(body), &read);
    const json expected = json::parse(body, nullptr, false);
    EXPECT_EQ(ok, !expected.is_discarded()) << body;
    EXPECT_EQ(read.is_discarded(), expected.is_discarded()) << body;
    if (ok) {
      EXPECT_EQ(read, expected) << body;
    }
  }
}

// A body of many parts reads as its text does, and each part is let go
// once the parser has passed it.
TEST(MessageJsonTest, ReadsABodyPartByPart) {
  const std::string text(3 * kBodyPartBytes, 'x');
  const std::string whole = R"({"params":{"text":")" + text + R"("},"id":7})";
  MessageBody body;
  for (std::size_t at = 0; at < whole.size(); at += 1000)
    body.Append(std::string_view(whole).substr(at, 1000), whole.size() - std::min(whole.size(), at + 1000));
  ASSERT_EQ(body.Text(), whole);
  EXPECT_EQ(body.Start(12), whole.substr(0, 12));
  json read;
  ASSERT_TRUE(ParseMessage(std::move(body), &read));
  EXPECT_EQ(read["params"]["text"], text);
  EXPECT_EQ(read["id"], 7);

  MessageBody passed(whole);
  MessageBody::Cursor end = passed.end();
  std::size_t count = 0;
  for (MessageBody::Cursor at = passed.begin(); !(at == end); ++at) ++count;
  EXPECT_EQ(count, whole.size());
  EXPECT_EQ(passed.Text(), "");  // every part let go
}

}  // namespace
}  // namespace lsp
