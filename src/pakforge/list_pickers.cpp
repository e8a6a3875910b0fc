#include "pakforge/list_pickers.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "project/file_utils.h"
#include "project/pickers.h"
#include "project/project_file.h"
#include "pakforge/resources/resource.h"
#include "pakforge/center_window.h"
#include "pakforge/message_boxes.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/resource_text.h"
#include "pakforge/wizard_app.h"

namespace pakforge {

namespace {

// The text of row `row` (at most 258 bytes).
std::string RowText(HWND list, int row) { return ListViewText(list, row, 0, 259); }

// Prepares the list: full-row selection, two captionless columns (the
// second a 2-pixel stub), then the rows; OK starts disabled.
void InitPicker(HWND dialog, ListPickerContent& content) {
  content.dialog = dialog;
  CenterWindow(dialog);
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  content.list = list;
  ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  RECT client = {};
  GetClientRect(list, &client);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = client.right - 30;
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = 2;
  SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));

  if (content.fill_failed) {
    content.messages->Show(dialog, IDS_SOURCE_TOO_LONG, MB_ICONHAND);
  } else {
    if (!content.shown_path.empty()) SetDlgItemTextA(dialog, IDC_PICK_PATH, content.shown_path.c_str());
    for (const std::string& row : content.rows) {
      if (InsertListViewRow(list, ListViewRowCount(list), row, 0) < 0) break;
    }
  }
  SetFocus(list);
  EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
  // The current value is selected (which enables OK) and scrolled into view;
  // the list sorts its rows, so they are looked up as shown.
  std::vector<std::string> shown;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) shown.push_back(RowText(list, row));
  const int current = RowOfCurrentValue(shown, content.current);
  if (current >= 0) SelectListViewRow(list, current);
}

// Ends the picker with row `row`, or with the selected row when `row` is -1.
void ChooseRow(HWND dialog, ListPickerContent& content, int row) {
  const int selected = row >= 0 ? row : ListView_GetNextItem(content.list, -1, LVNI_SELECTED);
  if (selected < 0) return;
  content.chosen = RowText(content.list, selected);
  EndDialog(dialog, 1);
}

INT_PTR CALLBACK PickerProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  ListPickerContent* content = reinterpret_cast<ListPickerContent*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    content = reinterpret_cast<ListPickerContent*>(lparam);
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    InitPicker(dialog, *content);
    return FALSE;  // the focus is set
  }
  if (!content) return FALSE;
  switch (message) {
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->idFrom == IDC_PICK_LIST && header->code == LVN_ITEMCHANGED) {
        EnableWindow(GetDlgItem(dialog, IDOK), ListView_GetSelectedCount(content->list) != 0);
        SetFocus(content->list);
      } else if (header->idFrom == IDC_PICK_LIST && header->code == LVN_ITEMACTIVATE) {
        // A double click on a row chooses it, as OK does.
        ChooseRow(dialog, *content, reinterpret_cast<const NMITEMACTIVATE*>(lparam)->iItem);
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        ChooseRow(dialog, *content, -1);
      } else if (LOWORD(wparam) == IDCANCEL && content->cancel_posts_close) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
      } else if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, 2);
      } else {
        return FALSE;
      }
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 2);
      return TRUE;
  }
  return FALSE;
}

HINSTANCE InstanceOf(const WizardApp& app) {
  return app.instance ? app.instance : GetModuleHandleA(nullptr);
}

}  // namespace

int RunListPicker(HINSTANCE instance, HWND owner, ListPickerContent& content) {
  INT_PTR result = RunModalDialog(instance, content.dialog_id, owner, PickerProc,
                                  reinterpret_cast<LPARAM>(&content));
  content.dialog = nullptr;
  content.list = nullptr;
  return result == 1 ? 1 : 2;
}

int PickStartupProgram(WizardApp& app, HWND owner) {
  ListPickerContent content;
  content.messages = &app.messages;
  content.dialog_id = IDD_STARTUP_PICKER;
  content.fill_failed =
      !ListStartupPrograms(app.fs, app.settings, CurrentDirectory(app.fs), &content.shown_path, &content.rows);
  content.current = app.settings.Exe.Text();
  int result = RunListPicker(InstanceOf(app), owner, content);
  if (result == 1) app.startup_choice.Assign(content.chosen);
  return result;
}

int PickSourceFolder(WizardApp& app, HWND owner, const std::string& current) {
  ListPickerContent content;
  content.messages = &app.messages;
  content.dialog_id = IDD_SOURCE_PICKER;
  content.fill_failed = !ListSourceFolders(app.fs, CurrentDirectory(app.fs), &content.rows);
  content.current = current;
  int result = RunListPicker(InstanceOf(app), owner, content);
  if (result == 1) app.source_choice.Assign(content.chosen);
  return result;
}

int ProjectPicker(WizardApp& app, HWND owner) {
  std::string current_dir = CurrentDirectory(app.fs);
  RenameOldProjectFiles(app.fs, current_dir);
  ListPickerContent content;
  content.messages = &app.messages;
  content.dialog_id = IDD_PROJECT_PICKER;
  content.rows = ListProjectNames(app.fs, current_dir);
  content.cancel_posts_close = true;
  int result = RunListPicker(InstanceOf(app), owner, content);
  if (result == 1) app.project_choice.Assign(ProjectPathFor(current_dir, content.chosen));
  return result;
}

}  // namespace pakforge
