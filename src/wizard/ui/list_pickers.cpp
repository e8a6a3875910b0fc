#include "wizard/ui/list_pickers.h"

#include <commctrl.h>

#include "wizard/file_utils.h"
#include "wizard/pickers.h"
#include "wizard/project_file.h"
#include "wizard/resources/resource.h"
#include "wizard/ui/center_window.h"
#include "wizard/ui/resource_text.h"
#include "wizard/ui/wizard_app.h"

namespace wizard::ui {

namespace {

// Prepares the list: full-row selection, two captionless columns (the
// second a 2-pixel stub), then the rows; OK starts disabled.
void InitPicker(HWND dialog, ListPickerSpec& spec) {
  spec.dialog = dialog;
  CenterWindow(dialog);
  HWND list = GetDlgItem(dialog, IDC_PICK_LIST);
  spec.list = list;
  ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  RECT client = {};
  GetClientRect(list, &client);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = client.right - 30;
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = 2;
  SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));

  if (spec.fill_failed) {
    ShowMessage(dialog, IDS_SOURCE_TOO_LONG, MB_ICONHAND);
  } else {
    if (!spec.shown_path.empty()) SetDlgItemTextA(dialog, IDC_PICK_PATH, spec.shown_path.c_str());
    for (const std::string& row : spec.rows) {
      LVITEMA item = {};
      item.mask = LVIF_TEXT;
      item.iItem = ListView_GetItemCount(list);
      item.pszText = const_cast<char*>(row.c_str());
      if (SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) < 0) break;
    }
  }
  SetFocus(list);
  EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
}

void ChooseSelected(HWND dialog, ListPickerSpec& spec) {
  int selected = ListView_GetNextItem(spec.list, -1, LVNI_SELECTED);
  if (selected < 0) return;
  char text[259] = {};
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(spec.list, LVM_GETITEMTEXTA, static_cast<WPARAM>(selected),
               reinterpret_cast<LPARAM>(&item));
  spec.chosen = text;
  EndDialog(dialog, 1);
}

INT_PTR CALLBACK PickerProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  ListPickerSpec* spec = reinterpret_cast<ListPickerSpec*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    spec = reinterpret_cast<ListPickerSpec*>(lparam);
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    InitPicker(dialog, *spec);
    return FALSE;  // the focus is set
  }
  if (!spec) return FALSE;
  switch (message) {
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->idFrom == IDC_PICK_LIST && header->code == LVN_ITEMCHANGED) {
        EnableWindow(GetDlgItem(dialog, IDOK), ListView_GetSelectedCount(spec->list) != 0);
        SetFocus(spec->list);
      }
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
          ChooseSelected(dialog, *spec);
          return TRUE;
        case IDCANCEL:
          if (spec->cancel_posts_close) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
          } else {
            EndDialog(dialog, 2);
          }
          return TRUE;
      }
      return FALSE;
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

int RunListPicker(HINSTANCE instance, HWND owner, ListPickerSpec& spec) {
  INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(spec.dialog_id), owner, PickerProc,
                                   reinterpret_cast<LPARAM>(&spec));
  spec.dialog = nullptr;
  spec.list = nullptr;
  return result == 1 ? 1 : 2;
}

int PickStartupProgram(WizardApp& app, HWND owner) {
  ListPickerSpec spec;
  spec.dialog_id = IDD_STARTUP_PICKER;
  spec.fill_failed = !ListStartupPrograms(app.settings, CurrentDirectory(), &spec.shown_path,
                                          &spec.rows);
  int result = RunListPicker(InstanceOf(app), owner, spec);
  if (result == 1) app.startup_choice.Assign(spec.chosen);
  return result;
}

int PickSourceFolder(WizardApp& app, HWND owner) {
  ListPickerSpec spec;
  spec.dialog_id = IDD_SOURCE_PICKER;
  spec.fill_failed = !ListSourceFolders(CurrentDirectory(), &spec.rows);
  int result = RunListPicker(InstanceOf(app), owner, spec);
  if (result == 1) app.source_choice.Assign(spec.chosen);
  return result;
}

int ProjectPicker(WizardApp& app, HWND owner) {
  std::string current_dir = CurrentDirectory();
  RenameOldProjectFiles(current_dir);
  ListPickerSpec spec;
  spec.dialog_id = IDD_PROJECT_PICKER;
  spec.rows = ListProjectNames(current_dir);
  spec.cancel_posts_close = true;
  int result = RunListPicker(InstanceOf(app), owner, spec);
  if (result == 1) app.project_choice.Assign(ProjectPathFor(current_dir, spec.chosen));
  return result;
}

}  // namespace wizard::ui
