#include "project/source_index.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/test_temp_folder.h"
#include "project/test_support.h"

namespace project {
namespace {

TEST(SourceIndexTest, FilesPresentInTheFolderOrASubFolder) {
  testing::FakeFolder dir;
  dir.MakeFile("src/top.dat");
  dir.MakeFile("src/sub/inner.dat");
  dir.MakeFile("src/sub/deep/hidden.dat");
  dir.MakeFile("src/" + std::string(20, 'f') + "/far.dat");
  SourceIndex source;
  ASSERT_TRUE(source.Read(dir.fs, dir.At("src") + testing::Sep()));
  struct Case {
    std::string name;
    bool present;
  } cases[] = {
      {"top.dat", true}, {"inner.dat", true}, {"INNER.DAT", true}, {"hidden.dat", false},
      {"gone.dat", false}, {"sub", false}, {std::string(300, 'n'), false}, {"far.dat", true},
  };
  for (const Case& c : cases) EXPECT_EQ(source.Contains(c.name), c.present) << c.name;
  EXPECT_TRUE(source.nested_folders());
  EXPECT_EQ(source.folders().size(), 2u);
  ASSERT_EQ(source.files().size(), 3u);
  EXPECT_EQ(source.files()[0].name, "top.dat");
  EXPECT_EQ(source.files()[0].folder, "");
  EXPECT_EQ(source.files()[0].size, 1u);

  // Path lengths, with the source path "/kit/src/" (9 bytes): a name of
  // 248 bytes fits in the folder itself (257) but not in "sub" (261); the
  // same name in both counts by its shorter path.
  testing::FakeFolder longer;
  const std::string name(248, 'n');
  longer.MakeFile("src/sub/" + name);
  ASSERT_TRUE(source.Read(longer.fs, longer.At("src") + testing::Sep()));
  EXPECT_FALSE(source.Contains(name));
  longer.MakeFile("src/" + name);
  ASSERT_TRUE(source.Read(longer.fs, longer.At("src") + testing::Sep()));
  EXPECT_TRUE(source.Contains(name));

  EXPECT_FALSE(source.Read(dir.fs, dir.At("absent") + testing::Sep()));
  EXPECT_TRUE(source.files().empty());
}

}  // namespace
}  // namespace project
