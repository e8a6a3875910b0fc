#pragma once
// Buffered output of the archive that keeps the exclusive-or of every byte
// written, so the checksum needs no second pass over the file. The buffer
// has a fixed size whatever the sizes of the files copied.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/file_system.h"

namespace archive {

/// Size of the copy buffer.
inline constexpr std::size_t kCopyBufferSize = 256 * 1024;

/// The archive file behind a fixed buffer, with the running checksum.
class ArchiveStream {
 public:
  /// Writes to `file` through a buffer of `capacity` bytes.
  explicit ArchiveStream(std::unique_ptr<base::OutputFile> file, std::size_t capacity = kCopyBufferSize);

  /// Appends bytes; false when a write of the buffer failed.
  bool Append(const void* data, std::size_t size);
  /// Free space at the end of the buffer, for reading straight into it; at
  /// least one byte (the buffer is written out first when it is full).
  /// Null when that write failed.
  std::uint8_t* Reserve(std::size_t* room);
  /// Marks `size` bytes of the reserved space as filled.
  void Commit(std::size_t size) { used_ += size; }
  /// Writes out everything buffered; false on a write error.
  bool Flush();
  /// Flushes and makes the file durable on the storage device; false on an
  /// error.
  bool Sync();
  /// Flushes and closes the file; false on an error.
  bool Close();

  /// Exclusive-or of all bytes appended so far.
  std::uint8_t Checksum();

 private:
  std::unique_ptr<base::OutputFile> file_;
  std::vector<std::uint8_t> buffer_;
  std::size_t used_ = 0;
  std::uint64_t xor_ = 0;  // eight byte lanes, folded by Checksum()
};

/// Exclusive-or of `size` bytes taken eight at a time as 64-bit words;
/// the exclusive-or of the eight bytes of the result is the byte-wise
/// exclusive-or of the data.
std::uint64_t XorLanes(const std::uint8_t* data, std::size_t size);

}  // namespace archive
