#pragma once
// What installing an archive will do on the device, as its stored install
// description says: read with the builder's own install information reader
// and model, then put in device terms (paths with %INSTALL_DIR% expanded),
// with the warnings an author wants before shipping.

#include <string>
#include <vector>

#include "base/console.h"
#include "base/file_system.h"
#include "lvar/archive_reader.h"

namespace lvar {

/// One copy line: an archive file and where it lands. Texts are Shift-JIS.
struct PlannedFile {
  std::string archive_name;  ///< second column, or the last part of the device path when that is empty
  std::string device_path;   ///< first column, %INSTALL_DIR% expanded; device markers (?Drive?) kept
  std::string flags;         ///< COPYFLG_NO_OVERWRITE or COPYFLG_REPLACEONLY
  bool in_archive = false;
};

/// One Add Registry value.
struct PlannedRegistryValue {
  std::string root_key, subkey, value_name, data_type, write_flag;
  std::string value;  ///< as text: "text" quoted, decimal, hex bytes, quoted texts joined by ", "
};

/// The uninstall description: what uninstalling removes.
struct PlannedUninstall {
  std::string file_name;  ///< the Uninstall key's value
  bool in_archive = false;
  std::vector<std::string> files, folders;  ///< Delete Files, Delete Dirs (expanded)
  std::vector<std::string> registry_keys;   ///< Delete Registry: root\subkey, then the value name if any
};

struct InstallPlan {
  HeaderFields header;
  std::string destination;  ///< the Destination value as written
  std::string install_dir;  ///< InstallDir
  std::vector<std::string> folders;  ///< Make Dirs (expanded)
  std::vector<PlannedFile> files;
  std::vector<PlannedRegistryValue> registry;
  std::string startup_program;  ///< ExeFile
  std::string menu_caption;     ///< Caption
  std::string icon;             ///< Icon (empty when unset)
  PlannedUninstall uninstall;
  /// Copy-line and archive mismatches, one note each: a copy line whose file
  /// is not in the archive, two copy lines that put one name (letter case
  /// folded) into one folder, an ExeFile or Icon that no copy line copies,
  /// an archive file that no copy line names (Install.inf and the uninstall
  /// description excepted), a missing uninstall description.
  std::vector<Note> warnings;
};

/// Reads the archive at `archive` (checking it as VerifyArchive does), then
/// its "Install.inf" entry and the uninstall description that it names with
/// the builder's reader, whose messages go to `console` when they fail
/// (Fault::kInstallInfo). Install information entries larger than 4 MiB are
/// not read.
Status MakeInstallPlan(base::FileSystem& files, const std::string& archive, base::Console& console,
                       InstallPlan* plan);

/// `path` with every "%INSTALL_DIR%" (ASCII case ignored) replaced by
/// `install_dir`.
std::string ExpandInstallDir(const std::string& path, const std::string& install_dir);

}  // namespace lvar
