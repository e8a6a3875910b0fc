#include <windows.h>

#include <cstring>
#include <string>

#include "base/interrupt_cleanup.h"
#include "base/wide_text_win32.h"

namespace base {
namespace {

// Read by the console handler, which runs on a thread of its own. A slot's
// path (UTF-16, as the file system seam opens it, code page 932) is written
// before its flag is set, and its flag cleared before the path is written
// again.
struct Slot {
  wchar_t path[4096];
  volatile LONG watching;
};
Slot slots[kInterruptWatchSlots];

BOOL WINAPI RemoveAndStop(DWORD) {
  // Temporary files are created with FILE_SHARE_DELETE, so they can be
  // deleted while the run still holds them open; they go when the process
  // ends.
  for (Slot& slot : slots) {
    if (slot.watching) DeleteFileW(slot.path);
  }
  return FALSE;  // the default handler then ends the process
}

}  // namespace

void InstallInterruptCleanup() { SetConsoleCtrlHandler(RemoveAndStop, TRUE); }

InterruptWatch::InterruptWatch(const std::string& host_path) {
  const std::wstring wide = WideText(host_path);
  if (wide.empty() || wide.size() >= sizeof slots[0].path / sizeof slots[0].path[0]) return;
  for (int i = 0; i < kInterruptWatchSlots; ++i) {
    if (slots[i].watching) continue;
    std::memcpy(slots[i].path, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    InterlockedExchange(&slots[i].watching, 1);
    slot_ = i;
    return;
  }
}

InterruptWatch::~InterruptWatch() {
  if (slot_ >= 0) InterlockedExchange(&slots[slot_].watching, 0);
}

}  // namespace base
