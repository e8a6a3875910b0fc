#include "inf/description_checks.h"

#include <gtest/gtest.h>

#include "base/capturing_console.h"
#include "inf/inf_test_support.h"
#include "inf/section_table.h"

namespace inf {
namespace {

using testing::Sj;

AppInformationRecord CompleteApp() {
  AppInformationRecord r;
  r.maker = "Maker Co";
  r.program = "Prog";
  r.major_ver = 1;
  r.minor_ver = 2;
  r.install_dir = "\\Prog";
  r.exe_file = "prog.exe";
  r.uninstall = "Uninst";
  r.caption = "Prog";
  r.destination = "alternative";
  r.unload = "1";
  return r;
}

SectionRecord Record(AppInformationRecord r) { return {SectionKind::kAppInformation, std::move(r)}; }

// One check of `sections`: its code, what it printed and the state it left.
struct Checked {
  std::uint32_t code;
  std::string err;
  InstallInfoState state;
};

Checked Check(const SectionList& sections, InstallInfoState state = {}) {
  base::CapturingConsole console;
  const std::uint32_t code = CheckInstallDescription(sections, console, &state);
  return {code, console.err, state};
}

TEST(CheckInstallDescriptionTest, CompleteAppInformationRecordsState) {
  struct Case {
    std::string destination;
    std::uint32_t code;
  };
  const Case cases[] = {{"MAINMEM_ONLY", 1}, {"storage_only", 2}, {"alternative", 3}};
  for (const Case& c : cases) {
    AppInformationRecord app = CompleteApp();
    app.destination = c.destination;
    const Checked checked = Check({Record(app)});
    EXPECT_EQ(checked.code, 0u);
    EXPECT_TRUE(checked.state.app_information_checked);
    EXPECT_EQ(checked.state.uninstall_file_name, "Uninst");
    EXPECT_EQ(checked.state.destination, c.code);
    EXPECT_EQ(checked.err, "");
  }
}

TEST(CheckInstallDescriptionTest, EmptyAppInformationListsTheRecord) {
  InstallInfoState earlier;
  earlier.uninstall_file_name = "earlier";
  const Checked checked = Check({MakeSectionRecord(SectionKind::kAppInformation)}, earlier);
  EXPECT_EQ(checked.code, 0x10ABFu);
  EXPECT_TRUE(checked.state.app_information_checked);
  EXPECT_EQ(checked.state.uninstall_file_name, "");
  EXPECT_EQ(checked.err,
            Sj("エラー：必須キーワード Maker がありません\n"
               "エラー：必須キーワード Program がありません\n"
               "エラー：メジャーバージョンが 0 です\n"
               "必須キーワード MajorVer が指定されていない可能性があります\n"
               "エラー：必須キーワード InstallDir がありません\n"
               "エラー：必須キーワード ExeFile がありません\n"
               "エラー：必須キーワード Uninstall がありません\n"
               "エラー：必須キーワード Caption がありません\n"
               "エラー：必須キーワード Destination がありません\n"
               "エラー：必須キーワード Unload がありません\n") +
                "\n[ App Information ]\n\n"
                "Maker       = (null)\nProgram     = (null)\nMajorVer    = 0\nMinorVer    = 0\n"
                "InstallDir  = (null)\nExeFile     = (null)\nUninstall   = (null)\n"
                "Icon        = (null)\nCaption     = (null)\nSoundBmp    = (null)\n"
                "Wave        = (null)\nCmndLine    = (null)\nOpData      = (null)\n"
                "SettingDll  = (null)\nDestination = (null)\nUnload      = (null)\n");
}

TEST(CheckInstallDescriptionTest, InvalidDestination) {
  const Checked checked = Check({Record({.maker = "Maker Co", .program = "Prog", .major_ver = 1, .minor_ver = 2,
                                         .install_dir = "\\Prog", .exe_file = "prog.exe", .uninstall = "Uninst",
                                         .icon = "i.bmp", .caption = "Prog", .wave = "w.wav", .sound_bmp = "s.bmp",
                                         .command_line = "-x", .op_data = "op", .setting_dll = "set.dll",
                                         .destination = "BOTH", .unload = "1"})});
  EXPECT_EQ(checked.code, 0x10400u);
  EXPECT_EQ(checked.state.destination, 0u);
  EXPECT_EQ(checked.err, Sj("エラー：必須キーワード Destination の値が不正です\n") +
                             "\n[ App Information ]\n\n"
                             "Maker       = Maker Co\nProgram     = Prog\nMajorVer    = 1\n"
                             "MinorVer    = 2\nInstallDir  = \\Prog\nExeFile     = prog.exe\n"
                             "Uninstall   = Uninst\nIcon        = i.bmp\nCaption     = Prog\n"
                             "SoundBmp    = s.bmp\nWave        = w.wav\nCmndLine    = -x\n"
                             "OpData      = op\nSettingDll  = set.dll\nDestination = BOTH\n"
                             "Unload      = 1\n");
}

void ExpectCheck(const SectionRecord& record, std::uint32_t code, const std::string& message) {
  const Checked checked = Check({record});
  EXPECT_EQ(checked.code, code) << SectionName(record.kind);
  EXPECT_EQ(checked.err, message) << SectionName(record.kind);
  EXPECT_FALSE(checked.state.app_information_checked);
}

TEST(CheckInstallDescriptionTest, OtherRecords) {
  SectionRecord no_program = MakeSectionRecord(SectionKind::kUninstallInformation);
  std::get<UninstallInformationRecord>(no_program.data).maker = "M";
  ExpectCheck(no_program, 0x20002,
              Sj("エラー：必須キーワード Program がありません\n") +
                  "\n[ Uninstall Information ]\n\nMaker      = M\nProgram    = (null)\n");
  ExpectCheck(MakeSectionRecord(SectionKind::kUninstallInformation), 0x20003,
              Sj("エラー：必須キーワード Maker がありません\n"
                 "エラー：必須キーワード Program がありません\n") +
                  "\n[ Uninstall Information ]\n\nMaker      = (null)\nProgram    = (null)\n");

  SectionRecord ex = MakeSectionRecord(SectionKind::kExInstallInformation);
  std::get<ExInstallInformationRecord>(ex.data).time_out = 30;
  ExpectCheck(ex, 0xA0001,
              Sj("エラー：必須キーワード Program がありません\n") +
                  "\n[ Ex-Install Information ]\n\nProgram = (null)\nTimeOut = 30\n");
  std::get<ExInstallInformationRecord>(ex.data).program = "p";
  ExpectCheck(ex, 0, "");

  ExpectCheck(MakeSectionRecord(SectionKind::kMakeDirs), 0x30000,
              Sj("エラー：[ Make Dirs ] セクションには、最低ひとつの定義文が必要です\n"));
  ExpectCheck(MakeSectionRecord(SectionKind::kDeleteDirs), 0x40000,
              Sj("エラー：[ Delete Dirs ] セクションには、最低ひとつの定義文が必要です\n"));
  ExpectCheck(MakeSectionRecord(SectionKind::kCopyFiles), 0x50000,
              "Error: No definition is found in [ Copy Files ] section.\n");
  ExpectCheck(MakeSectionRecord(SectionKind::kSetupDataFiles), 0, "");
  ExpectCheck(MakeSectionRecord(SectionKind::kDeleteFiles), 0x70000,
              Sj("エラー：[ Delete Files ] セクションには、最低ひとつの定義文が必要です\n"));
  ExpectCheck(MakeSectionRecord(SectionKind::kAddRegistry), 0x80000,
              Sj("エラー：[ Add Registry ] セクションには、最低ひとつの定義文が必要です\n"));
  ExpectCheck(MakeSectionRecord(SectionKind::kDeleteRegistry), 0x90000,
              Sj("エラー：[ Delete Registry ] セクションには、最低ひとつの定義文が必要です\n"));

  SectionRecord copy = MakeSectionRecord(SectionKind::kCopyFiles);
  copy.item_count = 1;  // one statement, whether or not its item is kept
  ExpectCheck(copy, 0, "");
}

TEST(CheckInstallDescriptionTest, StopsAtTheFirstFailingRecordAndLastAppCounts) {
  AppInformationRecord second = CompleteApp();
  second.uninstall = "Other";
  second.destination = "STORAGE_ONLY";
  const Checked checked = Check({Record(CompleteApp()), Record(second), MakeSectionRecord(SectionKind::kMakeDirs),
                                 MakeSectionRecord(SectionKind::kCopyFiles)});
  EXPECT_EQ(checked.code, 0x30000u);
  EXPECT_EQ(checked.state.uninstall_file_name, "Other");
  EXPECT_EQ(checked.state.destination, 2u);
  EXPECT_EQ(checked.err, Sj("エラー：[ Make Dirs ] セクションには、最低ひとつの定義文が必要です\n"));
}

}  // namespace
}  // namespace inf
