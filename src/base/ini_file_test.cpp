#include "wizard/ini_file.h"

#include <gtest/gtest.h>

#include "wizard/test_support.h"

namespace wizard {
namespace {

TEST(IniFileTest, ReadingRules) {
  IniFile ini;
  ini.Parse(
      "[First]\r\n"
      "  Key = value with blanks  \r\n"
      "Quoted=\"  kept inside  \"\n"
      "Single='x'\r"
      "Half=\"open\r\n"
      "Empty=\r\n"
      "[first]\r\n"
      "Key=second section of the same name is not read\r\n"
      "[ Other ]\r\n"
      "other=1\r\n");
  EXPECT_EQ(ini.Get("FIRST", "key", 100), "value with blanks");
  EXPECT_EQ(ini.Get("First", "Quoted", 100), "  kept inside  ");
  EXPECT_EQ(ini.Get("First", "Single", 100), "x");
  EXPECT_EQ(ini.Get("First", "Half", 100), "\"open");
  EXPECT_EQ(ini.Get("First", "Empty", 100, "fallback"), "");
  EXPECT_TRUE(ini.Has("First", "Empty"));
  EXPECT_EQ(ini.Get("First", "Absent", 100, "fallback"), "fallback");
  EXPECT_EQ(ini.Get("Missing", "Key", 100), "");
  EXPECT_EQ(ini.Get("other", "OTHER", 100), "1");
  // The buffer keeps size - 1 bytes.
  EXPECT_EQ(ini.Get("First", "Key", 6), "value");
  EXPECT_EQ(ini.Get("First", "Key", 1), "");
}

TEST(IniFileTest, WritingAndRemoving) {
  IniFile ini;
  ini.Parse("; head\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ini.Write("a", "X", "10");      // replaced in place, key spelling kept
  ini.Write("A", "z", "3");       // after the last key, before the blank line
  ini.Write("C", "w", "4");       // new section at the end
  EXPECT_EQ(ini.Text(), "; head\r\n[A]\r\nx=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
  ini.RemoveSection("a");
  EXPECT_EQ(ini.Text(), "; head\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
  ini.Write("A", "k", "v");
  EXPECT_EQ(ini.Text(), "; head\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n[A]\r\nk=v\r\n");
}

TEST(IniFileTest, SaveAndLoadThroughAFile) {
  testing::ScratchFolder dir;
  IniFile ini;
  EXPECT_FALSE(ini.Load(dir.At("none.ini")));
  EXPECT_EQ(ini.Text(), "");
  ini.Write("S", "k", "\x83\x5C\x83\x74\x83\x67");
  ASSERT_TRUE(ini.Save(dir.At("p.ini")));
  IniFile again;
  ASSERT_TRUE(again.Load(dir.At("p.ini")));
  EXPECT_EQ(again.Get("s", "K", 100), "\x83\x5C\x83\x74\x83\x67");
  EXPECT_FALSE(ini.Save(dir.At("no") + testing::Sep() + "folder.ini"));
}

}  // namespace
}  // namespace wizard
