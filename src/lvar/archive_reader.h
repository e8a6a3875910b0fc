#pragma once
// Reading install archives: one streaming pass over the bytes that checks
// every field in file order, stops at the first fault and hands the header,
// each entry and its content to a visitor. Memory stays bounded by the read
// buffer whatever the size of the archive or of its entries.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/file_system.h"
#include "archive/archive_format.h"
#include "lvar/messages.h"

namespace lvar {

/// The class of a failure. Each class has its own exit status in the lvar
/// program (see exit_status.h).
enum class Fault {
  kNone,
  kCannotOpen,      ///< the path names nothing, a folder, or cannot be opened
  kReadError,       ///< reading failed part way
  kNotArchive,      ///< the first field is not the header length 0x0100
  kTruncated,       ///< the file ends inside the header or an entry, or lacks the checksum byte
  kBadField,        ///< a field holds a value that cannot be right (length, NUL, kind, a zero field)
  kUnsound,         ///< the fields read but a whole-archive check fails (count, order, checksum, Install.inf)
  kRefused,         ///< extraction refused: an unsafe or duplicate name, a non-empty folder
  kWriteError,      ///< a file or folder could not be created or written
  kInstallInfo,     ///< the stored install information does not read or is missing
};

/// The answer of every operation: a fault class, the byte offset in the
/// archive where it was found (when it concerns the archive) and what went
/// wrong as a note (one line without line break once shown; names are
/// arguments as stored, Shift-JIS).
struct Status {
  Fault fault = Fault::kNone;
  std::uint64_t offset = 0;
  Note note;
  bool ok() const { return fault == Fault::kNone; }
};

/// Makes a failed Status.
Status Failure(Fault fault, std::uint64_t offset, Note note);

/// The header's fields.
struct HeaderFields {
  std::array<std::uint8_t, archive::kHeaderSize> bytes{};
  std::uint16_t entry_count = 0;
  std::uint32_t platform_mask = 0, os_version_mask = 0, cpu_type_mask = 0, destination = 0;
  /// The 192 device bytes of the three information blocks, in Native.ina order.
  std::array<std::uint8_t, archive::kNativeInfoSize> NativeInfo() const;
};

/// Decodes the fields of a 256-byte header.
HeaderFields DecodeHeader(const std::uint8_t* bytes);

/// One entry's fixed fields, as checked before its content is read.
struct EntryFields {
  std::uint64_t offset = 0;  ///< where the entry starts in the archive
  int index = 0;             ///< 0 for the first entry
  std::uint32_t length = 0;  ///< the length field (N + S + 9)
  std::uint8_t kind = 0;     ///< 1, 2 or 3 (archive::EntryKind)
  std::string name;          ///< Shift-JIS, without the NUL
  std::uint32_t size = 0;    ///< S
  /// Where the content starts in the archive.
  std::uint64_t ContentOffset() const { return offset + 13 + name.size(); }
};

/// The word for an entry kind: "install information", "program", "data".
const char* KindWord(std::uint8_t kind);

/// The text id of an entry kind's word, for texts shown in the reader's
/// language (KindWord stays the word of JSON documents).
Message KindMessage(std::uint8_t kind);

/// The word for a destination code ("MAINMEM_ONLY"...; "none" for 0,
/// "unknown" beyond 3).
const char* DestinationWord(std::uint32_t destination);

/// Receives what ReadArchive reads, in file order. A visitor that answers
/// a failed Status stops the reading with that Status.
class ArchiveVisitor {
 public:
  virtual ~ArchiveVisitor() = default;
  /// The header, once its length field and zero ranges have been checked.
  virtual Status OnHeader(const HeaderFields& header) { (void)header; return {}; }
  /// An entry whose fixed fields, name and size have been checked.
  virtual Status OnEntry(const EntryFields& entry) { (void)entry; return {}; }
  /// The next piece of the current entry's content (never empty).
  virtual Status OnContent(const std::uint8_t* data, std::size_t size) { (void)data; (void)size; return {}; }
  /// The current entry's content is complete.
  virtual Status OnEntryEnd(const EntryFields& entry) { (void)entry; return {}; }
};

/// What a complete, sound reading found besides the entries.
struct ArchiveSummary {
  HeaderFields header;
  int entries = 0;               ///< entries found
  std::uint64_t file_size = 0;   ///< bytes read, checksum included
  std::uint8_t checksum = 0;     ///< the last byte
};

/// Reads the archive from `input` to its end, checking in file order: the
/// header length 0x0100 and the zero ranges of the header; for each entry
/// its zero field, a kind of 1-3 not below the kind before it, the NUL
/// after the name, the length field against N + S + 9, the number of
/// entries against the count; that the entries end exactly one byte before
/// the end of the file; then the count, the checksum (exclusive-or of all
/// bytes 0) and an install information entry named "Install.inf". Answers
/// the first fault with its offset. `summary` may be null.
Status ReadArchive(base::InputFile& input, ArchiveVisitor& visitor, ArchiveSummary* summary = nullptr);

/// Opens `path` through `files` and runs ReadArchive on it.
Status ReadArchiveFile(base::FileSystem& files, const std::string& path, ArchiveVisitor& visitor,
                       ArchiveSummary* summary = nullptr);

/// Checks the archive at `path` as ReadArchive does and, in the same pass,
/// that no two entries have one name when ASCII letter case is ignored
/// (Fault::kUnsound at the later one); keeps one small record per entry.
Status VerifyArchive(base::FileSystem& files, const std::string& path, ArchiveSummary* summary = nullptr);

}  // namespace lvar
