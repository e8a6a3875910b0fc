#include "builder/archive_writer.h"

#include "base/host_path.h"
#include "base/sjis.h"
#include "base/interrupt_cleanup.h"
#include "builder/messages.h"

namespace builder {
namespace {

// The entry's length field (N + S + 9) is 32 bits.
constexpr std::uint64_t kMaxEntryLength = 0xFFFFFFFFull;

const archive::EntryKind kKinds[] = {archive::EntryKind::kInstallInfo, archive::EntryKind::kProgram,
                                     archive::EntryKind::kData};

// The folder that holds `path`, for making a rename in it durable.
std::string FolderOf(const std::string& path) {
  std::size_t start = base::LastNameStart(path);
  if (start == 0) return ".";
  if (start == 1) return path.substr(0, 1);
  return path.substr(0, start - 1);
}

}  // namespace

ArchiveWriter::ArchiveWriter(base::FileSystem& files, base::Console& console, const std::string& archive,
                             const std::string& shown)
    : files_(files), console_(console), archive_(archive), archive_message_(shown.empty() ? base::KitText(archive) : shown) {}

ArchiveWriter::~ArchiveWriter() {
  if (!completed_) Discard();
}

void ArchiveWriter::Discard() {
  if (stream_) {
    stream_->Close();
    stream_.reset();
  }
  if (!temporary_path_.empty()) files_.Remove(temporary_path_);
  temporary_path_.clear();
  watch_.reset();
}

BuildErrorCode ArchiveWriter::WriteArchiveHeader(const ScanResult& scan, const BuildOptions& options,
                                                 std::uint32_t destination, archive::ArchiveHeader* header) {
  const base::Stream err = base::Stream::kErr;
  std::uint64_t count = 0;
  for (archive::EntryKind kind : kKinds) count += scan.List(kind).size();
  header->SetFields(static_cast<std::uint16_t>(count), options.platform_mask, options.os_version_mask,
                    options.cpu_type_mask, destination);
  if (archive_.empty()) return 0;

  // The count, name length and size fields would silently cut larger values;
  // refuse such input before anything is written.
  if (count > archive::kMaxEntries) {
    Say(console_, err, Message::kTooManyEntries, static_cast<unsigned long long>(count));
    return 0x3000000;
  }
  for (archive::EntryKind kind : kKinds) {
    for (const SourceFile& file : scan.List(kind)) {
      if (file.name.size() > archive::kMaxNameLength) {
        Say(console_, err, Message::kNameTooLong, static_cast<unsigned>(file.name.size()),
                        file.MessagePath().c_str());
        return 0x4000000;
      }
      if (file.name.size() + file.size + archive::kEntryOverhead > kMaxEntryLength) {
        Say(console_, err, Message::kFileTooLarge, file.MessagePath().c_str());
        return 0x5000000;
      }
    }
  }

  // The archive is written under a temporary name no longer than its own
  // (so an ARCHIVE path that fits the limits fits while it is written).
  std::unique_ptr<base::OutputFile> file = base::CreateTemporaryFor(files_, archive_, &temporary_path_);
  if (!file) {
    Say(console_, err, Message::kCantOpenArchive, archive_message_.c_str());
    return 0x1000000;
  }
  watch_ = std::make_unique<base::InterruptWatch>(temporary_path_);
  stream_ = std::make_unique<archive::ArchiveStream>(std::move(file));
  if (!stream_->Append(header->bytes().data(), archive::kHeaderSize) || !stream_->Flush()) {
    Say(console_, err, Message::kCantWriteArchive, archive_message_.c_str());
    return 0x2000000;
  }
  return 0;
}

BuildErrorCode ArchiveWriter::AppendEntries(ScanResult* scan) {
  if (archive_.empty()) return 0;
  const base::Stream out = base::Stream::kOut;
  std::size_t counts[4] = {};
  console_.Write(out, "\n");
  for (archive::EntryKind kind : kKinds) {
    if (kind != archive::EntryKind::kInstallInfo) console_.Write(out, " ");
    SourceFileList& list = scan->List(kind);
    for (const SourceFile& file : list) {
      console_.Write(out, ".");
      if (BuildErrorCode code = AppendEntry(kind, file))
        return code | (0x1000000u * static_cast<std::uint32_t>(kind));
    }
    counts[static_cast<int>(kind)] = list.size();
    SourceFileList().swap(list);
  }
  console_.Write(out, "\n\n");
  Say(console_, out, Message::kEntryCounts, static_cast<int>(counts[1]), static_cast<int>(counts[2]),
      static_cast<int>(counts[3]));
  return 0;
}

BuildErrorCode ArchiveWriter::AppendEntry(archive::EntryKind kind, const SourceFile& file) {
  const base::Stream err = base::Stream::kErr;
  // The header phase made sure that the length fits its 32 bits.
  const std::uint32_t name_length = static_cast<std::uint32_t>(file.name.size());
  const std::uint32_t size = static_cast<std::uint32_t>(file.size);
  const std::uint64_t entry_length = file.name.size() + file.size + archive::kEntryOverhead;
  std::uint8_t fixed[archive::kEntryFixedSize];
  archive::PutLe32(fixed + archive::kEntryLengthAt, static_cast<std::uint32_t>(entry_length));
  archive::PutLe16(fixed + archive::kEntryZeroAt, 0);
  fixed[archive::kEntryKindAt] = static_cast<std::uint8_t>(kind);
  fixed[archive::kEntryNameLengthAt] = static_cast<std::uint8_t>(name_length);
  if (!stream_->Append(fixed, sizeof fixed)) {
    Say(console_, err, Message::kCantWriteArchive, archive_message_.c_str());
    return 0x200000;
  }
  if (!stream_->Append(file.name.c_str(), name_length + 1)) {
    Say(console_, err, Message::kCantWriteArchive, archive_message_.c_str());
    return 0x300000;
  }
  std::uint8_t size_field[archive::kEntrySizeFieldSize];
  archive::PutLe32(size_field, size);
  if (!stream_->Append(size_field, sizeof size_field)) {
    Say(console_, err, Message::kCantWriteArchive, archive_message_.c_str());
    return 0x400000;
  }
  return CopyContent(file);
}

BuildErrorCode ArchiveWriter::CopyContent(const SourceFile& file) {
  const base::Stream err = base::Stream::kErr;
  bool changed = false;
  std::unique_ptr<base::InputFile> source = file.Open(files_, &changed);
  if (changed) {
    // Another file (or a link) now stands under the name the scan listed:
    // nothing of it may reach the archive.
    Say(console_, err, Message::kEntryChanged, file.MessagePath().c_str());
    return 0x800000;
  }
  if (!source) {
    Say(console_, err, Message::kCantOpenFile, file.name.c_str());
    return 0x500000;
  }
  // The file is read straight into the archive's buffer, which collects
  // many small entries before it is written. Each read asks for one byte
  // more than the rest of the listed size: a shorter answer is the end of
  // the file (no extra read to find it), a full one shows that it grew.
  std::uint64_t copied = 0;
  for (;;) {
    std::size_t room = 0;
    std::uint8_t* space = stream_->Reserve(&room);
    if (!space) {
      Say(console_, err, Message::kCantWriteArchive, archive_message_.c_str());
      return 0x700000;
    }
    const std::uint64_t wanted = file.size - copied + 1;
    const std::size_t asked = wanted < room ? static_cast<std::size_t>(wanted) : room;
    std::size_t got = 0;
    if (!source->Read(space, asked, &got)) {
      Say(console_, err, Message::kCantReadFile, file.name.c_str());
      return 0x600000;
    }
    if (got == 0) break;
    copied += got;
    if (copied > file.size) break;  // grew since the scan
    stream_->Commit(got);
    if (copied == file.size && got < asked) break;
  }
  // The size field was written from the listing; an entry whose length
  // does not match its content would corrupt every entry after it.
  if (copied != file.size) {
    Say(console_, err, Message::kFileSizeChanged, file.name.c_str());
    return 0x800000;
  }
  return 0;
}

BuildErrorCode ArchiveWriter::AppendChecksum() {
  if (archive_.empty()) return 0;
  const base::Stream err = base::Stream::kErr;
  std::uint8_t checksum = stream_->Checksum();
  // On the storage device before the rename, so that a crash never leaves a
  // short file under the final name.
  bool written = stream_->Append(&checksum, 1) && stream_->Sync();
  bool closed = stream_->Close();
  stream_.reset();
  if (!written || !closed) {
    Say(console_, err, Message::kCantWriteArchive, archive_message_.c_str());
    return 0x2000000;
  }
  if (!files_.Replace(temporary_path_, archive_)) {
    Say(console_, err, Message::kCantReplaceArchive, archive_message_.c_str());
    return 0x3000000;
  }
  completed_ = true;
  watch_.reset();
  // The archive is complete under its name; making the rename durable is
  // the last step and cannot undo it, so its result does not fail the run.
  files_.SyncFolder(FolderOf(archive_));
  return 0;
}

}  // namespace builder
