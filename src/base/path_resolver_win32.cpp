#include <windows.h>

#include <vector>

#include "base/path_resolver.h"
#include "base/wide_text_win32.h"

namespace base {
namespace {

class Win32PathResolver : public PathResolver {
 public:
  bool Resolve(const std::string& path, std::string* resolved) override {
    // FILE_FLAG_BACKUP_SEMANTICS opens folders too; without
    // FILE_FLAG_OPEN_REPARSE_POINT every link on the way is followed.
    HANDLE handle = CreateFileW(WideText(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n >= buffer.size()) {
      buffer.resize(n + 1);
      n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    CloseHandle(handle);
    if (n == 0 || n >= buffer.size()) return false;
    // A path without a Shift-JIS form leads nowhere the kit can name.
    std::string real;
    if (!KitFromWide(std::wstring_view(buffer.data(), n), &real)) return false;
    // The answer comes as "\\?\C:\..." or "\\?\UNC\server\...".
    if (real.compare(0, 8, "\\\\?\\UNC\\") == 0) {
      real = "\\\\" + real.substr(8);
    } else if (real.compare(0, 4, "\\\\?\\") == 0) {
      real = real.substr(4);
    }
    *resolved = real;
    return true;
  }
};

}  // namespace

PathResolver& SystemPathResolver() {
  static Win32PathResolver resolver;
  return resolver;
}

}  // namespace base
