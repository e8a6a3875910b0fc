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
      const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      e.kind = folder ? FileKind::kFolder : FileKind::kRegular;
      e.size = folder ? 0
                      : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      entries->push_back(std::move(e));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
  }
};

}  // namespace

FolderLister& SystemFolderLister() {
  static Win32FolderLister lister;
  return lister;
}

}  // namespace base
