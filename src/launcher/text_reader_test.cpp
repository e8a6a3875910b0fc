#include "launcher/text_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "base/fake_file_system.h"

namespace launcher {
namespace {

struct ReadCase {
  const char* name;
  std::string content;
  std::uint64_t size;  // 0: the size taken when the file was opened
  bool unreadable;
  bool ok;
  std::string text;
};

TEST(TextReaderTest, ReadsUpToFirstNul) {
  const std::string with_nul("before\0after", 12);
  const ReadCase cases[] = {
      {"plain", "line 1\r\nline 2\r\n", 0, false, true, "line 1\r\nline 2\r\n"},
      {"empty file", "", 0, false, true, ""},
      {"NUL ends the text", with_nul, 0, false, true, "before"},
      {"NUL first", std::string("\0x", 2), 0, false, true, ""},
      {"file shorter than its size", "abc", 10, false, true, "abc"},
      {"read fails", "abc", 0, true, false, ""},
      {"4 GB or more", "abc", 0x100000000ull, false, false, ""},
      {"size would wrap the buffer length", "abc", 0xFFFFFFFFull, false, false, ""},
  };
  for (const ReadCase& c : cases) {
    base::FakeFileSystem files;
    files.files["note.txt"].assign(c.content.begin(), c.content.end());
    if (c.unreadable) files.unreadable.insert("note.txt");
    std::uint64_t size = 0;
    std::unique_ptr<base::InputFile> file = files.OpenLocked("note.txt", &size);
    ASSERT_TRUE(file) << c.name;
    EXPECT_EQ(size, c.content.size()) << c.name;
    std::string text = "stale";
    EXPECT_EQ(ReadTextForPage(*file, c.size ? c.size : size, &text), c.ok) << c.name;
    EXPECT_EQ(text, c.text) << c.name;
  }
}

}  // namespace
}  // namespace launcher
