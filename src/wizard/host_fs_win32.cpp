#include <windows.h>

#include "wizard/host_fs.h"

namespace wizard {
namespace host {

std::string ToHost(const std::string& kit_path) { return kit_path; }

std::string CurrentDirectory() {
  char buffer[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
  if (n == 0 || n >= MAX_PATH) return std::string();
  return std::string(buffer, n);
}

bool Stat(const std::string& path, bool* is_folder, std::uint64_t* size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  *is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  *size = *is_folder ? 0 : (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

bool Delete(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Move(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

}  // namespace host
}  // namespace wizard
