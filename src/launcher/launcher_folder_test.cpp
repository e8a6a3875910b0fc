#include "launcher/launcher_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "base/sjis.h"

namespace launcher {
namespace {

bool NoLeadBytes(unsigned char) { return false; }

struct FolderCase {
  const char* name;
  const char* command_line;  // null: the process has none
  const char* expected;
};

TEST(LauncherFolderTest, FromCommandLine) {
  const FolderCase cases[] = {
      {"quoted", "\"C:\\My Kit\\Setup.exe\"", "C:\\My Kit"},
      {"quoted with arguments", "\"C:\\Kit\\Setup.exe\" /x D:\\y", "C:\\Kit"},
      {"unquoted", "C:\\Kit\\Setup.exe", "C:\\Kit"},
      {"unquoted, arguments with a backslash", "C:\\Kit\\Setup.exe /x D:\\Other\\y",
       "C:\\Kit\\Setup.exe /x D:\\Other"},
      {"unquoted, stops at a quote", "C:\\Kit\\Setup.exe \"D:\\a b\\c\"", "C:\\Kit"},
      {"root folder", "\"C:\\Setup.exe\"", "C:"},
      {"no backslash: current directory", "Setup.exe", "D:\\Here"},
      {"only a quote: current directory", "\"", "D:\\Here"},
      {"empty: current directory", "", "D:\\Here"},
      {"none: current directory", nullptr, "D:\\Here"},
  };
  for (const FolderCase& c : cases) {
    EXPECT_EQ(LauncherFolderFromCommandLine(c.command_line, "D:\\Here", NoLeadBytes), c.expected)
        << c.name;
  }
}

TEST(LauncherFolderTest, TrailByteBackslashDoesNotCut) {
  // "ソフト" is 83 5C 83 74 83 67 in code page 932: its first trail byte is a backslash.
  const std::string line = "\"C:\\\x83\x5C\x83\x74\x83\x67\\Setup.exe\"";
  EXPECT_EQ(LauncherFolderFromCommandLine(line.c_str(), "X:", base::IsSjisLeadByte),
            "C:\\\x83\x5C\x83\x74\x83\x67");
  // A folder name ending in "ソ" has nothing after its trail backslash but the real one.
  const std::string tail = "C:\\A\x83\x5C\\Setup.exe";
  EXPECT_EQ(LauncherFolderFromCommandLine(tail.c_str(), "X:", base::IsSjisLeadByte),
            "C:\\A\x83\x5C");
}

TEST(LauncherFolderTest, CopiesAtMost260Bytes) {
  std::string folder = "C:\\" + std::string(250, 'a');  // 253 bytes
  std::string line = folder + "\\b\\Setup.exe";         // the second backslash is byte 256
  EXPECT_EQ(LauncherFolderFromCommandLine(line.c_str(), "X:", NoLeadBytes), folder + "\\b");
  std::string long_line = folder + std::string(20, 'c') + "\\Setup.exe";  // backslash past 260
  EXPECT_EQ(LauncherFolderFromCommandLine(long_line.c_str(), "X:", NoLeadBytes), "C:");
}

}  // namespace
}  // namespace launcher
