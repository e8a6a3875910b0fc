#include "project/source_folder_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "project/test_support.h"

namespace project {
namespace {

// The folder "src" of `dir` as read.
SourceIndex ReadSource(const testing::FakeFolder& dir) {
  SourceIndex source;
  source.Read(dir.fs, dir.At("src") + testing::Sep());
  return source;
}

TEST(SourceFolderRulesTest, DevicePathLength) {
  // 12 + 100 + 127 + 20 = 259 fits; one byte more does not.
  EXPECT_FALSE(DevicePathTooLong(100, 127));
  EXPECT_TRUE(DevicePathTooLong(100, 128));
  EXPECT_TRUE(DevicePathTooLong(0, 228));
  EXPECT_FALSE(DevicePathTooLong(0, 227));
}

TEST(SourceFolderRulesTest, KindsOfNames) {
  struct Case {
    const char* name;
    bool generated, program, native;
  } cases[] = {
      {"readme.txt", true, false, false},  {"Setup.INF", true, false, false},
      {"a.txt.bin", false, false, false},  {"App.EXE", false, true, false},
      {"lib.Dll", false, true, false},     {"native.INA", false, false, true},
      {"Native.ina.bak", false, false, false}, {"txt", false, false, false},
      // "ソ" ends in the byte of a backslash, which never splits the name.
      {"\x83\x5C.exe", false, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsGeneratedFile(c.name), c.generated) << c.name;
    EXPECT_EQ(IsProgramOrLibrary(c.name), c.program) << c.name;
    EXPECT_EQ(IsNativeIna(c.name), c.native) << c.name;
  }
  EXPECT_FALSE(SourcePathTooLong(std::string(256, 'p')));
  EXPECT_TRUE(SourcePathTooLong(std::string(257, 'p')));
}

TEST(SourceFolderRulesTest, ScanFindsEachFault) {
  struct Case {
    const char* label;
    std::vector<std::string> files;
    std::size_t inst_dir;
    std::vector<std::string> names;  // sorted
    int native;
    bool duplicate, too_long, nested;
  };
  const std::string long_name = std::string(124, 'n') + ".dat";  // 12 + 100 + 128 + 20 = 260
  const Case cases[] = {
      {"clean", {"Native.ina", "a.dat", "sub/b.dat", "readme.txt", "x.INF"}, 0,
       {"a.dat", "b.dat"}, 1, false, false, false},
      {"no Native.ina", {"a.dat"}, 0, {"a.dat"}, 0, false, false, false},
      {"two Native.ina", {"Native.ina", "sub/NATIVE.INA", "a.dat"}, 0, {"a.dat"}, 2, false, false,
       false},
      {"duplicate", {"Native.ina", "a.dat", "sub/A.dat"}, 0, {"A.dat", "a.dat"}, 1, true, false,
       false},
      {"nested", {"Native.ina", "a.dat", "sub/c.dat", "sub/deep/b.dat"}, 0, {"a.dat", "c.dat"}, 1,
       false, false, true},
      {"path too long", {"Native.ina", long_name}, 100, {long_name}, 1, false, true, false},
      {"path just fits", {"Native.ina", long_name}, 99, {long_name}, 1, false, false, false},
      {"nothing to copy", {"Native.ina", "readme.txt"}, 0, {}, 1, false, false, false},
      {"all at once", {"a.dat", "sub/a.dat", "sub/deep/x.dat"}, 0, {"a.dat", "a.dat"}, 0, true,
       false, true},
  };
  for (const Case& c : cases) {
    testing::FakeFolder dir;
    dir.MakeFolder("src");
    for (const std::string& file : c.files) dir.MakeFile("src/" + file);
    const SourceFolderScan scan = ScanSourceFolder(ReadSource(dir), std::string(c.inst_dir, 'i'));
    std::vector<std::string> names = scan.files;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, c.names) << c.label;
    EXPECT_EQ(scan.native_ina_count, c.native) << c.label;
    EXPECT_EQ(scan.duplicate_names, c.duplicate) << c.label;
    EXPECT_EQ(scan.path_too_long, c.too_long) << c.label;
    EXPECT_EQ(scan.nested_folders, c.nested) << c.label;
  }
}

TEST(SourceFolderRulesTest, TopLevelFilesComeBeforeThoseOfSubFolders) {
  testing::FakeFolder dir;
  dir.MakeFile("src/a/first.dat");
  dir.MakeFile("src/z.dat");
  const SourceFolderScan scan = ScanSourceFolder(ReadSource(dir), "");
  EXPECT_EQ(scan.files, (std::vector<std::string>{"z.dat", "first.dat"}));
}

TEST(SourceFolderRulesTest, MarksRowsAgainstTheIndex) {
  testing::FakeFolder dir;
  dir.MakeFile("src/top.dat");
  dir.MakeFile("src/sub/inner.dat");
  SourceIndex source;
  ASSERT_TRUE(source.Read(dir.fs, dir.At("src") + testing::Sep()));
  MemoryFileRowStore rows;
  for (const char* name : {"top.dat", "inner.dat", "gone.dat"}) InsertFileRow(rows, name, true, "", AppRoot);
  // Each row's (start-up, missing) after a marking.
  const auto facts = [&rows] {
    std::vector<std::pair<bool, bool>> out;
    for (const FileRow& row : rows.rows) out.emplace_back(row.startup, row.missing);
    return out;
  };
  using Facts = std::vector<std::pair<bool, bool>>;
  EXPECT_TRUE(MarkFileRows(rows, "TOP.DAT", &source));
  // The start-up program found ignoring letter case; the saved start-up
  // facts give way to the program's; the third file is gone.
  EXPECT_EQ(facts(), (Facts{{true, false}, {false, false}, {false, true}}));
  rows.rows.pop_back();
  EXPECT_FALSE(MarkFileRows(rows, "", &source));
  EXPECT_EQ(facts(), (Facts{{false, false}, {false, false}}));
  // No source folder: every row is missing, the start-up program as well.
  EXPECT_TRUE(MarkFileRows(rows, "top.dat", nullptr));
  EXPECT_EQ(facts(), (Facts{{true, true}, {false, true}}));
}

TEST(SourceFolderRulesTest, UnlistedFilesAndChosenDestinations) {
  struct Case {
    const char* label;
    std::vector<std::pair<std::string, std::uint32_t>> rows;
    std::vector<std::string> files;
    std::vector<std::string> unlisted;
    bool chosen;
  };
  const Case cases[] = {
      {"empty list", {}, {"b.dat", "a.dat"}, {"b.dat", "a.dat"}, false},
      {"all listed", {{"a.dat", AppRoot}, {"b.dat", Doc}}, {"a.dat", "b.dat"}, {}, true},
      {"letter case ignored", {{"A.DAT", AppRoot}}, {"a.dat", "new.dat"}, {"new.dat"}, false},
      // "ア" and "ヂ" differ only in a trail byte that folds like "A" and "a".
      {"double-byte kept whole", {{"\x83\x41.dat", AppOriginal}}, {"\x83\x41.dat", "\x83\x61.dat"},
       {"\x83\x61.dat"}, true},
      {"missing rows named", {{"gone.dat", DocOriginal}}, {}, {}, true},
  };
  for (const Case& c : cases) {
    MemoryFileRowStore rows;
    for (const auto& row : c.rows) InsertFileRow(rows, row.first, false, "Mine", row.second);
    EXPECT_EQ(UnlistedFiles(rows, c.files), c.unlisted) << c.label;
    EXPECT_EQ(HasChosenDestination(rows), c.chosen) << c.label;
  }
}

}  // namespace
}  // namespace project
