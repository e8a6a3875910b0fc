#include "archive/archive_stream.h"

#include <cstring>

namespace archive {

std::uint64_t XorLanes(const std::uint8_t* data, std::size_t size) {
  std::uint64_t lanes = 0;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    lanes ^= word;
  }
  for (; i < size; ++i) lanes ^= data[i];
  return lanes;
}

ArchiveStream::ArchiveStream(std::unique_ptr<base::OutputFile> file, std::size_t capacity)
    : file_(std::move(file)), buffer_(capacity) {}

bool ArchiveStream::Flush() {
  if (used_ == 0) return true;
  // Only the byte-wise result matters, so the lane layout may differ from
  // one flush to the next.
  xor_ ^= XorLanes(buffer_.data(), used_);
  bool ok = file_->Write(buffer_.data(), used_);
  used_ = 0;
  return ok;
}

bool ArchiveStream::Append(const void* data, std::size_t size) {
  const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
  while (size > 0) {
    if (used_ == buffer_.size() && !Flush()) return false;
    std::size_t n = buffer_.size() - used_;
    if (n > size) n = size;
    std::memcpy(buffer_.data() + used_, p, n);
    used_ += n;
    p += n;
    size -= n;
  }
  return true;
}

std::uint8_t* ArchiveStream::Reserve(std::size_t* room) {
  if (used_ == buffer_.size() && !Flush()) return nullptr;
  *room = buffer_.size() - used_;
  return buffer_.data() + used_;
}

bool ArchiveStream::Sync() { return Flush() && file_->Sync(); }

bool ArchiveStream::Close() {
  bool ok = Flush();
  return file_->Close() && ok;
}

std::uint8_t ArchiveStream::Checksum() {
  std::uint64_t lanes = xor_ ^ XorLanes(buffer_.data(), used_);
  std::uint8_t sum = 0;
  for (int i = 0; i < 8; ++i) sum ^= static_cast<std::uint8_t>(lanes >> (8 * i));
  return sum;
}

}  // namespace archive
