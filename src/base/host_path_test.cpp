#include "base/host_path.h"

#include <gtest/gtest.h>

#include <string>

namespace base {
namespace {

// "日本.txt" in Shift-JIS and in UTF-8, and bytes with no form in the other.
const std::string kSjisName = "\x93\xfa\x96\x7b.txt";
const std::string kUtf8Name = "\xe6\x97\xa5\xe6\x9c\xac.txt";
const std::string kNotSjis = "\x81";                 // a lead byte alone
const std::string kNoSjisForm = "\xf0\x9f\x98\x80";  // an emoji: no code page 932 form

TEST(HostPathTest, KitAndHostTexts) {
  struct Case {
    std::string kit, host;
  } cases[] = {{"plain", "plain"},
#ifdef _WIN32
               {kSjisName, kSjisName},
               {kNotSjis, kNotSjis}};
#else
               {kSjisName, kUtf8Name},
               {kNotSjis, kNotSjis}};
#endif
  for (const Case& c : cases) EXPECT_EQ(HostText(c.kit), c.host) << c.kit;
  EXPECT_EQ(KitText(HostText(kSjisName)), kSjisName);
  std::string kit;
  EXPECT_TRUE(ExactKitText(HostText(kSjisName), &kit));
  EXPECT_EQ(kit, kSjisName);
#ifndef _WIN32
  // Shown with its bytes kept, but refused as a name.
  EXPECT_EQ(KitText(kNoSjisForm), kNoSjisForm);
  EXPECT_FALSE(ExactKitText(kNoSjisForm, &kit));
#endif
}

TEST(HostPathTest, LastNameStart) {
  struct Case {
    std::string path;
    std::size_t start;
  } cases[] = {{"name.lvar", 0}, {"/a/b.lvar", 3}, {"a/", 2},
#ifdef _WIN32
               {"C:x.lvar", 2},  {"a\\b/c", 4},    {"\x95\x5c.lvar", 0}};  // 0x5C as a trail byte
#else
               {"a\\b", 0}};
#endif
  for (const Case& c : cases) EXPECT_EQ(LastNameStart(c.path), c.start) << c.path;
  EXPECT_EQ(JoinPath("dir", "name"), std::string("dir") + kPathSeparator + "name");
}

}  // namespace
}  // namespace base
