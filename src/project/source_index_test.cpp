#include "project/source_index.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/fake_folder_lister.h"
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


// A lister whose listings come in the file system's own order, as on
// Windows: an entry examined later has no known place.
class UnorderedLister : public base::FakeFolderLister {
 public:
  using FakeFolderLister::FakeFolderLister;
  base::ListingOrder Order() const override { return nullptr; }
};

// Finish deletes, replaces and adds files of the source folder through the
// folder it holds open; the index brought up to date by name is then what a
// new Read gives, its listings included (names, order, sizes and
// identities), and a lister with an order of names is not asked to list.
TEST(SourceIndexTest, RefreshGivesWhatANewReadGives) {
  struct Case {
    const char* name;
    bool ordered;
    std::size_t listings;  // of the source folder while refreshing
  } cases[] = {{"names in order", true, 0}, {"the file system's own order", false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakeFolder dir;
    UnorderedLister unordered(dir.files);
    base::FakeFolderLister& lister = c.ordered ? dir.lister : unordered;
    const base::FileAccess fs{dir.files, lister};
    for (const char* name : {"src/Native.ina", "src/a.txt", "src/old.txt", "src/z.exe", "src/INSTALL.INF",
                             "src/sub/in.dat"})
      dir.MakeFile(name);
    SourceIndex index;
    ASSERT_TRUE(index.Read(fs, dir.At("src") + testing::Sep()));
    std::unique_ptr<base::Folder> held = lister.OpenFolder(dir.At("src"));
    ASSERT_TRUE(held);
    // A new a.txt in place of the old one, old.txt and INSTALL.INF gone,
    // Install.inf and M.txt new.
    ASSERT_TRUE(base::WriteWholeFileIn(*held, "a.txt", "new and longer", 1));
    ASSERT_TRUE(held->Remove("old.txt"));
    ASSERT_TRUE(held->Remove("INSTALL.INF"));
    ASSERT_TRUE(base::WriteWholeFileIn(*held, "Install.inf", "[App Information]", 1));
    ASSERT_TRUE(base::WriteWholeFileIn(*held, "M.txt", "menu", 1));
    const std::size_t before = lister.listed.size();
    index.Refresh(lister, *held, {"a.txt", "old.txt", "Install.inf", "M.txt"});
    EXPECT_EQ(lister.listed.size() - before, c.listings);

    SourceIndex fresh;
    ASSERT_TRUE(fresh.Read(fs, dir.At("src") + testing::Sep()));
    const auto files = [](const SourceIndex& i) {
      std::vector<std::string> out;
      for (const SourceFile& f : i.files()) out.push_back(f.folder + "/" + f.name + ":" + std::to_string(f.size));
      return out;
    };
    EXPECT_EQ(files(index), files(fresh));
    EXPECT_EQ(files(index).front(), "/a.txt:14");
    for (const std::string relative : {"", "sub"}) {
      const std::vector<base::DirEntry>* got = index.Listing(relative);
      const std::vector<base::DirEntry>* want = fresh.Listing(relative);
      ASSERT_TRUE(got && want) << relative;
      ASSERT_EQ(got->size(), want->size()) << relative;
      for (std::size_t i = 0; i < got->size(); ++i) {
        EXPECT_EQ((*got)[i].host_name, (*want)[i].host_name);
        EXPECT_EQ((*got)[i].size, (*want)[i].size);
        EXPECT_TRUE((*got)[i].identity.SameFile((*want)[i].identity)) << (*got)[i].host_name;
      }
    }
    for (const char* name : {"Install.inf", "old.txt", "M.TXT", "a.txt", "in.dat", "z.exe"})
      EXPECT_EQ(index.Contains(name), fresh.Contains(name)) << name;
    EXPECT_EQ(index.Listing("elsewhere"), nullptr);
  }
}

}  // namespace
}  // namespace project
