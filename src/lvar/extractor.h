#pragma once
// Extraction: every entry of a sound archive becomes a file in one folder.
// Names are checked before anything is written; a file is only ever created
// new inside that folder, never opened over something already there.

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/listing.h"
#include "lvar/archive_reader.h"

namespace lvar {

struct ExtractOptions {
  /// Accept a folder that already holds files (existing files are still
  /// never replaced).
  bool force = false;
  /// Number the later entries of a name met twice instead of refusing.
  bool rename = false;
  /// Also write the header's 192 device bytes as "Native.ina".
  bool native_ina = false;
};

/// One file written.
struct ExtractedFile {
  std::string stored_name;  ///< the entry's name (Shift-JIS)
  std::string written_name; ///< the name written (Shift-JIS; differs after --rename)
  std::uint32_t size = 0;
};

struct ExtractReport {
  HeaderFields header;
  std::vector<ExtractedFile> files;
  bool native_ina_written = false;
};

/// Extracts the archive at `archive` into the folder `dir`. First reads the
/// whole archive, checking it as ReadArchive does and checking every name
/// (NameProblem) and every duplicate (same FoldedName: one file on the host;
/// numbered instead with `options.rename`); refuses (Fault::kRefused)
/// before anything is created. Then creates `dir` when it does not exist
/// (its parent must), opens it once as a handle (every later step, the
/// check that it is empty included, goes through it: a link put in its
/// place meanwhile is never followed), refuses a folder that is not empty
/// unless `options.force`, and writes the entries in a second pass. A file that
/// cannot be created or written ends the run with Fault::kWriteError and is
/// removed when it was partly written.
Status ExtractArchive(base::FileSystem& files, base::FolderLister& lister, const std::string& archive,
                      const std::string& dir, const ExtractOptions& options, ExtractReport* report);

/// The folder that extraction uses when none is given: the archive's file
/// name without its extension, in the current folder ("Demo.lvar" gives
/// "Demo"); a name without extension gets ".files" added. Empty when that
/// gives no usable folder name: an archive path without a file name, or a
/// name before the extension made only of dots and blanks ("...lvar" would
/// give ".."); the caller then asks for the folder.
std::string DefaultExtractFolder(const std::string& archive);

}  // namespace lvar
