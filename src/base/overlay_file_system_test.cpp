#include "base/overlay_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/fake_file_system.h"
#include "base/fake_folder_lister.h"

namespace base {
namespace {

// `path` with the platform's separator, so that the fake file system and
// the overlay see the paths the platform's callers give.
std::string P(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

std::shared_ptr<const std::string> Bytes(const char* text) { return std::make_shared<const std::string>(text); }

class OverlayTest : public ::testing::Test {
 protected:
  OverlayTest() : overlay_(fake_), lister_(fake_lister_, overlay_) {
    fake_.folders = {"d", P("d/sub")};
    fake_.files[P("d/A.inf")] = {'o', 'l', 'd'};
    fake_.files[P("d/b.exe")] = {'M', 'Z'};
  }
  std::string Read(const std::string& path) {
    std::unique_ptr<InputFile> file = overlay_.OpenInput(path);
    if (!file) return "(none)";
    std::string bytes;
    char buffer[2];  // small, so that a buffer is read in several steps
    std::size_t got = 0;
    while (file->Read(buffer, sizeof buffer, &got) && got) bytes.append(buffer, got);
    return bytes;
  }
  std::string Listing(const std::string& folder) {
    std::vector<DirEntry> entries;
    if (!lister_.List(folder, &entries)) return "(none)";
    std::string shown;
    for (const DirEntry& e : entries)
      shown += e.name + (e.is_folder() ? "/" : ":" + std::to_string(e.size)) + " ";
    return shown;
  }

  FakeFileSystem fake_;
  FakeFolderLister fake_lister_{fake_};
  OverlayFileSystem overlay_;
  OverlayFolderLister lister_;
};

// What is read and listed: a buffer stands in for its file, in reads and in
// the listing's size; a buffer of a file not yet saved is listed in order;
// other files and folders are the inner ones.
TEST_F(OverlayTest, BuffersStandInForTheirFiles) {
  overlay_.Put(P("d/A.inf"), Bytes("new text"));
  overlay_.Put(P("d/C.inf"), Bytes("unsaved"));
  overlay_.Put(P("d/sub"), Bytes("a buffer named like a folder"));
  overlay_.Put(P("elsewhere/Z.inf"), Bytes("z"));
  const struct {
    std::string path;
    std::string read;
  } reads[] = {
      {P("d/A.inf"), "new text"},
      {P("d/C.inf"), "unsaved"},
      {P("d/b.exe"), "MZ"},
      {P("d/none.inf"), "(none)"},
  };
  for (const auto& c : reads) EXPECT_EQ(Read(c.path), c.read) << c.path;
  FileInfo info;
  ASSERT_TRUE(overlay_.Stat(P("d/A.inf"), &info));
  EXPECT_EQ(info.size, 8u);
  std::uint64_t size = 0;
  ASSERT_TRUE(overlay_.OpenLocked(P("d/C.inf"), &size));
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(Listing("d"), "A.inf:8 b.exe:2 C.inf:7 sub/ ");
  EXPECT_EQ(Listing(P("d/sub")), "");
  EXPECT_EQ(Listing("nowhere"), "(none)");

  // A file opened before new bytes are put reads the bytes it opened.
  std::unique_ptr<InputFile> open = overlay_.OpenInput(P("d/C.inf"));
  overlay_.Put(P("d/C.inf"), Bytes("changed"));
  char bytes[16];
  std::size_t got = 0;
  ASSERT_TRUE(open->Read(bytes, sizeof bytes, &got));
  EXPECT_EQ(std::string(bytes, got), "unsaved");

  overlay_.Drop(P("d/A.inf"));
  EXPECT_EQ(Read(P("d/A.inf")), "old");
  EXPECT_EQ(Listing("d"), "A.inf:3 b.exe:2 C.inf:7 sub/ ");
}

// The overlay never changes a file, whatever a caller asks.
TEST_F(OverlayTest, RefusesEveryChange) {
  overlay_.Put(P("d/A.inf"), Bytes("new"));
  EXPECT_EQ(overlay_.Create(P("d/A.inf")), nullptr);
  EXPECT_EQ(overlay_.CreateNew(P("d/N.inf")), nullptr);
  EXPECT_FALSE(overlay_.Rename(P("d/A.inf"), P("d/B.inf")));
  EXPECT_FALSE(overlay_.Replace(P("d/b.exe"), P("d/A.inf")));
  EXPECT_FALSE(overlay_.Remove(P("d/b.exe")));
  EXPECT_FALSE(overlay_.CreateFolder(P("d/new")));
  EXPECT_FALSE(overlay_.SyncFolder("d"));
  EXPECT_EQ(fake_.files.size(), 2u);
  EXPECT_EQ(fake_.files[P("d/A.inf")], (FakeFileSystem::Bytes{'o', 'l', 'd'}));
  EXPECT_TRUE(fake_.log.empty());
}

// The builder reads a folder through a handle: the handle shows the same
// buffers (listed, opened as listed, opened by name, examined) in the
// folder and its sub-folders, and writes nothing through it.
TEST_F(OverlayTest, FolderHandlesShowTheBuffersToo) {
  overlay_.Put(P("d/A.inf"), Bytes("new text"));
  overlay_.Put(P("d/sub/S.inf"), Bytes("unsaved"));
  std::unique_ptr<Folder> folder = lister_.OpenFolder("d");
  ASSERT_TRUE(folder);
  std::vector<DirEntry> entries;
  ASSERT_TRUE(folder->List(&entries));
  ASSERT_EQ(entries.size(), 3u);
  std::string shown;
  for (const DirEntry& e : entries) shown += e.name + (e.is_folder() ? "/" : ":" + std::to_string(e.size)) + " ";
  EXPECT_EQ(shown, "A.inf:8 b.exe:2 sub/ ");
  const auto read = [](std::unique_ptr<InputFile> file) {
    std::string bytes;
    char buffer[4];
    std::size_t got = 0;
    while (file && file->Read(buffer, sizeof buffer, &got) && got) bytes.append(buffer, got);
    return file ? bytes : std::string("(none)");
  };
  FolderOpen result = FolderOpen::kFailed;
  EXPECT_EQ(read(folder->OpenListed(entries[0], &result)), "new text");
  EXPECT_EQ(result, FolderOpen::kOpened);
  EXPECT_EQ(read(folder->OpenListed(entries[1], &result)), "MZ");
  std::unique_ptr<Folder> sub = folder->OpenFolder(entries[2], &result);
  ASSERT_TRUE(sub);
  std::vector<DirEntry> sub_entries;
  ASSERT_TRUE(sub->List(&sub_entries));
  ASSERT_EQ(sub_entries.size(), 1u);
  EXPECT_EQ(read(sub->OpenListed(sub_entries[0], &result)), "unsaved");
  EXPECT_EQ(read(sub->OpenInput("S.inf")), "unsaved");
  FileInfo info;
  ASSERT_TRUE(folder->Stat("A.inf", &info));
  EXPECT_EQ(info.size, 8u);
  EXPECT_EQ(folder->CreateNew("N.inf"), nullptr);
  EXPECT_FALSE(folder->Remove("b.exe"));
  EXPECT_FALSE(folder->Replace("b.exe", "A.inf"));
  EXPECT_EQ(fake_.files.size(), 2u);
}

}  // namespace
}  // namespace base
