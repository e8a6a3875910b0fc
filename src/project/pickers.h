#pragma once
// The listings behind the start-up program picker (IDD_STARTUP_PICKER), the
// source folder picker (IDD_SOURCE_PICKER) and page 2's proposal of a start-up program.

#include <string>
#include <vector>

#include "base/file_access.h"
#include "project/settings.h"

namespace project {

/// Start-up program picker: the source folder path in `shown_path` and the
/// bare names of the "*.exe" files of the source folder, then of each of its
/// direct sub-folders, in listing order. False (nothing listed; IDS_SOURCE_TOO_LONG)
/// when the path cannot be built or its length + 5 reaches 260.
bool ListStartupPrograms(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                         std::string* shown_path, std::vector<std::string>* names);

/// Source folder picker: the sub-folders of the current directory. False
/// (IDS_SOURCE_TOO_LONG) when the directory's length + 4 reaches 260.
bool ListSourceFolders(const base::FileAccess& fs, const std::string& current_dir, std::vector<std::string>* names);

/// The first "*.exe" of the source folder, else of its sub-folders in
/// listing order; false when there is none or the source folder path fails
/// or reaches 255 bytes.
bool FirstProgramInSource(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                          std::string* name);

/// The row a picker selects when it opens: the first of `rows` equal to
/// `current` (the value the picker would replace) without regard to letter
/// case, or -1 when `current` is empty or not listed.
int RowOfCurrentValue(const std::vector<std::string>& rows, const std::string& current);

}  // namespace project
