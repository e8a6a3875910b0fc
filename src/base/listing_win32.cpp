#include <windows.h>

#include "base/listing.h"

namespace base {
namespace {

class Win32FolderLister : public FolderLister {
 public:
  bool List(const std::string& folder, std::vector<DirEntry>* entries) override {
    entries->clear();
    WIN32_FIND_DATAA data;
    std::string pattern = JoinPath(folder, "*.*");
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      DirEntry e;
      e.name = name;
      e.host_name = name;
      // FindFirstFileA lists only files and folders; devices have no entries.
      DWORD attributes = data.dwFileAttributes;
      std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link, junction or mount point: report what it leads to.
        e.link = true;
        if (!Follow(JoinPath(folder, name), &attributes, &size, &e.link_target)) e.examined = false;
      }
      const bool is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      e.kind = is_folder ? FileKind::kFolder : FileKind::kRegular;
      e.size = is_folder ? 0 : size;
      entries->push_back(std::move(e));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
  }

  std::string ResolvedPath(const std::string& path) override {
    DWORD attributes = 0;
    std::uint64_t size = 0;
    std::string full;
    return Follow(path, &attributes, &size, &full) ? full : path;
  }

 private:
  // Opens `path` following every reparse point and reports the attributes,
  // size and final path of what it reaches; false when it cannot be opened.
  static bool Follow(const std::string& path, DWORD* attributes, std::uint64_t* size, std::string* full) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    char final_path[MAX_PATH * 2];
    const DWORD length = GetFinalPathNameByHandleA(file, final_path, sizeof final_path, FILE_NAME_NORMALIZED);
    const bool ok = GetFileInformationByHandle(file, &info) && length > 0 && length < sizeof final_path;
    CloseHandle(file);
    if (!ok) return false;
    *attributes = info.dwFileAttributes;
    *size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    full->assign(final_path, length);
    return true;
  }
};

}  // namespace

FolderLister& SystemFolderLister() {
  static Win32FolderLister lister;
  return lister;
}

}  // namespace base
