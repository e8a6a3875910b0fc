// Page 2 (IDD_INSTALL_PAGE) in a real wizard sheet: the defaults proposed on
// activation, the program path field, the start-up program picker, the
// check boxes and radio buttons, and the Next checks.

#include <gtest/gtest.h>

#include "resource.h"
#include "wizard_fixture.h"

namespace guitest {
namespace {

constexpr int kInstallPage = 1;
constexpr int kFinishPage = 4;

class InstallPageTest : public WizardFixture {
 protected:
  /// Opens page 2 (followed by page 5 so that Next has somewhere to go).
  void Open() {
    OpenPages({kInstallPage, kFinishPage});
    page = Page(kInstallPage);
    ASSERT_NE(page, nullptr);
  }
  void Names(const std::string& product, const std::string& name) {
    app.settings.Product.Assign(product);
    app.settings.Name.Assign(name);
    app.settings.Source.Assign("src");
  }
  /// What the open page shows and holds after activation.
  struct Shown {
    std::string inst_dir, uninst_file, exe, exe_path;
    int dest;
    bool reboot, uninstall, unregist;
  };
  void ExpectShown(const Shown& shown) {
    EXPECT_EQ(app.settings.InstDir.Text(), shown.inst_dir);
    EXPECT_EQ(app.settings.UninstFile.Text(), shown.uninst_file);
    EXPECT_EQ(app.settings.Exe.Text(), shown.exe);
    EXPECT_EQ(GetText(page, IDC_INST_EXE_PATH), shown.exe_path);
    for (int id : {IDC_INST_DEST_BOTH, IDC_INST_DEST_MAIN, IDC_INST_DEST_CARD})
      EXPECT_EQ(IsChecked(page, id), id == shown.dest) << id;
    EXPECT_EQ(IsChecked(page, IDC_INST_REBOOT), shown.reboot);
    EXPECT_EQ(IsChecked(page, IDC_INST_UNINSTALL), shown.uninstall);
    EXPECT_EQ(IsChecked(page, IDC_INST_UNREGIST), shown.unregist);
    // The uninstall file and the registry choice only count with an uninstaller.
    EXPECT_EQ(IsEnabled(page, IDC_INST_UNINST_FILE), shown.uninstall);
    EXPECT_EQ(IsEnabled(page, IDC_INST_UNREGIST), shown.uninstall);
  }
  HWND page = nullptr;
};

TEST_F(InstallPageTest, ActivationProposesDefaults) {
  MakeSource({"Tool.exe", "data.bin"});
  Names("Demo Soft", "Demo");
  Open();
  ExpectShown({"Demo Soft Demo", "UnDemo SoftDemo", "Tool.exe", "\\Program Disk\\Demo Soft Demo\\Tool.exe",
               IDC_INST_DEST_BOTH, false, true, true});
  EXPECT_EQ(GetText(page, IDC_INST_DIR), "Demo Soft Demo");
  EXPECT_EQ(GetText(page, IDC_INST_UNINST_FILE), "UnDemo SoftDemo");
  EXPECT_EQ(GetText(page, IDC_INST_PROGRAM_FILES), "\\Program Files\\");
  EXPECT_EQ(EditLimit(page, IDC_INST_DIR), 100);
  EXPECT_EQ(EditLimit(page, IDC_INST_CMD), 100);
  EXPECT_EQ(EditLimit(page, IDC_INST_UNINST_FILE), 100);
  EXPECT_TRUE(Style(page, IDC_INST_EXE_PATH) & ES_READONLY);
  EXPECT_TRUE(sheet.BackEnabled());
  EXPECT_TRUE(sheet.NextEnabled());
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(InstallPageTest, DefaultsTable) {
  struct Case {
    std::string product, name, inst_dir, uninst_file;
  };
  const std::string p64(64, 'p'), n64(64, 'n');
  const Case cases[] = {
      {"", "Demo", "Demo", "UnDemo"},
      // 129 and 130 characters, cut to their first 100.
      {p64, n64, (p64 + " " + n64).substr(0, 100), ("Un" + p64 + n64).substr(0, 100)},
      // No program name: nothing is proposed.
      {"Demo Soft", "", "", ""},
  };
  for (const Case& c : cases) {
    WorkFolder folder;
    pakforge::WizardApp fresh{base::SystemFileAccess(), base::SystemPathResolver(), messages};
    fresh.instance = app.instance;
    fresh.settings.Product.Assign(c.product);
    fresh.settings.Name.Assign(c.name);
    WizardSheet local;
    ASSERT_TRUE(local.Open({fresh.page(kInstallPage).CreatePage(fresh.instance)}));
    EXPECT_EQ(fresh.settings.InstDir.Text(), c.inst_dir) << c.product << "/" << c.name;
    EXPECT_EQ(fresh.settings.UninstFile.Text(), c.uninst_file) << c.product << "/" << c.name;
    local.Close();
  }
}

TEST_F(InstallPageTest, LoadedValuesAreKept) {
  MakeSource({"Tool.exe"});
  Names("Demo Soft", "Demo");
  app.settings.InstDir.Assign("Keep");
  app.settings.UninstFile.Assign("UnKeep");
  app.settings.Exe.Assign("Other.exe");
  app.settings.Cmd.Assign("/q");
  app.settings.Dest = 3;
  app.settings.Reboot.Set(true);
  app.settings.Uninstall.Set(false);
  app.settings.UnRegist.Set(false);
  Open();
  ExpectShown({"Keep", "UnKeep", "Other.exe", "\\Program Disk\\Keep\\Other.exe", IDC_INST_DEST_CARD, true, false,
               false});
  EXPECT_EQ(GetText(page, IDC_INST_CMD), "/q");
}

TEST_F(InstallPageTest, NoProgramInTheSourceFolder) {
  MakeSource({"data.bin"});
  Names("", "Demo");
  Open();
  EXPECT_TRUE(app.settings.Exe.IsEmpty());
  EXPECT_EQ(GetText(page, IDC_INST_EXE_PATH), "\\Program Disk\\Demo\\");
  sheet.PressNext();
  EXPECT_EQ(sheet.index(), 0);
  EXPECT_EQ(messages.ids(), std::vector<int>{15});
}

TEST_F(InstallPageTest, ControlsWriteTheirSettingsAtOnce) {
  MakeSource({"Tool.exe"});
  Names("", "Demo");
  Open();
  const std::pair<int, int> radios[] = {{IDC_INST_DEST_MAIN, 2}, {IDC_INST_DEST_CARD, 3}, {IDC_INST_DEST_BOTH, 1}};
  for (auto [id, dest] : radios) {
    Click(page, id);
    EXPECT_EQ(app.settings.Dest, dest) << id;
    EXPECT_TRUE(IsChecked(page, id));
  }
  Click(page, IDC_INST_REBOOT);
  EXPECT_TRUE(app.settings.Reboot.On());
  Click(page, IDC_INST_UNREGIST);
  EXPECT_FALSE(app.settings.UnRegist.On());
  Click(page, IDC_INST_UNINSTALL);
  EXPECT_FALSE(app.settings.Uninstall.On());
  EXPECT_FALSE(IsEnabled(page, IDC_INST_UNINST_FILE));
  EXPECT_FALSE(IsEnabled(page, IDC_INST_UNREGIST));
  Click(page, IDC_INST_UNINSTALL);
  EXPECT_TRUE(app.settings.Uninstall.On());
  EXPECT_TRUE(IsEnabled(page, IDC_INST_UNINST_FILE));

  // The install folder is stored at every change and the path follows.
  SetText(page, IDC_INST_DIR, "New Dir");
  EXPECT_EQ(app.settings.InstDir.Text(), "New Dir");
  EXPECT_EQ(GetText(page, IDC_INST_EXE_PATH), "\\Program Disk\\New Dir\\Tool.exe");
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(InstallPageTest, NextChecksInOrder) {
  MakeSource({"Tool.exe"});
  Names("", "Demo");
  Open();
  struct Case {
    const char* inst_dir;
    const char* uninst_file;
    bool uninstall;
    bool clear_exe;
    int message;
    int focus;
    const char* cmd = "";
  };
  const Case cases[] = {
      {"", "UnDemo", true, false, 13, 0},
      {"Demo", "", true, false, 13, 0},
      {"Demo", "UnDemo", true, true, 15, 0},
      {"a|b", "UnDemo", true, false, 38, IDC_INST_DIR},
      {"Demo", "a?b", true, false, 38, IDC_INST_UNINST_FILE},
      // Uninstall off: the name is still checked. The page gives the focus
      // to the disabled field, which Wine (like Windows) does not accept, so
      // the focus is not examined here.
      {"Demo", "", false, false, 38, 0},
      // What the archive builder would refuse: a quote in the command line,
      // then uninstall information off.
      {"Demo", "UnDemo", true, false, IDS_CMD_QUOTE, IDC_INST_CMD, "/f \"a b\""},
      {"Demo", "UnDemo", false, false, IDS_UNINSTALL_REQUIRED, IDC_INST_UNINSTALL},
  };
  for (const Case& c : cases) {
    SetText(page, IDC_INST_CMD, c.cmd);
    SetText(page, IDC_INST_DIR, c.inst_dir);
    SetText(page, IDC_INST_UNINST_FILE, c.uninst_file);
    if (IsChecked(page, IDC_INST_UNINSTALL) != c.uninstall) Click(page, IDC_INST_UNINSTALL);
    app.settings.Exe.Assign(c.clear_exe ? "" : "Tool.exe");
    messages.Clear();
    sheet.PressNext();
    EXPECT_EQ(sheet.index(), 0) << c.inst_dir << "/" << c.uninst_file;
    EXPECT_EQ(messages.ids(), std::vector<int>{c.message}) << c.inst_dir << "/" << c.uninst_file;
    if (c.focus) {
      EXPECT_EQ(FocusedId(), c.focus) << c.inst_dir << "/" << c.uninst_file;
    }
  }
  // Valid values pass; Cmd and UninstFile are stored by Next.
  Click(page, IDC_INST_UNINSTALL);
  SetText(page, IDC_INST_DIR, "Demo");
  SetText(page, IDC_INST_UNINST_FILE, "UnDemo");
  SetText(page, IDC_INST_CMD, "a|b*");
  messages.Clear();
  sheet.PressNext();
  EXPECT_EQ(sheet.index(), 1);
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(app.settings.Cmd.Text(), "a|b*");
  EXPECT_EQ(app.settings.UninstFile.Text(), "UnDemo");
}

TEST_F(InstallPageTest, StartupProgramPicker) {
  MakeSource({"Tool.exe", "data.bin"});
  ASSERT_TRUE(work.MakeFolder("src\\sub"));
  ASSERT_TRUE(work.WriteFile("src\\sub\\Helper.exe", "x"));
  Names("", "Demo");
  Open();
  std::vector<std::string> rows;
  std::vector<int> selected;
  bool ok_enabled = false;
  modal.Expect(kStartupPickerTitle, [&](HWND dialog) {
    rows = ListColumn(GetDlgItem(dialog, IDC_PICK_LIST));
    selected = SelectedRows(GetDlgItem(dialog, IDC_PICK_LIST));
    ok_enabled = IsEnabled(dialog, IDOK);
    ChooseRow(IDC_PICK_LIST, "Helper.exe", IDOK)(dialog);
  });
  Command(page, IDC_INST_SELECT);
  ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
  PumpMessages();
  EXPECT_EQ(rows, (std::vector<std::string>{"Helper.exe", "Tool.exe"}));
  // The program the page proposed is selected, so OK is ready.
  EXPECT_EQ(selected, std::vector<int>{1});
  EXPECT_TRUE(ok_enabled);
  EXPECT_EQ(app.settings.Exe.Text(), "Helper.exe");
  EXPECT_EQ(GetText(page, IDC_INST_EXE_PATH), "\\Program Disk\\Demo\\Helper.exe");

  // Cancelled: nothing changes.
  modal.Expect(kStartupPickerTitle, PressButton(IDCANCEL));
  Command(page, IDC_INST_SELECT);
  ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
  PumpMessages();
  EXPECT_EQ(app.settings.Exe.Text(), "Helper.exe");
  EXPECT_TRUE(modal.unexpected().empty());
}

TEST_F(InstallPageTest, PickedProgramWithTooLongPathIsRefused) {
  // 12 + 100 + 148 + 20 = 280: the program path would be too long.
  std::string long_name(144, 'L');
  long_name += ".exe";
  MakeSource({"Tool.exe", long_name});
  Names("", "Demo");
  app.settings.InstDir.Assign(std::string(100, 'i'));
  Open();
  ASSERT_EQ(app.settings.Exe.Text().empty(), false);
  const std::string before = app.settings.Exe.Text();
  modal.Expect(kStartupPickerTitle, ChooseRow(IDC_PICK_LIST, long_name, IDOK));
  Command(page, IDC_INST_SELECT);
  ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
  PumpMessages();
  EXPECT_EQ(messages.ids(), std::vector<int>{30});
  EXPECT_EQ(app.settings.Exe.Text(), before);
  EXPECT_EQ(GetText(page, IDC_INST_EXE_PATH), "\\Program Disk\\...\\" + before);
}

}  // namespace
}  // namespace guitest
