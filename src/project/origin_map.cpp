#include "project/origin_map.h"

#include <algorithm>
#include <initializer_list>

#include "base/sjis.h"

namespace project {

const LineOrigin* OriginMap::Find(std::size_t line) const {
  const auto at = lines_.find(line);
  return at == lines_.end() ? nullptr : &at->second;
}

void OriginNotes::Next(const char* section, const char* key, const std::string& row) {
  if (!map_) return;
  const auto from = text_.begin() + static_cast<std::ptrdiff_t>(counted_);
  lines_ += static_cast<std::size_t>(std::count(from, text_.end(), '\n'));
  counted_ = text_.size();
  map_->Note(lines_ + 1, LineOrigin{section, key, row});
}

namespace {

// The loaders read numbered keys up to the first number missing; the
// registry list holds at most 255 rows.
constexpr int kMaxNumbered = 0xFFFF;
constexpr int kMaxRegistryRows = 255;

// The first of the numbered keys `stem`0, `stem`1, ... of `section` whose
// value is `value` (ASCII letter case ignored, as Windows compares file and
// folder names; exactly for registry rows). Reading stops at the first
// number the file lacks, as the loaders do.
bool FindNumbered(const base::IniFile& ini, const char* section, const char* stem, const std::string& value,
                  bool fold_case, int limit, std::string* key, std::size_t* line) {
  for (int i = 0; i < limit; ++i) {
    const std::string name = stem + std::to_string(i);
    std::string held;
    if (!ini.Find(section, name, &held)) return false;
    if (fold_case ? base::EqualsIgnoreAsciiCase(held, value) : held == value) {
      *key = name;
      *line = ini.LineOf(section, name);
      return *line != 0;
    }
  }
  return false;
}

}  // namespace

bool LocateOrigin(const base::IniFile& ini, const LineOrigin& origin, std::string* key, std::size_t* line) {
  if (origin.row.empty()) {
    *line = ini.LineOf(origin.section, origin.key);
    *key = origin.key;
    return *line != 0;
  }
  if (origin.section == "CopyFile") {
    return FindNumbered(ini, "CopyFile", "File", origin.row, true, kMaxNumbered, key, line);
  }
  if (origin.section == "Folder") {
    for (const char* stem : {"NameApp", "Name"}) {
      if (FindNumbered(ini, "Folder", stem, origin.row, true, kMaxNumbered, key, line)) return true;
    }
    return false;
  }
  if (origin.section == "Registry") {
    return FindNumbered(ini, "Registry", "RegistryKey", origin.row, false, kMaxRegistryRows, key, line);
  }
  return false;
}

}  // namespace project
