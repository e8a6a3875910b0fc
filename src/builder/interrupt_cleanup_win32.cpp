#include <windows.h>

#include <cstring>

#include "builder/interrupt_cleanup.h"

namespace builder {
namespace {

// Read by the console handler, which runs on a thread of its own.
char watched_path[4096];
volatile LONG watching = 0;

BOOL WINAPI RemoveAndStop(DWORD) {
  // The temporary file is created with FILE_SHARE_DELETE, so it can be
  // deleted while the build still holds it open; it goes when the process
  // ends.
  if (watching) DeleteFileA(watched_path);
  return FALSE;  // the default handler then ends the process
}

}  // namespace

void InstallInterruptCleanup() { SetConsoleCtrlHandler(RemoveAndStop, TRUE); }

void RemoveOnInterrupt(const std::string& host_path) {
  InterlockedExchange(&watching, 0);
  if (host_path.empty() || host_path.size() >= sizeof watched_path) return;
  std::memcpy(watched_path, host_path.c_str(), host_path.size() + 1);
  InterlockedExchange(&watching, 1);
}

}  // namespace builder
