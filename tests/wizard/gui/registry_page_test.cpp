// Page 4 (registry entries) and the registry entry dialog (106): add, edit,
// copy and delete rows, the value checks with their messages and focus, the
// sorting, and the 255-row limit.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui_harness.h"
#include "pakforge/resources/resource.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/resource_text.h"
#include "pakforge/wizard_app.h"

namespace {

using guitest::ModalResponder;
using guitest::Sjis;
using Rows = std::vector<std::vector<std::string>>;

const std::string& EntryTitle() {
  static const std::string title = Sjis("レジストリの登録内容");
  return title;
}

struct Entry {
  int root_id;
  std::string key;
  std::string name;
  int type_id;
  std::string value;
};

// Fills IDD_REGISTRY_ENTRY with `entry` (without pressing Register).
void Fill(HWND dialog, const Entry& entry) {
  guitest::ClickNow(dialog, entry.root_id);
  SetDlgItemTextA(dialog, IDC_ENTRY_KEY, entry.key.c_str());
  SetDlgItemTextA(dialog, IDC_ENTRY_NAME, entry.name.c_str());
  guitest::ClickNow(dialog, entry.type_id);
  SetDlgItemTextA(dialog, IDC_ENTRY_VALUE, entry.value.c_str());
}

ModalResponder::Action Register(const Entry& entry) {
  return [entry](HWND dialog) {
    Fill(dialog, entry);
    guitest::CommandNow(dialog, IDOK);
  };
}

class RegistryPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.instance = GetModuleHandleA(nullptr);
    pakforge::SetTextInstance(app.instance);
  }

  void Open() {
    ASSERT_TRUE(sheet.Open({app.page(3).CreatePage(app.instance)}));
    page = sheet.page();
    list = GetDlgItem(page, IDC_REG_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(app.registry_list, list);
  }

  // Runs a page command that opens IDD_REGISTRY_ENTRY, answered by `action`.
  void WithDialog(int command, ModalResponder::Action action) {
    ModalResponder responder;
    responder.Expect(EntryTitle(), std::move(action));
    guitest::CommandNow(page, command);
    EXPECT_EQ(responder.pending(), 0u);
    EXPECT_TRUE(responder.unexpected().empty());
  }

  int Selected() const { return guitest::SelectedRows(list).empty() ? -1 : guitest::SelectedRows(list)[0]; }
  bool Enabled(int id) const { return guitest::IsEnabled(page, id); }

  guitest::WorkFolder work;
  guitest::MessageRecorder messages;
  pakforge::WizardApp app{base::SystemFileAccess(), base::SystemPathResolver(), messages};
  guitest::WizardSheet sheet;
  HWND page = nullptr;
  HWND list = nullptr;
};

