#include "base/listing.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#endif

#include <filesystem>
#include <functional>

#include "base/listing_memo.h"
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

// The entries as "name kind size" lines, in listing order.
std::string Shown(const std::vector<DirEntry>& entries) {
  std::string shown;
  for (const DirEntry& e : entries) {
    shown += e.name + " " + std::to_string(static_cast<int>(e.kind)) + " " + std::to_string(e.size) + "\n";
  }
  return shown;
}

// Whatever the run changes through the memo's file system is listed as a
// fresh listing shows it.
TEST(ListingMemoTest, ListsWhatTheRunChangedAsAFreshListing) {
  struct Case {
    const char* what;
    std::function<bool(FileSystem&, const TestTempFolder&)> change;
  } cases[] = {
      {"new file", [](FileSystem& f, const TestTempFolder& d) { return WriteWholeFile(f, d.Path("new.inf"), "123"); }},
      {"rewritten",
       [](FileSystem& f, const TestTempFolder& d) { return WriteWholeFile(f, d.Path("Install.inf"), "longer text"); }},
      {"removed", [](FileSystem& f, const TestTempFolder& d) { return f.Remove(d.Path("b.dat")); }},
      {"renamed", [](FileSystem& f, const TestTempFolder& d) { return f.Rename(d.Path("b.dat"), d.Path("c.dat")); }},
      {"new folder", [](FileSystem& f, const TestTempFolder& d) { return f.CreateFolder(d.Path("b.dat.d")); }},
      {"written after the listing", [](FileSystem& f, const TestTempFolder& d) {
         std::unique_ptr<OutputFile> out = f.Create(d.Path("b.dat"));
         return out && out->Write("12345678", 8) && out->Close();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestTempFolder dir;
    dir.Write("Install.inf", "x");
    dir.Write("b.dat", "bb");
    ListingMemo memo(FileAccess{SystemFileSystem(), SystemFolderLister()});
    std::vector<DirEntry> first, again, fresh;
    ASSERT_TRUE(memo.access().lister.List(dir.Path(), &first));
    ASSERT_TRUE(c.change(memo.access().files, dir));
    ASSERT_TRUE(memo.access().lister.List(dir.Path(), &again));
    ASSERT_TRUE(SystemFolderLister().List(dir.Path(), &fresh));
    EXPECT_EQ(Shown(again), Shown(fresh));
    EXPECT_NE(Shown(again), Shown(first));
  }
}

#ifndef _WIN32
// What the run did not change is not examined again, under any spelling of
// the folder; a link is always followed again.
TEST(ListingMemoTest, TakesUnchangedEntriesFromTheFirstListing) {
  TestTempFolder dir;
  dir.Write("sub/a.dat", "a");
  dir.Write("sub/target", "t");
  std::filesystem::create_symlink("target", dir.Path("sub/link"));
  ListingMemo memo(FileAccess{SystemFileSystem(), SystemFolderLister()});
  FileAccess access = memo.access();
  std::vector<DirEntry> entries;
  ASSERT_TRUE(access.lister.List(dir.Path("sub"), &entries));
  // Changed behind the memo's back.
  dir.Write("sub/a.dat", "aaaa");
  dir.Write("sub/target", "tttttt");
  std::unique_ptr<EnteredFolder> inside = access.files.EnterFolder(dir.Path());
  ASSERT_TRUE(inside);
  ASSERT_TRUE(access.lister.List("sub/", &entries));
  EXPECT_EQ(Shown(entries), "a.dat 0 1\nlink 0 6\ntarget 0 1\n");
}
#endif

}  // namespace
}  // namespace base
