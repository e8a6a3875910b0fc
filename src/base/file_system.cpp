#include "base/file_system.h"

#include <algorithm>
#include <string>

#include "base/folder.h"
#include "base/host_path.h"
#include "base/interrupt_cleanup.h"
#include "base/sjis.h"

namespace base {
namespace {

// Names tried for a temporary file before giving up.
constexpr int kTemporaryNameAttempts = 100;

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return fold(x) == fold(y);
         });
}

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

std::string TemporaryPathFor(const std::string& path, unsigned long process_id, int attempt) {
  std::string digits;
  const auto append_base36 = [&digits](unsigned long value) {
    const std::size_t start = digits.size();
    do {
      digits.push_back("0123456789abcdefghijklmnopqrstuvwxyz"[value % 36]);
      value /= 36;
    } while (value != 0);
    std::reverse(digits.begin() + static_cast<std::ptrdiff_t>(start), digits.end());
  };
  append_base36(process_id);
  if (attempt > 0) append_base36(static_cast<unsigned long>(attempt));
  // The room is the final name's length counted so that it never exceeds
  // it in bytes (the POSIX limits) nor in characters (the Windows limits,
  // where a character of code page 932 takes one or two bytes): each ASCII
  // byte is one, other bytes count half.
  const std::size_t name_start = LastNameStart(path);
  std::size_t ascii = 0;
  for (std::size_t i = name_start; i < path.size(); ++i) ascii += static_cast<unsigned char>(path[i]) < 0x80;
  // Any name holds one character at least.
  const std::size_t room = std::max<std::size_t>(1, ascii + (path.size() - name_start - ascii) / 2);
  std::string temporary = path.substr(0, name_start);
  temporary.push_back('~');
  const std::size_t kept = std::min(room - 1, digits.size());
  temporary.append(digits, digits.size() - kept, kept);
  return temporary;
}

std::unique_ptr<OutputFile> CreateTemporaryFor(FileSystem& files, const std::string& path, std::string* temporary) {
  const unsigned long process_id = files.ProcessId();
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string candidate = TemporaryPathFor(path, process_id, attempt);
    // A short name of the form "~<digits>" can be the final name itself (or
    // the same name to a file system that ignores ASCII case).
    if (SameIgnoringAsciiCase(candidate, path)) continue;
    if (std::unique_ptr<OutputFile> file = files.CreateNew(candidate)) {
      *temporary = candidate;
      return file;
    }
    FileInfo taken;
    if (!files.Stat(candidate, &taken)) return nullptr;  // not a collision: give up
  }
  return nullptr;
}

bool WriteWholeFile(FileSystem& files, const std::string& path, const std::string& content) {
  // The bytes go to a new file beside `path` that is then renamed over it:
  // a link at `path` is replaced, never followed, and a reader never sees a
  // half-written file.
  std::string temporary;
  std::unique_ptr<OutputFile> file = CreateTemporaryFor(files, path, &temporary);
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

bool WriteWholeFileIn(Folder& folder, const std::string& name, std::string_view content,
                      unsigned long process_id) {
  // As WriteWholeFile, with every step relative to the folder held open.
  std::string temporary;
  std::unique_ptr<OutputFile> file;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && !file; ++attempt) {
    temporary = TemporaryPathFor(name, process_id, attempt);
    if (SameIgnoringAsciiCase(temporary, name)) continue;
    file = folder.CreateNew(temporary);
    FileInfo taken;
    if (!file && !folder.Stat(temporary, &taken)) return false;  // not a collision: give up
  }
  if (!file) return false;
  const InterruptWatch watch(JoinPath(folder.path(), temporary));
  bool written = file->Write(content.data(), content.size());
  written = file->Close() && written;
  if (!written || !folder.Replace(temporary, name)) {
    folder.Remove(temporary);
    return false;
  }
  return true;
}

}  // namespace base
