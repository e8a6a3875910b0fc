#include "builder/folder_check.h"

#include "base/host_path.h"
#include "builder/messages.h"
#include "builder/source_scan.h"

namespace builder {

BuildErrorCode CheckSourceFolderInto(const base::FileAccess& access, const std::string& directory,
                                     inf::DiagnosticCollector& collector, ScanResult* scan,
                                     inf::InstallInfoState* state, const std::string& shown_as,
                                     base::Folder* opened, const base::HeldListings* held) {
  const std::string shown = shown_as.empty() ? base::KitText(directory) : shown_as;
  collector.set_layers(kStepFolderScan);
  if (BuildErrorCode code =
          ScanSourceFolder(access.lister, access.files, directory, shown, collector, scan, opened, held)) {
    // Native.ina's own errors stand at that file; the others at the folder.
    const bool native = (code & 0x7000000) == 0x2000000 && !scan->native_info_path.empty();
    return collector.Error(code, inf::FilePlace(native ? scan->native_info_path : shown));
  }
  // What the scan printed are warnings about the device description.
  collector.Warn(inf::FilePlace(scan->native_info_found ? scan->native_info_path : shown));
  if (!scan->native_info_found) {
    collector.set_layers(0);
    Say(collector, base::Stream::kErr, Message::kCantFindMandatoryFile, "Native.ina");
    collector.Error(kNativeInfoMissing, inf::FilePlace(base::JoinPath(shown, "Native.ina")));
  }
  collector.set_layers(kStepInstallInfo);
  state->diagnostics = &collector;
  ReadInstallInfoFiles(access.files, *scan, collector, state);
  collector.Order();
  return collector.first_error();
}

std::vector<inf::Diagnostic> CheckSourceFolder(const base::FileAccess& access, const std::string& directory,
                                          base::Language language) {
  inf::DiagnosticCollector collector(language);
  ScanResult scan;
  inf::InstallInfoState state;
  CheckSourceFolderInto(access, directory, collector, &scan, &state);
  return collector.TakeDiagnostics();
}

}  // namespace builder
