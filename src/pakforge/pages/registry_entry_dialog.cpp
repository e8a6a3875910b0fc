#include "pakforge/pages/registry_entry_dialog.h"

#include <string>
#include <vector>

#include "project/registry_value_checks.h"
#include "pakforge/resources/resource.h"
#include "pakforge/center_window.h"
#include "pakforge/message_boxes.h"
#include "pakforge/resource_text.h"

namespace pakforge {
namespace {

// Text of edit `id`, at most `maximum` - 1 bytes.
std::string FieldText(HWND dialog, int id, int maximum) {
  std::vector<char> buffer(static_cast<size_t>(maximum), '\0');
  const int length = GetDlgItemTextA(dialog, id, buffer.data(), maximum);
  return std::string(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The entry the dialog edits and where its refusals are told.
struct EntryEdit {
  RegistryEntry* entry;
  MessageBoxes* messages;
};

// Shows message `string_id` and puts the focus on edit `id` with its whole
// text selected.
void Refuse(MessageBoxes& messages, HWND dialog, int string_id, int id) {
  messages.Show(dialog, string_id, MB_ICONHAND);
  HWND edit = GetDlgItem(dialog, id);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
}

void OnInit(HWND dialog, const RegistryEntry& entry) {
  CenterWindow(dialog);
  const int root_id = entry.root == kHkcu   ? IDC_ENTRY_HKCU
                      : entry.root == kHkcr ? IDC_ENTRY_HKCR
                                            : IDC_ENTRY_HKLM;
  CheckRadioButton(dialog, IDC_ENTRY_HKLM, IDC_ENTRY_HKCR, root_id);
  SendDlgItemMessageA(dialog, IDC_ENTRY_KEY, EM_LIMITTEXT, entry.key.Maximum() - 1, 0);
  SendDlgItemMessageA(dialog, IDC_ENTRY_NAME, EM_LIMITTEXT, entry.name.Maximum() - 1, 0);
  SendDlgItemMessageA(dialog, IDC_ENTRY_VALUE, EM_LIMITTEXT, entry.value.Maximum() - 1, 0);
  SetDlgItemTextA(dialog, IDC_ENTRY_KEY, entry.key.Text().c_str());
  SetDlgItemTextA(dialog, IDC_ENTRY_NAME, entry.name.Text().c_str());
  SetDlgItemTextA(dialog, IDC_ENTRY_VALUE, entry.value.Text().c_str());
  const int type_id = entry.type == kMultiSz ? IDC_ENTRY_MULTI_SZ
                      : entry.type == kDword ? IDC_ENTRY_DWORD
                      : entry.type == kBinary ? IDC_ENTRY_BINARY
                                              : IDC_ENTRY_SZ;
  for (int id : {IDC_ENTRY_SZ, IDC_ENTRY_MULTI_SZ, IDC_ENTRY_BINARY, IDC_ENTRY_DWORD}) {
    CheckDlgButton(dialog, id, id == type_id ? BST_CHECKED : BST_UNCHECKED);
  }
}

void OnRegister(HWND dialog, EntryEdit& edit) {
  RegistryEntry& entry = *edit.entry;
  entry.root = Checked(dialog, IDC_ENTRY_HKCU) ? kHkcu : Checked(dialog, IDC_ENTRY_HKCR) ? kHkcr : kHklm;
  entry.key.Assign(FieldText(dialog, IDC_ENTRY_KEY, entry.key.Maximum()));
  if (entry.key.IsEmpty()) return Refuse(*edit.messages, dialog, IDS_KEY_VALUE_REQUIRED, IDC_ENTRY_KEY);
  entry.name.Assign(FieldText(dialog, IDC_ENTRY_NAME, entry.name.Maximum()));
  entry.type = Checked(dialog, IDC_ENTRY_MULTI_SZ) ? kMultiSz
               : Checked(dialog, IDC_ENTRY_DWORD)  ? kDword
               : Checked(dialog, IDC_ENTRY_BINARY) ? kBinary
                                                   : kSz;
  entry.value.Assign(FieldText(dialog, IDC_ENTRY_VALUE, entry.value.Maximum()));
  if (entry.value.IsEmpty()) return Refuse(*edit.messages, dialog, IDS_KEY_VALUE_REQUIRED, IDC_ENTRY_VALUE);
  const int error = RegistryValueError(entry.type, entry.value.Text());
  if (error != 0) return Refuse(*edit.messages, dialog, error, IDC_ENTRY_VALUE);
  EndDialog(dialog, 1);
}

// The edit travels in DWLP_USER from WM_INITDIALOG on.
INT_PTR CALLBACK EntryDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    OnInit(dialog, *reinterpret_cast<const EntryEdit*>(lparam)->entry);
    return TRUE;  // focus on the first control
  }
  EntryEdit* edit = reinterpret_cast<EntryEdit*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!edit) return FALSE;
  if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
    OnRegister(dialog, *edit);
  } else if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL)) {
    EndDialog(dialog, 2);
  } else {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int RunRegistryEntryDialog(HINSTANCE instance, HWND owner, RegistryEntry& entry, MessageBoxes& messages) {
  EntryEdit edit{&entry, &messages};
  return RunModalDialog(instance, IDD_REGISTRY_ENTRY, owner, &EntryDialogProc,
                        reinterpret_cast<LPARAM>(&edit)) == 1 ? 1 : 2;
}

}  // namespace pakforge
