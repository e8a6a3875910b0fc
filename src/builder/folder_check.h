#pragma once
// The diagnostics mode's check of a source folder: the default run's scan
// and checks, going on after each problem and keeping every one as a
// diagnostic, in the order the default run would meet them.

#include <string>
#include <vector>

#include "base/file_access.h"
#include "base/language.h"
#include "builder/build_error.h"
#include "builder/source_file.h"
#include "inf/diagnostic.h"
#include "inf/install_info.h"

namespace builder {

/// Checks the folder at host path `directory` through `access` into
/// `collector` (whose language gives the messages): the scan with
/// Native.ina, every install information file line by line, then the
/// checks across files (Install.inf, the uninstall file). A problem the
/// default run reports first comes first, with the same code; then the
/// others in file order and line order. A scan error ends the check (the
/// folder cannot be read as a whole). Fills `scan` and `state` for writing
/// the archive; answers the first error's complete code, or 0. Files are
/// named under `shown` (a kit text; empty: `directory` as given), and
/// `opened`, when set, is the folder already held open at `directory`, and
/// `held` the listings of it the caller holds (see ScanSourceFolder).
BuildErrorCode CheckSourceFolderInto(const base::FileAccess& access, const std::string& directory,
                                     inf::DiagnosticCollector& collector, ScanResult* scan,
                                     inf::InstallInfoState* state, const std::string& shown = std::string(),
                                     base::Folder* opened = nullptr, const base::HeldListings* held = nullptr);

/// Every problem of the folder at host path `directory`, with messages in
/// `language`: for callers in the same process, such as an editor's server
/// passing a FileAccess whose files stand in for unsaved buffers.
std::vector<inf::Diagnostic> CheckSourceFolder(const base::FileAccess& access, const std::string& directory,
                                          base::Language language);

}  // namespace builder
