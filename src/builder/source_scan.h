#pragma once
// The source folder scan: walks DIRECTORY and its subfolders depth first,
// sorts every file into one of three lists by its extension, reads Native.ina
// on the way, and afterwards reads and checks the install information files.

#include <string>

#include "base/console.h"
#include "base/listing.h"
#include "builder/build_error.h"
#include "base/file_system.h"
#include "inf/install_info.h"
#include "builder/source_file.h"

namespace builder {

/// Scans `host_path` (shown as `message_path`) recursively into `result`.
/// Answers 0 or the scan layer's code: 0x1000000 folder cannot be listed,
/// 0x2100000 / 0x2200000 Native.ina cannot be opened / is too short,
/// 0x2300000 Native.ina changed since it was listed,
/// 0x3000000 two file names that differ only in ASCII letter case (the
/// archive stores bare names; the message names both paths), 0x4000000 a name without a Shift-JIS form, 0x5000000 an entry that is
/// neither a regular file nor a folder (FIFO, socket, device), 0x6000000 an
/// entry that cannot be examined, 0x7000000 a link that leads outside
/// `host_path` or back to a folder that holds it (a link inside is taken as
/// what it leads to); or-ed with 0x8000000 when the error lies
/// in a subfolder (a subfolder that changed since it was listed, or cannot
/// be opened, gives 0x9000000). The folder is opened once (a handle) and
/// everything below it is listed and opened through handles, each checked
/// to be what its listing reported; the handles stay in `result` for the
/// later steps. Only regular files become entries, and nothing but
/// Native.ina is opened during the scan.
/// `opened`, when given, is the folder at `host_path` already held open by
/// the caller (who checked where it lies): it is scanned in place of
/// opening `host_path` again, and must outlive `result`. `held`, when
/// given with `opened`, holds listings of that folder and of folders below
/// it: each folder it holds a listing of is taken from it instead of being
/// listed again (its entries are still opened through the handles and
/// checked against the identities held).
BuildErrorCode ScanSourceFolder(base::FolderLister& lister, base::FileSystem& files, const std::string& host_path,
                                const std::string& message_path, base::Console& console, ScanResult* result,
                                base::Folder* opened = nullptr, const base::HeldListings* held = nullptr);

/// Reads and checks every install information file of the scan through
/// `files`, then checks
/// that Install.inf and the uninstall file named by App Information are
/// there. Answers 0, the file's code + 0x1000000, 0x2000000 (no Install.inf)
/// or 0x3000000 (no uninstall file; the message names the Uninstall value).
/// When all passed, warns of each file that a description names but no entry
/// of `scan` holds (NamedFileCheck); a file that reads as UTF-8 is warned of
/// as it is read.
BuildErrorCode ReadInstallInfoFiles(base::FileSystem& files, const ScanResult& scan, base::Console& console,
                                    inf::InstallInfoState* state);

}  // namespace builder
