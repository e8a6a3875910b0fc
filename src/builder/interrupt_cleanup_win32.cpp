#include <windows.h>

#include <cstring>
#include <string>

#include "base/wide_text_win32.h"
#include "builder/interrupt_cleanup.h"

namespace builder {
namespace {

// Read by the console handler, which runs on a thread of its own.
// The path in UTF-16, as the file system seam opens it (code page 932).
wchar_t watched_path[4096];
volatile LONG watching = 0;

BOOL WINAPI RemoveAndStop(DWORD) {
  // The temporary file is created with FILE_SHARE_DELETE, so it can be
  // deleted while the build still holds it open; it goes when the process
  // ends.
  if (watching) DeleteFileW(watched_path);
  return FALSE;  // the default handler then ends the process
}

}  // namespace

void InstallInterruptCleanup() { SetConsoleCtrlHandler(RemoveAndStop, TRUE); }

void RemoveOnInterrupt(const std::string& host_path) {
  InterlockedExchange(&watching, 0);
  const std::wstring wide = base::WideText(host_path);
  if (wide.empty() || wide.size() >= sizeof watched_path / sizeof watched_path[0]) return;
  std::memcpy(watched_path, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  InterlockedExchange(&watching, 1);
}

}  // namespace builder
