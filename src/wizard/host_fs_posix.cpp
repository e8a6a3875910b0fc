#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "base/encoding.h"
#include "wizard/host_fs.h"

namespace wizard {
namespace host {

std::string ToHost(const std::string& kit_path) {
  std::string utf8;
  if (base::Cp932ToUtf8(kit_path, &utf8)) return utf8;
  return kit_path;  // not valid Shift-JIS: take the bytes as they are
}

std::string CurrentDirectory() {
  char buffer[4096];
  if (!getcwd(buffer, sizeof buffer)) return std::string();
  std::string sjis;
  if (base::Utf8ToCp932(buffer, &sjis)) return sjis;
  return buffer;
}

bool Stat(const std::string& path, bool* is_folder, std::uint64_t* size) {
  struct stat st;
  if (stat(ToHost(path).c_str(), &st) != 0) return false;
  *is_folder = S_ISDIR(st.st_mode);
  *size = *is_folder ? 0 : static_cast<std::uint64_t>(st.st_size);
  return true;
}

bool Delete(const std::string& path) { return unlink(ToHost(path).c_str()) == 0; }

bool Move(const std::string& from, const std::string& to) {
  // link() refuses an existing target, as MoveFileA does; fall back to a
  // checked rename where hard links are not available.
  std::string a = ToHost(from), b = ToHost(to);
  if (link(a.c_str(), b.c_str()) == 0) return unlink(a.c_str()) == 0;
  struct stat st;
  if (lstat(b.c_str(), &st) == 0) return false;
  return std::rename(a.c_str(), b.c_str()) == 0;
}

}  // namespace host
}  // namespace wizard
