#include "project/project_run.h"

#include <gtest/gtest.h>

#include "project/finish.h"
#include "project/project_file.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

// Every path leads where it says: the in-memory folder has no links.
class PlainResolver : public base::PathResolver {
 public:
  bool Resolve(const std::string& path, std::string* resolved) override {
    *resolved = path;
    return true;
  }
};

// Answers the foreign outputs with `decision` and keeps the names asked about.
class FixedDecision : public ForeignOutputPolicy {
 public:
  explicit FixedDecision(ForeignOutputs decision) : decision_(decision) {}
  ForeignOutputs Decide(const std::vector<std::string>& names) override {
    asked = names;
    return decision_;
  }
  std::vector<std::string> asked;

 private:
  ForeignOutputs decision_;
};

// Builds nothing; notes what it was handed.
class NotingBuild : public BuildPolicy {
 public:
  explicit NotingBuild(bool ready) : ready_(ready) {}
  bool BeforeWriting(const ProjectRun&) override { return ready_; }
  bool RemovesOldArchive() const override { return false; }
  bool Build(const ProjectRun& run) override {
    built = true;
    for (const SourceFile& file : run.packed().files()) packed.push_back(file.folder + "/" + file.name);
    return true;
  }
  bool built = false;
  std::vector<std::string> packed;

 private:
  bool ready_;
};

constexpr char kProperty[] =
    "[Property]\r\nProduct=Acme\r\nName=Foo\r\nCaption=Foo Menu\r\nVer=1.0\r\nOutput=FooPack\r\n"
    "Source=src\r\nInstDir=Foo\r\nExe=Foo.exe\r\nUninstFile=UnFoo\r\n";

class ProjectRunTest : public ::testing::Test {
 protected:
  ProjectRunTest() {
    dir.MakeFile("src/Native.ina");
    dir.MakeFile("src/Foo.exe");
    dir.MakeFile("src/sub/data.bin");
  }
  LoadOutcome Load(const std::string& text, Refusal* words = nullptr) {
    Refusal ignored;
    dir.MakeFile("Pakforge_Foo.ini", text);
    return run.Load(dir.At("Pakforge_Foo.ini"), words ? words : &ignored);
  }

  testing::FakeFolder dir;
  ProjectRun run{dir.fs, dir.path()};
  PlainResolver resolver;
};

TEST_F(ProjectRunTest, LoadRefusesEachKindOfProjectFile) {
  struct Case {
    const char* what;
    std::string text;  // empty: a folder of the project file's name
    LoadOutcome outcome;
  } cases[] = {
      {"the wizard's file", std::string(kProperty) + "[CopyFile]\r\nFile0=Foo.exe\r\n", LoadOutcome::kLoaded},
      {"a word read as another", std::string(kProperty) + "Reboot=yes\r\n", LoadOutcome::kWordsRefused},
      {"a registry word not written", std::string(kProperty) + "[Registry]\r\nRegistryKey0=HKEY_CURRENT_USER,k,v,DWORD,1\r\n",
       LoadOutcome::kUnknownWords},
      // Garbled texts come first: the word below is not what is refused.
      {"UTF-8 with a character Shift-JIS lacks",
       "\xEF\xBB\xBF" + std::string(kProperty) + "Caption=\xF0\x9F\x98\x80\r\nReboot=yes\r\n",
       LoadOutcome::kUnconvertible},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Refusal words;
    EXPECT_EQ(Load(c.text, &words), c.outcome);
    EXPECT_EQ(run.project_path(), dir.At("Pakforge_Foo.ini"));
    EXPECT_EQ(words.string_id, c.outcome == LoadOutcome::kUnknownWords ? kStrUnknownRegistryWords : 0);
  }
  dir.MakeFolder("Pakforge_Dir.ini");
  Refusal words;
  EXPECT_EQ(run.Load(dir.At("Pakforge_Dir.ini"), &words), LoadOutcome::kUnreadable);
  EXPECT_EQ(run.Load(dir.At("Pakforge_Absent.ini"), &words), LoadOutcome::kUnreadable);
}

