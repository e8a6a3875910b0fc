#include "base/encoding.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(EncodingTest, RoundTripsJapanese) {
  const std::string utf8 = "\xE8\xA1\xA8\xE7\xA4\xBA";  // 表示
  std::string sjis;
  ASSERT_TRUE(Utf8ToCp932(utf8, &sjis));
  EXPECT_EQ(sjis, "\x95\x5C\x8E\xA6");
  std::string back;
  ASSERT_TRUE(Cp932ToUtf8(sjis, &back));
  EXPECT_EQ(back, utf8);
}

TEST(EncodingTest, RefusesCharactersWithoutShiftJisForm) {
  std::string sjis;
  EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80", &sjis));  // an emoji
  EXPECT_FALSE(Utf8ToCp932("\xFF", &sjis));              // not UTF-8
  ASSERT_TRUE(Utf8ToCp932("", &sjis));
  EXPECT_EQ(sjis, "");
}

}  // namespace
}  // namespace base