TEST_F(RegistryPageTest, AddEditCopyAndDeleteRows) {
  Open();
  EXPECT_TRUE(Enabled(IDC_REG_ADD));
  EXPECT_FALSE(Enabled(IDC_REG_EDIT));
  EXPECT_FALSE(Enabled(IDC_REG_COPY));
  EXPECT_FALSE(Enabled(IDC_REG_DELETE));

  WithDialog(IDC_REG_ADD, Register({IDC_ENTRY_HKLM, "Software\\Demo", "", IDC_ENTRY_SZ, "\"x\""}));
  WithDialog(IDC_REG_ADD,
             Register({IDC_ENTRY_HKCU, "Software\\Demo", "Count", IDC_ENTRY_DWORD, "-12"}));
  // Sorted by root text; the new row is the one selected.
  EXPECT_EQ(guitest::ListRows(list, 5),
            (Rows{{"HKCU", "Software\\Demo", "Count", "DWORD", "-12"},
                  {"HKLM", "Software\\Demo", "", "SZ", "\"x\""}}));
  EXPECT_EQ(guitest::SelectedRows(list), std::vector<int>{0});
  EXPECT_TRUE(Enabled(IDC_REG_EDIT) && Enabled(IDC_REG_COPY) && Enabled(IDC_REG_DELETE));

  // Copy the HKLM row, then edit the copy: the original stays.
  guitest::SelectRowsNow(list, {1});
  guitest::CommandNow(page, IDC_REG_COPY);
  ASSERT_EQ(guitest::ListCount(list), 3);
  const int copy = Selected();
  ASSERT_GE(copy, 0);
  EXPECT_EQ(guitest::ListRows(list, 5)[copy], guitest::ListRows(list, 5)[copy == 1 ? 2 : 1]);
  bool shown_right = false;
  WithDialog(IDC_REG_EDIT, [&](HWND dialog) {
    shown_right = guitest::IsChecked(dialog, IDC_ENTRY_HKLM) &&
                  guitest::IsChecked(dialog, IDC_ENTRY_SZ) &&
                  guitest::GetText(dialog, IDC_ENTRY_KEY) == "Software\\Demo" &&
                  guitest::GetText(dialog, IDC_ENTRY_VALUE) == "\"x\"" &&
                  guitest::EditLimit(dialog, IDC_ENTRY_KEY) == 259 &&
                  guitest::EditLimit(dialog, IDC_ENTRY_NAME) == 259 &&
                  guitest::EditLimit(dialog, IDC_ENTRY_VALUE) == 1023;
    SetDlgItemTextA(dialog, IDC_ENTRY_VALUE, "\"y\"");
    guitest::ClickNow(dialog, IDC_ENTRY_HKCR);
    guitest::ClickNow(dialog, IDC_ENTRY_MULTI_SZ);
    guitest::CommandNow(dialog, IDOK);
  });
  EXPECT_TRUE(shown_right);
  EXPECT_EQ(guitest::ListRows(list, 5),
            (Rows{{"HKCR", "Software\\Demo", "", "MULTI_SZ", "\"y\""},
                  {"HKCU", "Software\\Demo", "Count", "DWORD", "-12"},
                  {"HKLM", "Software\\Demo", "", "SZ", "\"x\""}}));
  EXPECT_EQ(Selected(), 0);
  // The list shows the app's rows, which hold the root and type as numbers.
  ASSERT_EQ(app.registry_rows.Count(), 3);
  EXPECT_EQ(app.registry_rows.rows[0].root, project::kHkcr);
  EXPECT_EQ(app.registry_rows.rows[0].type, project::kMultiSz);
  EXPECT_EQ(app.registry_rows.rows[0].value, "\"y\"");

  // Cancel changes nothing.
  WithDialog(IDC_REG_EDIT, [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_ENTRY_VALUE, "\"z\"");
    guitest::CommandNow(dialog, IDCANCEL);
  });
  EXPECT_EQ(guitest::ListText(list, 0, 4), "\"y\"");

  // Delete: the row that takes the deleted one's place is selected, so the
  // buttons stay usable.
  guitest::CommandNow(page, IDC_REG_DELETE);
  EXPECT_EQ(guitest::ListColumn(list, 0), (std::vector<std::string>{"HKCU", "HKLM"}));
  EXPECT_EQ(guitest::SelectedRows(list), std::vector<int>{0});
  EXPECT_TRUE(Enabled(IDC_REG_EDIT) && Enabled(IDC_REG_COPY) && Enabled(IDC_REG_DELETE));
  EXPECT_TRUE(Enabled(IDC_REG_ADD));

  // Item data stay distinct for the sort to find rows again.
  EXPECT_NE(guitest::ListData(list, 0), guitest::ListData(list, 1));
  EXPECT_TRUE(messages.ids().empty());
}

TEST_F(RegistryPageTest, DeleteKeyDeletesTheSelectedRowAndSelectsTheNext) {
  Open();
  for (const char* key : {"Software\\A", "Software\\B", "Software\\C"}) {
    WithDialog(IDC_REG_ADD, Register({IDC_ENTRY_HKLM, key, "", IDC_ENTRY_SZ, "\"x\""}));
  }
  // The Delete key, as the list view reports it to the page.
  auto press_delete = [&] {
    SetFocus(list);
    SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(list, WM_KEYUP, VK_DELETE, 0);
  };
  guitest::SelectRowsNow(list, {1});
  press_delete();
  EXPECT_EQ(guitest::ListColumn(list, 1),
            (std::vector<std::string>{"Software\\A", "Software\\C"}));
  EXPECT_EQ(guitest::SelectedRows(list), std::vector<int>{1});  // the next row
  // The last row deleted: the new last row is selected.
  press_delete();
  EXPECT_EQ(guitest::ListColumn(list, 1), std::vector<std::string>{"Software\\A"});
  EXPECT_EQ(guitest::SelectedRows(list), std::vector<int>{0});
  EXPECT_TRUE(Enabled(IDC_REG_EDIT) && Enabled(IDC_REG_DELETE));
  press_delete();
  EXPECT_EQ(guitest::ListCount(list), 0);
  EXPECT_FALSE(Enabled(IDC_REG_EDIT) || Enabled(IDC_REG_DELETE));
  press_delete();  // nothing left: nothing happens
  EXPECT_TRUE(messages.ids().empty());
}

