#include "inf/value_parsers.h"

#include <gtest/gtest.h>

#include "base/capturing_console.h"
#include "inf/inf_test_support.h"

namespace inf {
namespace {

using testing::Sj;

TEST(UnquoteValueTest, Table) {
  struct Case {
    std::string token, value;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"a\\\"b", "a\\\"b"},                      // unquoted token: unchanged
      {"\"My Program\"", "My Program"},
      {"\"\\\"B\\\"\"", "\"B\""},                // backslash-quote pairs give quotes
      {"\"a\\\\b\"", "a\\\\b"},                  // two backslashes stay two
      {"\"a\\nb\"", "a\\nb"},                    // backslash n stays
      {"\"x;y\"", "x;y"},
      {"\"\"", ""},
      // "ソ" is 0x83 0x5C: its trail byte is no escape before the quote.
      {"\"\x83\x5C\"", "\x83\x5C"},
      // A backslash before "ソ" or "表" keeps the whole character.
      {"\"a\\\x83\x5C\"", "a\\\x83\x5C"},
      {"\"\\\x95\x5C\\\x95\x5C" "b\"", "\\\x95\x5C\\\x95\x5C" "b"},
  };
  for (const Case& c : cases) EXPECT_EQ(UnquoteValue(c.token), c.value) << c.token;
}

TEST(ParseDecimalTest, Table) {
  struct Case {
    std::string text;
    std::uint32_t code;
    std::uint32_t value;
    std::string message;
  };
  const std::string too_large = Sj("エラー：指定された数値が大きすぎます\n");
  auto not_numeric = [](const char* rest) {
    return Sj("エラー：数値以外の値 ") + rest + Sj(" が指定されています\n");
  };
  const Case cases[] = {
      {"0", 0, 0, ""},
      {"", 0, 0, ""},
      {"12", 0, 12, ""},
      {"  7", 0, 7, ""},
      {"+5", 0, 5, ""},
      {"12abc", 0, 12, ""},
      {"-1", 0, 4294967295u, ""},
      {"4294967295", 0, 4294967295u, ""},
      {"4294967296", 2, 0, too_large},
      {"99999999999999999999999", 2, 0, too_large},
      {"abc", 1, 0, not_numeric("abc")},
      {"0x10", 1, 0, not_numeric("x10")},
      {" x", 1, 0, not_numeric(" x")},
      {"-", 1, 0, not_numeric("-")},
  };
  for (const Case& c : cases) {
    base::CapturingConsole console;
    std::uint32_t value = 0;
    EXPECT_EQ(ParseDecimal(c.text, &value, console), c.code) << c.text;
    if (c.code == 0) {
      EXPECT_EQ(value, c.value) << c.text;
    }
    EXPECT_EQ(console.err, c.message) << c.text;
    EXPECT_EQ(console.out, "");
  }
}

TEST(ParseHexBytesTest, Table) {
  struct Case {
    std::string text;
    std::uint32_t code;
    std::vector<unsigned char> bytes;
    std::string message;
  };
  const std::string invalid = Sj("エラー：16進数に変換できない不正な文字があります\n");
  const Case cases[] = {
      {"00ff7A", 0, {0x00, 0xFF, 0x7A}, ""},
      {"", kHexEmpty, {}, Sj("エラー：16進データがありません\n")},
      {"G0", kHexBadFirstDigit, {}, invalid},
      {"0", kHexMissingLowDigit, {}, Sj("エラー：16進データ（バイト列）の下位 4 ビットがありません\n")},
      {"abc", kHexMissingLowDigit, {}, Sj("エラー：16進データ（バイト列）の下位 4 ビットがありません\n")},
      {"0G", kHexBadSecondDigit, {}, invalid},
      {"01 2", kHexBadFirstDigit, {}, invalid},
  };
  for (const Case& c : cases) {
    base::CapturingConsole console;
    std::vector<unsigned char> bytes;
    EXPECT_EQ(ParseHexBytes(c.text, &bytes, console), c.code) << c.text;
    if (c.code == 0) {
      EXPECT_EQ(bytes, c.bytes) << c.text;
    }
    EXPECT_EQ(console.err, c.message) << c.text;
  }
}

TEST(ParseHexBytesTest, HoldsAtMost1016Bytes) {
  base::CapturingConsole console;
  std::vector<unsigned char> bytes;
  std::string text;
  for (int i = 0; i < 1016; ++i) text += "A5";
  EXPECT_EQ(ParseHexBytes(text, &bytes, console), 0u);
  EXPECT_EQ(bytes.size(), 1016u);
  EXPECT_EQ(console.err, "");

  EXPECT_EQ(ParseHexBytes(text + "01", &bytes, console), kHexTooLong);
  EXPECT_EQ(console.err, Sj("エラー：サイズオーバー - 指定できる最大バイト数は 1016 までです\n"));
}

}  // namespace
}  // namespace inf
