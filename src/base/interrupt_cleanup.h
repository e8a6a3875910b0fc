#pragma once
// Removing a program's temporary files when its run is interrupted, so that
// no partial file is left behind: the archive builder's archive, the files
// that Finish writes through a temporary name (WriteWholeFile).

#include <string>

namespace base {

/// Installs, once for the process, handlers that remove every file watched
/// by an InterruptWatch and then end the process as the interruption would
/// have: on POSIX for SIGINT, SIGTERM and SIGHUP (unless the process was
/// started with them ignored); on Windows for the console's Ctrl+C,
/// Ctrl+Break and close events. SIGPIPE is ignored, so that writing to a
/// closed pipe fails with an error the run reports instead of ending it.
void InstallInterruptCleanup();

/// While it lives, an interruption removes the file at `host_path` (an
/// empty path watches nothing). Without InstallInterruptCleanup it only
/// records. Up to kInterruptWatchSlots files are watched at once; a watch
/// beyond them watches nothing. The file must be one the process created:
/// it is removed whatever it then holds.
class InterruptWatch {
 public:
  explicit InterruptWatch(const std::string& host_path);
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

 private:
  int slot_ = -1;
};

/// How many files can be watched at once.
inline constexpr int kInterruptWatchSlots = 8;

}  // namespace base
