#pragma once
// Setup.ini (read by the launcher beside the archive) and the batch file
// that runs the builder, both written into the current directory.

#include <cstdint>
#include <string>

#include "wizard/settings.h"
#include "wizard/ui_services.h"

namespace wizard {

/// The source folder's size figure: for every file of the source folder and
/// of its direct sub-folders except "Native.ina" (any case), the length of
/// its name + its size (low 32 bits) + 12, in 32-bit unsigned arithmetic.
/// 0 when the source folder path fails or its length + 3 reaches 260.
std::uint32_t EstimateArchiveSize(const ProjectSettings& settings, const std::string& current_dir);

/// The Setup.ini text for an archive size figure of `estimate`.
std::string SetupIniText(const ProjectSettings& settings, std::uint32_t estimate);

/// Writes "Setup.ini" into the current directory. Non-zero on success; 0
/// when the path would reach 260 bytes. A failed write is not reported (the
/// caller ignores the result anyway).
int WriteSetupIni(const ProjectSettings& settings, const std::string& current_dir);

/// The two lines of the batch file. A "%" in the directory, `Source` or
/// `Output` is doubled so that the command interpreter keeps it.
std::string BatchText(const ProjectSettings& settings, const std::string& current_dir);

/// The batch file's path: current directory, separator, `Name`, ".bat";
/// false when length(dir) + length(Name) + 5 reaches 260.
bool BatchPath(const ProjectSettings& settings, const std::string& current_dir, std::string* path);

/// Writes the batch file and, when it was written, starts it with
/// `starter`. 0 only when the path would reach 260 bytes; a failed write
/// starts nothing and still answers non-zero.
int WriteBatchAndRun(const ProjectSettings& settings, const std::string& current_dir,
                     BatchStarter& starter);

}  // namespace wizard
