#include "base/listing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace base {
namespace {

namespace fs = std::filesystem;

TEST(ListingTest, ListsFilesAndFoldersWithSizes) {
  fs::path dir = fs::temp_directory_path() / "pak_listing_test";
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  std::ofstream(dir / "b.txt", std::ios::binary) << "12345";
  std::ofstream(dir / "A.dat", std::ios::binary) << "";

  std::vector<DirEntry> entries;
  ASSERT_TRUE(SystemFolderLister().List(dir.string(), &entries));
  ASSERT_EQ(entries.size(), 3u);
  int seen = 0;
  for (const DirEntry& e : entries) {
    if (e.name == "b.txt") { EXPECT_FALSE(e.is_folder); EXPECT_EQ(e.size, 5u); ++seen; }
    if (e.name == "A.dat") { EXPECT_FALSE(e.is_folder); EXPECT_EQ(e.size, 0u); ++seen; }
    if (e.name == "sub") { EXPECT_TRUE(e.is_folder); ++seen; }
  }
  EXPECT_EQ(seen, 3);
#ifndef _WIN32
  // POSIX order: by name with ASCII letters folded to upper case.
  EXPECT_EQ(entries[0].name, "A.dat");
  EXPECT_EQ(entries[1].name, "b.txt");
  EXPECT_EQ(entries[2].name, "sub");
#endif
  fs::remove_all(dir);
}

TEST(ListingTest, MissingFolderFails) {
  std::vector<DirEntry> entries;
  EXPECT_FALSE(SystemFolderLister().List("/no/such/folder/here", &entries));
}

}  // namespace
}  // namespace base
