#pragma once
// Removing the archive's temporary file when the run is interrupted, so that
// no partial file is left behind.

#include <string>

namespace builder {

/// Installs, once for the process, handlers that remove the file named by
/// RemoveOnInterrupt and then end the process as the interruption would
/// have: on POSIX for SIGINT, SIGTERM and SIGHUP (unless the process was
/// started with them ignored); on Windows for the console's Ctrl+C,
/// Ctrl+Break and close events. SIGPIPE is ignored, so that writing to a
/// closed pipe fails with an error the run reports instead of ending it.
void InstallInterruptCleanup();

/// From now on an interruption removes the file at `host_path`; an empty
/// path removes nothing. Without InstallInterruptCleanup it only records.
void RemoveOnInterrupt(const std::string& host_path);

}  // namespace builder
