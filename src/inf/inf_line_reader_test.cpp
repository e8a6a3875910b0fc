#include "inf/inf_line_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/fake_file_system.h"

namespace inf {
namespace {

std::vector<std::string> Lines(const std::string& content, std::size_t piece_size) {
  base::FakeFileSystem files;
  files.files["a.inf"].assign(content.begin(), content.end());
  std::unique_ptr<base::InputFile> file = files.OpenInput("a.inf");
  InfLineReader reader(*file, piece_size);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(&line)) lines.emplace_back(line);
  EXPECT_FALSE(reader.failed());
  return lines;
}

// The same lines whatever the size of the pieces the file is read in, also
// when a CR LF or a full line straddles two pieces.
TEST(InfLineReaderTest, Table) {
  struct Case {
    std::string content;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a\nb", {"a\n", "b"}},
      {"a\r\nb\r\n", {"a\n", "b\n"}},
      {"a\rb\n", {"a\rb\n"}},  // a lone CR stays (a blank)
      {"a\r", {"a\r"}},
      {"\r\r\n", {"\r\n"}},
      {"\n\n", {"\n", "\n"}},
      {std::string(510, 'x') + "\n", {std::string(510, 'x') + "\n"}},
      {std::string(510, 'x') + "\r\n", {std::string(510, 'x') + "\n"}},
      {std::string(510, 'x') + "\rx", {std::string(510, 'x') + "\r", "x"}},
      {std::string(511, 'x') + "\n", {std::string(511, 'x'), "\n"}},
      {std::string(600, 'x') + "\n", {std::string(511, 'x'), std::string(89, 'x') + "\n"}},
  };
  for (std::size_t piece : {1u, 2u, 3u, 7u, 511u, 512u, 65536u}) {
    for (const Case& c : cases) EXPECT_EQ(Lines(c.content, piece), c.lines) << piece << " " << c.content.size();
  }
}

TEST(InfLineReaderTest, ReadErrorEndsTheLines) {
  base::FakeFileSystem files;
  files.files["a.inf"] = {'a', '\n'};
  files.unreadable.insert("a.inf");
  std::unique_ptr<base::InputFile> file = files.OpenInput("a.inf");
  InfLineReader reader(*file);
  std::string_view line;
  EXPECT_FALSE(reader.Next(&line));
  EXPECT_TRUE(reader.failed());
}

}  // namespace
}  // namespace inf
