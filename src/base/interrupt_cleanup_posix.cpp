#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "base/interrupt_cleanup.h"

namespace base {
namespace {

// Read by the signal handler: only fixed buffers and flags, which the
// handler may touch safely. A slot's path is written before its flag is
// set, and its flag cleared before the path is written again.
struct Slot {
  char path[4096];
  volatile sig_atomic_t watching;
};
Slot slots[kInterruptWatchSlots];

extern "C" void RemoveAndStop(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.watching) ::unlink(slot.path);
  }
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

}  // namespace

void InstallInterruptCleanup() {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old_action;
    if (::sigaction(signal_number, nullptr, &old_action) == 0 && old_action.sa_handler == SIG_IGN) continue;
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = RemoveAndStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal_number, &action, nullptr);
  }
  ::signal(SIGPIPE, SIG_IGN);
}

InterruptWatch::InterruptWatch(const std::string& host_path) {
  if (host_path.empty() || host_path.size() >= sizeof slots[0].path) return;
  for (int i = 0; i < kInterruptWatchSlots; ++i) {
    if (slots[i].watching) continue;
    std::memcpy(slots[i].path, host_path.c_str(), host_path.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);  // the path is whole before the flag is seen
    slots[i].watching = 1;
    slot_ = i;
    return;
  }
}

InterruptWatch::~InterruptWatch() {
  if (slot_ >= 0) slots[slot_].watching = 0;
}

}  // namespace base
