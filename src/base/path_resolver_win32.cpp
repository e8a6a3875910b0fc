#include <windows.h>

#include <vector>

#include "base/path_resolver.h"

namespace base {
namespace {

class Win32PathResolver : public PathResolver {
 public:
  bool Resolve(const std::string& path, std::string* resolved) override {
    // FILE_FLAG_BACKUP_SEMANTICS opens folders too; without
    // FILE_FLAG_OPEN_REPARSE_POINT every link on the way is followed.
    HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    std::vector<char> buffer(MAX_PATH);
    DWORD n = GetFinalPathNameByHandleA(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n >= buffer.size()) {
      buffer.resize(n + 1);
      n = GetFinalPathNameByHandleA(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    CloseHandle(handle);
    if (n == 0 || n >= buffer.size()) return false;
    std::string real(buffer.data(), n);
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
