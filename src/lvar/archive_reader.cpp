#include "lvar/archive_reader.h"

#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/hex.h"
#include "base/sjis.h"
#include "archive/archive_stream.h"
#include "lvar/entry_name.h"

namespace lvar {
namespace {

using archive::GetLe16;
using archive::GetLe32;

constexpr std::size_t kReadBufferSize = 128 * 1024;

// A read buffer over the input that keeps the position and the
// exclusive-or of every byte consumed.
class ByteSource {
 public:
  explicit ByteSource(base::InputFile& input) : input_(input), buffer_(kReadBufferSize) {}

  // Makes at least `wanted` bytes (at most the buffer size) available unless
  // the file ends first; answers how many are available.
  std::size_t Fill(std::size_t wanted) {
    if (end_ - begin_ >= wanted) return end_ - begin_;
    if (begin_ > 0) {
      std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
      end_ -= begin_;
      begin_ = 0;
    }
    while (end_ < wanted && !at_end_ && !error_) {
      std::size_t got = 0;
      if (!input_.Read(buffer_.data() + end_, buffer_.size() - end_, &got)) {
        error_ = true;
      } else if (got == 0) {
        at_end_ = true;
      } else {
        end_ += got;
      }
    }
    return end_ - begin_;
  }

  const std::uint8_t* Data() const { return buffer_.data() + begin_; }

  void Consume(std::size_t size) {
    lanes_ ^= archive::XorLanes(Data(), size);
    begin_ += size;
    position_ += size;
  }

  std::uint64_t position() const { return position_; }
  bool error() const { return error_; }

  std::uint8_t Checksum() const {
    std::uint8_t sum = 0;
    for (int i = 0; i < 8; ++i) sum ^= static_cast<std::uint8_t>(lanes_ >> (8 * i));
    return sum;
  }

 private:
  base::InputFile& input_;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  std::uint64_t position_ = 0;
  std::uint64_t lanes_ = 0;
  bool at_end_ = false;
  bool error_ = false;
};

class Reader {
 public:
  Reader(base::InputFile& input, ArchiveVisitor& visitor) : source_(input), visitor_(visitor) {}

  Status Run(ArchiveSummary* summary);

 private:
  // The file ended (or a read failed) where more was expected: `what`
  // names the part that is cut, its first argument filled with the offset
  // where the file ends.
  Status Short(Message what, std::initializer_list<NoteArgument> more = {}) {
    const std::string at = base::HexNumber(source_.position(), 8);
    if (source_.error()) return Failure(Fault::kReadError, source_.position(), {Message::kFaultReadError, {at}});
    Note note(what, {at});
    note.arguments.insert(note.arguments.end(), more);
    return Failure(Fault::kTruncated, source_.position(), std::move(note));
  }
  Status ReadHeader(HeaderFields* header);
  Status ReadEntry(int index, EntryFields* entry);

