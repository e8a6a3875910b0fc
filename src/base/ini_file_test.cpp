#include "base/ini_file.h"

#include <gtest/gtest.h>

namespace base {
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
  EXPECT_TRUE(ini.HasKeyStartingWith("first", "QUO"));
  EXPECT_TRUE(ini.HasKeyStartingWith("First", "Empty"));
  EXPECT_FALSE(ini.HasKeyStartingWith("First", "EmptyX"));
  EXPECT_FALSE(ini.HasKeyStartingWith("First", "other"));
  EXPECT_FALSE(ini.HasKeyStartingWith("Missing", "Key"));
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

TEST(IniFileTest, HandEditedFiles) {
  // "ゾ" is 0x83 0x5D in Shift-JIS: its trail byte is ']'.
  const std::string zo = "\x83\x5D";
  IniFile ini;
  ini.Parse("\xEF\xBB\xBF[Property]\r\nName=Foo\r\n[" + zo + "]\r\nk=1\r\n");
  EXPECT_EQ(ini.Get("Property", "Name", 100), "Foo");  // the first section after the mark
  EXPECT_EQ(ini.Get(zo, "k", 100), "1");
  ini.Write(zo, "k", "2");
  ini.Write(zo, "j", "3");
  EXPECT_EQ(ini.Text(), "[Property]\r\nName=Foo\r\n[" + zo + "]\r\nk=2\r\nj=3\r\n");

  // A value cut to its room never ends inside a double-byte character.
  ini.Write("S", "v", "ab" + zo + "c");
  const struct { std::size_t size; std::string value; } cuts[] = {
      {3, "ab"}, {4, "ab"}, {5, "ab" + zo}, {6, "ab" + zo + "c"}};
  for (const auto& c : cuts) EXPECT_EQ(ini.Get("S", "v", c.size), c.value) << c.size;
  EXPECT_EQ(ini.Get("S", "absent", 4, "ab" + zo), "ab");

  // A key written as "[T]x" makes a header line; later keys of S still go
  // into S, before it.
  ini.Write("S", "[T]x", "1");
  ini.Write("S", "w", "2");
  EXPECT_EQ(ini.Text(), "[Property]\r\nName=Foo\r\n[" + zo + "]\r\nk=2\r\nj=3\r\n[S]\r\nv=ab" + zo +
                            "c\r\nw=2\r\n[T]x=1\r\n");
}

TEST(IniFileTest, ManySectionsAndKeysStayInOrder) {
  // Every key and section found through the index, written where a scan
  // would put it, also after sections of the same name are removed.
  IniFile ini;
  std::string expected;
  for (int i = 0; i < 300; ++i) {
    ini.Write("Sec" + std::to_string(i), "Key", std::to_string(i));
    ini.Write("sec" + std::to_string(i % 7), "More" + std::to_string(i), "x");
  }
  for (int i = 0; i < 300; i += 2) ini.RemoveSection("SEC" + std::to_string(i));
  for (int i = 0; i < 300; ++i) {
    bool kept = i % 2 == 1;
    EXPECT_EQ(ini.Has("Sec" + std::to_string(i), "key"), kept) << i;
  }
  EXPECT_EQ(ini.Get("Sec1", "More1", 10), "x");
  EXPECT_EQ(ini.Get("Sec5", "More299", 10), "x");
  IniFile again;
  again.Parse(ini.Text());
  EXPECT_EQ(again.Text(), ini.Text());
  ini.Write("Sec0", "Key", "new");
  EXPECT_EQ(ini.Text().substr(ini.Text().size() - 17), "[Sec0]\r\nKey=new\r\n");
}

TEST(IniFileTest, LinesOfKeysAndEveryHeaderAndKey) {
  // Lines end in CR LF, LF or a lone CR; each counts once.
  IniFile ini;
  ini.Parse("; c\r\n[A]\rx=1\n\n[b]\r\ny=2\r\nY=3\r\n[a]\nx=4\nz");
  EXPECT_EQ(ini.LineOf("a", "X"), 3u);
  EXPECT_EQ(ini.LineOf("B", "y"), 6u);
  EXPECT_EQ(ini.LineOf("A", "z"), 0u);  // in the second section of the name, not read
  EXPECT_EQ(ini.LineOf("C", "x"), 0u);
  std::string seen;
  ini.VisitLines([&seen](const IniFile::Entry& e) {
    seen += std::to_string(e.line) + (e.header ? "[" + std::string(e.section) + "]" : std::string(e.key)) +
            (e.first_section ? "f" : "") + (e.first_key ? "k" : "") + " ";
  });
  EXPECT_EQ(seen, "2[A]f 3xfk 5[b]f 6yfk 7Yf 8[a] 9x ");
  EXPECT_EQ(ini.Text(), "; c\r\n[A]\r\nx=1\r\n\r\n[b]\r\ny=2\r\nY=3\r\n[a]\r\nx=4\r\nz\r\n");
}

TEST(IniFileTest, MillionsOfHeadersOrBlankLinesAreReadInOnePass) {
  // Each line is one or two bytes, and only the first section of a name is
  // ever indexed: held as the text, nothing per line.
  for (const char* line : {"[\n", "\n", "[A]\nk=v\n"}) {
    std::string text;
    for (int i = 0; i < 500000; ++i) text += line;
    IniFile ini;
    ini.Parse(std::move(text));
    EXPECT_EQ(ini.Get("A", "k", 10), line[1] == 'A' ? "v" : "") << line;
    EXPECT_FALSE(ini.Has("Property", "Name"));
  }
}

}  // namespace
}  // namespace base
