#pragma once
// The files list (page 3) and the registry list (page 4) are list-view
// controls that show rows held in WizardApp (the core's row stores): these
// helpers make their columns from the rows' fields, and read and set the
// controls' texts, item data and selection.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "project/row_store.h"
#include "pakforge/project_names.h"

namespace pakforge {

/// Text of column `column` of row `row`, read into a buffer of `room` bytes
/// (so at most room - 1 bytes are kept).
std::string ListViewText(HWND list, int row, int column, int room);
/// Sets the text of column `column` of row `row`.
void SetListViewText(HWND list, int row, int column, const std::string& text);
/// Item data of row `row` (0 when the row does not exist).
LPARAM ListViewData(HWND list, int row);
/// Replaces the item data of row `row`.
void SetListViewData(HWND list, int row, LPARAM data);
/// Index of the first selected row at or after `start` + 1 (start -1: from
/// the first row), or -1.
int NextSelectedRow(HWND list, int start);
/// Adds a left-aligned column `index` with `caption` and `width` pixels.
void AddListViewColumn(HWND list, int index, const std::string& caption, int width);
/// Number of rows (0 for a null list).
int ListViewRowCount(HWND list);
/// Inserts a row at `index` with column 0 `text` and item data `data`;
/// answers the new row's index or -1.
int InsertListViewRow(HWND list, int index, const std::string& text, LPARAM data);
/// Selects and focuses row `row` alone and scrolls it into view.
void SelectListViewRow(HWND list, int row);

/// The wake-up column of a files-list row as shown: "x" for a file missing
/// from the source folder (even the start-up program), else "*" for the
/// start-up program, else empty.
const char* FileRowMark(const FileRow& row);
/// The side column of a files-list row: "D" for a Doc or DocOriginal row
/// (under "My Documents"), else "A".
const char* FileRowSide(const FileRow& row);
/// The item data of a files-list row: its FileRowKind in the upper 16 bits,
/// its running number below.
LPARAM FileRowData(const FileRow& row);

/// The files list (IDC_FILES_LIST) as a view of rows held elsewhere:
/// columns name, mark (FileRowMark), folder (for an AppRoot row the
/// application folder in the chosen language), side (FileRowSide); item
/// data FileRowData.
class FileListView {
 public:
  /// Shows rows in `list`, which shows none yet; null shows nothing.
  explicit FileListView(HWND list = nullptr) : list_(list) {}

  /// Shows `rows` in their order. Only list rows that differ from what they
  /// showed are written. The rows selected stay selected, followed by their
  /// running numbers wherever a sort moved them; with `selected`, exactly
  /// the rows of those running numbers are selected instead.
  void Show(const FileRowStore& rows, const std::vector<std::uint16_t>* selected = nullptr);

 private:
  HWND list_;
  /// What each list row shows.
  std::vector<FileRow> shown_;
};

/// Shows `rows` in the registry list (IDC_REG_LIST), in their order, in
/// place of what it showed: columns root (RootWord), key, name, type
/// (TypeWord), value; each row's item data is its index.
void ShowRegistryRows(HWND list, const RegistryRowStore& rows);

}  // namespace pakforge
