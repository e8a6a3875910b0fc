#include "inf/inf_tokenizer.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/capturing_console.h"
#include "inf/inf_test_support.h"

namespace inf {
namespace {

using testing::Sj;

struct Tokens {
  std::vector<std::string> tokens;
  std::uint32_t error = 0;
  std::string err;
};

Tokens Tokenize(std::string_view line) {
  Tokens result;
  base::CapturingConsole console;
  InfTokenizer tokenizer;
  tokenizer.Start(line);
  std::string_view token;
  while (tokenizer.Next(&token, &result.error, console)) result.tokens.emplace_back(token);
  result.err = console.err;
  return result;
}

TEST(InfTokenizerTest, SplitsLines) {
  struct Case {
    std::string line;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      {"", {}},
      {" \t\a\b\v\f\r\n", {}},
      {"[ App Information ]\n", {"[", "App", "Information", "]"}},
      {"[App]", {"[", "App", "]"}},
      {"Key=Value;c", {"Key", "=", "Value", ";", "c"}},
      {",:;<=>[]{}", {",", ":", ";", "<", "=", ">", "[", "]", "{", "}"}},
      {"a\"b c\"d", {"a", "\"b c\"", "d"}},
      {"\"a\\\"b\" x", {"\"a\\\"b\"", "x"}},      // escaped quote stays in the string
      {"\"x;y, z\"", {"\"x;y, z\""}},
      {"C:\\dir\\file", {"C", ":", "\\dir\\file"}},
      {"path\\\"q\"", {"path\\", "\"q\""}},          // a bare word backslash is no escape
      // Double-byte characters whose trail bytes look like syntax: ソ (0x83 0x5C),
      // ＝ (0x81 0x81), and half-width kana as plain bytes.
      {"\x83\x5C\x83\x74\x83\x67 \x81\x81 \xB1\xB2", {"\x83\x5C\x83\x74\x83\x67", "\x81\x81", "\xB1\xB2"}},
      {"\x83\x5B\x2C", {"\x83\x5B", ","}},
      // After a backslash a double-byte character is taken whole: メ, then ソ before the quote.
      {"\"\\\x83\x81\x83\x82\" \"\\\x83\x5C\"", {"\"\\\x83\x81\x83\x82\"", "\"\\\x83\x5C\""}},
  };
  for (const Case& c : cases) {
    const Tokens t = Tokenize(c.line);
    EXPECT_EQ(t.error, 0u) << c.line;
    EXPECT_EQ(t.tokens, c.tokens) << c.line;
    EXPECT_EQ(t.err, "");
  }
}

TEST(InfTokenizerTest, Errors) {
  struct Case {
    std::string line;
    std::vector<std::string> tokens_before;
    std::uint32_t error;
  };
  const std::string not_sjis = Sj("エラー：シフトJISコードではない文字があります\n");
  const std::string not_closed = Sj("エラー：文字列が \" で閉じていません\n");
  const Case cases[] = {
      {"ab\x81 cd", {}, kTokenBadSjisInWord},
      {"x \x81", {"x"}, kTokenBadSjisInWord},              // lead byte at the end of the line
      {"\"ab\x81 cd\"", {}, kTokenBadSjisInString},
      {"k = \"abc\n", {"k", "="}, kTokenStringNotClosed},
      {"\"abc\\\"", {}, kTokenStringNotClosed},            // the escaped quote does not close
      {"\"a\\\x83 \"", {}, kTokenBadSjisInString},       // an escaped lead byte needs its trail byte
  };
  for (const Case& c : cases) {
    const Tokens t = Tokenize(c.line);
    EXPECT_EQ(t.error, c.error) << c.line;
    EXPECT_EQ(t.tokens, c.tokens_before) << c.line;
    EXPECT_EQ(t.err, c.error == kTokenStringNotClosed ? not_closed : not_sjis) << c.line;
  }
}

TEST(InfTokenizerTest, DropsTheRestOfTheLineAfterAnError) {
  base::CapturingConsole console;
  InfTokenizer tokenizer;
  tokenizer.Start("\"ab\x81\x20\" more words");
  std::string_view token;
  std::uint32_t error = 0;
  EXPECT_FALSE(tokenizer.Next(&token, &error, console));
  EXPECT_EQ(error, kTokenBadSjisInString);
  EXPECT_FALSE(tokenizer.Next(&token, &error, console));
  EXPECT_EQ(error, 0u);
}

}  // namespace
}  // namespace inf