// Each check once, in the stages it belongs to: a fault the wizard's pages
// catch is not checked again at Finish; the safety checks that keep reading
// inside the project's folder come before the source folder is read.
TEST_F(ProjectRunTest, EachCheckRunsInItsStages) {
  struct Case {
    const char* what;
    std::string rows;
    CheckId check;
    bool before_reading, after_reading, at_finish;  // the stages that refuse (after reading: once read)
  } cases[] = {
      {"a control character", "[CopyFile]\r\nFile0=Foo.exe\r\nFile1=a\x01.dat\r\n", CheckId::kControlCharacters,
       true, false, true},
      {"a path for a name", "[CopyFile]\r\nFile0=Foo.exe\r\nFile1=..\\x.dat\r\n", CheckId::kProjectNames, true, false,
       false},
      {"a missing file", "[CopyFile]\r\nFile0=Foo.exe\r\nFile1=gone.dat\r\n", CheckId::kFilesPage, false, true,
       false},
      {"the start-up program not copied", "[CopyFile]\r\nFile0=data.bin\r\n", CheckId::kStartupProgramRow, false,
       true, false},
      {"a copied file Finish writes over", "[CopyFile]\r\nFile0=Foo.exe\r\nFile1=Install.inf\r\n",
       CheckId::kOutputNames, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (std::string(c.what) == "a copied file Finish writes over") dir.MakeFile("src/Install.inf");
    ASSERT_EQ(Load(std::string(kProperty) + c.rows), LoadOutcome::kLoaded);
    // Each stage's refusal, if any, names the check and its kind.
    const auto refuses = [&c](bool passed, const CheckRefusal& refusal) {
      if (passed) return false;
      EXPECT_EQ(refusal.check, c.check);
      EXPECT_EQ(refusal.safety, c.check != CheckId::kFilesPage && c.check != CheckId::kStartupProgramRow);
      return true;
    };
    CheckRefusal refusal;
    EXPECT_EQ(refuses(run.ReadSource(resolver, &refusal), refusal), c.before_reading);
    // The road goes on to the other checks only when these passed.
    if (!c.before_reading) {
      EXPECT_EQ(refuses(run.Check(CheckStage::kAfterReading, &refusal), refusal), c.after_reading);
    }
    EXPECT_EQ(refuses(run.Check(CheckStage::kAtFinish, &refusal), refusal), c.at_finish);
  }
}

// What the policies answer decides what Finish does; the builder is handed
// the folder as Finish left it, without listing it again.
TEST_F(ProjectRunTest, FinishFollowsThePoliciesAndHandsOnTheFolderAsLeft) {
  struct Case {
    ForeignOutputs decision;
    bool ready;
    FinishResult result;
    bool notes_kept;  // the foreign notes.txt is still there
  } cases[] = {
      {ForeignOutputs::kStop, true, FinishResult::kDeclined, true},
      {ForeignOutputs::kRemove, false, FinishResult::kNotReady, true},
      {ForeignOutputs::kKeep, true, FinishResult::kBuilt, true},
      {ForeignOutputs::kRemove, true, FinishResult::kBuilt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.result) * 10 + static_cast<int>(c.decision));
    dir.MakeFile("src/notes.txt");
    dir.files.files.erase(dir.At("src/Install.inf"));
    ASSERT_EQ(Load(std::string(kProperty) + "[CopyFile]\r\nFile0=Foo.exe\r\nFile1=data.bin\r\n"),
              LoadOutcome::kLoaded);
    CheckRefusal refusal;
    ASSERT_TRUE(run.ReadSource(resolver, &refusal));
    ASSERT_TRUE(run.Check(CheckStage::kAfterReading, &refusal));
    FixedDecision foreign(c.decision);
    NotingBuild build(c.ready);
    dir.lister.listed.clear();
    EXPECT_EQ(run.Finish(foreign, build), c.result);
    EXPECT_EQ(foreign.asked, std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(FileExists(dir.fs, dir.At("src/notes.txt")), c.notes_kept);
    const bool written = c.result == FinishResult::kBuilt;
    EXPECT_EQ(FileExists(dir.fs, dir.At("src/Install.inf")), written);
    EXPECT_EQ(build.built, written);
    EXPECT_TRUE(dir.lister.listed.empty());  // the source folder was read once, before
    if (!written) continue;
    EXPECT_EQ(run.written().back(), dir.At("Foo.bat"));
    SourceIndex fresh;
    ASSERT_TRUE(fresh.Read(dir.fs, dir.At("src") + testing::Sep()));
    std::vector<std::string> expected;
    for (const SourceFile& file : fresh.files()) expected.push_back(file.folder + "/" + file.name);
    std::sort(expected.begin(), expected.end());
    std::sort(build.packed.begin(), build.packed.end());
    EXPECT_EQ(build.packed, expected);
  }
}

// The wizard's Finish: the project it holds taken as it is, saved, the
// batch file run.
TEST_F(ProjectRunTest, TakenProjectIsSavedAndBuiltByTheBatchFile) {
  testing::FinishInputs in;
  InsertFileRow(in.files, "Foo.exe", true, "", AppRoot);
  dir.MakeFile("Pakmak.exe");
  run.Take(in.s, &in.files, nullptr);
  EXPECT_EQ(run.project_path(), dir.At("Pakforge_Foo.ini"));
  FixedDecision foreign(ForeignOutputs::kRemove);
  BatchFileBuild build(in.messages, in.starter, /*save=*/true);
  EXPECT_EQ(run.Finish(foreign, build), FinishResult::kBuilt);
  LoadedProject saved;
  ASSERT_TRUE(LoadProject(dir.fs, dir.At("Pakforge_Foo.ini"), &saved));
  ASSERT_EQ(saved.files.rows.size(), 1u);
  EXPECT_EQ(saved.files.rows[0].name, "Foo.exe");
  EXPECT_EQ(in.starter.started, std::vector<std::string>{dir.At("Foo.bat")});
  EXPECT_EQ(in.messages.ids, std::vector<int>{kStrBuildFailed});  // the recorder makes no archive
}

}  // namespace
}  // namespace project
