// Destination folder chooser (IDD_FOLDER_CHOOSER): fixed and own rows, Add with its
// numbered names, label editing with its refusals, the 50-folder capacity,
// the mode switch and the end codes.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui_harness.h"
#include "pakforge/resources/resource.h"
#include "project/settings.h"
#include "pakforge/pages/folder_chooser_dialog.h"
#include "pakforge/resource_text.h"

namespace {

using guitest::ModalResponder;
using guitest::Sjis;

const std::string& ChooserTitle() {
  static const std::string title = Sjis("インストール先フォルダの選択");
  return title;
}

// Renames row `row` through label editing: starts editing, types `text` and
// presses Enter in the edit control.
void RenameRow(HWND list, int row, const std::string& text) {
  SetFocus(list);
  HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_EDITLABELA, row, 0));
  if (!edit) return;
  SetWindowTextA(edit, text.c_str());
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

class FolderChooserTest : public ::testing::Test {
 protected:
  void SetUp() override { pakforge::SetTextInstance(GetModuleHandleA(nullptr)); }

  // Opens the chooser; `inside` runs in it with the dialog and its list and
  // must end it. Answers the end code.
  int Run(const std::function<void(HWND dialog, HWND list)>& inside) {
    ModalResponder responder;
    responder.Expect(ChooserTitle(), [&](HWND dialog) {
      inside(dialog, GetDlgItem(dialog, IDC_CHOOSER_LIST));
    });
    const int result = pakforge::ChooseDestinationFolder(GetModuleHandleA(nullptr), nullptr, chooser, messages);
    EXPECT_EQ(responder.pending(), 0u);
    EXPECT_TRUE(responder.unexpected().empty());
    return result;
  }

  project::FolderChooser chooser;
  guitest::MessageRecorder messages;
};

TEST_F(FolderChooserTest, OpensInApplicationModeAndSwitchesToMyDocuments) {
  chooser.app_folders.Add("Data");
  chooser.doc_folders.Add("Notes");
  std::vector<std::vector<std::string>> app_rows, doc_rows;
  bool add_enabled = false, select_enabled = true, delete_enabled = true;
  std::string app_text, doc_text;
  const int result = Run([&](HWND dialog, HWND list) {
    app_rows = guitest::ListRows(list, 2);
    add_enabled = guitest::IsEnabled(dialog, IDC_CHOOSER_ADD);
    select_enabled = guitest::IsEnabled(dialog, IDC_CHOOSER_SELECT);
    delete_enabled = guitest::IsEnabled(dialog, IDC_CHOOSER_DELETE);
    app_text = guitest::GetText(dialog, IDC_CHOOSER_TEXT);
    EXPECT_TRUE(guitest::IsChecked(dialog, IDC_CHOOSER_APP));
    guitest::ClickNow(dialog, IDC_CHOOSER_DOCS);
    doc_rows = guitest::ListRows(list, 2);
    doc_text = guitest::GetText(dialog, IDC_CHOOSER_TEXT);
    guitest::CommandNow(dialog, IDC_CHOOSER_CANCEL);
  });
  EXPECT_EQ(result, 5);
  const std::string existing = Sjis("既存"), own = Sjis("独自");
  const std::vector<std::vector<std::string>> want_app = {
      {Sjis("(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)"), existing}, {"Data", own}};
  EXPECT_EQ(app_rows, want_app);
  const std::vector<std::vector<std::string>> want_docs = {
      {"Movie", existing}, {"Photo", existing},    {"Music", existing}, {"Text", existing},
      {"Bookmark", existing}, {"Unknown", existing}, {"Notes", own}};
  EXPECT_EQ(doc_rows, want_docs);
  EXPECT_TRUE(add_enabled);
  EXPECT_FALSE(select_enabled);
  EXPECT_FALSE(delete_enabled);
  EXPECT_EQ(app_text, pakforge::LoadText(IDS_CHOOSER_APP_TEXT));
  EXPECT_EQ(doc_text, pakforge::LoadText(IDS_CHOOSER_DOCS_TEXT));
}

