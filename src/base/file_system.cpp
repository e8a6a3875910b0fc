#include "base/file_system.h"

#include <string>

#include "base/interrupt_cleanup.h"
#include "base/sjis.h"

namespace base {
namespace {

// Names tried for the temporary file of WriteWholeFile before giving up.
constexpr int kTemporaryNameAttempts = 100;

}  // namespace

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
  // The bytes go to a new file beside `path` that is then renamed over it:
  // a link at `path` is replaced, never followed, and a reader never sees a
  // half-written file. A temporary name left by another run is never
  // touched; the next one is tried.
  std::unique_ptr<OutputFile> file;
  std::string temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && !file; ++attempt) {
    temporary = path;
    temporary.push_back('.');
    temporary.append(std::to_string(files.ProcessId()));
    if (attempt > 0) {
      temporary.push_back('-');
      temporary.append(std::to_string(attempt));
    }
    temporary.append(".tmp");
    file = files.CreateNew(temporary);
    FileInfo taken;
    if (!file && !files.Stat(temporary, &taken)) return false;  // not a collision: give up
  }
  if (!file) return false;
  // An interruption before the rename removes the temporary file.
  const InterruptWatch watch(temporary);
  bool written = file->Write(content.data(), content.size());
  written = file->Close() && written;
  if (!written || !files.Replace(temporary, path)) {
    files.Remove(temporary);
    return false;
  }
  return true;
}

}  // namespace base
