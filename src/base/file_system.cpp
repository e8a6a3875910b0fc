#include "base/file_system.h"

namespace base {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += kPathSeparator;
  path += name;
  return path;
}

bool ReadWholeFile(FileSystem& files, const std::string& path, std::string* content) {
  std::unique_ptr<InputFile> file = files.OpenInput(path);
  if (!file) return false;
  content->clear();
  char buffer[64 * 1024];
  for (;;) {
    std::size_t got = 0;
    if (!file->Read(buffer, sizeof buffer, &got)) return false;
    if (got == 0) return true;
    content->append(buffer, got);
  }
}

bool WriteWholeFile(FileSystem& files, const std::string& path, const std::string& content) {
  std::unique_ptr<OutputFile> file = files.Create(path);
  if (!file) return false;
  bool written = file->Write(content.data(), content.size());
  return file->Close() && written;
}

}  // namespace base
