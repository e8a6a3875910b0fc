#include <windows.h>

#include <vector>

#include "base/file_win32.h"
#include "base/listing.h"
#include "base/wide_text_win32.h"

namespace base {
namespace {

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  FileIdentity identity;
  identity.device = info.dwVolumeSerialNumber;
  identity.file_id = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  identity.size = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                      ? 0
                      : (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  identity.known = true;
  return identity;
}

// The final path of what `handle` holds, as GetFinalPathNameByHandleW gives
// it, however long; empty when it cannot be taken.
std::wstring FinalPath(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(n + 1);
  }
}

// The flags that open `name` itself when it is a reparse point (a link,
// junction or mount point), unless `follow`.
DWORD OpenFlags(bool follow) { return FILE_FLAG_BACKUP_SEMANTICS | (follow ? 0 : FILE_FLAG_OPEN_REPARSE_POINT); }

// A folder held open without FILE_SHARE_DELETE: while it is held, nobody
// can rename it, delete it or put anything in its place. Names are taken
// relative to its final path (as the handle reports it), and every file
// opened is compared by its volume and file index with the listing.
class Win32Folder : public Folder {
 public:
  Win32Folder(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)), final_(FinalPath(handle)) {
    BY_HANDLE_FILE_INFORMATION info;
    volume_ = GetFileInformationByHandle(handle_, &info) ? info.dwVolumeSerialNumber : 0;
  }
  ~Win32Folder() override { CloseHandle(handle_); }
  Win32Folder(const Win32Folder&) = delete;
  Win32Folder& operator=(const Win32Folder&) = delete;

  // Opens the folder at the wide path `at`; null when that fails.
  static HANDLE OpenHandle(const std::wstring& at, bool follow) {
    return CreateFileW(at.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, OpenFlags(follow), nullptr);
  }

  const std::string& path() const override { return path_; }

  std::string ResolvedPath() override {
    std::string full;
    if (final_.empty()) return full;
    KitFromWide(final_, &full);
    return full;
  }

