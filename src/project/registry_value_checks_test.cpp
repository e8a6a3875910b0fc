#include "project/registry_value_checks.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "project/settings.h"
#include "project/texts.h"

namespace project {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// A quoted string whose content counts exactly `count` bytes of 'a'.
std::string Quoted(std::size_t count) {
  std::string text(count + 2, 'a');
  text.front() = '"';
  text.back() = '"';
  return text;
}

struct ScanCase {
  const char* label;
  std::string text;
  std::size_t pos;
  std::size_t end;  // npos: the scan fails
};

TEST(QuotedStringEndTest, ScansOneString) {
  // "ソ" is 0x83 0x5C: its trail byte is a backslash and must not escape the quote.
  const std::string so = "\x83\x5C";
  const ScanCase cases[] = {
      {"plain", "\"abc\"", 0, 5},
      {"stops after closing quote", "\"ab\",\"c\"", 0, 4},
      {"second string from a position", "\"ab\",\"cd\"", 5, 9},
      {"empty quotes are too short", "\"\"", 0, npos},
      {"two bytes left at pos", "xx\"a", 2, npos},
      {"pos past the end", "\"abc\"", 9, npos},
      {"no opening quote", "abc\"", 0, npos},
      {"missing closing quote", "\"abc", 0, npos},
      {"escaped quote is content", "\"a\\\"b\"", 0, 6},
      {"escaped quote at the end, no closing", "\"ab\\\"", 0, npos},
      {"backslash before other byte", "\"a\\b\"", 0, 5},
      {"double-byte trail 0x5C is not an escape", "\"" + so + "\"x", 0, 4},
      {"lone lead byte at the end", "\"ab\x83", 0, npos},
      {"escaped double-byte character before the quote", "\"a\\" + so + "\"", 0, 6},
      {"255 bytes of content", Quoted(255), 0, 257},
      {"256 bytes of content", Quoted(256), 0, npos},
      {"256 without closing quote", "\"" + std::string(256, 'a'), 0, npos},
  };
  for (const ScanCase& c : cases) {
    EXPECT_EQ(QuotedStringEnd(c.text, c.pos), c.end) << c.label;
  }
}

TEST(QuotedStringEndTest, CountsDoubleByteAsTwoAndEscapeAsOne) {
  const std::string so = "\x83\x5C";
  std::string kana;  // 127 double-byte characters = 254 counted bytes
  for (int i = 0; i < 127; ++i) kana += so;
  EXPECT_NE(QuotedStringEnd("\"" + kana + "a\"", 0), npos);   // 255
  EXPECT_EQ(QuotedStringEnd("\"" + kana + "ab\"", 0), npos);  // 256
  EXPECT_EQ(QuotedStringEnd("\"" + kana + so + "\"", 0), npos);  // 256
  // 254 + one escaped quote (counts 1) = 255; a second one makes 256.
  EXPECT_NE(QuotedStringEnd("\"" + kana + "\\\"\"", 0), npos);
  EXPECT_EQ(QuotedStringEnd("\"" + kana + "\\\"\\\"\"", 0), npos);
}

struct ValueCase {
  const char* value;
  bool valid;
};

TEST(RegistryValueChecksTest, Sz) {
  const ValueCase cases[] = {
      {"\"abc\"", true},      {"\"\"", false},         {"\"abc", false},
      {"\"abc\"x", false},    {"\"abc\" ", false},     {" \"abc\"", false},
      {"", false},            {"abc", false},          {"\"a\\\"b\"", true},
      {"\"a\",\"b\"", false}, {"\"\x83\x5C\"", true},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(IsSzValue(c.value), c.valid) << c.value;
  EXPECT_TRUE(IsSzValue(Quoted(255)));
  EXPECT_FALSE(IsSzValue(Quoted(256)));
}

TEST(RegistryValueChecksTest, MultiSz) {
  const ValueCase cases[] = {
      {"\"ab\",\"cd\"", true},
      {"\"ab\"", true},
      {"\"ab\",\"cd\",\"ef\"", true},
      {"\"ab\", \"cd\"", false},
      {"\"ab\" ,\"cd\"", false},
      {"\"ab\",", false},
      {"\"ab\",\"cd\",", false},
      {"\"ab\";\"cd\"", false},
      {"\"ab\",\"\"", false},
      {"\"ab\",\"cd", false},
      {"", false},
      {",\"ab\"", false},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(IsMultiSzValue(c.value), c.valid) << c.value;
  // Each string has its own 255-byte limit.
  EXPECT_TRUE(IsMultiSzValue(Quoted(255) + "," + Quoted(255)));
  EXPECT_FALSE(IsMultiSzValue(Quoted(255) + "," + Quoted(256)));
}

TEST(RegistryValueChecksTest, Dword) {
  const ValueCase cases[] = {
      {"2147483647", true},   {"-2147483648", true},  {"2147483648", false},
      {"-2147483649", false}, {"+2147483647", true},  {"+2147483648", false},
      {"+0000000001", true},  {"00000000001", false}, {"-", false},
      {"+", false},           {"12 34", false},       {"", false},
      {"0", true},            {"-0", true},           {"1a", false},
      {"--1", false},         {"0x10", false},        {"9999999999", false},
      {"1999999999", true},   {" 1", false},          {"1 ", false},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(IsDwordValue(c.value), c.valid) << c.value;
}

TEST(RegistryValueChecksTest, Binary) {
  const ValueCase cases[] = {
      {"0aFF", true}, {"0aF", false}, {"1G", false}, {"", false},
      {"00", true},   {"a", false},   {"0 ", false}, {"fA9b", true},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(IsBinaryValue(c.value), c.valid) << c.value;
  EXPECT_TRUE(IsBinaryValue(std::string(64, 'f')));
  EXPECT_FALSE(IsBinaryValue(std::string(66, 'f')));
}

TEST(RegistryValueChecksTest, MessageOfEachType) {
  struct Case {
    int type;
    const char* value;
    int message;
  } cases[] = {
      {kSz, "\"abc\"", 0},          {kSz, "abc", kStrBadSz},
      {kMultiSz, "\"a\",\"b\"", 0}, {kMultiSz, "\"a\", \"b\"", kStrBadMultiSz},
      {kDword, "-12", 0},             {kDword, "0x1", kStrBadDword},
      {kBinary, "0aFF", 0},           {kBinary, "0aF", kStrBadBinary},
      {99, "abc", kStrBadSz},         // an unknown type is checked as SZ
  };
  for (const Case& c : cases) EXPECT_EQ(RegistryValueError(c.type, c.value), c.message) << c.value;
}

}  // namespace
}  // namespace project
