#include "lvar/archive_diff.h"

#include <gtest/gtest.h>

#include "base/fake_file_system.h"
#include "lvar/test_archive.h"

namespace lvar {
namespace {

using lvar_test::MakeArchive;
using lvar_test::SoundEntries;
using lvar_test::TestEntry;

ArchiveDifference Compare(const std::vector<TestEntry>& a, const std::vector<TestEntry>& b, std::uint32_t dest_b = 2) {
  base::FakeFileSystem files;
  const std::string x = MakeArchive(a), y = MakeArchive(b, dest_b);
  files.files["a"] = base::FakeFileSystem::Bytes(x.begin(), x.end());
  files.files["b"] = base::FakeFileSystem::Bytes(y.begin(), y.end());
  ArchiveDigest da, db;
  EXPECT_TRUE(DigestArchive(files, "a", &da).ok());
  EXPECT_TRUE(DigestArchive(files, "b", &db).ok());
  return CompareArchives(da, db);
}

TEST(ArchiveDiffTest, AddedRemovedChangedHeaderAndOrder) {
  EXPECT_TRUE(Compare(SoundEntries(), SoundEntries()).identical());

  std::vector<TestEntry> b = SoundEntries();
  b[3].content = "firsT";            // a.txt: same size, other content
  b.erase(b.begin() + 5);            // extra.bin removed
  b.push_back({3, "a.txt", "dup"});  // a second a.txt is new
  ArchiveDifference d = Compare(SoundEntries(), b, 3);
  ASSERT_EQ(1u, d.header.size());
  EXPECT_EQ(Message::kFieldDestination, d.header[0].field);
  EXPECT_EQ("2", d.header[0].a);
  EXPECT_EQ("3", d.header[0].b);
  ASSERT_EQ(3u, d.entries.size());
  EXPECT_EQ(EntryChange::What::kChanged, d.entries[0].what);
  EXPECT_EQ("a.txt", d.entries[0].a.name);
  EXPECT_EQ(EntryChange::What::kRemoved, d.entries[1].what);
  EXPECT_EQ("extra.bin", d.entries[1].a.name);
  EXPECT_EQ(EntryChange::What::kAdded, d.entries[2].what);
  EXPECT_EQ(3u, d.entries[2].b.size);
  EXPECT_FALSE(d.order_differs);

  b = SoundEntries();
  std::swap(b[3], b[4]);
  d = Compare(SoundEntries(), b);
  EXPECT_TRUE(d.entries.empty());
  EXPECT_TRUE(d.order_differs);
  EXPECT_FALSE(d.identical());
}

}  // namespace
}  // namespace lvar