  bool List(std::vector<DirEntry>* entries) override {
    entries->clear();
    if (final_.empty()) return false;
    // The entries come from the handle, with their file ids: one pass over
    // the folder, however it is reached.
    std::vector<unsigned char> buffer(64 * 1024);
    FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
    for (;;) {
      if (!GetFileInformationByHandleEx(handle_, request, buffer.data(), static_cast<DWORD>(buffer.size()))) {
        return GetLastError() == ERROR_NO_MORE_FILES;
      }
      request = FileIdBothDirectoryInfo;
      for (std::size_t at = 0;;) {
        const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + at);
        Add(*info, entries);
        if (info->NextEntryOffset == 0) break;
        at += info->NextEntryOffset;
      }
    }
  }

  std::unique_ptr<Folder> OpenFolder(const DirEntry& entry, FolderOpen* result) override {
    HANDLE sub = OpenHandle(Inside(entry.host_name), entry.link);
    BY_HANDLE_FILE_INFORMATION info;
    if (sub == INVALID_HANDLE_VALUE) {
      *result = Gone(GetLastError()) ? FolderOpen::kChanged : FolderOpen::kFailed;
      return nullptr;
    }
    if (!GetFileInformationByHandle(sub, &info) || !Same(info, entry, true)) {
      CloseHandle(sub);
      *result = FolderOpen::kChanged;
      return nullptr;
    }
    *result = FolderOpen::kOpened;
    return std::make_unique<Win32Folder>(sub, JoinPath(path_, entry.host_name));
  }

  std::unique_ptr<InputFile> OpenListed(const DirEntry& entry, FolderOpen* result) override {
    // Shared for reading only: nobody changes the file while it is read.
    HANDLE file = CreateFileW(Inside(entry.host_name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN | (entry.link ? 0 : FILE_FLAG_OPEN_REPARSE_POINT), nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      *result = Gone(GetLastError()) ? FolderOpen::kChanged : FolderOpen::kFailed;
      return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) || !Same(info, entry, false) ||
        IdentityOf(info).size != entry.identity.size) {
      CloseHandle(file);
      *result = FolderOpen::kChanged;
      return nullptr;
    }
    *result = FolderOpen::kOpened;
    return Win32InputFileOver(file);
  }

  bool Stat(const std::string& name, FileInfo* info) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (final_.empty() || !GetFileAttributesExW(Inside(name).c_str(), GetFileExInfoStandard, &data)) return false;
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info->kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? FileKind::kOther
                 : folder                                               ? FileKind::kFolder
                                                                        : FileKind::kRegular;
    info->size = info->kind != FileKind::kRegular
                     ? 0
                     : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
  }

  std::unique_ptr<InputFile> OpenInput(const std::string& name) override {
    if (final_.empty()) return nullptr;
    HANDLE file = CreateFileW(Inside(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))) {
      CloseHandle(file);
      return nullptr;
    }
    return Win32InputFileOver(file);
  }

  std::unique_ptr<OutputFile> CreateNew(const std::string& name) override {
    if (final_.empty()) return nullptr;
    // CREATE_NEW fails on any name that is taken, a link included.
    HANDLE file = CreateFileW(Inside(name).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return Win32OutputFileOver(file);
  }

  bool Replace(const std::string& from, const std::string& to) override {
    return !final_.empty() && MoveFileExW(Inside(from).c_str(), Inside(to).c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool Remove(const std::string& name) override { return !final_.empty() && DeleteFileW(Inside(name).c_str()) != 0; }

  // MoveFileExW with MOVEFILE_WRITE_THROUGH has already made a rename
  // durable; folders cannot be flushed on their own here.
  bool Sync() override { return !final_.empty(); }

 private:
  // The wide path of `name` in this folder, by the handle's final path.
  std::wstring Inside(const std::string& name) const { return final_ + L"\\" + WideText(name); }

  static bool Gone(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_CANT_ACCESS_FILE ||
           error == ERROR_DIRECTORY;
  }

  // The same entry as listed: same volume and file index, a reparse point
  // only when the listing found one, and a folder exactly when `folder`.
  static bool Same(const BY_HANDLE_FILE_INFORMATION& info, const DirEntry& entry, bool folder) {
    if (!entry.link && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    if (((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder) return false;
    return IdentityOf(info).SameFile(entry.identity);
  }

  void Add(const FILE_ID_BOTH_DIR_INFO& info, std::vector<DirEntry>* entries) const {
    const std::wstring_view wide(info.FileName, info.FileNameLength / sizeof(wchar_t));
    if (wide == L"." || wide == L"..") return;
    DirEntry e;
    e.name_convertible = KitFromWide(wide, &e.host_name);
    if (e.name_convertible) e.name = e.host_name;
    DWORD attributes = info.FileAttributes;
    e.identity.device = volume_;
    e.identity.file_id = static_cast<std::uint64_t>(info.FileId.QuadPart);
    e.identity.size = static_cast<std::uint64_t>(info.EndOfFile.QuadPart);
    e.identity.known = true;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // A link, junction or mount point: what it leads to, opened once,
      // gives its identity and its place together.
      e.link = true;
      HANDLE target = CreateFileW((final_ + L"\\" + std::wstring(wide)).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
      BY_HANDLE_FILE_INFORMATION followed;
      std::wstring place;
      if (target != INVALID_HANDLE_VALUE && GetFileInformationByHandle(target, &followed) &&
          !(place = FinalPath(target)).empty()) {
        attributes = followed.dwFileAttributes;
        e.identity = IdentityOf(followed);
        KitFromWide(place, &e.link_target);
      } else {
        e.examined = false;
      }
      if (target != INVALID_HANDLE_VALUE) CloseHandle(target);
    }
    const bool is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.kind = is_folder ? FileKind::kFolder : FileKind::kRegular;
    if (is_folder) e.identity.size = 0;
    e.size = e.identity.size;
    entries->push_back(std::move(e));
  }

  HANDLE handle_;
  std::string path_;
  std::wstring final_;  // empty when the handle's path cannot be taken
  DWORD volume_ = 0;
};

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

  std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
    // Links on the way are followed once, here; the handle then stays on
    // the folder reached, and its final path is taken from the handle.
    HANDLE handle = Win32Folder::OpenHandle(WideText(path), true);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32Folder>(handle, path);
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
