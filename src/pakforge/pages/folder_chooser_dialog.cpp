#include "pakforge/pages/folder_chooser_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "project/file_utils.h"
#include "pakforge/resources/resource.h"
#include "pakforge/center_window.h"
#include "pakforge/message_boxes.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/resource_text.h"

namespace pakforge {
namespace {

constexpr int kMaxEditedName = 259;
/// Posted to the dialog after a refused name: edit row wParam again.
constexpr UINT kEditAgain = WM_APP + 1;

// State of the open dialog. The dialog is modal, so one at a time.
struct ChooserState {
  FolderChooser* chooser = nullptr;
  MessageBoxes* messages = nullptr;
  HWND dialog = nullptr;
  HWND list = nullptr;
  /// The refused name, shown again when its row's editing restarts.
  std::string refused_name;
};

ChooserState* g_open = nullptr;

NameList& CurrentNames(const ChooserState& state) {
  return state.chooser->mode == 1 ? state.chooser->app_folders : state.chooser->doc_folders;
}

int OwnRowCount(const ChooserState& state) {
  return ListViewRowCount(state.list) - state.chooser->fixed_rows;
}

int AppendRow(HWND list, const std::string& name, int kind, const std::string& note) {
  const int row = InsertListViewRow(list, ListViewRowCount(list), name, kind);
  if (row >= 0) SetListViewText(list, row, 1, note);
  return row;
}

void Enable(const ChooserState& state, int id, bool on) {
  EnableWindow(GetDlgItem(state.dialog, id), on ? TRUE : FALSE);
}

// True when a row other than `except` and other than the application-folder
// row is named `name` (ASCII letters compared ignoring case).
bool NameTaken(const ChooserState& state, const std::string& name, int except) {
  const int count = ListViewRowCount(state.list);
  for (int row = 0; row < count; ++row) {
    if (row == except) continue;
    if (ListViewData(state.list, row) == kChooserAppFolder) continue;
    if (base::EqualsIgnoreAsciiCase(ListViewText(state.list, row, 0, kMaxPath), name)) return true;
  }
  return false;
}

// Empties the list and shows the fixed and own rows of the current mode.
void FillList(ChooserState& state) {
  FolderChooser& chooser = *state.chooser;
  SendMessageA(state.list, LVM_DELETEALLITEMS, 0, 0);
  const std::string existing = LoadText(IDS_EXISTING);
  const std::string own = LoadText(IDS_OWN);
  int own_kind;
  if (chooser.mode == 1) {
    AppendRow(state.list, LoadText(IDS_APP_FOLDER), kChooserAppFolder, existing);
    chooser.fixed_rows = 1;
    own_kind = kChooserAppOwn;
    SetDlgItemTextA(state.dialog, IDC_CHOOSER_TEXT, LoadText(IDS_CHOOSER_APP_TEXT).c_str());
  } else {
    for (const char* name : kDocumentFolders) {
      AppendRow(state.list, name, kChooserDocFixed, existing);
    }
    chooser.fixed_rows = static_cast<int>(std::size(kDocumentFolders));
    own_kind = kChooserDocOwn;
    SetDlgItemTextA(state.dialog, IDC_CHOOSER_TEXT, LoadText(IDS_CHOOSER_DOCS_TEXT).c_str());
  }
  const NameList& names = CurrentNames(state);
  for (int i = 0; i < names.Count(); ++i) AppendRow(state.list, names.At(i), own_kind, own);
  Enable(state, IDC_CHOOSER_SELECT, false);
  Enable(state, IDC_CHOOSER_DELETE, false);
  Enable(state, IDC_CHOOSER_ADD, names.Count() < names.Capacity());
}

// Copies the own rows shown (after the fixed rows, in list order) into the
// NameList of the current mode, replacing its contents.
void StoreOwnRows(ChooserState& state) {
  NameList& names = CurrentNames(state);
  names.Clear();
  const int count = ListViewRowCount(state.list);
  for (int row = state.chooser->fixed_rows; row < count && !names.IsFull(); ++row) {
    names.Add(ListViewText(state.list, row, 0, kMaxPath + 1));
  }
}

void OnInit(ChooserState& state) {
  CenterWindow(state.dialog);
  state.list = GetDlgItem(state.dialog, IDC_CHOOSER_LIST);
  SendMessageA(state.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               LVS_EX_FULLROWSELECT);
  RECT client = {};
  GetClientRect(state.list, &client);
  AddListViewColumn(state.list, 0, "", client.right - client.left - 80);
  AddListViewColumn(state.list, 1, "", 60);
  state.chooser->mode = 1;
  CheckRadioButton(state.dialog, IDC_CHOOSER_APP, IDC_CHOOSER_DOCS, IDC_CHOOSER_APP);
  FillList(state);
  SetFocus(state.list);
}

void OnAdd(ChooserState& state) {
  const std::string base = LoadText(IDS_NEW_FOLDER);
  std::string name = base;
  if (NameTaken(state, name, -1)) {
    name.clear();
    for (int number = 2; number <= 99; ++number) {
      char candidate[kMaxPath + 16];
      std::snprintf(candidate, sizeof candidate, "%s %d", base.c_str(), number);
      if (!NameTaken(state, candidate, -1)) {
        name = candidate;
        break;
      }
    }
    if (name.empty()) return;
  }
  const int kind = state.chooser->mode == 1 ? kChooserAppOwn : kChooserDocOwn;
  const int row = AppendRow(state.list, name, kind, LoadText(IDS_OWN));
  const NameList& names = CurrentNames(state);
  Enable(state, IDC_CHOOSER_ADD, OwnRowCount(state) < names.Capacity());
  SetFocus(state.list);
  if (row < 0) return;
  SendMessageA(state.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  SendMessageA(state.list, LVM_EDITLABELA, static_cast<WPARAM>(row), 0);
}

void OnDelete(ChooserState& state) {
  const int row = NextSelectedRow(state.list, -1);
  if (row >= 0 && row >= state.chooser->fixed_rows) {
    SendMessageA(state.list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  }
  // Nothing is selected any more.
  Enable(state, IDC_CHOOSER_SELECT, NextSelectedRow(state.list, -1) >= 0);
  Enable(state, IDC_CHOOSER_DELETE, false);
  Enable(state, IDC_CHOOSER_ADD, OwnRowCount(state) < CurrentNames(state).Capacity());
  SetFocus(state.list);
}

void OnModeButton(ChooserState& state, int mode) {
  if (state.chooser->mode == mode) return;
  StoreOwnRows(state);
  state.chooser->mode = mode;
  FillList(state);
}

void OnSelect(ChooserState& state) {
  const int row = NextSelectedRow(state.list, -1);
  if (row < 0) return;
  StoreOwnRows(state);
  const int kind = static_cast<int>(ListViewData(state.list, row));
  if (kind == kChooserAppFolder) {
    state.chooser->result.Clear();
  } else {
    state.chooser->result.Assign(ListViewText(state.list, row, 0, kMaxPath));
  }
  EndDialog(state.dialog, kind);
}

void OnItemChanged(ChooserState& state) {
  const int row = NextSelectedRow(state.list, -1);
  if (row >= 0) {
    const LPARAM kind = ListViewData(state.list, row);
    Enable(state, IDC_CHOOSER_SELECT, true);
    Enable(state, IDC_CHOOSER_DELETE, kind == kChooserDocOwn || kind == kChooserAppOwn);
  } else {
    Enable(state, IDC_CHOOSER_SELECT, false);
    Enable(state, IDC_CHOOSER_DELETE, false);
  }
}

// LVN_BEGINLABELEDIT: fixed rows keep their names. Answers TRUE to forbid.
BOOL OnBeginEdit(ChooserState& state, const NMLVDISPINFOA* info) {
  if (info->item.iItem < state.chooser->fixed_rows) return TRUE;
  HWND edit = reinterpret_cast<HWND>(SendMessageA(state.list, LVM_GETEDITCONTROL, 0, 0));
  if (edit) SendMessageA(edit, EM_LIMITTEXT, kMaxEditedName, 0);
  return FALSE;
}

// LVN_ENDLABELEDIT: answers TRUE when the row takes the new name.
BOOL OnEndEdit(ChooserState& state, const NMLVDISPINFOA* info) {
  if (!info->item.pszText || info->item.pszText[0] == '\0') return FALSE;
  const std::string name = info->item.pszText;
  int refusal = 0;
  if (NameTaken(state, name, info->item.iItem)) {
    refusal = IDS_FOLDER_EXISTS;
  } else if (!IsValidFileName(name)) {
    refusal = IDS_BAD_NAME;
  }
  if (refusal == 0) return TRUE;
  state.messages->Show(state.dialog, refusal, MB_ICONHAND);
  // Editing starts again with the typed text, so it can be corrected.
  state.refused_name = name;
  PostMessageA(state.dialog, kEditAgain, static_cast<WPARAM>(info->item.iItem), 0);
  return FALSE;
}

// Starts editing `row` with the refused name in the edit control, all selected.
void EditAgain(ChooserState& state, int row) {
  if (row < state.chooser->fixed_rows || row >= ListViewRowCount(state.list)) return;
  SetFocus(state.list);
  HWND edit = reinterpret_cast<HWND>(
      SendMessageA(state.list, LVM_EDITLABELA, static_cast<WPARAM>(row), 0));
  if (!edit) return;
  SetWindowTextA(edit, state.refused_name.c_str());
  SendMessageA(edit, EM_SETSEL, 0, -1);
}

// F2 renames the selected own row, as in Explorer.
void OnKeyDown(ChooserState& state, const NMLVKEYDOWN* key) {
  if (key->wVKey != VK_F2) return;
  const int row = NextSelectedRow(state.list, -1);
  if (row < state.chooser->fixed_rows) return;  // none selected, or a fixed row
  SetFocus(state.list);
  SendMessageA(state.list, LVM_EDITLABELA, static_cast<WPARAM>(row), 0);
}

INT_PTR CALLBACK ChooserProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  ChooserState* state = reinterpret_cast<ChooserState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    state = reinterpret_cast<ChooserState*>(lparam);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->dialog = dialog;
    OnInit(*state);
    return FALSE;  // the focus is set
  }
  if (!state) return FALSE;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_CHOOSER_ADD:
          OnAdd(*state);
          return TRUE;
        case IDC_CHOOSER_DELETE:
          OnDelete(*state);
          return TRUE;
        case IDC_CHOOSER_SELECT:
          OnSelect(*state);
          return TRUE;
        case IDC_CHOOSER_APP:
          if (HIWORD(wparam) == BN_CLICKED) OnModeButton(*state, 1);
          return TRUE;
        case IDC_CHOOSER_DOCS:
          if (HIWORD(wparam) == BN_CLICKED) OnModeButton(*state, 0);
          return TRUE;
        case IDC_CHOOSER_CANCEL:
        case IDCANCEL:
          EndDialog(dialog, kChooserCancelled);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:
      EndDialog(dialog, kChooserCancelled);
      return TRUE;
    case kEditAgain:
      EditAgain(*state, static_cast<int>(wparam));
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->idFrom != IDC_CHOOSER_LIST) return FALSE;
      BOOL answer = FALSE;
      switch (header->code) {
        case LVN_ITEMCHANGED:
          OnItemChanged(*state);
          break;
        case LVN_BEGINLABELEDITA:
          answer = OnBeginEdit(*state, reinterpret_cast<const NMLVDISPINFOA*>(lparam));
          break;
        case LVN_ENDLABELEDITA:
          answer = OnEndEdit(*state, reinterpret_cast<const NMLVDISPINFOA*>(lparam));
          break;
        case LVN_KEYDOWN:
          OnKeyDown(*state, reinterpret_cast<const NMLVKEYDOWN*>(lparam));
          break;
        case LVN_ITEMACTIVATE:
          // A double click on a row chooses it, as Select does.
          OnSelect(*state);
          break;
        default:
          return FALSE;
      }
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, answer);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

int ChooseDestinationFolder(HINSTANCE instance, HWND owner, FolderChooser& chooser, MessageBoxes& messages) {
  ChooserState state;
  state.chooser = &chooser;
  state.messages = &messages;
  ChooserState* outer = g_open;
  g_open = &state;
  const INT_PTR result = RunModalDialog(instance, IDD_FOLDER_CHOOSER, owner, &ChooserProc,
                                        reinterpret_cast<LPARAM>(&state));
  g_open = outer;
  if (result < kChooserAppFolder || result > kChooserAppOwn) return kChooserCancelled;
  return static_cast<int>(result);
}

HWND OpenFolderChooser() { return g_open ? g_open->dialog : nullptr; }

}  // namespace pakforge
