#include <windows.h>

#include "base/listing.h"
#include "base/wide_text_win32.h"

namespace base {
namespace {

class Win32FolderLister : public FolderLister {
 public:
  bool List(const std::string& folder, std::vector<DirEntry>* entries) override {
    entries->clear();
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(WideText(JoinPath(folder, "*.*")).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
      const std::wstring_view wide = data.cFileName;
      if (wide == L"." || wide == L"..") continue;
      DirEntry e;
      // The kit's names are Shift-JIS whatever the system's code page; a
      // name without that form is marked for showing (MarkHostText).
      e.name_convertible = KitFromWide(wide, &e.host_name);
      if (e.name_convertible) e.name = e.host_name;
      const std::string& name = e.host_name;
      // FindFirstFileW lists only files and folders; devices have no entries.
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
    } while (FindNextFileW(find, &data));
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
    HANDLE file = CreateFileW(WideText(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    wchar_t final_path[MAX_PATH * 2];
    const DWORD length =
        GetFinalPathNameByHandleW(file, final_path, sizeof final_path / sizeof final_path[0], FILE_NAME_NORMALIZED);
    const bool ok = GetFileInformationByHandle(file, &info) && length > 0 &&
                    length < sizeof final_path / sizeof final_path[0];
    CloseHandle(file);
    if (!ok) return false;
    *attributes = info.dwFileAttributes;
    *size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    KitFromWide(std::wstring_view(final_path, length), full);
    return true;
  }
};

}  // namespace

FolderLister& SystemFolderLister() {
  static Win32FolderLister lister;
  return lister;
}

}  // namespace base
