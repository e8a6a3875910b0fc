#include "project/source_index.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/test_temp_folder.h"
#include "project/test_support.h"

namespace wizard {
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

// Lists as the POSIX lister does: the names afresh, an entry the caller
// answers for taken as answered; counts the entries it examines.
class CountingLister : public base::FakeFolderLister {
 public:
  using FakeFolderLister::FakeFolderLister;
  bool ListAgain(const std::string& folder, const base::EarlierEntry& earlier,
                 std::vector<base::DirEntry>* entries) override {
    if (!List(folder, entries)) return false;
    for (base::DirEntry& entry : *entries) {
      if (const base::DirEntry* known = earlier(entry.host_name)) {
        entry = *known;
      } else {
        examined.push_back(entry.name);
      }
    }
    return true;
  }
  std::vector<std::string> examined;
};

std::string Shown(const std::vector<base::DirEntry>& entries) {
  std::string shown;
  for (const base::DirEntry& e : entries) shown += e.name + ":" + std::to_string(e.size) + " ";
  return shown;
}

// The builder's listings of the source folder come from the index: a
// sub-folder as it was read, the folder itself with its names read afresh
// and only the refreshed ones examined; any other folder from the lister.
TEST(IndexedFolderListerTest, AnswersTheIndexedFoldersAndExaminesOnlyWhatFinishChanged) {
  testing::FakeFolder dir;
  CountingLister counting(dir.files);
  const base::FileAccess fs{dir.files, counting};
  dir.MakeFile("src/Native.ina", "nn");
  dir.MakeFile("src/a.dat", "aa");
  dir.MakeFile("src/Install.inf", "old");
  dir.MakeFile("src/sub/b.dat", "bb");
  dir.MakeFile("src/sub/deep/c.dat", "cc");
  SourceIndex index;
  ASSERT_TRUE(index.Read(fs, dir.At("src") + testing::Sep()));
  EXPECT_EQ(index.host_path(), dir.At("src"));
  // Finish writes its own files; another program changes the others.
  dir.MakeFile("src/Install.inf", "newer");
  dir.MakeFile("src/UnFoo.inf", "u");
  dir.MakeFile("src/a.dat", "changed");
  dir.MakeFile("src/sub/b.dat", "changed");
  index.Refresh(fs, {"install.INF", "UnFoo.inf"});
  counting.listed.clear();
  counting.examined.clear();

  IndexedFolderLister lister(index, counting);
  struct Case {
    std::string folder;
    bool listed;         // the inner lister was asked
    std::string shown;   // what the builder sees
  } cases[] = {
      {dir.At("src"), true, "a.dat:2 Install.inf:5 Native.ina:2 sub:0 UnFoo.inf:1 "},
      {dir.At("src/sub"), false, "b.dat:2 deep:0 "},
      {dir.At("src/sub/deep"), true, "c.dat:2 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    counting.listed.clear();
    std::vector<base::DirEntry> entries;
    ASSERT_TRUE(lister.List(c.folder, &entries));
    EXPECT_EQ(Shown(entries), c.shown);
    EXPECT_EQ(!counting.listed.empty(), c.listed);
  }
  // Of the source folder's entries only the two Finish wrote were examined.
  EXPECT_EQ(counting.examined, (std::vector<std::string>{"Install.inf", "UnFoo.inf"}));
  std::vector<base::DirEntry> entries;
  EXPECT_FALSE(lister.List(dir.At("absent"), &entries));
}

#ifndef _WIN32
// A link in the source folder is followed afresh: where it leads, and what
// is there now, decide what the builder reads.
TEST(IndexedFolderListerTest, FollowsALinkAfresh) {
  base::TestTempFolder dir;
  dir.Write("src/target", "t");
  dir.Write("src/a.dat", "a");
  std::filesystem::create_symlink("target", dir.Path("src/link"));
  const base::FileAccess fs = base::SystemFileAccess();
  SourceIndex index;
  ASSERT_TRUE(index.Read(fs, dir.Path("src") + "/"));
  dir.Write("src/target", "tttttt");
  dir.Write("src/a.dat", "aaaa");  // behind the run's back: taken as read
  IndexedFolderLister lister(index, fs.lister);
  std::vector<base::DirEntry> entries;
  ASSERT_TRUE(lister.List(index.host_path(), &entries));
  EXPECT_EQ(Shown(entries), "a.dat:1 link:6 target:1 ");
}
#endif

}  // namespace
}  // namespace wizard
