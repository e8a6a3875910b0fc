#pragma once
// The archive's fixed 256-byte header record (layout in archive_format.h).

#include <array>
#include <cstddef>
#include <cstdint>

#include "archive/archive_format.h"

namespace archive {

/// The header record, filled in two stages: the scan places the three
/// blocks of Native.ina, the header phase the counts, masks and destination.
class ArchiveHeader {
 public:
  ArchiveHeader() { bytes_.fill(0); }

  /// Copies the platform (0-135), OS version (136-155) and CPU type
  /// (156-191) blocks of a Native.ina image into their places.
  void SetNativeInfo(const std::uint8_t (&native)[kNativeInfoSize]);

  /// Fills the length, entry count, the three masks and the destination.
  void SetFields(std::uint16_t entry_count, std::uint32_t platform_mask, std::uint32_t os_version_mask,
                 std::uint32_t cpu_type_mask, std::uint32_t destination);

  const std::array<std::uint8_t, kHeaderSize>& bytes() const { return bytes_; }

 private:
  std::array<std::uint8_t, kHeaderSize> bytes_;
};

}  // namespace archive
