#include "launcher/launcher_files.h"
#include "launcher/setup_ini.h"

#include <gtest/gtest.h>

#include "base/fake_file_system.h"
#include "base/test_temp_folder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace launcher {
namespace {

class ListedFolder : public base::FolderLister {
 public:
  std::vector<base::DirEntry> entries;
  bool fails = false;
  std::string listed;
  bool List(const std::string& folder, std::vector<base::DirEntry>* out) override {
    listed = folder;
    *out = entries;
    return !fails;
  }
  // The launcher lists by path only.
  std::unique_ptr<base::Folder> OpenFolder(const std::string&) override { return nullptr; }
};

base::DirEntry Entry(const char* name, bool folder = false) {
  base::DirEntry e;
  e.name = e.host_name = name;
  e.kind = folder ? base::FileKind::kFolder : base::FileKind::kRegular;
  return e;
}

TEST(LauncherFilesTest, FindArchive) {
  const std::string sep(1, base::kPathSeparator);
  struct Case {
    const char* name;
    std::vector<base::DirEntry> entries;
    bool found;
    std::string path;
  } cases[] = {
      {"one archive", {Entry("readme.txt"), Entry("app.lvar")}, true, "K" + sep + "app.lvar"},
      {"first of two", {Entry("b.lvar"), Entry("a.lvar")}, true, "K" + sep + "b.lvar"},
      {"folder passed over", {Entry("dir.lvar", true), Entry("x.lvar")}, true, "K" + sep + "x.lvar"},
      {"only a folder", {Entry("dir.lvar", true)}, false, "unchanged"},
      {"case of the extension", {Entry("APP.LVAR")}, true, "K" + sep + "APP.LVAR"},
      {"blank in the name", {Entry("My App.lvar")}, true, "K" + sep + "My App.lvar"},
      {"longer extension", {Entry("app.lvarx"), Entry("app.lva")}, false, "unchanged"},
      {"extension alone", {Entry(".lvar")}, true, "K" + sep + ".lvar"},
      {"none", {}, false, "unchanged"},
  };
  for (const Case& c : cases) {
    ListedFolder lister;
    lister.entries = c.entries;
    std::string path = "unchanged";
    EXPECT_EQ(FindArchive(lister, "K", &path), c.found) << c.name;
    EXPECT_EQ(path, c.path) << c.name;
    EXPECT_EQ(lister.listed, "K");
  }
  ListedFolder unreadable;
  unreadable.fails = true;
  std::string path;
  EXPECT_FALSE(FindArchive(unreadable, "K", &path));
  EXPECT_EQ(path, "");
}

TEST(LauncherFilesTest, FindArchiveTakesTheNamedOne) {
  const std::string sep(1, base::kPathSeparator);
  struct Case {
    const char* name;
    std::vector<base::DirEntry> entries;
    std::string named;
    std::string path;
  } cases[] = {
      {"named after an older one", {Entry("AAA_old.lvar"), Entry("Demo.lvar")}, "Demo.lvar",
       "K" + sep + "Demo.lvar"},
      {"named in other letter case", {Entry("a.lvar"), Entry("DEMO.LVAR")}, "Demo.lvar",
       "K" + sep + "DEMO.LVAR"},
      {"named one missing", {Entry("AAA_old.lvar"), Entry("b.lvar")}, "Demo.lvar",
       "K" + sep + "AAA_old.lvar"},
      {"named one a folder", {Entry("a.lvar"), Entry("Demo.lvar", true)}, "Demo.lvar",
       "K" + sep + "a.lvar"},
      {"named file not an archive", {Entry("a.lvar"), Entry("Setup.exe")}, "Setup.exe",
       "K" + sep + "a.lvar"},
      {"named path outside the folder", {Entry("a.lvar")}, ".." + sep + "x.lvar",
       "K" + sep + "a.lvar"},
      {"none named", {Entry("b.lvar"), Entry("Demo.lvar")}, "", "K" + sep + "b.lvar"},
      {"named, nothing there", {}, "Demo.lvar", "unchanged"},
  };
  for (const Case& c : cases) {
    ListedFolder lister;
    lister.entries = c.entries;
    std::string path = "unchanged";
    EXPECT_EQ(FindArchive(lister, "K", &path, c.named), c.path != "unchanged") << c.name;
    EXPECT_EQ(path, c.path) << c.name;
  }
}

TEST(LauncherFilesTest, DiagnoseManagerStart) {
  struct Case {
    bool started, folder_known, file_exists;
    ManagerFailure expected;
  } cases[] = {
      {true, true, true, ManagerFailure::kNone},
      {true, false, false, ManagerFailure::kNone},  // found relative to the current directory
      {false, false, false, ManagerFailure::kNoRegistryValue},
      {false, false, true, ManagerFailure::kNoRegistryValue},
      {false, true, false, ManagerFailure::kNoManagerFile},
      {false, true, true, ManagerFailure::kStartFailed},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DiagnoseManagerStart(c.started, c.folder_known, c.file_exists), c.expected)
        << c.started << c.folder_known << c.file_exists;
  }
}

