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
                 std::string* archive_path) {
  std::vector<base::DirEntry> entries;
  if (!lister.List(folder, &entries)) return false;
  for (const base::DirEntry& e : entries) {
    if (e.is_folder || !HasArchiveExtension(e.host_name)) continue;
    *archive_path = LauncherPath(folder, e.host_name);
    return true;
  }
  return false;
}

}  // namespace launcher
