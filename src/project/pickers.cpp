#include "project/pickers.h"

#include "base/file_system.h"
#include "project/file_utils.h"

namespace project {

bool ListStartupPrograms(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                         std::string* shown_path, std::vector<std::string>* names) {
  names->clear();
  std::string p;
  if (!s.SourceFolderPath(current_dir, &p) || p.size() + 5 >= static_cast<std::size_t>(kMaxPath))
    return false;
  *shown_path = p;
  for (const std::string& name : ListDirectory(fs, p + "*.exe", true)) names->push_back(name);
  for (const std::string& folder : ListDirectory(fs, p + "*.*", false))
    for (const std::string& name : ListDirectory(fs, p + folder + base::kPathSeparator + "*.exe", true))
      names->push_back(name);
  return true;
}

bool ListSourceFolders(const base::FileAccess& fs, const std::string& current_dir, std::vector<std::string>* names) {
  names->clear();
  if (current_dir.size() + 4 >= static_cast<std::size_t>(kMaxPath)) return false;
  *names = ListDirectory(fs, base::JoinPath(current_dir, "*.*"), false);
  return true;
}

bool FirstProgramInSource(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                          std::string* name) {
  std::string p;
  if (!s.SourceFolderPath(current_dir, &p) || p.size() >= 255) return false;
  std::vector<std::string> found = ListDirectory(fs, p + "*.exe", true);
  if (!found.empty()) {
    *name = found.front();
    return true;
  }
  for (const std::string& folder : ListDirectory(fs, p + "*.*", false)) {
    found = ListDirectory(fs, p + folder + base::kPathSeparator + "*.exe", true);
    if (!found.empty()) {
      *name = found.front();
      return true;
    }
  }
  return false;
}

int RowOfCurrentValue(const std::vector<std::string>& rows, const std::string& current) {
  if (current.empty()) return -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (base::EqualsIgnoreAsciiCase(rows[i], current)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace project