TEST_F(RegistryPageTest, RegisterRefusesMissingAndMalformedValues) {
  Open();
  struct Case {
    Entry entry;
    int message;  // 0: accepted
    int focus;
  };
  const Case cases[] = {
      {{IDC_ENTRY_HKLM, "", "", IDC_ENTRY_SZ, "\"a\""}, IDS_KEY_VALUE_REQUIRED, IDC_ENTRY_KEY},
      {{IDC_ENTRY_HKLM, "K", "", IDC_ENTRY_SZ, ""}, IDS_KEY_VALUE_REQUIRED, IDC_ENTRY_VALUE},
      {{IDC_ENTRY_HKLM, "K", "", IDC_ENTRY_SZ, "abc"}, IDS_BAD_SZ, IDC_ENTRY_VALUE},
      {{IDC_ENTRY_HKLM, "K", "", IDC_ENTRY_MULTI_SZ, "\"a\", \"b\""}, IDS_BAD_MULTI_SZ, IDC_ENTRY_VALUE},
      {{IDC_ENTRY_HKLM, "K", "", IDC_ENTRY_DWORD, "2147483648"}, IDS_BAD_DWORD, IDC_ENTRY_VALUE},
      {{IDC_ENTRY_HKLM, "K", "", IDC_ENTRY_BINARY, "0aF"}, IDS_BAD_BINARY, IDC_ENTRY_VALUE},
      {{IDC_ENTRY_HKCR, "K", "", IDC_ENTRY_BINARY, "0aFF"}, 0, 0},
  };
  std::vector<std::vector<int>> ids;
  std::vector<int> focus;
  std::vector<bool> whole_selected;
  std::vector<UINT> styles;
  WithDialog(IDC_REG_ADD, [&](HWND dialog) {
    for (const Case& c : cases) {
      messages.Clear();
      Fill(dialog, c.entry);
      guitest::CommandNow(dialog, IDOK);
      ids.push_back(messages.ids());
      styles.push_back(messages.messages().empty() ? 0 : messages.messages()[0].style);
      focus.push_back(guitest::FocusedId());
      const int length = static_cast<int>(c.entry.key.size());
      const auto selection = guitest::EditSelection(dialog, c.focus == 0 ? IDC_ENTRY_KEY : c.focus);
      whole_selected.push_back(c.focus == IDC_ENTRY_KEY
                                   ? selection == std::make_pair(0, length)
                                   : selection == std::make_pair(0, static_cast<int>(c.entry.value.size())));
    }
  });
  ASSERT_EQ(ids.size(), std::size(cases));
  for (size_t i = 0; i + 1 < std::size(cases); ++i) {
    EXPECT_EQ(ids[i], std::vector<int>{cases[i].message}) << i;
    EXPECT_EQ(styles[i] & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND)) << i;
    EXPECT_EQ(focus[i], cases[i].focus) << i;
    EXPECT_TRUE(whole_selected[i]) << i;
  }
  EXPECT_TRUE(ids.back().empty());
  EXPECT_EQ(guitest::ListRows(list, 5), (Rows{{"HKCR", "K", "", "BINARY", "0aFF"}}));
}

TEST_F(RegistryPageTest, ProjectRowsAreLoadedUpToTheLimitOf255) {
  std::string ini = "[Registry]\r\n";
  for (int i = 299; i >= 0; --i) {
    char line[80];
    std::snprintf(line, sizeof line, "RegistryKey%d=HKLM,Software\\K%03d,,DWORD,%d\r\n", 299 - i, i, i);
    ini += line;
  }
  ASSERT_TRUE(work.WriteFile("Pakforge_Big.ini", ini));
  app.settings.ProjectPath.Assign(work.Full("Pakforge_Big.ini"));
  Open();
  ASSERT_EQ(guitest::ListCount(list), 255);
  // Loaded in reverse key order, shown sorted by key.
  EXPECT_EQ(guitest::ListText(list, 0, 1), "Software\\K045");
  EXPECT_EQ(guitest::ListText(list, 254, 1), "Software\\K299");
  EXPECT_FALSE(Enabled(IDC_REG_ADD));

  guitest::SelectRowsNow(list, {3});
  EXPECT_TRUE(Enabled(IDC_REG_EDIT));
  EXPECT_FALSE(Enabled(IDC_REG_COPY));
  guitest::CommandNow(page, IDC_REG_COPY);  // refused at the limit even when sent
  EXPECT_EQ(guitest::ListCount(list), 255);

  guitest::CommandNow(page, IDC_REG_DELETE);
  EXPECT_EQ(guitest::ListCount(list), 254);
  EXPECT_TRUE(Enabled(IDC_REG_ADD));

  // Adding the 255th row disables Add and Copy again.
  WithDialog(IDC_REG_ADD, Register({IDC_ENTRY_HKLM, "Software\\New", "", IDC_ENTRY_SZ, "\"n\""}));
  EXPECT_EQ(guitest::ListCount(list), 255);
  EXPECT_EQ(guitest::ListText(list, Selected(), 1), "Software\\New");
  EXPECT_FALSE(Enabled(IDC_REG_ADD));
  EXPECT_FALSE(Enabled(IDC_REG_COPY));
  EXPECT_TRUE(Enabled(IDC_REG_EDIT));
  ModalResponder none;
  guitest::CommandNow(page, IDC_REG_ADD);
  EXPECT_TRUE(none.unexpected().empty());
  EXPECT_EQ(guitest::ListCount(list), 255);
}

