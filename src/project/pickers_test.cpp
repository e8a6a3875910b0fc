#include "project/pickers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "project/test_support.h"

namespace project {
namespace {

TEST(PickersTest, StartupProgramsFromTheSourceFolderAndItsSubFolders) {
  testing::FakeFolder dir;
  ProjectSettings s;
  s.Source.Assign("src");
  std::string shown, first;
  std::vector<std::string> names;
  EXPECT_FALSE(FirstProgramInSource(dir.fs, s, dir.path(), &first));  // no folder, no program
  dir.MakeFolder("src/more.exe");  // a folder is never a program
  dir.MakeFile("src/bin/Tool.EXE");
  dir.MakeFile("src/data.dat");
  ASSERT_TRUE(FirstProgramInSource(dir.fs, s, dir.path(), &first));
  EXPECT_EQ(first, "Tool.EXE");  // bare name, found in the sub-folder
  dir.MakeFile("src/App.exe");
  ASSERT_TRUE(FirstProgramInSource(dir.fs, s, dir.path(), &first));
  EXPECT_EQ(first, "App.exe");   // the top level comes first
  ASSERT_TRUE(ListStartupPrograms(dir.fs, s, dir.path(), &shown, &names));
  EXPECT_EQ(shown, dir.At("src") + testing::Sep());
  EXPECT_EQ(names, (std::vector<std::string>{"App.exe", "Tool.EXE"}));

  s.Source.Assign(std::string(100, 's'));
  EXPECT_FALSE(ListStartupPrograms(dir.fs, s, std::string(154, 'd'), &shown, &names));  // 256 + 5 >= 260
  EXPECT_TRUE(names.empty());
}

TEST(PickersTest, RowOfCurrentValue) {
  const std::vector<std::string> rows = {"App.exe", "Tool.EXE", "\x83\x41.exe", "app.exe"};
  const struct {
    const char* current;
    int row;
  } cases[] = {
      {"App.exe", 0},  {"APP.EXE", 0},         // the first match, letter case aside
      {"tool.exe", 1}, {"\x83\x41.exe", 2},
      {"\x83\x61.exe", -1},                    // a trail byte is never folded
      {"", -1},        {"Other.exe", -1}, {"App", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(RowOfCurrentValue(rows, c.current), c.row) << c.current;
  EXPECT_EQ(RowOfCurrentValue({}, "App.exe"), -1);
}

TEST(PickersTest, SourceFolders) {
  testing::FakeFolder dir;
  dir.MakeFolder("b");
  dir.MakeFolder("a");
  dir.MakeFile("file.txt");
  std::vector<std::string> names;
  ASSERT_TRUE(ListSourceFolders(dir.fs, dir.path(), &names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(ListSourceFolders(dir.fs, std::string(256, 'd'), &names));
}

}  // namespace
}  // namespace project
