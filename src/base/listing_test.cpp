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

// The entries as "name kind size" lines, in listing order.
}  // namespace
}  // namespace base
