#include "launcher/text_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace launcher {
namespace {

class FakeSource : public TextSource {
 public:
  std::string content;
  std::uint64_t reported_size = 0;
  bool size_fails = false;
  bool read_fails = false;
  std::uint32_t requested = 0;

  bool Size(std::uint64_t* size) override {
    *size = reported_size;
    return !size_fails;
  }
  bool Read(char* buffer, std::uint32_t count, std::uint32_t* read) override {
    requested = count;
    if (read_fails) return false;
    *read = static_cast<std::uint32_t>(std::min<std::size_t>(count, content.size()));
    std::memcpy(buffer, content.data(), *read);
    return true;
  }
};

struct ReadCase {
  const char* name;
  std::string content;
  std::uint64_t size;  // as the file system reports it
  bool size_fails, read_fails;
  bool ok;
  std::string text;
};

TEST(TextReaderTest, ReadsUpToFirstNul) {
  const std::string with_nul("before\0after", 12);
  const ReadCase cases[] = {
      {"plain", "line 1\r\nline 2\r\n", 16, false, false, true, "line 1\r\nline 2\r\n"},
      {"empty file", "", 0, false, false, true, ""},
      {"NUL ends the text", with_nul, 12, false, false, true, "before"},
      {"NUL first", std::string("\0x", 2), 2, false, false, true, ""},
      {"file shrank since its size was taken", "abc", 10, false, false, true, "abc"},
      {"size unknown", "abc", 3, true, false, false, ""},
      {"read fails", "abc", 3, false, true, false, ""},
      {"4 GB or more", "abc", 0x100000000ull, false, false, false, ""},
      {"size would wrap the buffer length", "abc", 0xFFFFFFFFull, false, false, false, ""},
  };
  for (const ReadCase& c : cases) {
    FakeSource source;
    source.content = c.content;
    source.reported_size = c.size;
    source.size_fails = c.size_fails;
    source.read_fails = c.read_fails;
    std::string text = "stale";
    EXPECT_EQ(ReadTextForPage(source, &text), c.ok) << c.name;
    EXPECT_EQ(text, c.text) << c.name;
    if (c.ok) {
      EXPECT_EQ(source.requested, c.size) << c.name;
    }
  }
}

}  // namespace
}  // namespace launcher
