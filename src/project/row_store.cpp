#include "project/row_store.h"

#include <algorithm>
#include <numeric>

#include "base/sjis.h"
#include "project/file_utils.h"
#include "project/texts.h"

namespace project {
namespace {

// The text as a read buffer of `maximum` bytes (terminator included) holds it.
std::string Cut(const std::string& text, int maximum) {
  std::size_t keep = maximum > 0 ? static_cast<std::size_t>(maximum - 1) : 0;
  return std::string(base::SjisCut(text, keep));
}

// Cut in place: a text that fits is neither copied nor changed.
void CutInPlace(std::string& text, int maximum) {
  const std::size_t keep = maximum > 0 ? static_cast<std::size_t>(maximum - 1) : 0;
  if (text.size() > keep) text.resize(base::SjisCut(text, keep).size());
}

}  // namespace

bool InsertFileRow(FileRowStore& files, const std::string& name, bool startup,
                   const std::string& folder, std::uint32_t kind) {
  FileRow row;
  row.name = name;
  row.kind = static_cast<FileRowKind>(kind);
  row.number = static_cast<std::uint16_t>(files.Count());
  row.startup = startup;
  row.folder = (kind == AppRoot) ? std::string(kAppFolderText) : folder;
  return files.Append(std::move(row));
}

namespace {

int KnownRoot(int root) { return root == kHkcu || root == kHkcr ? root : kHklm; }

int KnownType(int type) { return type == kMultiSz || type == kDword || type == kBinary ? type : kSz; }

}  // namespace

void RowToEntry(const RegistryRow& row, RegistryEntry* entry) {
  entry->root = KnownRoot(row.root);
  entry->key.Assign(Cut(row.key, entry->key.Maximum()));
  entry->name.Assign(Cut(row.name, entry->name.Maximum()));
  entry->value.Assign(Cut(row.value, entry->value.Maximum()));
  entry->type = KnownType(row.type);
}

RegistryRow EntryToRow(const RegistryEntry& entry) {
  RegistryRow row;
  row.root = KnownRoot(entry.root);
  row.key = Cut(entry.key.Text(), entry.key.Maximum());
  row.name = Cut(entry.name.Text(), entry.name.Maximum());
  row.type = KnownType(entry.type);
  row.value = Cut(entry.value.Text(), entry.value.Maximum());
  return row;
}

std::string RegistryRowText(const RegistryRow& row) {
  return std::string(RootWord(row.root)) + "," + row.key + "," + row.name + "," + TypeWord(row.type) + "," +
         row.value;
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

namespace {

// The two keys by which page 3 orders a file: its extension (from the last
// ".", which a name without one lacks, so it comes first), then its base
// name.
std::pair<std::string, std::string> FileSortKeys(std::string_view name) {
  std::string base;
  std::string extension;
  SplitPath(name, nullptr, &base, &extension);
  return {extension, base};
}

// The lists' order of two rows given their two keys (first, then second,
// each with CompareFolded) and their running numbers, which settle ties, so
// the order never depends on how a sort is made.
int CompareRowKeys(const std::pair<std::string, std::string>& a, std::uint32_t a_number,
                   const std::pair<std::string, std::string>& b, std::uint32_t b_number) {
  if (int by_first = CompareFolded(a.first, b.first)) return by_first;
  if (int by_second = CompareFolded(a.second, b.second)) return by_second;
  return a_number == b_number ? 0 : (a_number < b_number ? -1 : 1);
}

using SortKeys = std::pair<std::string, std::string>;

// Sorts the rows of `store` by the keys and running number that `key_of`
// gives each (row, index), then writes back every row whose place changed.
// Answers the old index of each new place.
template <typename Row, typename Store, typename KeyOf>
std::vector<std::size_t> SortStore(Store& store, KeyOf key_of) {
  const std::size_t count = static_cast<std::size_t>(store.Count());
  std::vector<Row> rows(count);
  std::vector<std::pair<SortKeys, std::uint32_t>> keys;
  for (std::size_t i = 0; i < count; ++i) {
    store.Get(static_cast<int>(i), &rows[i]);
    keys.push_back(key_of(rows[i], static_cast<std::uint32_t>(i)));
  }
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return CompareRowKeys(keys[a].first, keys[a].second, keys[b].first, keys[b].second) < 0;
  });
  for (std::size_t at = 0; at < count; ++at) {
    if (order[at] != at) store.Set(static_cast<int>(at), rows[order[at]]);
  }
  return order;
}

}  // namespace

void SortFileRows(FileRowStore& files) {
  SortStore<FileRow>(files, [](const FileRow& row, std::uint32_t) {
    return std::make_pair(FileSortKeys(row.name), std::uint32_t{row.number});
  });
}

void SortRegistryRows(RegistryRowStore& registry, int* follow) {
  const std::vector<std::size_t> order =
      SortStore<RegistryRow>(registry, [](const RegistryRow& row, std::uint32_t index) {
        return std::make_pair(SortKeys(RootWord(row.root), row.key), index);
      });
  if (follow == nullptr || *follow < 0) return;
  const auto at = std::find(order.begin(), order.end(), static_cast<std::size_t>(*follow));
  if (at != order.end()) *follow = static_cast<int>(at - order.begin());
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
  rows.reserve(static_cast<std::size_t>(files ? files->Count() : 0));
  EveryFileRow(files, [&rows](int, const FileRow& row) {
    rows.push_back(row);
    return true;
  });
  return rows;
}

bool EveryFileRow(const FileRowStore* files, const std::function<bool(int index, const FileRow& row)>& visit) {
  const int count = files ? files->Count() : 0;
  FileRow row;  // each read reuses the room of the one before
  for (int i = 0; i < count; ++i) {
    files->Get(i, &row);
    CutInPlace(row.name, kMaxPath);
    CutInPlace(row.folder, kMaxPath);
    if (!visit(i, row)) return false;
  }
  return true;
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

}  // namespace project
