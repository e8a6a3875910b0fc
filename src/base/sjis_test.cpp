#include "base/sjis.h"

#include <gtest/gtest.h>

namespace base {
namespace {

// "表" is 0x95 0x5C in Shift-JIS: its trail byte is a backslash.
const std::string kHyou = "\x95\x5C";

TEST(SjisTest, FindSkipsTrailBytes) {
  struct Case { std::string text; char ch; std::size_t first, last; };
  const Case cases[] = {
      {"abc\\def", '\\', 3, 3},
      {kHyou + "x", '\\', std::string::npos, std::string::npos},
      {kHyou + "\\" + kHyou + "\\", '\\', 2, 5},
      {"a.b.c", '.', 1, 3},
      {"", '.', std::string::npos, std::string::npos},
      {"\x81", '\\', std::string::npos, std::string::npos},  // lone lead byte at the end
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SjisFind(c.text, c.ch), c.first) << c.text;
    EXPECT_EQ(SjisFindLast(c.text, c.ch), c.last) << c.text;
  }
}

TEST(SjisTest, UpperCasesOnlyAsciiOutsideDoubleByteCharacters) {
  std::string text = "ab\x82" "a" "c";  // 0x82 0x61 is one double-byte character
  SjisUpperAscii(text);
  EXPECT_EQ(text, "AB\x82" "a" "C");
  // Host names: every byte that looks like a letter.
  EXPECT_EQ(UpperAsciiBytes("ab\x82" "a" "c"), "AB\x82" "A" "C");
}

TEST(SjisTest, EqualsIgnoreAsciiCase) {
  EXPECT_TRUE(EqualsIgnoreAsciiCase("Native.ina", "NATIVE.INA"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("Native.ina", "Native.inb"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("a", "ab"));
  // 0x82 0x61 and 0x82 0x41 are two different double-byte characters.
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\x82\x61.inf", "\x82\x41.inf"));
  EXPECT_TRUE(EqualsIgnoreAsciiCase("\x82\x61.inf", "\x82\x61.INF"));
}

TEST(SjisTest, CutKeepsDoubleByteCharactersWhole) {
  struct Case { std::string text; std::size_t max; std::string kept; };
  const Case cases[] = {
      {"abcdef", 3, "abc"},
      {"ab", 5, "ab"},
      {"a" + kHyou + "b", 2, "a"},           // the character would straddle the cut
      {"a" + kHyou + "b", 3, "a" + kHyou},
      {kHyou + kHyou, 3, kHyou},
      {"abc", 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SjisCut(c.text, c.max), c.kept) << c.text << " " << c.max;
  // Another code page's lead-byte test: no byte leads, so any cut is whole.
  EXPECT_EQ(SjisCut("a" + kHyou + "b", 2, [](unsigned char) { return false; }), "a\x95");
}

}  // namespace
}  // namespace base
