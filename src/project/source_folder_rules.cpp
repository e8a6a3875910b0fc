#include "project/source_folder_rules.h"

#include <unordered_set>

#include "base/listing.h"
#include "base/sjis.h"
#include "project/file_utils.h"
#include "project/settings.h"

namespace project {
namespace {

std::string Extension(std::string_view name) {
  std::string extension;
  SplitPath(name, nullptr, nullptr, &extension);
  return extension;
}

}  // namespace

bool DevicePathTooLong(std::size_t inst_dir_length, std::size_t name_length) {
  return kProgramDiskLength + inst_dir_length + name_length + 20 >= static_cast<std::size_t>(kMaxPath);
}

bool IsGeneratedFile(std::string_view name) {
  const std::string extension = Extension(name);
  return base::EqualsIgnoreAsciiCase(extension, ".txt") || base::EqualsIgnoreAsciiCase(extension, ".inf");
}

bool IsProgramOrLibrary(std::string_view name) {
  const std::string extension = Extension(name);
  return base::EqualsIgnoreAsciiCase(extension, ".exe") || base::EqualsIgnoreAsciiCase(extension, ".dll");
}

bool IsNativeIna(std::string_view name) { return base::EqualsIgnoreAsciiCase(name, "Native.ina"); }

bool SourcePathTooLong(const std::string& source_path) {
  return source_path.size() + 3 >= static_cast<std::size_t>(kMaxPath);
}

SourceFolderScan ScanSourceFolder(const SourceIndex& source, std::string_view inst_dir) {
  SourceFolderScan scan;
  scan.nested_folders = source.nested_folders();
  std::unordered_set<std::string> seen;
  for (const SourceFile& file : source.files()) {
    const std::string& name = file.name;
    if (IsGeneratedFile(name)) continue;
    if (IsNativeIna(name)) {
      ++scan.native_ina_count;
      continue;
    }
    if (!seen.insert(base::SjisUpperAsciiCopy(name)).second) scan.duplicate_names = true;
    if (DevicePathTooLong(inst_dir.size(), name.size())) scan.path_too_long = true;
    scan.files.push_back(name);
  }
  return scan;
}

bool MarkFileRows(FileRowStore& rows, const std::string& exe, const SourceIndex* source) {
  bool missing = false;
  const int count = rows.Count();
  for (int index = 0; index < count; ++index) {
    FileRow row;
    rows.Get(index, &row);
    const bool startup = !exe.empty() && base::EqualsIgnoreAsciiCase(exe, row.name);
    const bool gone = source == nullptr || !source->Contains(row.name);
    missing = missing || gone;
    // Only a changed row is written back: a list control redraws each row set.
    if (startup != row.startup || gone != row.missing) {
      row.startup = startup;
      row.missing = gone;
      rows.Set(index, row);
    }
  }
  return missing;
}

std::vector<std::string> UnlistedFiles(const FileRowStore& rows, const std::vector<std::string>& files) {
  std::unordered_set<std::string> listed;
  const int count = rows.Count();
  for (int index = 0; index < count; ++index) {
    FileRow row;
    rows.Get(index, &row);
    listed.insert(base::SjisUpperAsciiCopy(row.name));
  }
  std::vector<std::string> unlisted;
  for (const std::string& name : files) {
    if (listed.count(base::SjisUpperAsciiCopy(name)) == 0) unlisted.push_back(name);
  }
  return unlisted;
}

bool HasChosenDestination(const FileRowStore& rows) {
  const int count = rows.Count();
  for (int index = 0; index < count; ++index) {
    FileRow row;
    rows.Get(index, &row);
    if (row.kind != AppRoot) return true;
  }
  return false;
}

}  // namespace project
