// The list pickers as the user meets them: the saved-project picker (108)
// with its prefix renaming, the source folder picker (110) and the start-up
// program picker (107), each a real modal dialog answered by the test.

#include <gtest/gtest.h>

#include "resource.h"
#include "pakforge/list_pickers.h"
#include "wizard_fixture.h"

namespace guitest {
namespace {

/// What a picker dialog showed when it opened.
struct Seen {
  std::vector<std::string> rows;
  bool ok_enabled = true;
  bool centred = false;
  std::string path_text;
};

/// Records the dialog, then runs `then`.
ModalResponder::Action Observe(Seen* seen, ModalResponder::Action then) {
  return [seen, then](HWND dialog) {
    seen->rows = ListColumn(GetDlgItem(dialog, IDC_PICK_LIST));
    seen->ok_enabled = IsEnabled(dialog, IDOK);
    if (GetDlgItem(dialog, IDC_PICK_PATH)) seen->path_text = GetText(dialog, IDC_PICK_PATH);
    RECT rect;
    GetWindowRect(dialog, &rect);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    seen->centred = rect.left == (GetSystemMetrics(SM_CXSCREEN) - w) / 2 &&
                    rect.top == (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    then(dialog);
  };
}

class PickersTest : public WizardFixture {};

TEST_F(PickersTest, ProjectPickerListsRenamesAndChooses) {
  // Old prefix renamed; a name clash keeps the old file unlisted.
  ASSERT_TRUE(work.WriteFiles({{"Pakforge_Demo.ini", "[Property]\r\nName=Demo\r\n"}, {"Pakfrge_Demo.ini", "old"},
                               {"Pakfrge_Legacy.ini", "[Property]\r\nName=Legacy\r\n"}, {"Pakforge_.ini", ""},
                               {"Pakforge_Demo.2.ini", ""}, {"Other.ini", ""}}));
  Seen seen;
  modal.Expect(kProjectPickerTitle, Observe(&seen, ChooseRow(IDC_PICK_LIST, "Legacy", IDOK)));
  EXPECT_EQ(pakforge::ProjectPicker(app, nullptr), 1);
  EXPECT_EQ(seen.rows, (std::vector<std::string>{"", "Demo", "Demo.2", "Legacy"}));
  EXPECT_FALSE(seen.ok_enabled);
  EXPECT_TRUE(seen.centred);
  EXPECT_EQ(app.project_choice.Text(), work.Full("Pakforge_Legacy.ini"));
  EXPECT_TRUE(work.Exists("Pakforge_Legacy.ini"));
  EXPECT_FALSE(work.Exists("Pakfrge_Legacy.ini"));
  EXPECT_TRUE(work.Exists("Pakfrge_Demo.ini"));
  EXPECT_EQ(work.ReadFile("Pakforge_Demo.ini"), "[Property]\r\nName=Demo\r\n");
  EXPECT_TRUE(modal.unexpected().empty());
}

TEST_F(PickersTest, ProjectPickerSelectWithoutRowDoesNothingCancelEnds) {
  ASSERT_TRUE(work.WriteFile("Pakforge_Demo.ini", ""));
  bool still_open = false;
  modal.Expect(kProjectPickerTitle, [&](HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    PumpMessages(30, 1000);
    still_open = IsWindow(dialog) && IsWindowVisible(dialog);
    PressButton(IDCANCEL)(dialog);
  });
  EXPECT_EQ(pakforge::ProjectPicker(app, nullptr), 2);
  EXPECT_TRUE(still_open);
  EXPECT_TRUE(app.project_choice.IsEmpty());
}

TEST_F(PickersTest, ProjectPickerClosedEndsWithTwo) {
  modal.Expect(kProjectPickerTitle, [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
  EXPECT_EQ(pakforge::ProjectPicker(app, nullptr), 2);
}

TEST_F(PickersTest, ProjectPickerListsNothingInALongDirectory) {
  const std::string deep = work.EnterFolderOfLength(245);
  ASSERT_EQ(deep.size(), 245u);
  const std::string relative = deep.substr(work.path().size() + 1);
  ASSERT_TRUE(work.WriteFile(relative + "\\Pakforge_A.ini", ""));
  Seen seen;
  modal.Expect(kProjectPickerTitle, Observe(&seen, PressButton(IDCANCEL)));
  EXPECT_EQ(pakforge::ProjectPicker(app, nullptr), 2);
  EXPECT_TRUE(seen.rows.empty());
}

TEST_F(PickersTest, SourceFolderPickerListsFoldersOnly) {
  ASSERT_TRUE(work.MakeFolder("src"));
  ASSERT_TRUE(work.MakeFolder("data"));
  ASSERT_TRUE(work.WriteFile("file.bin", "x"));
  Seen seen;
  modal.Expect(kSourcePickerTitle, Observe(&seen, ChooseRow(IDC_PICK_LIST, "src", IDOK)));
  EXPECT_EQ(pakforge::PickSourceFolder(app, nullptr), 1);
  EXPECT_EQ(seen.rows, (std::vector<std::string>{"data", "src"}));
  EXPECT_FALSE(seen.ok_enabled);
  EXPECT_TRUE(seen.centred);
  EXPECT_EQ(app.source_choice.Text(), "src");

  modal.Expect(kSourcePickerTitle, PressButton(IDCANCEL));
  EXPECT_EQ(pakforge::PickSourceFolder(app, nullptr), 2);
}

TEST_F(PickersTest, StartupPickerListsProgramsOfTheSourceTree) {
  MakeSource({"Main.exe", "Lib.dll", "data.bin"});
  ASSERT_TRUE(work.MakeFolder("src\\tools"));
  ASSERT_TRUE(work.WriteFile("src\\tools\\Extra.EXE", "x"));
  ASSERT_TRUE(work.MakeFolder("src\\tools\\deep"));
  ASSERT_TRUE(work.WriteFile("src\\tools\\deep\\Hidden.exe", "x"));
  app.settings.Source.Assign("src");
  Seen seen;
  modal.Expect(kStartupPickerTitle, Observe(&seen, ChooseRow(IDC_PICK_LIST, "Extra.EXE", IDOK)));
  EXPECT_EQ(pakforge::PickStartupProgram(app, nullptr), 1);
  EXPECT_EQ(seen.rows, (std::vector<std::string>{"Extra.EXE", "Main.exe"}));
  EXPECT_EQ(seen.path_text, work.Full("src\\"));
  EXPECT_TRUE(seen.centred);
  EXPECT_EQ(app.startup_choice.Text(), "Extra.EXE");
  EXPECT_TRUE(messages.messages().empty());
}

/// Records the selected rows and OK's state, double-clicks the row whose
/// text is `text`, then cancels in case the dialog is still open.
ModalResponder::Action SelectedThenDoubleClick(std::vector<std::string>* selected, bool* ok,
                                               const std::string& text) {
  return [=](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
    for (int row : SelectedRows(list)) selected->push_back(ListText(list, row, 0));
    *ok = IsEnabled(dialog, IDOK);
    DoubleClickRowNow(list, FindListRow(list, text));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  };
}

TEST_F(PickersTest, PickersSelectTheCurrentValueAndChooseOnDoubleClick) {
  MakeSource({"Main.exe", "Zed.exe"});
  ASSERT_TRUE(work.MakeFolder("data"));
  ASSERT_TRUE(work.MakeFolder("more"));
  app.settings.Source.Assign("src");
  app.settings.Exe.Assign("zed.EXE");  // letter case aside

  std::vector<std::string> selected;
  bool ok = false;
  modal.Expect(kStartupPickerTitle, SelectedThenDoubleClick(&selected, &ok, "Main.exe"));
  EXPECT_EQ(pakforge::PickStartupProgram(app, nullptr), 1);
  EXPECT_EQ(selected, std::vector<std::string>{"Zed.exe"});
  EXPECT_TRUE(ok);
  EXPECT_EQ(app.startup_choice.Text(), "Main.exe");

  // The source folder picker selects the folder the page shows.
  selected.clear();
  modal.Expect(kSourcePickerTitle, SelectedThenDoubleClick(&selected, &ok, "more"));
  EXPECT_EQ(pakforge::PickSourceFolder(app, nullptr, "SRC"), 1);
  EXPECT_EQ(selected, std::vector<std::string>{"src"});
  EXPECT_TRUE(ok);
  EXPECT_EQ(app.source_choice.Text(), "more");

  // Nothing current: nothing selected, OK disabled.
  selected.clear();
  modal.Expect(kSourcePickerTitle, SelectedThenDoubleClick(&selected, &ok, "data"));
  EXPECT_EQ(pakforge::PickSourceFolder(app, nullptr, "gone"), 1);
  EXPECT_TRUE(selected.empty());
  EXPECT_FALSE(ok);
  EXPECT_EQ(app.source_choice.Text(), "data");
  EXPECT_TRUE(modal.unexpected().empty());
}

TEST_F(PickersTest, StartupPickerWithTooLongPathShowsMessage34) {
  // Current directory 200 + "\" + 55 + "\" = 257; 257 + 5 reaches 260.
  const std::string deep = work.EnterFolderOfLength(200);
  ASSERT_EQ(deep.size(), 200u);
  app.settings.Source.Assign(std::string(55, 's'));
  Seen seen;
  modal.Expect(kStartupPickerTitle, Observe(&seen, PressButton(IDCANCEL)));
  EXPECT_EQ(pakforge::PickStartupProgram(app, nullptr), 2);
  EXPECT_EQ(messages.ids(), std::vector<int>{34});
  EXPECT_TRUE(seen.rows.empty());
}

}  // namespace
}  // namespace guitest
