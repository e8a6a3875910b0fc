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
  // Marked to be shown as it is, and refused as a name; the host text comes
  // back whole.
  for (const std::string& host : {kNoSjisForm, std::string("caf\xc3\xa9.txt"), std::string("\xff\xfe\x81")}) {
    EXPECT_EQ(KitText(host), MarkHostText(host));
    EXPECT_EQ(HostText(KitText(host)), host);
    EXPECT_EQ(HostText("/src/" + KitText(host) + "/" + kSjisName), "/src/" + host + "/" + kUtf8Name);
    EXPECT_FALSE(ExactKitText(host, &kit));
  }
#endif
}

// What a console shows of a kit text: marked host texts as the host wrote
// them, the rest as Shift-JIS or UTF-8.
TEST(HostPathTest, ShownText) {
  const std::string note = "note\xf0\x9f\x93\x9d.dat";  // "note📝.dat": no Shift-JIS form
  const std::string marked = MarkHostText(note);
  EXPECT_EQ(marked, "\xff" "6e6f7465f09f939d2e646174" "\xfe");
  struct Case {
    std::string kit;
    std::string sjis, utf8;  // shown as Shift-JIS bytes, as UTF-8
  } cases[] = {
      {"[ " + marked + " ]", "[ " + note + " ]", "[ " + note + " ]"},
      {kSjisName + "/" + marked, kSjisName + "/" + note, kUtf8Name + "/" + note},
      {marked + marked, note + note, note + note},
      {MarkHostText(""), "", ""},
      {kSjisName, kSjisName, kUtf8Name},
      {"a" + kNotSjis, "a" + kNotSjis, "a" + kNotSjis},  // not Shift-JIS: the bytes as they are
      // Not marks: no end, an odd count, no hexadecimal digits.
      {"\xff" "6e", "\xff" "6e", "\xff" "6e"},
      {"\xff" "6e6" "\xfe", "\xff" "6e6" "\xfe", "\xff" "6e6" "\xfe"},
      {"\xff" "zz" "\xfe", "\xff" "zz" "\xfe", "\xff" "zz" "\xfe"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShownText(c.kit, false), c.sjis) << c.kit;
    EXPECT_EQ(ShownText(c.kit, true), c.utf8) << c.kit;
  }
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
