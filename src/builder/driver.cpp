#include "builder/driver.h"

#include "base/host_path.h"
#include "builder/archive_writer.h"
#include "builder/command_line.h"
#include "builder/messages.h"
#include "builder/source_scan.h"

namespace builder {
namespace {

BuildErrorCode Steps(const std::vector<std::string>& args, BuildEnvironment& env) {
  base::Console& console = env.console;
  BuildOptions options;
  BuildErrorCode code = ParseCommandLine(args, console, &options);
  if (code == kUsageShown) return 0;
  if (code) return code | kStepCommandLine;

  ScanResult scan;
  code = ScanSourceFolder(env.lister, env.files, options.directory, base::KitText(options.directory), console, &scan);
  if (code) return code | kStepFolderScan;
  // Checked after the whole scan: a Native.ina anywhere in the tree counts.
  if (!scan.native_info_found) {
    Say(console, base::Stream::kErr, Message::kCantFindMandatoryFile, "Native.ina");
    return kNativeInfoMissing;
  }

  InstallInfoState state;
  code = ReadInstallInfoFiles(env.files, scan, console, &state);
  if (code) return code | kStepInstallInfo;
  if (options.archive.empty()) Say(console, base::Stream::kOut, Message::kOkCheckPassed);

  ArchiveWriter writer(env.files, console, options.archive);
  code = writer.WriteArchiveHeader(scan, options, state.destination, &scan.header);
  if (code) return code | kStepArchiveHeader;
  code = writer.AppendEntries(&scan);
  if (code) return code | kStepArchiveEntries;
  // Standard output was lost (a closed pipe): say so, and keep no archive
  // made by a run whose report did not arrive.
  console.Flush();
  if (console.OutputFailed()) {
    Say(console, base::Stream::kErr, Message::kCantWriteOutput);
    return kOutputLost | kStepArchiveChecksum;
  }
  code = writer.AppendChecksum();
  if (code) return code | kStepArchiveChecksum;
  return 0;
}

}  // namespace

BuildErrorCode RunBuild(const std::vector<std::string>& args, BuildEnvironment& env) {
  BuildErrorCode code = Steps(args, env);
  if (code) Say(env.console, base::Stream::kErr, Message::kErrorCodeLine, code);
  return code;
}

}  // namespace builder
