#include "project/finish.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "project/build_outputs.h"
#include "project/file_utils.h"
#include "project/project_file.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

class FinishTest : public ::testing::Test, public testing::FinishInputs {
 protected:
  FinishTest() {
    dir.MakeFile("src/Native.ina");
    dir.MakeFile("src/Foo.exe");
    InsertFileRow(files, "Foo.exe", true, "", AppRoot);
  }
  std::string Src(const std::string& name) const { return dir.At("src") + testing::Sep() + name; }

  testing::FakeFolder dir;
};

// ".txt" exactly (other cases are data to the builder), ".inf" in any case
// (the builder reads every ".INF" as a description); never a copied file.
TEST_F(FinishTest, RemoveOldOutputsTakesInfInAnyCaseAndTxtExactly) {
  InsertFileRow(files, "keep.txt", false, "", AppRoot);
  InsertFileRow(files, "Keep.INF", false, "", AppRoot);
  dir.MakeFile("FooPack.lvar");
  dir.MakeFile("src/readme.txt");
  dir.MakeFile("src/old.inf");
  dir.MakeFile("src/setup.INF");
  dir.MakeFile("src/Other.Inf");
  dir.MakeFile("src/Notes.Txt");
  dir.MakeFile("src/keep.txt");
  dir.MakeFile("src/Keep.INF");
  dir.MakeFolder("src/sub.txt");
  EXPECT_TRUE(RemoveOldOutputs(dir.fs, s, dir.path(), &files, true));
  EXPECT_FALSE(FileExists(dir.fs, dir.At("FooPack.lvar")));
  EXPECT_FALSE(FileExists(dir.fs, Src("readme.txt")));
  EXPECT_FALSE(FileExists(dir.fs, Src("old.inf")));
  EXPECT_FALSE(FileExists(dir.fs, Src("setup.INF")));
  EXPECT_FALSE(FileExists(dir.fs, Src("Other.Inf")));
  EXPECT_TRUE(FileExists(dir.fs, Src("keep.txt")));
  EXPECT_TRUE(FileExists(dir.fs, Src("Keep.INF")));
  EXPECT_TRUE(FileExists(dir.fs, Src("Notes.Txt")));
  EXPECT_TRUE(FileExists(dir.fs, Src("sub.txt")));
  EXPECT_TRUE(FileExists(dir.fs, Src("Foo.exe")));
}

TEST_F(FinishTest, ForeignOutputsAreListedAndKeptUnlessAsked) {
  InsertFileRow(files, "Tool.EXE", false, "", AppRoot);
  InsertFileRow(files, "data.bin", false, "", AppRoot);
  InsertFileRow(files, "manual.txt", false, "", AppRoot);
  InsertFileRow(files, "Extra.inf", false, "Pics", AppOriginal);
  s.Uninstall.Set(false);  // its description is still this project's own
  s.Reboot.Set(false);
  struct Case {
    const char* name;
    bool foreign;
    bool cleared;  ///< deleted by RemoveOldOutputs without `remove_foreign`
  } cases[] = {
      {"Install.inf", false, true}, {"unfoo.inf", false, true},  {"InsResetFlag.txt", false, true},
      {"Foo.txt", false, true},     {"tool.txt", false, true},   {"data.txt", true, false},
      {"readme.txt", true, false},  {"old.inf", true, false},    {"Notes.Txt", false, false},
      {"Install.inf.bak", false, false},
      // A stray description in another case is one name with Finish's own
      // (NTFS compares so) or a foreign one; a copied file is neither.
      {"install.INF", false, true}, {"Old.INF", true, false},    {"README.TXT", false, false},
      {"MANUAL.txt", false, false}, {"extra.INF", false, false},
  };
  for (const Case& c : cases) dir.MakeFile(std::string("src/") + c.name);
  std::vector<std::string> names;
  ASSERT_TRUE(ListForeignOutputs(dir.fs, s, dir.path(), &files, &names));
  std::vector<std::string> expected;
  for (const std::string& name : ListDirectory(dir.fs, Src("*.*"), true))
    for (const Case& c : cases)
      if (c.foreign && name == c.name) expected.push_back(name);
  EXPECT_EQ(names, expected);
  EXPECT_EQ(names.size(), 4u);

  EXPECT_TRUE(RemoveOldOutputs(dir.fs, s, dir.path(), &files, false));
  for (const Case& c : cases) EXPECT_EQ(FileExists(dir.fs, Src(c.name)), !c.cleared) << c.name;

  s.Source.Assign("absent");
  EXPECT_FALSE(ListForeignOutputs(dir.fs, s, dir.path(), &files, &names));
  EXPECT_TRUE(names.empty());
}

