#pragma once
// The files the source scan found, sorted by entry kind, and the header
// record that the scan starts to fill.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/listing.h"
#include "archive/archive_header.h"

namespace builder {

/// The kind of a file named `name` (Shift-JIS). The extension is the text
/// from the last "." to the end, compared without regard to ASCII case.
archive::EntryKind EntryKindOf(const std::string& name);

/// A folder met by the scan, as a host path and as messages show it.
struct ScannedFolder {
  std::string host_path;
  std::string message_path;
  /// The folder held open by the scan: its files are opened through it,
  /// and only while each is still the file listed. Null in a ScanResult made
  /// by hand, whose files are opened by path.
  std::shared_ptr<base::Folder> handle;
};

/// One file of a SourceFileList.
struct SourceFile {
  std::shared_ptr<const ScannedFolder> folder;
  std::string host_name;  ///< the name on disk
  std::string name;       ///< the Shift-JIS name stored in the archive
  std::uint64_t size = 0; ///< size reported by the listing
  bool link = false;      ///< the listing found a link (checked to lead inside)
  base::FileIdentity identity;  ///< what the listing found under the name

  std::string HostPath() const { return base::JoinPath(folder->host_path, host_name); }
  std::string MessagePath() const { return base::JoinPath(folder->message_path, name); }
  /// The entry as the listing reported it, for Folder::OpenListed.
  base::DirEntry Listed() const {
    base::DirEntry entry;
    entry.name = name;
    entry.host_name = host_name;
    entry.size = size;
    entry.link = link;
    entry.identity = identity;
    return entry;
  }
  /// Opens the file for reading: through its folder's handle when the scan
  /// made one (`*changed` is set when the file is no longer the one
  /// listed), else by path through `files`.
  std::unique_ptr<base::InputFile> Open(base::FileSystem& files, bool* changed) const {
    *changed = false;
    if (!folder->handle) return files.OpenInput(HostPath());
    base::FolderOpen result = base::FolderOpen::kFailed;
    std::unique_ptr<base::InputFile> file = folder->handle->OpenListed(Listed(), &result);
    *changed = result == base::FolderOpen::kChanged;
    return file;
  }
};

/// The files of one kind in the order the scan met them.
using SourceFileList = std::vector<SourceFile>;

/// Everything the scan leaves for the later steps.
struct ScanResult {
  /// The source folder as messages show it.
  std::string message_path;
  /// Lists indexed by EntryKind value (index 0 unused).
  SourceFileList lists[4];
  /// A file named Native.ina was met somewhere in the tree.
  bool native_info_found = false;
  /// The Native.ina whose blocks are in the header (the last one read), as
  /// messages show it.
  std::string native_info_path;
  /// The header record with the Native.ina blocks in place.
  archive::ArchiveHeader header;

  SourceFileList& List(archive::EntryKind kind) { return lists[static_cast<int>(kind)]; }
  const SourceFileList& List(archive::EntryKind kind) const { return lists[static_cast<int>(kind)]; }
};

}  // namespace builder