TEST_F(FolderChooserTest, SelectAnswersTheRowKindAndName) {
  struct Case {
    bool docs_mode;
    std::string row;
    int kind;
    std::string result;
  };
  chooser.app_folders.Add("Data");
  chooser.doc_folders.Add("Notes");
  const Case cases[] = {
      {false, Sjis("(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)"), 1, ""},
      {true, "Music", 2, "Music"},
      {true, "Notes", 3, "Notes"},
      {false, "Data", 4, "Data"},
  };
  for (const Case& c : cases) {
    chooser.result.Assign("stale");
    bool buttons_ok = false;
    const int result = Run([&](HWND dialog, HWND list) {
      if (c.docs_mode) guitest::ClickNow(dialog, IDC_CHOOSER_DOCS);
      guitest::SelectRowsNow(list, {guitest::FindListRow(list, c.row)});
      // Delete is offered only for own rows.
      buttons_ok = guitest::IsEnabled(dialog, IDC_CHOOSER_SELECT) &&
                   guitest::IsEnabled(dialog, IDC_CHOOSER_DELETE) == (c.kind == 3 || c.kind == 4);
      guitest::CommandNow(dialog, IDC_CHOOSER_SELECT);
    });
    EXPECT_EQ(result, c.kind) << c.row;
    EXPECT_EQ(chooser.result.Text(), c.result) << c.row;
    EXPECT_TRUE(buttons_ok) << c.row;
  }
}

TEST_F(FolderChooserTest, AddNumbersNewFoldersAndSelectKeepsThem) {
  chooser.app_folders.Add("new folder");  // taken, ignoring case
  std::vector<std::string> rows;
  const int result = Run([&](HWND dialog, HWND list) {
    guitest::CommandNow(dialog, IDC_CHOOSER_ADD);
    SendMessageA(list, LVM_CANCELEDITLABEL, 0, 0);
    guitest::CommandNow(dialog, IDC_CHOOSER_ADD);
    SendMessageA(list, LVM_CANCELEDITLABEL, 0, 0);
    rows = guitest::ListColumn(list, 0);
    guitest::SelectRowsNow(list, {3});
    guitest::CommandNow(dialog, IDC_CHOOSER_SELECT);
  });
  const std::vector<std::string> want = {Sjis("(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)"), "new folder", "New Folder 2",
                                         "New Folder 3"};
  EXPECT_EQ(rows, want);
  EXPECT_EQ(result, 4);
  EXPECT_EQ(chooser.result.Text(), "New Folder 3");
  ASSERT_EQ(chooser.app_folders.Count(), 3);
  EXPECT_EQ(chooser.app_folders.At(2), "New Folder 3");
}

TEST_F(FolderChooserTest, RenamingRefusesTakenAndInvalidNames) {
  chooser.doc_folders.Add("Mine");
  chooser.doc_folders.Add("Other");
  struct Case {
    std::string name;
    int message;  // 0: accepted
  };
  const Case cases[] = {
      {"Movie", IDS_FOLDER_EXISTS},  // the fixed row counts
      {"OTHER", IDS_FOLDER_EXISTS},
      {" Lead", IDS_BAD_NAME},
      {"Trail.", IDS_BAD_NAME},
      {"a:b", IDS_BAD_NAME},
      {"Photos 2024", 0},
  };
  std::vector<std::string> shown;
  std::vector<std::vector<int>> ids;
  bool fixed_refused = false;
  Run([&](HWND dialog, HWND list) {
    guitest::ClickNow(dialog, IDC_CHOOSER_DOCS);
    const int mine = guitest::FindListRow(list, "Mine");
    for (const Case& c : cases) {
      messages.Clear();
      RenameRow(list, mine, c.name);
      shown.push_back(guitest::ListText(list, mine, 0));
      ids.push_back(messages.ids());
    }
    // Fixed rows cannot be edited at all.
    fixed_refused = SendMessageA(list, LVM_EDITLABELA, 0, 0) == 0;
    SendMessageA(list, LVM_CANCELEDITLABEL, 0, 0);
    guitest::SelectRowsNow(list, {mine});
    guitest::CommandNow(dialog, IDC_CHOOSER_SELECT);
  });
  ASSERT_EQ(shown.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    if (c.message == 0) {
      EXPECT_EQ(shown[i], c.name);
      EXPECT_TRUE(ids[i].empty()) << c.name;
    } else {
      EXPECT_EQ(shown[i], "Mine") << c.name;
      EXPECT_EQ(ids[i], std::vector<int>{c.message}) << c.name;
    }
  }
  EXPECT_TRUE(fixed_refused);
  EXPECT_EQ(chooser.result.Text(), "Photos 2024");
  EXPECT_EQ(chooser.doc_folders.At(0), "Photos 2024");
}

