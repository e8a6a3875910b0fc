#include "pakforge/pages/list_view_rows.h"

#include <algorithm>
#include <vector>

#include "pakforge/resources/resource.h"
#include "project/texts.h"
#include "pakforge/resource_text.h"

namespace pakforge {
namespace {

// The wake-up column's two marks.
constexpr char kMissingMark[] = "x";
constexpr char kStartupMark[] = "*";

/// The folder column as shown: an AppRoot row shows the application folder
/// in the chosen language, while the rows themselves keep kAppFolderText, so
/// that what is saved and compared never depends on the language.
std::string ShownFolder(const FileRow& row) {
  return (row.kind & AppRoot) ? LoadText(IDS_APP_FOLDER) : row.folder;
}

}  // namespace

const char* FileRowMark(const FileRow& row) {
  if (row.missing) return kMissingMark;
  return row.startup ? kStartupMark : "";
}

const char* FileRowSide(const FileRow& row) { return (row.kind & (Doc | DocOriginal)) ? "D" : "A"; }

LPARAM FileRowData(const FileRow& row) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>(row.kind) | row.number);
}

std::string ListViewText(HWND list, int row, int column, int room) {
  if (!list || room <= 1) return std::string();
  std::vector<char> buffer(static_cast<size_t>(room), '\0');
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = room;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  buffer.back() = '\0';
  return std::string(buffer.data());
}

void SetListViewText(HWND list, int row, int column, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

LPARAM ListViewData(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

void SetListViewData(HWND list, int row, LPARAM data) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = data;
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int NextSelectedRow(HWND list, int start) {
  return static_cast<int>(
      SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(LVNI_SELECTED, 0)));
}

void AddListViewColumn(HWND list, int index, const std::string& caption, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<char*>(caption.c_str());
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

int ListViewRowCount(HWND list) {
  if (!list) return 0;
  return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int InsertListViewRow(HWND list, int index, const std::string& text, LPARAM data) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<char*>(text.c_str());
  item.lParam = data;
  return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SelectListViewRow(HWND list, int row) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// ---- Files list ----

namespace {

void SetRowSelected(HWND list, int row, bool selected) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void FileListView::Show(const FileRowStore& rows, const std::vector<std::uint16_t>* selected) {
  if (!list_) return;
  std::vector<std::uint16_t> keep;
  if (selected) {
    keep = *selected;
  } else {
    for (int row = NextSelectedRow(list_, -1); row >= 0; row = NextSelectedRow(list_, row)) {
      if (row < static_cast<int>(shown_.size())) keep.push_back(shown_[static_cast<std::size_t>(row)].number);
    }
  }
  const auto chosen = [&keep](const FileRow& row) {
    return std::find(keep.begin(), keep.end(), row.number) != keep.end();
  };
  const int count = rows.Count();
  if (count == 0 && !shown_.empty()) {
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    shown_.clear();
  }
  FileRow row;
  for (int index = 0; index < count; ++index) {
    rows.Get(index, &row);
    const std::size_t at = static_cast<std::size_t>(index);
    if (at < shown_.size()) {
      if (shown_[at] == row && !selected) continue;
      const bool moved = shown_[at].number != row.number;
      if (!(shown_[at] == row)) {
        SetListViewText(list_, index, 0, row.name);
        SetListViewText(list_, index, 1, FileRowMark(row));
        SetListViewText(list_, index, 2, ShownFolder(row));
        SetListViewText(list_, index, 3, FileRowSide(row));
        SetListViewData(list_, index, FileRowData(row));
        shown_[at] = row;
      }
      if (moved || selected) SetRowSelected(list_, index, chosen(row));
      continue;
    }
    if (InsertListViewRow(list_, index, row.name, FileRowData(row)) != index) break;
    const std::string mark = FileRowMark(row);
    if (!mark.empty()) SetListViewText(list_, index, 1, mark);
    SetListViewText(list_, index, 2, ShownFolder(row));
    SetListViewText(list_, index, 3, FileRowSide(row));
    shown_.push_back(row);
    if (chosen(row)) SetRowSelected(list_, index, true);
  }
  while (static_cast<int>(shown_.size()) > count) {
    SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(shown_.size() - 1), 0);
    shown_.pop_back();
  }
}

// ---- Registry list ----

void ShowRegistryRows(HWND list, const RegistryRowStore& rows) {
  if (!list) return;
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  RegistryRow row;
  for (int index = 0; index < rows.Count(); ++index) {
    rows.Get(index, &row);
    if (InsertListViewRow(list, index, RootWord(row.root), index) != index) break;
    SetListViewText(list, index, 1, row.key);
    SetListViewText(list, index, 2, row.name);
    SetListViewText(list, index, 3, TypeWord(row.type));
    SetListViewText(list, index, 4, row.value);
  }
}

}  // namespace pakforge
