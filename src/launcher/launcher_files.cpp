#include "launcher/launcher_files.h"

#include <string_view>
#include <vector>

#include "base/sjis.h"

namespace launcher {
namespace {

bool HasArchiveExtension(std::string_view name) {
  const std::string_view ext = kArchiveExtension;
  return name.size() >= ext.size() &&
         base::EqualsIgnoreAsciiCase(name.substr(name.size() - ext.size()), ext);
}

}  // namespace

std::string LauncherPath(const std::string& folder, const std::string& name) {
  return base::JoinPath(folder, name);
}

bool IsExistingFile(base::FileSystem& files, const std::string& path) {
  base::FileInfo info;
  return files.Stat(path, &info) && info.kind != base::FileKind::kFolder;
}

std::string NoteFilePath(base::FileSystem& files, const std::string& folder) {
  std::string path = LauncherPath(folder, kNoteFile);
  if (!IsExistingFile(files, path)) path = LauncherPath(folder, kReadmeFile);
  return path;
}

std::string ManagerPath(const std::string& manager_folder) {
  return manager_folder + kManagerFile;
}

bool FindArchive(base::FolderLister& lister, const std::string& folder,
                 std::string* archive_path, const std::string& named) {
  std::vector<base::DirEntry> entries;
  if (!lister.List(folder, &entries)) return false;
  const base::DirEntry* first = nullptr;
  for (const base::DirEntry& e : entries) {
    if (e.is_folder() || !HasArchiveExtension(e.host_name)) continue;
    if (!named.empty() && base::EqualsIgnoreAsciiCase(e.host_name, named)) {
      first = &e;
      break;
    }
    if (first == nullptr) first = &e;
  }
  if (first == nullptr) return false;
  *archive_path = LauncherPath(folder, first->host_name);
  return true;
}

ManagerFailure DiagnoseManagerStart(bool started, bool folder_known, bool file_exists) {
  if (started) return ManagerFailure::kNone;
  if (!folder_known) return ManagerFailure::kNoRegistryValue;
  if (!file_exists) return ManagerFailure::kNoManagerFile;
  return ManagerFailure::kStartFailed;
}

}  // namespace launcher
