// A project authored through the wizard core, handed to the real builder:
// Finish writes the project file, the descriptions, Setup.ini and the batch
// file; the batch's builder line is then run with the built pakmak.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/file_access.h"
#include "base/test_temp_folder.h"
#include "process_runner.h"
#include "project/build_outputs.h"
#include "project/file_utils.h"
#include "project/finish.h"
#include "project/inf_writer.h"
#include "project/project_file.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

// The platform's files: the round trip runs in a temporary folder.
const base::FileAccess system_files = base::SystemFileAccess();

// Splits the builder line of the batch file into its words: blanks separate,
// double quotes group, and "%%" is one "%" as the command interpreter reads it.
std::vector<std::string> BatchWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else if (c == '%' && i + 1 < line.size() && line[i + 1] == '%') {
      word += '%';
      ++i;
      any = true;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

class RoundTripTest : public ::testing::Test, public testing::FinishInputs {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(test_support::ProgramBesideThisOne(PAKMAK_FILE_NAME), dir.Path("Pakmak.exe"));
    std::filesystem::permissions(dir.Path("Pakmak.exe"), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    s.Ver.Assign("1.2");
    s.InstDir.Assign("Acme Foo");
    s.Cmd.Assign("/start");
    s.UnRegist.Set(false);
    s.Reboot.Set(true);
    s.SetupIniName.Assign("Foo");

    dir.MakeFolder("src/sub");
    dir.Write("src/Native.ina", std::string(192, '\x5A'));
    dir.Write("src/Foo.exe", "MZ program");
    dir.Write("src/Tool.exe", "MZ tool");
    dir.Write("src/song.dat", "song");
    dir.Write("src/sub/a.dat", "a data");
    dir.Write("src/sub/b.dat", "b data");
    dir.Write("src/readme.txt", "an old generated file");

    InsertFileRow(files, "song.dat", false, "Music", Doc);
    InsertFileRow(files, "a.dat", false, "Data", AppOriginal);
    InsertFileRow(files, "b.dat", false, "Mine", DocOriginal);
    InsertFileRow(files, "Foo.exe", true, "", AppRoot);
    InsertFileRow(files, "Tool.exe", false, "", AppRoot);
    s.Folders.app_folders.Add("Data");
    s.Folders.doc_folders.Add("Mine");

    registry.Append({kHklm, "Software\\Acme\\Foo", "Path", kSz, "\"\\Program Disk\\Acme Foo\""});
    registry.Append({kHklm, "Software\\Acme\\Foo\\Sub", "Count", kDword, "42"});
    registry.Append({kHkcu, "Software\\Acme", "List", kMultiSz, "\"a\",\"b\",\"c\""});
    registry.Append({kHkcr, ".foo", "", kBinary, "0aFF"});
  }

  // Runs Finish, checks the batch file and runs its builder line.
  test_support::ProcessResult FinishAndBuild() {
    EXPECT_TRUE(RunFinish(system_files, s, dir.Path(), &files, &registry, true, messages, starter));
    // The recorder runs nothing, so Finish reports that no archive was made.
    EXPECT_EQ(messages.ids, std::vector<int>{kStrBuildFailed});
    EXPECT_EQ(starter.started, std::vector<std::string>{dir.Path("Foo.bat")});
    std::string batch;
    EXPECT_TRUE(ReadWholeFile(system_files, dir.Path("Foo.bat"), &batch));
    std::size_t end_of_first = batch.find("\r\n");
    EXPECT_EQ(batch.substr(0, end_of_first), "cd \"" + dir.Path() + "\"");
    std::string line = batch.substr(end_of_first + 2);
    line = line.substr(0, line.find("\r\n"));
    std::vector<std::string> words = BatchWords(line);
    EXPECT_EQ(words, (std::vector<std::string>{"Pakmak", "src", "FooPack.lvar", "-p", "0000", "-o", "c000",
                                               "-c", "0000"}));
    words.erase(words.begin());
    // The wizard's own road is Japanese: the builder it starts speaks the
    // wizard's language (an unset locale would give English).
    return test_support::RunProcess(dir.Path("Pakmak.exe"), words, dir.Path(), "cp932", false,
                                    {"LORIVANDER_LANG=ja"});
  }

  base::TestTempFolder dir;
};

TEST_F(RoundTripTest, PakmakPacksWhatTheWizardWrote) {
  test_support::ProcessResult run = FinishAndBuild();
  ASSERT_TRUE(run.started);
  EXPECT_EQ(run.status, 0u) << run.err;
  std::string archive;
  ASSERT_TRUE(ReadWholeFile(system_files, dir.Path("FooPack.lvar"), &archive)) << run.out << run.err;
  EXPECT_GT(archive.size(), 256u);
  // The descriptions are stored verbatim; the stale readme.txt was removed
  // before the build and is not packed.
  EXPECT_NE(archive.find(InstallInfText(s, &files, &registry)), std::string::npos);
  EXPECT_NE(archive.find(UninstallInfText(s, &files, &registry)), std::string::npos);
  FileRow startup_program;
  startup_program.startup = true;
  EXPECT_NE(archive.find(MenuFileText(s, startup_program)), std::string::npos);
  EXPECT_EQ(archive.find("an old generated file"), std::string::npos);
  EXPECT_NE(archive.find("Reboot!"), std::string::npos);

  // The project saved on the way reads back into the same rows.
  MemoryFileRowStore files_back;
  MemoryRegistryRowStore registry_back;
  LoadCopyFileRows(testing::ParsedProject(system_files, dir.Path("Pakforge_Foo.ini")), files_back);
  LoadRegistryRows(testing::ParsedProject(system_files, dir.Path("Pakforge_Foo.ini")), registry_back);
  EXPECT_EQ(InstallInfText(s, &files_back, &registry_back), InstallInfText(s, &files, &registry));
}

TEST_F(RoundTripTest, UninstallOffIsRefusedAtTheMissingUninstallKey) {
  s.Uninstall.Set(false);
  test_support::ProcessResult run = FinishAndBuild();
  ASSERT_TRUE(run.started);
  EXPECT_NE(run.status, 0u);
  // "エラー：必須キーワード Uninstall がありません" (required keyword Uninstall missing)
  EXPECT_NE(run.err.find("\x83\x47\x83\x89\x81\x5B\x81\x46\x95\x4B\x90\x7B\x83\x4C\x81\x5B\x83\x8F\x81\x5B"
                         "\x83\x68 Uninstall \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(FileExists(system_files, dir.Path("FooPack.lvar")));
}

#ifdef _WIN32
// On Windows the batch file itself runs: the command interpreter changes to
// the folder of its first line and starts Pakmak.exe found there.
TEST_F(RoundTripTest, TheBatchFileRunsTheBuilder) {
  ASSERT_TRUE(RunFinish(system_files, s, dir.Path(), &files, &registry, true, messages, starter));
  ASSERT_EQ(starter.started.size(), 1u);
  std::string system_folder = "C:\\windows\\system32";
  if (const char* root = std::getenv("SystemRoot")) system_folder = std::string(root) + "\\system32";
  test_support::ProcessResult run =
      test_support::RunProcess(system_folder + "\\cmd.exe", {"/c", starter.started[0]}, dir.Path());
  ASSERT_TRUE(run.started);
  std::string archive;
  ASSERT_TRUE(ReadWholeFile(system_files, dir.Path("FooPack.lvar"), &archive)) << run.out << run.err;
  EXPECT_NE(archive.find(InstallInfText(s, &files, &registry)), std::string::npos);
}
#endif

}  // namespace
}  // namespace project