// The source folder's files as (folder, name, size), sorted.
std::vector<std::tuple<std::string, std::string, std::uint64_t>> Entries(const SourceIndex& index) {
  std::vector<std::tuple<std::string, std::string, std::uint64_t>> entries;
  for (const SourceFile& file : index.files()) entries.emplace_back(file.folder, file.name, file.size);
  std::sort(entries.begin(), entries.end());
  return entries;
}

TEST_F(FinishTest, PackedFolderIsTheIndexOfBeforeBroughtUpToDate) {
  struct Case {
    bool remove_foreign;
    bool reboot;
    bool given;     // the source folder read before Finish
    std::size_t listings;  // of the source folder and its one sub-folder
  } cases[] = {{true, true, true, 0}, {false, false, true, 0}, {true, false, false, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.remove_foreign << c.reboot << c.given);
    dir.MakeFile("src/Install.inf", std::string(5000, 'o'));
    dir.MakeFile("src/readme.txt", "12345");
    dir.MakeFile("src/sub/Install.inf", "kept");
    s.Reboot.Set(c.reboot);
    SourceIndex before;
    if (c.given) {
      ASSERT_TRUE(before.Read(dir.fs, Src("")));
    }
    dir.lister.listed.clear();
    SourceIndex after;
    std::vector<std::string> written;
    FinishWriteOptions options{s, dir.path(), &files, &registry};
    options.remove_foreign = c.remove_foreign;
    options.source = c.given ? &before : nullptr;
    options.after = &after;
    ASSERT_TRUE(WriteFinishFiles(dir.fs, options, &written));
    EXPECT_EQ(dir.lister.listed.size(), c.listings);
    SourceIndex fresh;
    ASSERT_TRUE(fresh.Read(dir.fs, Src("")));
    EXPECT_EQ(Entries(after), Entries(fresh));
    EXPECT_EQ(EstimateArchiveSize(after), EstimateArchiveSize(fresh));
  }
}

