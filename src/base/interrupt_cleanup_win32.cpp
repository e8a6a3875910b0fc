#include <windows.h>

#include <cstring>

#include "base/interrupt_cleanup.h"

namespace base {
namespace {

// Read by the console handler, which runs on a thread of its own. A slot's
// path is written before its flag is set, and its flag cleared before the
// path is written again.
struct Slot {
  char path[4096];
  volatile LONG watching;
};
Slot slots[kInterruptWatchSlots];

BOOL WINAPI RemoveAndStop(DWORD) {
  // Temporary files are created with FILE_SHARE_DELETE, so they can be
  // deleted while the run still holds them open; they go when the process
  // ends.
  for (Slot& slot : slots) {
    if (slot.watching) DeleteFileA(slot.path);
  }
  return FALSE;  // the default handler then ends the process
}

}  // namespace

void InstallInterruptCleanup() { SetConsoleCtrlHandler(RemoveAndStop, TRUE); }

InterruptWatch::InterruptWatch(const std::string& host_path) {
  if (host_path.empty() || host_path.size() >= sizeof slots[0].path) return;
  for (int i = 0; i < kInterruptWatchSlots; ++i) {
    if (slots[i].watching) continue;
    std::memcpy(slots[i].path, host_path.c_str(), host_path.size() + 1);
    InterlockedExchange(&slots[i].watching, 1);
    slot_ = i;
    return;
  }
}

InterruptWatch::~InterruptWatch() {
  if (slot_ >= 0) InterlockedExchange(&slots[slot_].watching, 0);
}

}  // namespace base
