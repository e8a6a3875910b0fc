#include "lvar/install_plan.h"

#include <gtest/gtest.h>

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
