#pragma once
// The two row stores: the files to copy (page 3) and the registry entries
// (page 4). Every consumer (project file, description writers, checks, the
// wizard's pages) reads them through these interfaces as records of typed
// fields, held in the in-memory tables below; the wizard's list views only
// show them, making the columns (the marks "*" and "x", the side "A" or
// "D", the root and type words) from those fields.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/settings.h"

namespace project {

/// One file the package copies: a row of the files list.
struct FileRow {
  /// The bare file name (no folder).
  std::string name;
  /// The destination folder's name; kAppFolderText for an AppRoot row.
  std::string folder;
  /// Where the file goes.
  FileRowKind kind = AppRoot;
  /// The page's running number: it settles ties of the list's order.
  std::uint16_t number = 0;
  /// The file is the start-up program.
  bool startup = false;
  /// The file is not in the source folder (found by MarkFileRows).
  bool missing = false;

  bool operator==(const FileRow&) const = default;
};

/// The files list (IDC_FILES_LIST of page 3).
class FileRowStore {
 public:
  virtual ~FileRowStore() = default;
  /// Number of rows.
  virtual int Count() const = 0;
  /// Reads row `index` (0 <= index < Count()) into `row`. Implementations
  /// reading a list control use room for 259 bytes of name and folder.
  virtual void Get(int index, FileRow* row) const = 0;
  /// Appends `row` at the end; false when the store refuses it.
  virtual bool Append(FileRow row) = 0;
  /// Replaces every field of row `index`.
  virtual void Set(int index, const FileRow& row) = 0;
  /// Removes every row.
  virtual void Clear() = 0;
};

/// One registry entry the package writes: a row of the registry list. The
/// list shows the root and the type as RootWord and TypeWord.
struct RegistryRow {
  int root = kHklm;   ///< kHklm, kHkcu or kHkcr (RegistryRoot)
  std::string key;    ///< key path as typed
  std::string name;   ///< value name; empty for the default value
  int type = kSz;     ///< kSz, kMultiSz, kDword or kBinary (RegistryType)
  std::string value;  ///< value text as typed
};

/// The registry list (IDC_REG_LIST of page 4).
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

/// Page 3's row insertion: appends a row named `name` of `kind` numbered
/// with the row count (its low 16 bits), the start-up program when
/// `startup`, with folder kAppFolderText for AppRoot else `folder`. False
/// when the store refuses the row.
bool InsertFileRow(FileRowStore& files, const std::string& name, bool startup,
                   const std::string& folder, std::uint32_t kind);

/// Fills `entry` from a row of page 4's list: root and type as they are
/// (kHklm and kSz for any other number); key, name and value cut to each
/// setting's maximum - 1 (Shift-JIS-safe).
void RowToEntry(const RegistryRow& row, RegistryEntry* entry);

/// The row that holds `entry`, its texts cut as RowToEntry cuts them.
RegistryRow EntryToRow(const RegistryEntry& entry);

/// The row as the project file stores it and the messages name it:
/// "root,key,name,type,value" with RootWord and TypeWord.
std::string RegistryRowText(const RegistryRow& row);

/// The files-list rows as the writers read them from the list control: name
/// and folder in buffers of 260 bytes (each cut Shift-JIS-safe). A null
/// store has no rows.
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

/// Page 3's order: the extension (from the last ".", which a name without
/// one lacks, so it comes first), then the base name, each with
/// CompareFolded, then the running number, which settles ties, so the order
/// never depends on how a sort is made.
void SortFileRows(FileRowStore& files);

/// Page 4's order: root word (RootWord), then key text; rows equal in both
/// keep their order. With `follow`, the index of a row before the sort
/// becomes that row's index after it (an index outside the rows stays).
void SortRegistryRows(RegistryRowStore& registry, int* follow = nullptr);

/// "HKCU" for 2, "HKCR" for 3, "HKLM" otherwise.
const char* RootWord(int root);
/// "MULTI_SZ" for 10, "DWORD" for 11, "BINARY" for 12, "SZ" otherwise.
const char* TypeWord(int type);

}  // namespace project