TEST(LauncherFilesTest, ManagerPathInsertsNoSeparator) {
  EXPECT_EQ(ManagerPath("C:\\Program Files\\SyncDesk\\"), "C:\\Program Files\\SyncDesk\\deskinst.exe");
  EXPECT_EQ(ManagerPath("C:\\Tool"), "C:\\Tooldeskinst.exe");
  EXPECT_EQ(ManagerPath(""), "deskinst.exe");
}

// The note choice, through the one fake file system.
class NoteChoiceTest : public ::testing::Test {
 protected:
  void MakeFile(const char* name) { files_.files[LauncherPath(Folder(), name)] = {'x'}; }
  std::string Folder() const { return "dir"; }
  base::FakeFileSystem files_;
};

TEST_F(NoteChoiceTest, NoteBeforeReadme) {
  MakeFile("note.txt");
  MakeFile("readme.txt");
  EXPECT_EQ(NoteFilePath(files_, Folder()), LauncherPath(Folder(), "note.txt"));
}

TEST_F(NoteChoiceTest, FolderNamedNoteDoesNotCount) {
  files_.folders.insert(LauncherPath(Folder(), "note.txt"));
  MakeFile("readme.txt");
  EXPECT_EQ(NoteFilePath(files_, Folder()), LauncherPath(Folder(), "readme.txt"));
  EXPECT_FALSE(IsExistingFile(files_, LauncherPath(Folder(), "note.txt")));
  EXPECT_TRUE(IsExistingFile(files_, LauncherPath(Folder(), "readme.txt")));
}

TEST_F(NoteChoiceTest, ReadmeWhenNeitherExists) {
  EXPECT_EQ(NoteFilePath(files_, Folder()), LauncherPath(Folder(), "readme.txt"));
  EXPECT_FALSE(IsExistingFile(files_, LauncherPath(Folder(), "readme.txt")));
}

// Reading "setup.ini" from a real folder: the bytes come whole, NUL included.
TEST(SetupIniFileTest, ReadsSetupIniWhole) {
  base::TestTempFolder folder;
  folder.Write("setup.ini", std::string("[APPNAME]\r\n\0x", 13));
  std::string text;
  base::FileSystem& files = base::SystemFileSystem();
  EXPECT_TRUE(base::ReadWholeFile(files, LauncherPath(folder.Path(), "setup.ini"), &text));
  EXPECT_EQ(text, std::string("[APPNAME]\r\n\0x", 13));
  EXPECT_FALSE(base::ReadWholeFile(files, LauncherPath(folder.Path(), "missing.ini"), &text));
}

// A text file stays locked while a page shows it: on Windows nobody else can
// open or delete it until it is closed (POSIX has no such lock).
TEST(TextFileLockTest, ShownFileIsLockedUntilClosed) {
  base::TestTempFolder folder;
  const std::string path = folder.Write("note.txt", "text");
  base::FileSystem& files = base::SystemFileSystem();
  std::uint64_t size = 0;
  std::unique_ptr<base::InputFile> shown = files.OpenLocked(path, &size);
  ASSERT_TRUE(shown);
  EXPECT_EQ(size, 4u);
#ifdef _WIN32
  EXPECT_FALSE(files.OpenInput(path));
  EXPECT_FALSE(files.Remove(path));
#endif
  shown.reset();
  EXPECT_TRUE(files.OpenInput(path));
}

}  // namespace
}  // namespace launcher
