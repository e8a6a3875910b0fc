#include "base/encoding.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(EncodingTest, RoundTripsJapaneseAndAscii) {
  const struct {
    std::string utf8, sjis;
  } cases[] = {
      {"\xE8\xA1\xA8\xE7\xA4\xBA", "\x95\x5C\x8E\xA6"},                 // 表示
      {"a\\b~c", "a\\b~c"},                                              // backslash and tilde stay
      {std::string("x\0y", 3), std::string("x\0y", 3)},                  // a NUL inside
      {"Dir\\\xE8\xA1\xA8.txt", "Dir\\\x95\x5C.txt"},                     // ASCII, then Japanese
  };
  for (const auto& c : cases) {
    std::string sjis = "left over", back = "left over";
    ASSERT_TRUE(Utf8ToCp932(c.utf8, &sjis)) << c.utf8;
    EXPECT_EQ(sjis, c.sjis);
    ASSERT_TRUE(Cp932ToUtf8(sjis, &back));
    EXPECT_EQ(back, c.utf8);
  }
}

TEST(EncodingTest, RefusesCharactersWithoutShiftJisForm) {
  std::string sjis;
  EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80", &sjis));  // an emoji
  EXPECT_FALSE(Utf8ToCp932("\xFF", &sjis));              // not UTF-8
  // Characters that would become ASCII: a yen sign as a backslash (a path
  // separator in a name), an overline as a tilde.
  EXPECT_FALSE(Utf8ToCp932("a\xC2\xA5" "b.txt", &sjis));  // a¥b.txt
  EXPECT_FALSE(Utf8ToCp932("\xE2\x80\xBE", &sjis));       // ‾
  ASSERT_TRUE(Utf8ToCp932("", &sjis));
  EXPECT_EQ(sjis, "");
}

}  // namespace
}  // namespace base
