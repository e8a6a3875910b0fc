#pragma once
// What the command line asks the builder to do.

#include <cstdint>
#include <string>
#include <string_view>

namespace builder {

/// Default masks: the stored value is the given upper 16 bits shifted left
/// by 16, so the low 16 bits are always zero.
inline constexpr std::uint32_t kDefaultPlatformMask = 0xE0000000;
inline constexpr std::uint32_t kDefaultOsVersionMask = 0xF8000000;
inline constexpr std::uint32_t kDefaultCpuTypeMask = 0xFFC00000;

/// How the diagnostics mode (--diagnostics=FORMAT) writes its report;
/// kNone is the default mode.
enum class DiagnosticsFormat { kNone, kGnu, kJsonl, kSarif };

/// The format `name` ("gnu", "jsonl" or "sarif") of --diagnostics=NAME;
/// false for any other name.
inline bool ParseDiagnosticsFormat(std::string_view name, DiagnosticsFormat* format) {
  if (name == "gnu") *format = DiagnosticsFormat::kGnu;
  else if (name == "jsonl") *format = DiagnosticsFormat::kJsonl;
  else if (name == "sarif") *format = DiagnosticsFormat::kSarif;
  else return false;
  return true;
}

/// What one build does: taken from the command line by pakmak, or filled in
/// by a program that builds in its own process. Paths are host paths, used
/// as given (relative or absolute, no normalisation, no length limit of our
/// own).
struct BuildOptions {
  std::string directory;  ///< source folder; must be given
  std::string archive;    ///< archive to write; empty means check only
  std::uint32_t platform_mask = kDefaultPlatformMask;     ///< -p
  std::uint32_t os_version_mask = kDefaultOsVersionMask;  ///< -o
  std::uint32_t cpu_type_mask = kDefaultCpuTypeMask;      ///< -c
  DiagnosticsFormat diagnostics = DiagnosticsFormat::kNone;  ///< --diagnostics=gnu|jsonl|sarif
  bool warnings_as_errors = false;                          ///< --warnings=error
  /// How messages name the folder and the archive (kit texts). Empty: the
  /// Shift-JIS forms of `directory` and `archive`, as pakmak's command line
  /// gives them. A program that passes full paths names them here as its
  /// user knows them.
  std::string directory_shown;
  std::string archive_shown;
};

}  // namespace builder
