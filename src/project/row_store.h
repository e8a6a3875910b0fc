#pragma once
// The two row stores: the files to copy (page 3) and the registry entries
// (page 4) exist only as rows of two list controls. Every consumer (project
// file, description writers) reads them through these interfaces; the Win32
// list views implement them in the UI layer, and the in-memory tables below
// serve the tests.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/settings.h"

namespace wizard {

/// One row of the files list.
struct FileRow {
  /// Column 0: the bare file name (no folder).
  std::string name;
  /// Column 1: "*" start-up program, "x" missing from the source folder, or empty.
  std::string mark;
  /// Column 2: destination folder name; kAppFolderText for AppRoot rows.
  std::string folder;
  /// Column 3: "D" for Doc and DocOriginal rows, else "A".
  std::string side;
  /// Item data: FileRowKind in the upper 16 bits, running number below.
  std::uint32_t item_data = 0;

  std::uint32_t Kind() const { return item_data & kFileRowKindMask; }
};

/// The files list (IDC_FILES_LIST of page 3).
class FileRowStore {
 public:
  virtual ~FileRowStore() = default;
  /// Number of rows.
  virtual int Count() const = 0;
  /// Reads row `index` (0 <= index < Count()) into `row`. Implementations
  /// reading a list control use room for 259 bytes of name and folder and 9
  /// bytes of mark.
  virtual void Get(int index, FileRow* row) const = 0;
  /// Appends `row` at the end; false when the store refuses it.
  virtual bool Append(FileRow row) = 0;
  /// Replaces every column and the item data of row `index`.
  virtual void Set(int index, const FileRow& row) = 0;
  /// Removes every row.
  virtual void Clear() = 0;
};

/// One row of the registry list; every column is the text shown.
struct RegistryRow {
  std::string root;   ///< "HKLM", "HKCU" or "HKCR"
  std::string key;    ///< key path as typed
  std::string name;   ///< value name; empty for the default value
  std::string type;   ///< "SZ", "MULTI_SZ", "DWORD" or "BINARY"
  std::string value;  ///< value text as typed
};

/// The registry list (IDC_REG_LIST of page 4). The list view numbers its
/// rows' item data itself (position at insertion) for sorting.
class RegistryRowStore {
 public:
  virtual ~RegistryRowStore() = default;
  virtual int Count() const = 0;
  /// Reads row `index` into `row`.
  virtual void Get(int index, RegistryRow* row) const = 0;
  /// Appends `row` at the end; false when the store refuses it.
  virtual bool Append(const RegistryRow& row) = 0;
  /// Replaces row `index`.
  virtual void Set(int index, const RegistryRow& row) = 0;
  /// Removes every row.
  virtual void Clear() = 0;
};

/// A plain table of file rows.
class MemoryFileRowStore : public FileRowStore {
 public:
  int Count() const override { return static_cast<int>(rows.size()); }
  void Get(int index, FileRow* row) const override { *row = rows[index]; }
  bool Append(FileRow row) override { rows.push_back(std::move(row)); return true; }
  void Set(int index, const FileRow& row) override { rows[index] = row; }
  void Clear() override { rows.clear(); }
  std::vector<FileRow> rows;
};

/// A plain table of registry rows.
class MemoryRegistryRowStore : public RegistryRowStore {
 public:
  int Count() const override { return static_cast<int>(rows.size()); }
  void Get(int index, RegistryRow* row) const override { *row = rows[index]; }
  bool Append(const RegistryRow& row) override { rows.push_back(row); return true; }
  void Set(int index, const RegistryRow& row) override { rows[index] = row; }
  void Clear() override { rows.clear(); }
  std::vector<RegistryRow> rows;
};

/// Page 3's row insertion: appends a row named `name` with item data
/// (row count + `kind`), mark "*" when `startup`, folder column
/// kAppFolderText for AppRoot else `folder`, side "D" for Doc/DocOriginal
/// else "A". False when the store refuses the row.
bool InsertFileRow(FileRowStore& files, const std::string& name, bool startup,
                   const std::string& folder, std::uint32_t kind);

/// Fills `entry` from a row of page 4's list. Root "HKCU" 2, "HKCR" 3,
/// else 1; type "MULTI_SZ" 10, "DWORD" 11, "BINARY" 12, else 13 (all
/// case-sensitive); key, name and value cut to each setting's maximum - 1.
void RowToEntry(const RegistryRow& row, RegistryEntry* entry);

/// The columns of page 4's list that show `entry`.
RegistryRow EntryToRow(const RegistryEntry& entry);

/// The files-list rows as the writers read them from the list control: name
/// and folder in buffers of 260 bytes, the mark in one of 10 (each cut
/// Shift-JIS-safe). A null store has no rows.
std::vector<FileRow> ReadFileRows(const FileRowStore* files);

/// Reads the rows as ReadFileRows does, one at a time into one row that each
/// read overwrites (a long list is not copied whole), and calls `visit` with
/// each row's index and the row until it answers false. False when a visit
/// answered false. A null store has no rows.
bool EveryFileRow(const FileRowStore* files, const std::function<bool(int index, const FileRow& row)>& visit);

/// The registry rows read back into entries with RowToEntry. A null store
/// has no rows.
std::vector<RegistryEntry> ReadRegistryRows(const RegistryRowStore* registry);

/// The order of the lists' texts: ASCII letters folded to lower case (so
/// "_" comes before the letters), every other byte by its value, a
/// double-byte character compared whole. Negative, 0 or positive.
int CompareFolded(std::string_view a, std::string_view b);

/// The two keys by which page 3 orders a file: its extension (from the last
/// ".", which a name without one lacks, so it comes first), then its base
/// name.
std::pair<std::string, std::string> FileSortKeys(std::string_view name);

/// The lists' order of two rows given their two keys (first, then second,
/// each with CompareFolded) and their running numbers, which settle ties, so
/// the order never depends on how a sort is made.
int CompareRowKeys(const std::pair<std::string, std::string>& a, std::uint32_t a_number,
                   const std::pair<std::string, std::string>& b, std::uint32_t b_number);

/// Page 3's order: FileSortKeys, then the running number (the low 16 bits
/// of the item data).
void SortFileRows(FileRowStore& files);

/// Page 4's order: root text, then key text; rows equal in both keep their
/// order.
void SortRegistryRows(RegistryRowStore& registry);

/// "HKCU" for 2, "HKCR" for 3, "HKLM" otherwise.
const char* RootWord(int root);
/// "MULTI_SZ" for 10, "DWORD" for 11, "BINARY" for 12, "SZ" otherwise.
const char* TypeWord(int type);

}  // namespace wizard
