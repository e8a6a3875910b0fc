#pragma once
// Setup.ini (read by the launcher beside the archive) and the batch file
// that runs the builder, both written into the current directory.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_access.h"
#include "project/settings.h"
#include "project/ui_services.h"

namespace project {

class SourceIndex;

/// The source folder's size figure, over the source folder as read: for
/// every file of the folder and of its direct sub-folders except
/// "Native.ina" (any case), the length of its name + its size (low 32 bits)
/// + 12, in 32-bit unsigned arithmetic.
std::uint32_t EstimateArchiveSize(const SourceIndex& source);

/// The Setup.ini text for an archive size figure of `estimate`.
std::string SetupIniText(const ProjectSettings& settings, std::uint32_t estimate);

/// Writes "Setup.ini" with the size figure `estimate` (EstimateArchiveSize)
/// into the current directory. True on success; false when the path would
/// reach 260 bytes or the file could not be written.
bool WriteSetupIni(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                   std::uint32_t estimate);

/// The masks the wizard builds with (the upper 16 bits of each): -p 0000
/// -o c000 -c 0000.
struct BuilderMasks {
  std::uint16_t platform = 0x0000;
  std::uint16_t os_version = 0xC000;
  std::uint16_t cpu_type = 0x0000;
};

/// The archive builder's arguments for the project, as kit texts: the
/// source folder, the archive (`Output` + ".lvar") when `with_archive`
/// (without it the builder only checks), and the masks of BuilderMasks as
/// four lower-case hexadecimal digits each. The batch file passes these.
std::vector<std::string> BuilderArguments(const ProjectSettings& settings, bool with_archive);

/// True when `path` can stand between the double quotes of a batch file
/// line: no double quote and no control character (a byte below 0x20 or
/// 0x7F), either of which would end the quotes or the line.
bool IsBatchSafe(std::string_view path);

/// The two lines of the batch file: "cd" into the current directory, then
/// "Pakmak" with BuilderArguments, the folder and the archive in quotes. A
/// "%" in the directory, `Source` or `Output` is doubled so that the
/// command interpreter keeps it. Meant for paths that pass IsBatchSafe.
std::string BatchText(const ProjectSettings& settings, const std::string& current_dir);

/// The batch file's path: current directory, separator, `Name`, ".bat";
/// false when length(dir) + length(Name) + 5 reaches 260.
bool BatchPath(const ProjectSettings& settings, const std::string& current_dir, std::string* path);

/// Writes the batch file (BatchPath, BatchText); true with its path in
/// `path` when it was written. False, writing nothing, when the current
/// directory, `Source` or `Output` fails IsBatchSafe.
bool WriteBatchFile(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                    std::string* path);

/// The one message that tells how the build went: the archive
/// (current directory, `Output`, ".lvar") exists after an ended run with
/// status 0: kStrBuildDone with its name and its size in bytes (digits
/// grouped by commas); a run still going on: kStrBuildRunning with the
/// seconds waited; otherwise kStrBuildFailed with what the builder printed
/// (at most kBuildOutputShown bytes, cut at a character boundary, "..."
/// after a cut; for a run that could not start, the reason).
void ReportBuild(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                 const BuildRun& run, MessageSink& messages);

/// The most bytes of the builder's output shown in a message.
inline constexpr std::size_t kBuildOutputShown = 2000;

}  // namespace project
