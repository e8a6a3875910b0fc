#include "pakforge/pages/registry_page.h"

#include <string>
#include <utility>
#include <vector>

#include "base/text_table.h"
#include "project/project_file.h"
#include "project/project_pipeline.h"
#include "pakforge/resources/resource.h"
#include "project/row_store.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/pages/registry_entry_dialog.h"
#include "pakforge/resource_text.h"
#include "pakforge/win32_services.h"
#include "pakforge/wizard_app.h"

namespace pakforge {
namespace {

// kPagePostedWork: show the message of the words the wizard does not write.
constexpr WPARAM kShowUnknownWords = 1;

int SelectedCount(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0));
}

}  // namespace

RegistryPage::RegistryPage(WizardApp& app)
    : ListPage(app, IDD_REGISTRY_PAGE, IDC_REG_LIST) {}

INT_PTR RegistryPage::OnInitDialog(HWND window) {
  ListPage::OnInitDialog(window);
  app_.registry_list = list_;
  const int widths[] = {50, 100, 70, 50, 100};
  for (int column = 0; column < 5; ++column) {
    AddListViewColumn(list_, column, LoadText(IDS_COL_ROOT + column), widths[column]);
  }
  entry_.Reset();
  unknown_words_.clear();
  MemoryRegistryRowStore& rows = app_.registry_rows;
  rows.Clear();
  const std::string& project = app_.settings.ProjectPath.Text();
  if (!project.empty()) {
    const LoadedProject& opened = app_.OpenedProject();
    rows = opened.registry;
    Refusal refusal;
    if (!CheckRegistryWords(opened.unknown_words, &refusal)) unknown_words_ = refusal.argument;
  }
  SortRegistryRows(rows);
  ShowRegistryRows(list_, rows);
  UpdateButtons();
  SetFocus(list_);
  return 0;
}

INT_PTR RegistryPage::OnSetActive() {
  SetTitleAndButtons(PSWIZB_BACK | PSWIZB_NEXT);
  // Shown after the page is, so the rows it names are in view behind it.
  if (!unknown_words_.empty()) PostMessageA(window_, kPagePostedWork, kShowUnknownWords, 0);
  return 0;
}

INT_PTR RegistryPage::OnUserMessage(WPARAM wparam, LPARAM) {
  if (wparam != kShowUnknownWords) return FALSE;
  if (unknown_words_.empty()) return TRUE;
  const std::string text = base::FillText(LoadText(IDS_UNKNOWN_REGISTRY_WORDS), {unknown_words_});
  unknown_words_.clear();  // once: a second activation does not show it again
  app_.messages.ShowText(window_, IDS_UNKNOWN_REGISTRY_WORDS, text, MB_ICONEXCLAMATION);
  return TRUE;
}

INT_PTR RegistryPage::OnWizardNext() {
  Refusal refusal;
  if (CheckRegistryPage(app_.registry_rows, &refusal)) return 0;
  // The row that the registry entry dialog would refuse, selected and shown.
  SelectListViewRow(list_, refusal.row);
  UpdateButtons();
  SetFocus(list_);
  return RefuseWithMessage(refusal.string_id, 0);
}

INT_PTR RegistryPage::OnCommand(int id, int, HWND) {
  switch (id) {
    case IDC_REG_ADD:
      OnAdd();
      break;
    case IDC_REG_EDIT:
      OnEdit();
      break;
    case IDC_REG_DELETE:
      OnDelete();
      break;
    case IDC_REG_COPY:
      OnCopy();
      break;
    default:
      break;
  }
  return 0;
}

INT_PTR RegistryPage::OnNotify(int control_id, NMHDR* notification) {
  if (control_id != IDC_REG_LIST) return 0;
  if (notification->code == LVN_ITEMACTIVATE) {
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_REG_EDIT, BN_CLICKED), 0);
  } else if (notification->code == LVN_ITEMCHANGED) {
    UpdateButtons();
  } else if (notification->code == LVN_KEYDOWN &&
             reinterpret_cast<NMLVKEYDOWN*>(notification)->wVKey == VK_DELETE) {
    OnDelete();
  }
  return 0;
}

void RegistryPage::OnAdd() {
  MemoryRegistryRowStore& rows = app_.registry_rows;
  if (rows.Count() >= kMaxRegistryRows) return;
  entry_.Reset();
  if (RunRegistryEntryDialog(instance_, window_, entry_, app_.messages) == 1) {
    if (rows.Append(EntryToRow(entry_))) ShowRow(rows.Count() - 1);
  }
  UpdateButtons();
  SetFocus(list_);
}

void RegistryPage::OnEdit() {
  const int row = NextSelectedRow(list_, -1);
  MemoryRegistryRowStore& rows = app_.registry_rows;
  if (row < 0 || row >= rows.Count()) return;
  entry_.Reset();
  RowToEntry(rows.rows[static_cast<std::size_t>(row)], &entry_);
  if (RunRegistryEntryDialog(instance_, window_, entry_, app_.messages) == 1) {
    rows.Set(row, EntryToRow(entry_));
    ShowRow(row);
  }
  UpdateButtons();
  SetFocus(list_);
}

void RegistryPage::OnDelete() {
  std::vector<RegistryRow>& rows = app_.registry_rows.rows;
  const int first = NextSelectedRow(list_, -1);
  std::vector<int> selected;
  for (int row = first; row >= 0; row = NextSelectedRow(list_, row)) selected.push_back(row);
  for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
    if (*row < static_cast<int>(rows.size())) rows.erase(rows.begin() + *row);
  }
  ShowRegistryRows(list_, app_.registry_rows);
  // The row that took the place of the first deleted one (or the new last
  // row) is selected, so Edit, Copy and Delete stay at hand.
  const int count = app_.registry_rows.Count();
  if (first >= 0 && count > 0) SelectListViewRow(list_, first < count ? first : count - 1);
  UpdateButtons();
  SetFocus(list_);
}

void RegistryPage::OnCopy() {
  const int row = NextSelectedRow(list_, -1);
  MemoryRegistryRowStore& rows = app_.registry_rows;
  if (row < 0 || row >= rows.Count() || rows.Count() >= kMaxRegistryRows) return;
  RegistryEntry copy;
  RowToEntry(rows.rows[static_cast<std::size_t>(row)], &copy);
  if (rows.Append(EntryToRow(copy))) ShowRow(rows.Count() - 1);
  UpdateButtons();
  SetFocus(list_);
}

void RegistryPage::ShowRow(int row) {
  SortRegistryRows(app_.registry_rows, &row);
  ShowRegistryRows(list_, app_.registry_rows);
  SelectListViewRow(list_, row);
}

void RegistryPage::UpdateButtons() {
  const int rows = app_.registry_rows.Count();
  const int selected = SelectedCount(list_);
  const bool room = rows < kMaxRegistryRows;
  EnableWindow(GetDlgItem(window_, IDC_REG_ADD), room);
  EnableWindow(GetDlgItem(window_, IDC_REG_EDIT), selected != 0);
  EnableWindow(GetDlgItem(window_, IDC_REG_DELETE), selected != 0);
  EnableWindow(GetDlgItem(window_, IDC_REG_COPY), selected == 1 && room);
}

}  // namespace pakforge
