#pragma once
// The exit statuses of the lvar program.

#include "lvar/archive_reader.h"

namespace lvar {

inline constexpr int kExitOk = 0;           ///< sound; done; diff: identical
inline constexpr int kExitDiffer = 1;       ///< diff: the archives differ
inline constexpr int kExitUsage = 2;        ///< bad command line; diff: any error
inline constexpr int kExitCannotOpen = 3;   ///< missing or unreadable file
inline constexpr int kExitNotArchive = 4;   ///< not an archive
inline constexpr int kExitTruncated = 5;    ///< truncated archive
inline constexpr int kExitBadField = 6;     ///< a field with an impossible value
inline constexpr int kExitUnsound = 7;      ///< count, kind order, checksum or Install.inf
inline constexpr int kExitRefused = 8;      ///< extraction refused
inline constexpr int kExitWriteError = 9;   ///< a file could not be written
inline constexpr int kExitInstallInfo = 10; ///< the stored install information fails

/// The exit status for a Status.
inline int ExitStatusOf(const Status& status) {
  switch (status.fault) {
    case Fault::kNone: return kExitOk;
    case Fault::kCannotOpen:
    case Fault::kReadError: return kExitCannotOpen;
    case Fault::kNotArchive: return kExitNotArchive;
    case Fault::kTruncated: return kExitTruncated;
    case Fault::kBadField: return kExitBadField;
    case Fault::kUnsound: return kExitUnsound;
    case Fault::kRefused: return kExitRefused;
    case Fault::kWriteError: return kExitWriteError;
    case Fault::kInstallInfo: return kExitInstallInfo;
  }
  return kExitUsage;
}

/// The word for a fault class, as JSON output names it.
inline const char* FaultWord(Fault fault) {
  switch (fault) {
    case Fault::kNone: return "none";
    case Fault::kCannotOpen: return "cannot-open";
    case Fault::kReadError: return "read-error";
    case Fault::kNotArchive: return "not-archive";
    case Fault::kTruncated: return "truncated";
    case Fault::kBadField: return "bad-field";
    case Fault::kUnsound: return "unsound";
    case Fault::kRefused: return "refused";
    case Fault::kWriteError: return "write-error";
    case Fault::kInstallInfo: return "install-information";
  }
  return "unknown";
}

}  // namespace lvar
