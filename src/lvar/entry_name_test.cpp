#include "lvar/entry_name.h"

#include <gtest/gtest.h>

namespace lvar {
namespace {

TEST(EntryNameTest, UnsafeNamesAreRefusedWithTheirReason) {
  struct Case {
    std::string name;
    const char* reason;  // empty: accepted
  };
  const Case cases[] = {
      {"readme.txt", ""},
      {"\x95\x5C.txt", ""},           // a double-byte character whose trail byte is 0x5C
      {"\xD2\xD3.txt", ""},           // half-width kana
      {"a..b", ""},
      {"CONSOLE.txt", ""},
      {"", "empty"},
      {"..\\x", "separator"},
      {"a/b", "separator"},
      {"\\x", "separator"},
      {"C:x", "drive"},
      {"a\x01" "b", "control"},
      {"a\x7F", "control"},
      {"tab\there", "control"},
      {"..", "folder"},
      {".", "folder"},
      {"x.", "ending"},
      {"x ", "ending"},
      {"a*b", "Windows"},
      {"a?b", "Windows"},
      {"CON", "device"},
      {"con.txt", "device"},
      {"LPT1.log", "device"},
      {"CONIN$", "device"},
      {"conout$.txt", "device"},
      {"COM0", "device"},
      {"lpt0.x", "device"},
      {"COM\xB9", "device"},      // COM with a superscript one in code page 1252
      {"LPT\xB2.txt", "device"},
      {"COM\xB3", "device"},
      {"COM10", ""},
      {"\x81", "Shift-JIS"},          // a lead byte alone
      {"\x81\x20", "Shift-JIS"},      // a lead byte before a blank
  };
  for (const Case& c : cases) {
    std::string problem = NameProblem(c.name);
    if (*c.reason == '\0') {
      EXPECT_EQ("", problem) << c.name;
    } else {
      EXPECT_NE(std::string::npos, problem.find(c.reason)) << c.name << ": " << problem;
    }
  }
#ifndef _WIN32
  // 120 double-byte characters: 240 bytes stored, 360 in UTF-8.
  std::string long_name;
  for (int i = 0; i < 120; ++i) long_name += "\x82\xA0";
  EXPECT_NE("", NameProblem(long_name));
#endif
}

TEST(EntryNameTest, NumberedNamesAndKeys) {
  EXPECT_EQ("readme (2).txt", NumberedName("readme.txt", 2));
  EXPECT_EQ("README (3)", NumberedName("README", 3));
  EXPECT_EQ(".profile (2)", NumberedName(".profile", 2));
  EXPECT_EQ(NameKey("ReadMe.TXT"), NameKey("readme.txt"));
  EXPECT_NE(NameKey("\x82\x61"), NameKey("\x82\x81"));  // trail bytes are not letters
}

// Names that one file system holds as one file, and names it keeps apart.
TEST(EntryNameTest, FoldedNames) {
  const struct {
    std::string a, b;
    bool same;
  } cases[] = {
      {"ReadMe.TXT", "readme.txt", true},
      {"\x87\x54.txt", "\xFA\x4A.txt", true},  // Roman numeral one: NEC and IBM codes
      {"\x87\x54.txt", "\xFA\x40.txt", true},  // small Roman numeral one (IBM code)
      {"\x82\x60", "\x82\x81", true},          // full-width A and a
      {"\x83\x9F", "\x83\xBF", true},          // Greek alpha
      {"\x84\x40", "\x84\x70", true},          // Cyrillic A
      {"\x82\x61", "\x82\x81", false},         // full-width B and a
      {"\x82\xA0", "\x83\x41", false},         // hiragana and katakana a
      {"a.txt", "a.txt ", false},
      {"\x81", "\x81", true},                    // not Shift-JIS: the bytes
      {"\x81", "a", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.same, FoldedName(c.a) == FoldedName(c.b)) << c.a << " / " << c.b;
}

}  // namespace
}  // namespace lvar
