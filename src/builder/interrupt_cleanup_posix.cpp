#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "builder/interrupt_cleanup.h"

namespace builder {
namespace {

// Read by the signal handler: only a fixed buffer and a flag, which the
// handler may touch safely.
char watched_path[4096];
volatile sig_atomic_t watching = 0;

extern "C" void RemoveAndStop(int signal_number) {
  if (watching) ::unlink(watched_path);
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

void RemoveOnInterrupt(const std::string& host_path) {
  watching = 0;
  if (host_path.empty() || host_path.size() >= sizeof watched_path) return;
  std::memcpy(watched_path, host_path.c_str(), host_path.size() + 1);
  watching = 1;
}

}  // namespace builder
