#include "wizard/row_store.h"

#include "base/sjis.h"
#include "wizard/texts.h"

namespace wizard {
namespace {

// The text as a read buffer of `maximum` bytes (terminator included) holds it.
std::string Cut(const std::string& text, int maximum) {
  std::size_t keep = maximum > 0 ? static_cast<std::size_t>(maximum - 1) : 0;
  return std::string(base::SjisCut(text, keep));
}

}  // namespace

bool InsertFileRow(FileRowStore& files, const std::string& name, bool startup,
                   const std::string& folder, std::uint32_t kind) {
  FileRow row;
  row.name = name;
  row.item_data = static_cast<std::uint32_t>(files.Count()) + kind;
  if (startup) row.mark = "*";
  row.folder = (kind == AppRoot) ? std::string(kAppFolderText) : folder;
  row.side = (kind == Doc || kind == DocOriginal) ? "D" : "A";
  return files.Append(row);
}

void RowToEntry(const RegistryRow& row, RegistryEntry* entry) {
  entry->root = row.root == "HKCU" ? kHkcu : row.root == "HKCR" ? kHkcr : kHklm;
  entry->key.Assign(Cut(row.key, entry->key.Maximum()));
  entry->name.Assign(Cut(row.name, entry->name.Maximum()));
  entry->value.Assign(Cut(row.value, entry->value.Maximum()));
  entry->type = row.type == "MULTI_SZ" ? kMultiSz
              : row.type == "DWORD"    ? kDword
              : row.type == "BINARY"   ? kBinary
                                       : kSz;
}

RegistryRow EntryToRow(const RegistryEntry& entry) {
  RegistryRow row;
  row.root = RootWord(entry.root);
  row.key = entry.key.Text();
  row.name = entry.name.Text();
  row.type = TypeWord(entry.type);
  row.value = entry.value.Text();
  return row;
}

const char* RootWord(int root) {
  switch (root) {
    case kHkcu: return "HKCU";
    case kHkcr: return "HKCR";
    default: return "HKLM";
  }
}

const char* TypeWord(int type) {
  switch (type) {
    case kMultiSz: return "MULTI_SZ";
    case kDword: return "DWORD";
    case kBinary: return "BINARY";
    default: return "SZ";
  }
}

std::vector<FileRow> ReadFileRows(const FileRowStore* files) {
  std::vector<FileRow> rows;
  int count = files ? files->Count() : 0;
  for (int i = 0; i < count; ++i) {
    FileRow row;
    files->Get(i, &row);
    row.name = Cut(row.name, kMaxPath);
    row.mark = Cut(row.mark, 10);
    row.folder = Cut(row.folder, kMaxPath);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<RegistryEntry> ReadRegistryRows(const RegistryRowStore* registry) {
  std::vector<RegistryEntry> entries;
  int count = registry ? registry->Count() : 0;
  for (int i = 0; i < count; ++i) {
    RegistryRow row;
    registry->Get(i, &row);
    RegistryEntry entry;
    RowToEntry(row, &entry);
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace wizard
