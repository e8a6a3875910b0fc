#pragma once
// Error codes of the archive builder.
//
// A code is built up in layers: the step that fails answers its own code and
// every caller ors its step value into it on the way out, so the complete
// code tells where the run stopped. The driver's step values occupy bits
// 28-31; the layers below use bits 24-27, 20-23, 16-19, 8-15 and 0-7.

#include <cstdint>

namespace builder {

/// 0 for success, otherwise the layered error code.
using BuildErrorCode = std::uint32_t;

/// Driver step values (bits 28-31).
inline constexpr BuildErrorCode kStepCommandLine = 0x10000000;
inline constexpr BuildErrorCode kStepFolderScan = 0x20000000;
inline constexpr BuildErrorCode kNativeInfoMissing = 0x30000000;  ///< complete code
inline constexpr BuildErrorCode kStepInstallInfo = 0x40000000;
inline constexpr BuildErrorCode kStepArchiveHeader = 0x50000000;
inline constexpr BuildErrorCode kStepArchiveEntries = 0x60000000;
inline constexpr BuildErrorCode kStepArchiveChecksum = 0x70000000;

/// Layer code of the checksum step: standard output could not be written,
/// checked before the archive is completed (0x74000000 in all).
inline constexpr BuildErrorCode kOutputLost = 0x4000000;

/// Process exit status for a complete code. Windows keeps all 32 bits; a
/// POSIX status holds only 8, and the low byte of most codes is 0, so there
/// the driver step (code >> 28, 1 to 7) is the status and the full code is
/// left to the "Error Code" line.
inline int ExitStatusFor(BuildErrorCode code) {
#ifdef _WIN32
  return static_cast<int>(code);
#else
  return static_cast<int>(code >> 28);
#endif
}

}  // namespace builder