TEST_F(RegistryPageTest, NextRefusesALoadedRowTheEntryDialogWouldRefuse) {
  // Written by hand: the bad DWORD row comes second in the file, first on
  // the page.
  ASSERT_TRUE(work.WriteFile("Pakforge_Hand.ini", "[Registry]\r\nRegistryKey0=HKLM,Software\\B,v,SZ,\"ok\"\r\n"
                                                  "RegistryKey1=HKLM,Software\\A,v,DWORD,0x10\r\n"));
  app.settings.ProjectPath.Assign(work.Full("Pakforge_Hand.ini"));
  ASSERT_TRUE(sheet.Open({app.page(3).CreatePage(app.instance), app.page(4).CreatePage(app.instance)}));
  list = GetDlgItem(sheet.page(), IDC_REG_LIST);
  sheet.PressNext();
  EXPECT_EQ(messages.ids(), std::vector<int>{IDS_BAD_DWORD});
  EXPECT_EQ(sheet.index(), 0);
  EXPECT_EQ(guitest::SelectedRows(list), std::vector<int>{0});
  EXPECT_EQ(guitest::ListText(list, 0, 1), "Software\\A");
}

TEST_F(RegistryPageTest, WordsTheWizardDoesNotWriteAreShownOnceNamingTheRows) {
  ASSERT_TRUE(work.WriteFile("Pakforge_Hand.ini", "[Registry]\r\nRegistryKey0=HKEY_CURRENT_USER,Software\\A,c,DWORD,5\r\n"));
  app.settings.ProjectPath.Assign(work.Full("Pakforge_Hand.ini"));
  Open();
  EXPECT_TRUE(guitest::PumpUntil([&] { return !messages.ids().empty(); }, 5000));
  ASSERT_EQ(messages.ids(), std::vector<int>{IDS_UNKNOWN_REGISTRY_WORDS});
  EXPECT_NE(messages.messages()[0].text.find("RegistryKey0: \"HKEY_CURRENT_USER\""), std::string::npos);
  SendMessageA(GetParent(page), PSM_SETCURSEL, 0, 0);  // activated again
  guitest::PumpUntil([] { return false; }, 200);
  EXPECT_EQ(messages.ids().size(), 1u);
}

TEST_F(RegistryPageTest, ActivatingARowOpensItForEditing) {
  Open();
  WithDialog(IDC_REG_ADD, Register({IDC_ENTRY_HKCU, "Key", "Val", IDC_ENTRY_BINARY, "00"}));
  ModalResponder responder;
  std::string key, name;
  bool hkcu = false, binary = false;
  responder.Expect(EntryTitle(), [&](HWND dialog) {
    key = guitest::GetText(dialog, IDC_ENTRY_KEY);
    name = guitest::GetText(dialog, IDC_ENTRY_NAME);
    hkcu = guitest::IsChecked(dialog, IDC_ENTRY_HKCU);
    binary = guitest::IsChecked(dialog, IDC_ENTRY_BINARY);
    guitest::CommandNow(dialog, IDCANCEL);
  });
  NMITEMACTIVATE activate = {};
  activate.hdr.hwndFrom = list;
  activate.hdr.idFrom = IDC_REG_LIST;
  activate.hdr.code = LVN_ITEMACTIVATE;
  activate.iItem = 0;
  SendMessageA(page, WM_NOTIFY, IDC_REG_LIST, reinterpret_cast<LPARAM>(&activate));
  EXPECT_TRUE(guitest::PumpUntil([&] { return responder.pending() == 0; }, 5000));
  EXPECT_EQ(key, "Key");
  EXPECT_EQ(name, "Val");
  EXPECT_TRUE(hkcu);
  EXPECT_TRUE(binary);
}

}  // namespace
