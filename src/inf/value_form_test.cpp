#include "inf/value_form.h"

#include <gtest/gtest.h>

#include <string>

namespace inf {
namespace {

// Trail bytes that look like syntax: "ソ" 0x83 0x5C and "表" 0x95 0x5C end in
// a backslash; "メ" is 0x83 0x81.
const std::string kSo = "\x83\x5C", kHyou = "\x95\x5C", kMe = "\x83\x81";

TEST(ValueFormTest, EscapesTakeTheWholeCharacter) {
  struct Case { std::string text; QuotedEnd how; std::size_t end, value_size; };
  const Case cases[] = {
      {"\"a\\" + kMe + "b\" x", QuotedEnd::kClosed, 7, 5},
      {"\"a\\" + kSo + "\"", QuotedEnd::kClosed, 6, 4},     // ソ before the closing quote
      {"\"\\" + kHyou + "\\" + kHyou + "\"", QuotedEnd::kClosed, 8, 6},
      {"\"a\\\\\"", QuotedEnd::kClosed, 5, 3},             // two backslashes stay two
      {"\"a\\\"b\"", QuotedEnd::kClosed, 6, 3},            // an escaped quote counts 1
      {"\"a\\\"", QuotedEnd::kNotClosed, 4, 2},            // ... and closes nothing
      {"\"ab\\", QuotedEnd::kNotClosed, 4, 2},             // a lone backslash at the end
      {"\"a" + kSo + "\"", QuotedEnd::kClosed, 5, 3},       // 0x5C as a trail byte escapes nothing
      {"\"a\\\x83\x20\"", QuotedEnd::kNotShiftJis, 3, 3},  // an escaped lead byte needs its trail byte
      {"\"a\x83", QuotedEnd::kNotShiftJis, 2, 2},
  };
  for (const Case& c : cases) {
    const QuotedString s = ScanQuotedString(c.text, 0);
    EXPECT_EQ(s.how, c.how) << c.text;
    EXPECT_EQ(s.end, c.end) << c.text;
    EXPECT_EQ(s.value_size, c.value_size) << c.text;
  }
}

TEST(ValueFormTest, DecimalSignAndDigits) {
  struct Case { std::string text; bool negative; std::string digits; std::size_t end; };
  const Case cases[] = {
      {"-12x", true, "12", 3}, {"+7", false, "7", 2}, {"-", true, "", 1}, {"+", false, "", 1},
      {"", false, "", 0},      {" 1", false, "", 0},   {"--1", true, "", 1},
  };
  for (const Case& c : cases) {
    const DecimalForm form = ReadDecimalForm(c.text);
    EXPECT_EQ(form.negative, c.negative) << c.text;
    EXPECT_EQ(form.digits, c.digits) << c.text;
    EXPECT_EQ(form.end, c.end) << c.text;
  }
}

}  // namespace
}  // namespace inf
