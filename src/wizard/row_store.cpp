#include "wizard/row_store.h"

#include <algorithm>
#include <numeric>

#include "base/sjis.h"
#include "wizard/file_utils.h"
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

int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  bool trail = false;  // the byte at i is the second of a double-byte character
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (!trail) {
      if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    }
    if (x != y) return x < y ? -1 : 1;
    // Equal so far, so both texts agree on where characters begin.
    trail = !trail && base::IsSjisLeadByte(x);
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::pair<std::string, std::string> FileSortKeys(std::string_view name) {
  std::string base;
  std::string extension;
  SplitPath(name, nullptr, &base, &extension);
  return {extension, base};
}

int CompareRowKeys(const std::pair<std::string, std::string>& a, std::uint32_t a_number,
                   const std::pair<std::string, std::string>& b, std::uint32_t b_number) {
  if (int by_first = CompareFolded(a.first, b.first)) return by_first;
  if (int by_second = CompareFolded(a.second, b.second)) return by_second;
  return a_number == b_number ? 0 : (a_number < b_number ? -1 : 1);
}

namespace {

// Sorts `rows` of a store by `keys` and running `numbers`, then writes back
// every row whose place changed.
template <typename Store, typename Row>
void SortStore(Store& store, std::vector<Row>& rows, const std::vector<std::pair<std::string, std::string>>& keys,
               const std::vector<std::uint32_t>& numbers) {
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return CompareRowKeys(keys[a], numbers[a], keys[b], numbers[b]) < 0;
  });
  for (std::size_t at = 0; at < order.size(); ++at) {
    if (order[at] != at) store.Set(static_cast<int>(at), rows[order[at]]);
  }
}

}  // namespace

void SortFileRows(FileRowStore& files) {
  const int count = files.Count();
  std::vector<FileRow> rows(static_cast<std::size_t>(count));
  std::vector<std::pair<std::string, std::string>> keys;
  std::vector<std::uint32_t> numbers;
  for (int i = 0; i < count; ++i) {
    files.Get(i, &rows[static_cast<std::size_t>(i)]);
    keys.push_back(FileSortKeys(rows[static_cast<std::size_t>(i)].name));
    numbers.push_back(rows[static_cast<std::size_t>(i)].item_data & ~kFileRowKindMask);
  }
  SortStore(files, rows, keys, numbers);
}

void SortRegistryRows(RegistryRowStore& registry) {
  const int count = registry.Count();
  std::vector<RegistryRow> rows(static_cast<std::size_t>(count));
  std::vector<std::pair<std::string, std::string>> keys;
  std::vector<std::uint32_t> numbers;
  for (int i = 0; i < count; ++i) {
    registry.Get(i, &rows[static_cast<std::size_t>(i)]);
    keys.emplace_back(rows[static_cast<std::size_t>(i)].root, rows[static_cast<std::size_t>(i)].key);
    numbers.push_back(static_cast<std::uint32_t>(i));
  }
  SortStore(registry, rows, keys, numbers);
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
