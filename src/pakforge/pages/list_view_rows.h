#pragma once
// The files list (page 3) and the registry list (page 4) are list-view
// controls that hold their rows themselves; these adapters let the project
// file and the description writers read and fill them through the core's
// row-store interfaces.

#include <windows.h>
#include <commctrl.h>

#include <string>

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

/// The files list (IDC_FILES_LIST): columns name, mark, folder, side, all
/// shown from the rows' fields; the item data holds the running number and
/// the FileRowKind.
class ListViewFileRows : public FileRowStore {
 public:
  /// Works on `list`; null works as a list without rows.
  explicit ListViewFileRows(HWND list) : list_(list) {}
  int Count() const override;
  /// Reads name and folder with room for 259 bytes; kind and number from
  /// the item data. The control keeps the start-up and missing facts only
  /// as the mark it shows, so a row shown "x" reads back missing and not
  /// the start-up program (MarkFileRows sets both again).
  void Get(int index, FileRow* row) const override;
  bool Append(FileRow row) override;
  void Set(int index, const FileRow& row) override;
  void Clear() override;

 private:
  HWND list_;
};

/// Shows `rows` in the registry list (IDC_REG_LIST), in their order, in
/// place of what it showed: columns root (RootWord), key, name, type
/// (TypeWord), value; each row's item data is its index.
void ShowRegistryRows(HWND list, const RegistryRowStore& rows);

}  // namespace pakforge