TEST_F(FolderChooserTest, F2RenamesAndARefusedNameIsOfferedAgain) {
  chooser.app_folders.Add("Data");
  chooser.app_folders.Add("Logs");
  auto editor = [](HWND list) {
    return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
  };
  auto press = [](HWND window, WPARAM key) {
    SendMessageA(window, WM_KEYDOWN, key, 0);
    SendMessageA(window, WM_KEYUP, key, 0);
  };
  bool fixed_edited = true, own_edited = false;
  std::vector<std::string> offered;  // edit texts after each refusal
  std::vector<std::string> shown;    // row 1 after each attempt
  const int result = Run([&](HWND dialog, HWND list) {
    SetFocus(list);
    guitest::SelectRowsNow(list, {0});
    press(list, VK_F2);  // the application folder row keeps its name
    fixed_edited = editor(list) != nullptr;
    SendMessageA(list, LVM_CANCELEDITLABEL, 0, 0);

    guitest::SelectRowsNow(list, {1});
    press(list, VK_F2);
    HWND edit = editor(list);
    own_edited = edit != nullptr;
    for (const char* name : {"logs", "a*b", "Logs 2"}) {
      if (!edit) break;
      messages.Clear();
      SetWindowTextA(edit, name);
      press(edit, VK_RETURN);
      shown.push_back(guitest::ListText(list, 1, 0));
      // After a refusal editing starts again (posted), showing the typed text.
      edit = nullptr;
      if (!messages.ids().empty() && guitest::PumpUntil([&] { return editor(list) != nullptr; }, 2000)) {
        edit = editor(list);
        offered.push_back(guitest::WindowText(edit));
      }
    }
    // A double click on a row chooses it.
    guitest::SelectRowsNow(list, {2});
    guitest::DoubleClickRowNow(list, 2);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_CANCEL, BN_CLICKED), 0);
  });
  EXPECT_FALSE(fixed_edited);
  EXPECT_TRUE(own_edited);
  EXPECT_EQ(offered, (std::vector<std::string>{"logs", "a*b"}));
  EXPECT_EQ(shown, (std::vector<std::string>{"Data", "Data", "Logs 2"}));
  EXPECT_EQ(result, 4);
  EXPECT_EQ(chooser.result.Text(), "Logs");
  EXPECT_EQ(chooser.app_folders.At(0), "Logs 2");
}

TEST_F(FolderChooserTest, FiftyOwnFoldersDisableAddUntilOneIsDeleted) {
  for (int i = 0; i < 50; ++i) chooser.app_folders.Add(std::string("F").append(std::to_string(i)));
  bool add_at_50 = true, add_after_delete = false, add_at_50_again = true;
  int rows_after_delete = 0;
  Run([&](HWND dialog, HWND list) {
    add_at_50 = guitest::IsEnabled(dialog, IDC_CHOOSER_ADD);
    guitest::SelectRowsNow(list, {guitest::FindListRow(list, "F7")});
    guitest::CommandNow(dialog, IDC_CHOOSER_DELETE);
    rows_after_delete = guitest::ListCount(list);
    add_after_delete = guitest::IsEnabled(dialog, IDC_CHOOSER_ADD);
    guitest::CommandNow(dialog, IDC_CHOOSER_ADD);
    SendMessageA(list, LVM_CANCELEDITLABEL, 0, 0);
    add_at_50_again = guitest::IsEnabled(dialog, IDC_CHOOSER_ADD);
    guitest::CommandNow(dialog, IDC_CHOOSER_CANCEL);
  });
  EXPECT_FALSE(add_at_50);
  EXPECT_EQ(rows_after_delete, 50);
  EXPECT_TRUE(add_after_delete);
  EXPECT_FALSE(add_at_50_again);
  // Cancelled: the deletion and the addition are not kept.
  EXPECT_EQ(chooser.app_folders.Count(), 50);
  EXPECT_EQ(chooser.app_folders.At(7), "F7");
}

TEST_F(FolderChooserTest, ModeSwitchKeepsOwnRowsButCancelDropsLaterChanges) {
  chooser.app_folders.Add("Keep");
  Run([&](HWND dialog, HWND list) {
    guitest::CommandNow(dialog, IDC_CHOOSER_ADD);
    SendMessageA(list, LVM_CANCELEDITLABEL, 0, 0);
    guitest::ClickNow(dialog, IDC_CHOOSER_DOCS);  // copies "Keep", "New Folder" back
    guitest::ClickNow(dialog, IDC_CHOOSER_DOCS);  // already shown: nothing
    guitest::CommandNow(dialog, IDC_CHOOSER_ADD);   // a docs folder, then cancelled
    SendMessageA(list, LVM_CANCELEDITLABEL, 0, 0);
    guitest::CommandNow(dialog, IDC_CHOOSER_CANCEL);
  });
  ASSERT_EQ(chooser.app_folders.Count(), 2);
  EXPECT_EQ(chooser.app_folders.At(1), "New Folder");
  EXPECT_EQ(chooser.doc_folders.Count(), 0);
}

}  // namespace