  ByteSource source_;
  ArchiveVisitor& visitor_;
  int previous_kind_ = 0;
};

Status Reader::ReadHeader(HeaderFields* header) {
  if (source_.Fill(2) < 2) {
    if (source_.error()) return Short(Message::kFaultReadError);
    return Failure(Fault::kNotArchive, 0, Message::kFaultShorterThanLengthField);
  }
  const std::uint16_t length = GetLe16(source_.Data());
  if (length != archive::kHeaderLengthValue)
    return Failure(Fault::kNotArchive, 0, {Message::kFaultHeaderLength, {base::HexNumber(length, 4)}});
  if (source_.Fill(archive::kHeaderSize) < archive::kHeaderSize) {
    source_.Consume(source_.Fill(archive::kHeaderSize));
    return Short(Message::kFaultEndsInHeader);
  }
  *header = DecodeHeader(source_.Data());
  for (const auto& range : archive::kZeroRanges) {
    for (std::size_t i = 0; i < range[1]; ++i) {
      if (header->bytes[range[0] + i] != 0)
        return Failure(Fault::kBadField, range[0] + i,
                       {Message::kFaultHeaderByte,
                        {base::HexNumber(range[0] + i, 8), base::HexNumber(header->bytes[range[0] + i], 2),
                         base::HexNumber(range[0], 2), base::HexNumber(range[0] + range[1] - 1, 2)}});
    }
  }
  source_.Consume(archive::kHeaderSize);
  return visitor_.OnHeader(*header);
}

Status Reader::ReadEntry(int index, EntryFields* entry) {
  const std::uint64_t at = source_.position();
  const std::string where = base::HexNumber(at, 8);
  entry->offset = at;
  entry->index = index;
  if (source_.Fill(archive::kEntryFixedSize) < archive::kEntryFixedSize) {
    source_.Consume(source_.Fill(archive::kEntryFixedSize));
    return Short(Message::kFaultEndsInEntryFields, {where});
  }
  const std::uint8_t* fixed = source_.Data();
  entry->length = GetLe32(fixed + archive::kEntryLengthAt);
  const std::uint16_t zero = GetLe16(fixed + archive::kEntryZeroAt);
  entry->kind = fixed[archive::kEntryKindAt];
  const std::size_t n = fixed[archive::kEntryNameLengthAt];
  if (zero != 0)
    return Failure(Fault::kBadField, at + archive::kEntryZeroAt,
                   {Message::kFaultEntryZeroField,
                    {base::HexNumber(at + archive::kEntryZeroAt, 8), where, base::HexNumber(zero, 4)}});
  if (entry->kind < 1 || entry->kind > 3)
    return Failure(Fault::kBadField, at + archive::kEntryKindAt,
                   {Message::kFaultEntryKind, {where, std::to_string(entry->kind)}});
  if (entry->kind < previous_kind_)
    return Failure(Fault::kUnsound, at + archive::kEntryKindAt,
                   {Message::kFaultKindOrder, {KindMessage(entry->kind), where, KindMessage(static_cast<std::uint8_t>(previous_kind_))}});
  previous_kind_ = entry->kind;
  const std::size_t fixed_part = archive::kEntryFixedSize + n + 1 + archive::kEntrySizeFieldSize;
  if (source_.Fill(fixed_part) < fixed_part) {
    source_.Consume(source_.Fill(fixed_part));
    return Short(Message::kFaultEndsInEntryName, {where});
  }
  const std::uint8_t* name = source_.Data() + archive::kEntryNameAt;
  if (name[n] != 0) {
    const void* nul = std::memchr(name, 0, n);
    const std::string byte_at = base::HexNumber(at + archive::kEntryNameAt + n, 8), byte = base::HexNumber(name[n], 2);
    if (nul)
      return Failure(Fault::kBadField, at + archive::kEntryNameAt + n,
                     {Message::kFaultNameNulEarly,
                      {where, std::to_string(n), std::to_string(static_cast<const std::uint8_t*>(nul) - name), byte_at,
                       byte}});
    return Failure(Fault::kBadField, at + archive::kEntryNameAt + n,
                   {Message::kFaultNameNoNul, {where, std::to_string(n), byte_at, byte}});
  }
  if (std::memchr(name, 0, n))
    return Failure(Fault::kBadField, at + archive::kEntryNameAt, {Message::kFaultNameHoldsNul, {where}});
  entry->name.assign(reinterpret_cast<const char*>(name), n);
  entry->size = GetLe32(name + n + 1);
  const std::uint64_t expected = n + static_cast<std::uint64_t>(entry->size) + archive::kEntryOverhead;
  if (entry->length != expected)
    return Failure(Fault::kBadField, at,
                   {entry->length > expected ? Message::kFaultLengthTooLong : Message::kFaultLengthTooShort,
                    {where, std::to_string(entry->length), std::to_string(n), std::to_string(entry->size),
                     std::to_string(expected)}});
  source_.Consume(fixed_part);
  if (Status s = visitor_.OnEntry(*entry); !s.ok()) return s;
  std::uint64_t left = entry->size;
  while (left > 0) {
    std::size_t have = source_.Fill(1);
    if (have == 0)
      return Short(Message::kFaultEndsInContent, {where, std::to_string(left), std::to_string(entry->size)});
    std::size_t take = have < left ? have : static_cast<std::size_t>(left);
    if (Status s = visitor_.OnContent(source_.Data(), take); !s.ok()) return s;
    source_.Consume(take);
    left -= take;
  }
  return visitor_.OnEntryEnd(*entry);
}

Status Reader::Run(ArchiveSummary* summary) {
  HeaderFields header;
  if (Status s = ReadHeader(&header); !s.ok()) return s;
  int found = 0;
  bool install_info = false;
  for (;;) {
    const std::size_t left = source_.Fill(2);
    if (source_.error()) return Short(Message::kFaultReadError);
    if (left == 0) return Short(Message::kFaultNoChecksum);
    if (left == 1) break;  // the checksum byte
    if (found >= header.entry_count)
      return Failure(Fault::kUnsound, source_.position(),
                     {Message::kFaultEntryBeyondCount,
                      {base::HexNumber(source_.position(), 8), std::to_string(header.entry_count)}});
    EntryFields entry;
    if (Status s = ReadEntry(found, &entry); !s.ok()) return s;
    if (entry.kind == static_cast<std::uint8_t>(archive::EntryKind::kInstallInfo) &&
        base::EqualsIgnoreAsciiCase(entry.name, "Install.inf"))
      install_info = true;
    ++found;
  }
  const std::uint64_t checksum_at = source_.position();
  const std::uint8_t before = source_.Checksum();
  const std::uint8_t checksum = source_.Data()[0];
  source_.Consume(1);
  if (found != header.entry_count)
    return Failure(Fault::kUnsound, archive::kEntryCountAt,
                   {Message::kFaultCountMismatch, {std::to_string(header.entry_count), std::to_string(found)}});
  if (checksum != before)
    return Failure(Fault::kUnsound, checksum_at,
                   {Message::kFaultChecksum,
                    {base::HexNumber(checksum_at, 8), base::HexNumber(checksum, 2), base::HexNumber(before, 2)}});
  if (!install_info)
    return Failure(Fault::kUnsound, archive::kHeaderSize, Message::kFaultNoInstallInfo);
  if (summary) {
    summary->header = header;
    summary->entries = found;
    summary->file_size = source_.position();
    summary->checksum = checksum;
  }
  return {};
}

}  // namespace

Status Failure(Fault fault, std::uint64_t offset, Note note) {
  Status s;
  s.fault = fault;
  s.offset = offset;
  s.note = std::move(note);
  return s;
}

std::array<std::uint8_t, archive::kNativeInfoSize> HeaderFields::NativeInfo() const {
  std::array<std::uint8_t, archive::kNativeInfoSize> native{};
  std::memcpy(native.data(), &bytes[archive::kPlatformBlockAt], archive::kPlatformBlockSize);
  std::memcpy(native.data() + archive::kPlatformBlockSize, &bytes[archive::kOsBlockAt], archive::kOsBlockSize);
  std::memcpy(native.data() + archive::kPlatformBlockSize + archive::kOsBlockSize, &bytes[archive::kCpuBlockAt],
              archive::kCpuBlockSize);
  return native;
}

HeaderFields DecodeHeader(const std::uint8_t* bytes) {
  HeaderFields h;
  std::memcpy(h.bytes.data(), bytes, archive::kHeaderSize);
  h.entry_count = GetLe16(bytes + archive::kEntryCountAt);
  h.platform_mask = GetLe32(bytes + archive::kPlatformMaskAt);
  h.os_version_mask = GetLe32(bytes + archive::kOsVersionMaskAt);
  h.cpu_type_mask = GetLe32(bytes + archive::kCpuTypeMaskAt);
  h.destination = GetLe32(bytes + archive::kDestinationAt);
  return h;
}

const char* KindWord(std::uint8_t kind) {
  switch (kind) {
    case 1: return "install information";
    case 2: return "program";
    case 3: return "data";
  }
  return "unknown";
}

Message KindMessage(std::uint8_t kind) {
  switch (kind) {
    case 1: return Message::kKindInstallInformation;
    case 2: return Message::kKindProgram;
    case 3: return Message::kKindData;
  }
  return Message::kKindUnknown;
}

const char* DestinationWord(std::uint32_t destination) {
  if (destination == 0) return "none";
  if (destination < archive::kDestinationCount) return archive::kDestinationWords[destination];
  return "unknown";
}

Status ReadArchive(base::InputFile& input, ArchiveVisitor& visitor, ArchiveSummary* summary) {
  Reader reader(input, visitor);
  return reader.Run(summary);
}

Status ReadArchiveFile(base::FileSystem& files, const std::string& path, ArchiveVisitor& visitor,
                       ArchiveSummary* summary) {
  base::FileInfo info;
  if (!files.Stat(path, &info)) return Failure(Fault::kCannotOpen, 0, Message::kFaultNoSuchFile);
  if (info.kind == base::FileKind::kFolder) return Failure(Fault::kCannotOpen, 0, Message::kFaultIsFolder);
  std::unique_ptr<base::InputFile> input = files.OpenInput(path);
  if (!input) return Failure(Fault::kCannotOpen, 0, Message::kFaultCannotOpen);
  return ReadArchive(*input, visitor, summary);
}

namespace {

// Refuses a second entry whose name is an earlier one's in another ASCII
// letter case (NameKey): the archive stores bare names, so the copy lines
// could not tell the two apart. Entries of exactly one name stay sound: the
// builder packs files of one name from different folders, as it always has.
class NameChecker : public ArchiveVisitor {
 public:
  Status OnEntry(const EntryFields& entry) override {
    auto [first, added] = seen_.try_emplace(NameKey(entry.name), entry.offset, entry.name);
    if (added || first->second.second == entry.name) return {};
    return Failure(Fault::kUnsound, entry.offset,
                   {Message::kFaultSameName,
                    {base::HexNumber(first->second.first, 8), base::HexNumber(entry.offset, 8), first->second.second,
                     entry.name}});
  }

 private:
  std::unordered_map<std::string, std::pair<std::uint64_t, std::string>> seen_;  // key -> offset, name
};

}  // namespace

Status VerifyArchive(base::FileSystem& files, const std::string& path, ArchiveSummary* summary) {
  NameChecker names;
  return ReadArchiveFile(files, path, names, summary);
}

}  // namespace lvar
