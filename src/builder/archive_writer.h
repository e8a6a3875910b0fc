#pragma once
// Writes the archive: the 256-byte header, one length-prefixed entry per
// file (install information files, then program files, then data files) and
// the exclusive-or checksum byte.
//
// The bytes go to a new temporary file beside ARCHIVE (a name no other file
// has, short enough for the file system), which is synced to the storage
// device and then replaces ARCHIVE, once the checksum is written; a failed
// or interrupted run removes the temporary file and leaves an existing
// ARCHIVE as it was.
//
// Codes (each phase's layer; the driver adds its step value):
//   header   0x1000000 cannot create, 0x2000000 cannot write,
//            0x3000000 more than 65535 entries, 0x4000000 a name of 256
//            bytes or more, 0x5000000 an entry whose length N + S + 9 does
//            not fit 32 bits
//   entries  kind x 0x1000000 plus 0x200000 / 0x300000 / 0x400000 write of
//            the fixed fields / name / size failed, 0x500000 source cannot be
//            opened, 0x600000 source read error, 0x700000 write of the
//            content failed, 0x800000 the source no longer has its listed size, or is
//            no longer the file listed (replaced, or made a link)
//   checksum 0x2000000 cannot write or close, 0x3000000 cannot replace ARCHIVE

#include <memory>
#include <string>

#include "base/console.h"
#include "base/interrupt_cleanup.h"
#include "archive/archive_header.h"
#include "archive/archive_stream.h"
#include "builder/build_error.h"
#include "builder/build_options.h"
#include "base/file_system.h"
#include "builder/source_file.h"

namespace builder {

/// Writes one archive in three phases: header, entries, checksum.
class ArchiveWriter {
 public:
  /// `archive` is the host path of ARCHIVE as given; messages name it
  /// `shown` (a kit text), or when that is empty, in its Shift-JIS form.
  ArchiveWriter(base::FileSystem& files, base::Console& console, const std::string& archive,
                const std::string& shown = std::string());
  /// Removes the temporary file unless the archive was completed.
  ~ArchiveWriter();

  /// Checks the limits of the header and entry fields for every file, fills
  /// the header fields and writes the header to a new temporary file.
  BuildErrorCode WriteArchiveHeader(const ScanResult& scan, const BuildOptions& options,
                                    std::uint32_t destination, archive::ArchiveHeader* header);
  /// Appends the entries of the three lists (kind 1, 2, 3) with progress on
  /// standard output; each list is released after its last entry.
  BuildErrorCode AppendEntries(ScanResult* scan);
  /// Appends the checksum byte, closes the file and moves it over ARCHIVE.
  BuildErrorCode AppendChecksum();

  /// Host path of the temporary file (empty before the header phase).
  const std::string& temporary_path() const { return temporary_path_; }

 private:
  BuildErrorCode AppendEntry(archive::EntryKind kind, const SourceFile& file);
  BuildErrorCode CopyContent(const SourceFile& file);
  void Discard();

  base::FileSystem& files_;
  base::Console& console_;
  std::string archive_;
  std::string archive_message_;
  std::string temporary_path_;
  /// Removes the temporary file when the run is interrupted.
  std::unique_ptr<base::InterruptWatch> watch_;
  std::unique_ptr<archive::ArchiveStream> stream_;
  bool completed_ = false;
};

}  // namespace builder
