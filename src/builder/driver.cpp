#include "builder/driver.h"

#include "base/host_path.h"
#include "builder/archive_writer.h"
#include "builder/command_line.h"
#include "builder/diagnostic_format.h"
#include "builder/folder_check.h"
#include "builder/messages.h"
#include "builder/source_scan.h"
#include "kit_version.h"

namespace builder {
namespace {

// Passes everything on to `inner` and notes whether anything went to
// standard error: in a run that has not failed, that was a warning.
class WarningWatch : public base::Console {
 public:
  explicit WarningWatch(base::Console& inner) : Console(inner.language()), inner_(inner) {}
  void Write(base::Stream stream, std::string_view sjis) override {
    if (stream != base::Stream::kOut) warned_ = true;
    inner_.Write(stream, sjis);
  }
  bool OutputFailed() const override { return inner_.OutputFailed(); }
  void Flush() override { inner_.Flush(); }
  bool warned() const { return warned_; }

 private:
  base::Console& inner_;
  bool warned_ = false;
};

// Writes the archive of a checked folder; answers 0 or the complete code.
BuildErrorCode WriteArchive(ArchiveWriter& writer, ScanResult& scan, const BuildOptions& options,
                            std::uint32_t destination, base::Console& console, bool check_output) {
  BuildErrorCode code = writer.WriteArchiveHeader(scan, options, destination, &scan.header);
  if (code) return code | kStepArchiveHeader;
  code = writer.AppendEntries(&scan);
  if (code) return code | kStepArchiveEntries;
  if (check_output) {
    // Standard output was lost (a closed pipe): say so, and keep no archive
    // made by a run whose report did not arrive.
    console.Flush();
    if (console.OutputFailed()) {
      Say(console, base::Stream::kErr, Message::kCantWriteOutput);
      return kOutputLost | kStepArchiveChecksum;
    }
  }
  code = writer.AppendChecksum();
  if (code) return code | kStepArchiveChecksum;
  return 0;
}

// Kit text `shown`, or when empty, the Shift-JIS form of the host path `path`.
std::string Shown(const std::string& shown, const std::string& path) {
  return shown.empty() ? base::KitText(path) : shown;
}

// The diagnostics mode: every problem of the folder, reported in
// `options.diagnostics` on standard output; the archive only when no error
// was found. Answers the first error's complete code, or 0.
BuildErrorCode RunDiagnostics(const BuildOptions& options, BuildEnvironment& env) {
  inf::DiagnosticCollector collector(env.console.language());
  DiagnosticsSummary summary;
  const BuildErrorCode code = CheckFolderAndBuild(options, env, collector, &summary);
  const std::string report =
      FormatDiagnostics(options.diagnostics, collector.diagnostics(), summary, "pakmak", PAK_KIT_VERSION);
  base::Console& out = env.report ? *env.report : env.console;
  out.Write(base::Stream::kOut, report);
  out.Flush();
  if (out.OutputFailed()) {
    Say(env.console, base::Stream::kErr, Message::kCantWriteOutput);
    return kOutputLost | kStepArchiveChecksum;
  }
  return code;
}

}  // namespace

BuildErrorCode CheckFolderAndBuild(const BuildOptions& options, BuildEnvironment& env,
                                   inf::DiagnosticCollector& collector, DiagnosticsSummary* out) {
  DiagnosticsSummary& summary = *out;
  ScanResult scan;
  inf::InstallInfoState state;
  BuildErrorCode code =
      CheckSourceFolderInto(base::FileAccess{env.files, env.lister}, options.directory, collector, &scan, &state,
                            Shown(options.directory_shown, options.directory), env.source, env.listings);
  if (!code && options.warnings_as_errors && collector.warning_count() > 0) code = inf::kWarningsFailedCode;
  if (!code && !options.archive.empty()) {
    ArchiveWriter writer(env.files, collector, options.archive, options.archive_shown);
    collector.set_layers(0);
    if (BuildErrorCode failed = WriteArchive(writer, scan, options, state.destination, collector, false)) {
      code = collector.Error(failed, inf::FilePlace(Shown(options.archive_shown, options.archive)));
    } else {
      summary.archive = inf::SjisToUtf8Lossy(Shown(options.archive_shown, options.archive));
    }
  }
  summary.errors = collector.error_count();
  summary.warnings = collector.warning_count();
  return code;
}

namespace {

BuildErrorCode Steps(const BuildOptions& options, BuildEnvironment& env, bool* reported) {
  if (options.diagnostics != DiagnosticsFormat::kNone) {
    *reported = true;
    return RunDiagnostics(options, env);
  }

  WarningWatch console(env.console);
  ScanResult scan;
  BuildErrorCode code = ScanSourceFolder(env.lister, env.files, options.directory,
                                         Shown(options.directory_shown, options.directory), console, &scan, env.source,
                                         env.listings);
  if (code) return code | kStepFolderScan;
  // Checked after the whole scan: a Native.ina anywhere in the tree counts.
  if (!scan.native_info_found) {
    Say(console, base::Stream::kErr, Message::kCantFindMandatoryFile, "Native.ina");
    return kNativeInfoMissing;
  }

  inf::InstallInfoState state;
  code = ReadInstallInfoFiles(env.files, scan, console, &state);
  if (code) return code | kStepInstallInfo;
  // Nothing but warnings reached standard error so far.
  if (options.warnings_as_errors && console.warned()) {
    Say(console, base::Stream::kErr, Message::kWarningsAreErrors);
    return inf::kWarningsFailedCode;
  }
  if (options.archive.empty()) Say(console, base::Stream::kOut, Message::kOkCheckPassed);

  ArchiveWriter writer(env.files, console, options.archive, options.archive_shown);
  return WriteArchive(writer, scan, options, state.destination, console, true);
}

}  // namespace

BuildErrorCode Build(const BuildOptions& options, BuildEnvironment& env) {
  bool reported = false;
  const BuildErrorCode code = Steps(options, env, &reported);
  if (code && !reported) Say(env.console, base::Stream::kErr, Message::kErrorCodeLine, code);
  return code;
}

BuildErrorCode RunBuild(const std::vector<std::string>& args, BuildEnvironment& env) {
  BuildOptions options;
  const BuildErrorCode code = ParseCommandLine(args, env.console, &options);
  if (code == kUsageShown) return 0;
  if (code) {
    Say(env.console, base::Stream::kErr, Message::kErrorCodeLine, code | kStepCommandLine);
    return code | kStepCommandLine;
  }
  return Build(options, env);
}

}  // namespace builder