TEST_F(FinishTest, WithoutPakmakNothingIsWritten) {
  dir.MakeFile("src/readme.txt");
  EXPECT_FALSE(MakeProjectFiles(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  EXPECT_EQ(messages.ids, std::vector<int>{kStrPakmakMissing});
  EXPECT_TRUE(FileExists(dir.fs, Src("readme.txt")));
  EXPECT_FALSE(FileExists(dir.fs, Src("Install.inf")));
  EXPECT_TRUE(starter.started.empty());
}

TEST_F(FinishTest, WritesEverythingInOrderAndStartsTheBatch) {
  dir.MakeFile("Pakmak.exe");
  dir.MakeFile("src/stale.inf");
  EXPECT_TRUE(MakeProjectFiles(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  // The recorder makes no archive: the report says the build failed.
  EXPECT_EQ(messages.ids, std::vector<int>{kStrBuildFailed});
  EXPECT_FALSE(FileExists(dir.fs, Src("stale.inf")));
  EXPECT_TRUE(FileExists(dir.fs, Src("Install.inf")));
  EXPECT_TRUE(FileExists(dir.fs, Src("UnFoo.inf")));
  EXPECT_TRUE(FileExists(dir.fs, Src("Foo.txt")));
  EXPECT_TRUE(FileExists(dir.fs, dir.At("Setup.ini")));
  EXPECT_EQ(starter.started, std::vector<std::string>{dir.At("Foo.bat")});
}

TEST_F(FinishTest, SetupIniOffKeepsTheOldOne) {
  dir.MakeFile("Pakmak.exe");
  dir.MakeFile("Setup.ini", "old");
  s.SetupIniCreate.Set(false);
  s.Uninstall.Set(false);
  EXPECT_TRUE(MakeProjectFiles(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.fs, dir.At("Setup.ini"), &text));
  EXPECT_EQ(text, "old");
  EXPECT_FALSE(FileExists(dir.fs, Src("UnFoo.inf")));
}

TEST_F(FinishTest, FailingStepShowsMessage31AndStops) {
  dir.MakeFile("Pakmak.exe");
  s.Name.Assign(std::string(255 - dir.path().size(), 'n'));  // batch path reaches 260
  EXPECT_FALSE(MakeProjectFiles(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  EXPECT_EQ(messages.ids, std::vector<int>{kStrNotAllWritten});
  EXPECT_TRUE(FileExists(dir.fs, Src("Install.inf")));  // earlier files stay
  EXPECT_TRUE(starter.started.empty());

  messages.ids.clear();
  s.Name.Assign("Foo");
  s.Source.Assign("absent");
  EXPECT_FALSE(MakeProjectFiles(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  EXPECT_EQ(messages.ids, std::vector<int>{kStrNotAllWritten});
  EXPECT_FALSE(FileExists(dir.fs, dir.At("Foo.bat")));

  // Setup.ini or the batch file that cannot be written: kStrNotAllWritten, nothing run.
  s.Source.Assign("src");
  for (const char* blocked : {"Setup.ini", "Foo.bat"}) {
    testing::FakeFolder other;
    other.MakeFile("src/Native.ina");
    other.MakeFile("Pakmak.exe");
    other.MakeFolder(blocked);
    messages.ids.clear();
    EXPECT_FALSE(MakeProjectFiles(other.fs, s, other.path(), &files, &registry, true, messages, starter)) << blocked;
    EXPECT_EQ(messages.ids, std::vector<int>{kStrNotAllWritten}) << blocked;
    EXPECT_TRUE(starter.started.empty()) << blocked;
  }
}

TEST_F(FinishTest, RunFinishSavesToTheOpenedProjectOrTheDefault) {
  dir.MakeFile("Pakmak.exe");
  EXPECT_TRUE(RunFinish(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  EXPECT_TRUE(FileExists(dir.fs, dir.At("Pakforge_Foo.ini")));

  s.ProjectPath.Assign(dir.At("Pakforge_Old.ini"));
  s.Name.Assign("Renamed");
  EXPECT_TRUE(RunFinish(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  EXPECT_TRUE(FileExists(dir.fs, dir.At("Pakforge_Old.ini")));
  EXPECT_FALSE(FileExists(dir.fs, dir.At("Pakforge_Renamed.ini")));
  EXPECT_EQ(messages.ids, (std::vector<int>{kStrBuildFailed, kStrBuildFailed}));  // no archive made
  messages.ids.clear();

  // The default path too long: kStrProgramNameTooLong, nothing saved or built.
  s.ProjectPath.Clear();
  s.Name.Assign(std::string(245 - dir.path().size(), 'n'));
  starter.started.clear();
  EXPECT_FALSE(RunFinish(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  EXPECT_EQ(messages.ids, std::vector<int>{kStrProgramNameTooLong});
  EXPECT_TRUE(starter.started.empty());
}

TEST_F(FinishTest, UnwritableProjectIsReportedAndTheBuildGoesOn) {
  dir.MakeFile("Pakmak.exe");
  s.ProjectPath.Assign(dir.At("absent") + testing::Sep() + "Pakforge_Foo.ini");
  EXPECT_TRUE(RunFinish(dir.fs, s, dir.path(), &files, &registry, true, messages, starter));
  EXPECT_EQ(messages.ids, (std::vector<int>{kStrProjectNotSaved, kStrBuildFailed}));
  EXPECT_EQ(starter.started.size(), 1u);
}

// The source folder is swapped for a link to a folder outside the project
// after the project's checks: before Finish starts, or once Finish has begun
// (at its first deletion or creation in the folder). Finish then neither
// deletes nor writes anything outside: it writes into the folder it opened,
// or refuses.
TEST_F(FinishTest, ASourceFolderSwappedForALinkOutsideIsNeverTouched) {
  struct Case {
    const char* name;
    const char* at_call;  // null: swapped before Finish starts
    bool written;         // Finish completes, in the folder first opened
  } cases[] = {{"before Finish", nullptr, false}, {"at the first deletion", "remove", true},
               {"at the first creation", "create", true}};
  const std::string outside = std::string(1, base::kPathSeparator) + "elsewhere";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakeFolder here;
    here.MakeFile("src/Native.ina");
    here.MakeFile("src/Foo.exe");
    here.MakeFile("src/old.txt");
    here.files.folders.insert(outside);
    for (const char* name : {"notes.txt", "Setup.inf", "Install.inf"})
      here.files.files[base::JoinPath(outside, name)] = {'o', 'u', 't'};
    const auto before = here.files.files;
    const std::string src = here.At("src"), away = here.At("away");
    const auto swap = [&] {
      here.files.MoveTree(src, away);
      here.files.links[src] = outside;
    };
    bool swapped = false;
    if (c.at_call == nullptr) {
      swap();
      swapped = true;
    } else {
      here.files.before_each = [&](const std::string& call, const std::string&) {
        if (!swapped && call == c.at_call) {
          swapped = true;
          swap();
        }
      };
    }
    std::vector<std::string> written;
    FinishWriteOptions options{s, here.path(), &files, &registry};
    options.remove_foreign = true;
    EXPECT_EQ(c.written, WriteFinishFiles(here.fs, options, &written));
    EXPECT_TRUE(swapped);
    for (const auto& [path, bytes] : here.files.files) {
      if (path.rfind(outside, 0) == 0) {
        EXPECT_TRUE(before.count(path) && before.at(path) == bytes) << path;
      }
    }
    for (const auto& [path, bytes] : before) {
      if (path.rfind(outside, 0) == 0) {
        EXPECT_TRUE(here.files.files.count(path)) << path;
      }
    }
    EXPECT_EQ(c.written, here.files.files.count(base::JoinPath(away, "Install.inf")) == 1);
    EXPECT_EQ(c.written, here.files.files.count(base::JoinPath(away, "old.txt")) == 0);
  }
}

}  // namespace
}  // namespace project
