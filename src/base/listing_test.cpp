#include "base/listing.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#endif

#include <filesystem>
#include <functional>

#include "base/test_temp_folder.h"

namespace base {
namespace {

TEST(ListingTest, ListsFilesAndFoldersWithSizes) {
  TestTempFolder dir;
  dir.MakeFolder("sub");
  dir.Write("b.txt", "12345");
  dir.Write("A.dat", "");

  std::vector<DirEntry> entries;
  ASSERT_TRUE(SystemFolderLister().List(dir.Path(), &entries));
  ASSERT_EQ(entries.size(), 3u);
  int seen = 0;
  for (const DirEntry& e : entries) {
    EXPECT_TRUE(e.examined) << e.name;
    if (e.name == "b.txt") { EXPECT_EQ(e.kind, FileKind::kRegular); EXPECT_EQ(e.size, 5u); ++seen; }
    if (e.name == "A.dat") { EXPECT_EQ(e.kind, FileKind::kRegular); EXPECT_EQ(e.size, 0u); ++seen; }
    if (e.name == "sub") { EXPECT_EQ(e.kind, FileKind::kFolder); EXPECT_TRUE(e.is_folder()); ++seen; }
  }
  EXPECT_EQ(seen, 3);
#ifndef _WIN32
  // POSIX order: by name with ASCII letters folded to upper case.
  EXPECT_EQ(entries[0].name, "A.dat");
  EXPECT_EQ(entries[1].name, "b.txt");
  EXPECT_EQ(entries[2].name, "sub");
#endif
}

#ifndef _WIN32
// A FIFO is neither a file nor a folder; an entry that cannot be examined
// (here a link to nothing) says so instead of passing for an empty file.
TEST(ListingTest, ReportsOtherKindsAndEntriesThatCannotBeExamined) {
  TestTempFolder dir;
  ASSERT_EQ(0, mkfifo(dir.Path("fifo").c_str(), 0600));
  std::filesystem::create_symlink("nowhere", dir.Path("link"));

  std::vector<DirEntry> entries;
  ASSERT_TRUE(SystemFolderLister().List(dir.Path(), &entries));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "fifo");
  EXPECT_TRUE(entries[0].examined);
  EXPECT_EQ(entries[0].kind, FileKind::kOther);
  EXPECT_FALSE(entries[0].is_folder());
  EXPECT_EQ(entries[1].name, "link");
  EXPECT_FALSE(entries[1].examined);
}
#endif

TEST(ListingTest, MissingFolderFails) {
  std::vector<DirEntry> entries;
  EXPECT_FALSE(SystemFolderLister().List("/no/such/folder/here", &entries));
}

#ifndef _WIN32
// A folder held open, and what happens to its entries between the listing
// and their use: each swap is seen, and nothing is opened through it.
TEST(FolderTest, AnEntrySwappedAfterTheListingIsNeverOpened) {
  namespace fs = std::filesystem;
  struct Case {
    const char* name;
    void (*swap)(const TestTempFolder& dir);
    bool folder;  // the entry opened is sub, else data.dat
    FolderOpen result;
  };
  const Case cases[] = {
      {"unchanged", [](const TestTempFolder&) {}, false, FolderOpen::kOpened},
      {"file for a link", [](const TestTempFolder& d) {
         fs::remove(d.Path("src/data.dat"));
         fs::create_symlink(d.Path("out/data.dat"), d.Path("src/data.dat"));
       }, false, FolderOpen::kChanged},
      {"file for another of the same size", [](const TestTempFolder& d) {
         fs::rename(d.Path("out/data.dat"), d.Path("src/data.dat"));
       }, false, FolderOpen::kChanged},
      {"file removed", [](const TestTempFolder& d) { fs::remove(d.Path("src/data.dat")); }, false,
       FolderOpen::kChanged},
      {"folder unchanged", [](const TestTempFolder&) {}, true, FolderOpen::kOpened},
      {"folder for a link", [](const TestTempFolder& d) {
         fs::rename(d.Path("src/sub"), d.Path("src/kept"));
         fs::create_directory_symlink(d.Path("out"), d.Path("src/sub"));
       }, true, FolderOpen::kChanged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestTempFolder dir;
    dir.Write("src/data.dat", "inside!!");
    dir.Write("src/sub/x.dat", "x");
    dir.Write("out/data.dat", "OUTSIDE!");
    std::unique_ptr<Folder> src = SystemFolderLister().OpenFolder(dir.Path("src"));
    ASSERT_TRUE(src);
    std::vector<DirEntry> entries;
    ASSERT_TRUE(src->List(&entries));
    ASSERT_EQ(2u, entries.size());
    const DirEntry& entry = entries[c.folder ? 1 : 0];
    EXPECT_TRUE(entry.identity.known);
    c.swap(dir);
    FolderOpen result = FolderOpen::kFailed;
    if (c.folder) {
      const bool opened = src->OpenFolder(entry, &result) != nullptr;
      EXPECT_EQ(c.result == FolderOpen::kOpened, opened);
    } else {
      std::unique_ptr<InputFile> file = src->OpenListed(entry, &result);
      char bytes[16] = {};
      std::size_t got = 0;
      if (file) {
        ASSERT_TRUE(file->Read(bytes, sizeof bytes, &got));
      }
      EXPECT_EQ(c.result == FolderOpen::kOpened ? "inside!!" : "", std::string(bytes, got));
    }
    EXPECT_EQ(c.result, result);
  }
}

// The folder's path swapped for a link after it was opened: the handle
// stays on the folder opened, for listing, reading, writing and deleting.
TEST(FolderTest, TheHandleStaysOnTheFolderOpened) {
  namespace fs = std::filesystem;
  TestTempFolder dir;
  dir.Write("src/a.txt", "inside");
  dir.Write("out/a.txt", "OUTSIDE");
  std::unique_ptr<Folder> src = SystemFolderLister().OpenFolder(dir.Path("src"));
  ASSERT_TRUE(src);
  const std::string resolved = src->ResolvedPath();
  fs::rename(dir.Path("src"), dir.Path("kept"));
  fs::create_directory_symlink(dir.Path("out"), dir.Path("src"));
  std::vector<DirEntry> entries;
  ASSERT_TRUE(src->List(&entries));
  ASSERT_EQ(1u, entries.size());
  FolderOpen result = FolderOpen::kFailed;
  std::unique_ptr<InputFile> file = src->OpenListed(entries[0], &result);
  ASSERT_TRUE(file);
  char bytes[16];
  std::size_t got = 0;
  ASSERT_TRUE(file->Read(bytes, sizeof bytes, &got));
  EXPECT_EQ("inside", std::string(bytes, got));
  EXPECT_TRUE(WriteWholeFileIn(*src, "Install.inf", "written", 7));
  EXPECT_TRUE(src->Remove("a.txt"));
  EXPECT_TRUE(fs::exists(dir.Path("kept/Install.inf")));
  EXPECT_FALSE(fs::exists(dir.Path("kept/a.txt")));
  EXPECT_EQ(std::vector<std::string>{"a.txt"}, [&] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.Path("out"))) names.push_back(e.path().filename().string());
    return names;
  }());
  EXPECT_NE(resolved, src->ResolvedPath());
  EXPECT_EQ(fs::canonical(dir.Path("kept")).string(), src->ResolvedPath());
}

// A tree deeper than the descriptors kept open: every folder is still
// reached, each opened again from its parent when needed.
TEST(FolderTest, ATreeDeeperThanTheOpenBudget) {
  TestTempFolder dir;
  std::string path = "src";
  for (int i = 0; i < 100; ++i) path += "/d";
  dir.Write(path + "/leaf.txt", "leaf");
  std::vector<std::unique_ptr<Folder>> chain;
  chain.push_back(SystemFolderLister().OpenFolder(dir.Path("src")));
  ASSERT_TRUE(chain.back());
  std::vector<DirEntry> entries;
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(chain.back()->List(&entries));
    ASSERT_EQ(1u, entries.size());
    FolderOpen result = FolderOpen::kFailed;
    chain.push_back(chain.back()->OpenFolder(entries[0], &result));
    ASSERT_TRUE(chain.back()) << i;
  }
  // The shallow folders were closed for room; each is opened again.
  for (const auto& folder : chain) ASSERT_TRUE(folder->List(&entries));
  FolderOpen result = FolderOpen::kFailed;
  EXPECT_TRUE(chain.back()->OpenListed(entries[0], &result));
}
#endif

}  // namespace
}  // namespace base
