#include <windows.h>

#include <string>
#include <utility>

#include "base/file_system.h"
#include "base/file_win32.h"
#include "base/wide_text_win32.h"

namespace base {
namespace {

// ReadFile and WriteFile take 32-bit sizes; larger requests go in pieces.
constexpr std::size_t kMaxChunk = 1u << 30;

class Win32InputFile : public InputFile {
 public:
  explicit Win32InputFile(HANDLE h) : handle_(h) {}
  ~Win32InputFile() override { CloseHandle(handle_); }

  bool Read(void* buffer, std::size_t capacity, std::size_t* got) override {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(capacity < kMaxChunk ? capacity : kMaxChunk);
    if (!ReadFile(handle_, buffer, want, &n, nullptr)) return false;
    *got = n;
    return true;
  }

 private:
  HANDLE handle_;
};

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE h) : handle_(h) {}
  ~Win32OutputFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  bool Write(const void* data, std::size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      DWORD want = static_cast<DWORD>(size < kMaxChunk ? size : kMaxChunk);
      DWORD written = 0;
      if (!WriteFile(handle_, p, want, &written, nullptr) || written == 0) return false;
      p += written;
      size -= written;
    }
    return true;
  }

  bool Sync() override { return FlushFileBuffers(handle_) != 0; }

  bool Close() override {
    HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != 0;
  }

 private:
  HANDLE handle_;
};

// The current folder as GetCurrentDirectoryW gives it, however long; empty
// when it cannot be taken.
std::wstring CurrentDirectory() {
  std::wstring here(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(here.size()), here.data());
    if (n == 0) return std::wstring();
    if (n < here.size()) {
      here.resize(n);
      return here;
    }
    here.resize(n);  // n counts the terminating null when the buffer was short
  }
}

// The way back is kept in UTF-16: it works even where the folder's name has
// no Shift-JIS form.
class Win32EnteredFolder : public EnteredFolder {
 public:
  explicit Win32EnteredFolder(std::wstring came_from) : came_from_(std::move(came_from)) {}
  ~Win32EnteredFolder() override { SetCurrentDirectoryW(came_from_.c_str()); }

 private:
  std::wstring came_from_;
};

class Win32FileSystem : public FileSystem {
 public:
  bool Stat(const std::string& path, FileInfo* info) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WideText(path).c_str(), GetFileExInfoStandard, &data)) return false;
    bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info->kind = folder ? FileKind::kFolder : FileKind::kRegular;
    info->size = folder ? 0 : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
  }

  std::unique_ptr<InputFile> OpenInput(const std::string& path) override {
    std::uint64_t size = 0;
    return Open(path, FILE_SHARE_READ | FILE_SHARE_WRITE, &size);
  }

  std::unique_ptr<InputFile> OpenLocked(const std::string& path, std::uint64_t* size) override {
    return Open(path, 0, size);
  }

  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override {
    // FILE_SHARE_DELETE: an interrupted build can delete its temporary file
    // while the handle is still open.
    HANDLE h = CreateFileW(WideText(path).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OutputFile>(h);
  }

  std::unique_ptr<OutputFile> Create(const std::string& path) override {
    HANDLE h = CreateFileW(WideText(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OutputFile>(h);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    return MoveFileW(WideText(from).c_str(), WideText(to).c_str()) != 0;
  }

  bool Replace(const std::string& from, const std::string& to) override {
    return MoveFileExW(WideText(from).c_str(), WideText(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool CreateFolder(const std::string& path) override { return CreateDirectoryW(WideText(path).c_str(), nullptr) != 0; }

  bool Remove(const std::string& path) override { return DeleteFileW(WideText(path).c_str()) != 0; }

  // MoveFileExW with MOVEFILE_WRITE_THROUGH has already made the rename
  // durable; folders cannot be flushed on their own here.
  bool SyncFolder(const std::string&) override { return true; }

  unsigned long ProcessId() override { return GetCurrentProcessId(); }

  // A folder whose name has no Shift-JIS form comes marked (MarkHostText):
  // it is shown as it is, and a path built on it opens nothing.
  std::string CurrentFolder() override {
    std::string here;
    KitFromWide(CurrentDirectory(), &here);
    return here;
  }

  std::unique_ptr<EnteredFolder> EnterFolder(const std::string& folder) override {
    std::wstring came_from = CurrentDirectory();
    if (came_from.empty() || !SetCurrentDirectoryW(WideText(folder).c_str())) return nullptr;
    return std::make_unique<Win32EnteredFolder>(std::move(came_from));
  }

 private:
  // Opens an existing file on disk for reading with sharing mode `share`.
  static std::unique_ptr<InputFile> Open(const std::string& path, DWORD share, std::uint64_t* size) {
    HANDLE h = CreateFileW(WideText(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    // Only files on disk: a named pipe or a device (CON, COM1) could block.
    LARGE_INTEGER bytes;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &bytes)) {
      CloseHandle(h);
      return nullptr;
    }
    *size = static_cast<std::uint64_t>(bytes.QuadPart);
    return std::make_unique<Win32InputFile>(h);
  }
};

}  // namespace

std::unique_ptr<InputFile> Win32InputFileOver(HANDLE handle) { return std::make_unique<Win32InputFile>(handle); }

std::unique_ptr<OutputFile> Win32OutputFileOver(HANDLE handle) { return std::make_unique<Win32OutputFile>(handle); }

FileSystem& SystemFileSystem() {
  static Win32FileSystem file_system;
  return file_system;
}

}  // namespace base
