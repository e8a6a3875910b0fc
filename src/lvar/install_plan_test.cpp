#include "lvar/install_plan.h"

#include <gtest/gtest.h>

#include "base/capturing_console.h"
#include "base/fake_file_system.h"
#include "lvar/test_archive.h"

namespace lvar {
namespace {

using lvar_test::EnglishNote;
using lvar_test::MakeArchive;
using lvar_test::SoundEntries;
using lvar_test::TestEntry;

Status PlanOf(const std::vector<TestEntry>& entries, InstallPlan* plan, base::CapturingConsole* console) {
  base::FakeFileSystem files;
  const std::string a = MakeArchive(entries);
  files.files["in.lvar"] = base::FakeFileSystem::Bytes(a.begin(), a.end());
  return MakeInstallPlan(files, "in.lvar", *console, plan);
}

TEST(InstallPlanTest, DevicePathsRegistryUninstallAndWarnings) {
  InstallPlan plan;
  base::CapturingConsole console;
  Status s = PlanOf(SoundEntries(), &plan, &console);
  ASSERT_TRUE(s.ok()) << EnglishNote(s) << console.err;
  EXPECT_EQ("STORAGE_ONLY", plan.destination);
  EXPECT_EQ("Memo.exe", plan.startup_program);
  EXPECT_EQ("Memo Pad", plan.menu_caption);
  EXPECT_EQ(std::vector<std::string>{"?Drive?\\Program Files\\Memo\\Data"}, plan.folders);
  ASSERT_EQ(5u, plan.files.size());
  EXPECT_EQ("?Drive?\\Program Files\\Memo\\Memo.exe", plan.files[1].device_path);  // marker in any case
  EXPECT_EQ("COPYFLG_NO_OVERWRITE", plan.files[1].flags);
  EXPECT_FALSE(plan.files[4].in_archive);
  ASSERT_EQ(1u, plan.registry.size());
  EXPECT_EQ("40", plan.registry[0].value);
  EXPECT_EQ("REG_DWORD", plan.registry[0].data_type);
  EXPECT_TRUE(plan.uninstall.in_archive);
  EXPECT_EQ(std::vector<std::string>{"?Drive?\\Program Files\\Memo\\Data\\a.txt"}, plan.uninstall.files);
  EXPECT_EQ(std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Kumo"}, plan.uninstall.registry_keys);
  std::vector<std::string> warnings;
  for (const Note& warning : plan.warnings) warnings.push_back(NoteText(base::Language::kEnglish, warning));
  EXPECT_EQ((std::vector<std::string>{
                "b.txt and a.txt both land on ?Drive?\\Program Files\\Memo\\Data\\A.TXT",
                "the copy line for gone.txt names a file that is not in the archive",
                "the archive file extra.bin is named by no copy line"}),
            warnings);
}

// The warnings of one Install.inf: the App Information lines that vary and
// the copy lines, stored with Un.inf, Memo.exe and a.txt.
TEST(InstallPlanTest, WarningsOfCopyLinesStartUpProgramAndIcon) {
  const char kApp[] =
      "[App Information]\r\nMaker = Kumo\r\nProgram = Memo\r\nVersion = 1.2\r\n"
      "InstallDir = \"?Drive?\\Program Files\\Memo\"\r\nUninstall = Un.inf\r\nCaption = Memo\r\n"
      "Destination = STORAGE_ONLY\r\nUnload = 1\r\n";
  const struct {
    const char* what;
    std::string app, copy_lines;
    std::vector<std::string> warnings;
  } cases[] = {
      {"files into one folder by name, the uninstall description uncopied",
       "ExeFile = Memo.exe\r\nIcon = Memo.exe\r\n",
       "\"?Drive?\\Program Files\\Memo\", Memo.exe\r\n\"?Drive?\\Program Files\\Memo\", a.txt\r\n",
       {}},
      {"one name into one folder, in two ways and two letter cases",
       "ExeFile = \"\\Program Disk\\Memo\\Memo.exe\"\r\n",
       "\"%INSTALL_DIR%\", Memo.exe\r\n\"?drive?\\PROGRAM FILES\\memo\\A.TXT\", a.txt\r\n"
       "\"?Drive?\\Program Files\\Memo\", a.txt\r\n",
       {"a.txt and a.txt both land on ?Drive?\\Program Files\\Memo\\a.txt"}},
      {"one name into two folders", "ExeFile = Memo.exe\r\n",
       "\"%INSTALL_DIR%\\Memo.exe\", Memo.exe\r\n\"%INSTALL_DIR%\\a.txt\", a.txt\r\n"
       "\"?Drive?\\My Documents\\a.txt\", a.txt\r\n",
       {}},
      {"a start-up program and an icon that are not copied",
       "ExeFile = \"\\Program Disk\\Memo\\Mem.exe\"\r\nIcon = \"%INSTALL_DIR%\\Memo.ico\"\r\n",
       "\"%INSTALL_DIR%\\Memo.exe\", Memo.exe\r\n\"%INSTALL_DIR%\\a.txt\", a.txt\r\n",
       {"the start-up program \\Program Disk\\Memo\\Mem.exe (ExeFile) is not a file that a copy line copies",
        "the icon %INSTALL_DIR%\\Memo.ico (Icon) is not a file that a copy line copies"}},
  };
  for (const auto& c : cases) {
    const std::string install_inf = kApp + c.app + "[Copy Files]\r\n" + c.copy_lines;
    InstallPlan plan;
    base::CapturingConsole console;
    Status s = PlanOf({{1, "Install.inf", install_inf},
                       {1, "Un.inf", lvar_test::kTestUninstallInf},
                       {2, "Memo.exe", "MZ"},
                       {3, "a.txt", "a"}},
                      &plan, &console);
    ASSERT_TRUE(s.ok()) << c.what << ": " << EnglishNote(s) << console.err;
    std::vector<std::string> warnings;
    for (const Note& warning : plan.warnings) warnings.push_back(NoteText(base::Language::kEnglish, warning));
    EXPECT_EQ(c.warnings, warnings) << c.what;
  }
}

TEST(InstallPlanTest, StoredInstallInformationThatFailsTheBuildersChecks) {
  std::vector<TestEntry> entries = SoundEntries();
  entries[0].content = "[App Information]\r\nProgram = Memo\r\n";
  InstallPlan plan;
  base::CapturingConsole console;
  Status s = PlanOf(entries, &plan, &console);
  EXPECT_EQ(Fault::kInstallInfo, s.fault);
  EXPECT_EQ(256u, s.offset);
  EXPECT_NE(std::string::npos, EnglishNote(s).find("0x00310ABD")) << EnglishNote(s);
  EXPECT_NE(std::string::npos, console.err.find("Maker")) << "the reader's own messages";
}

}  // namespace
}  // namespace lvar
