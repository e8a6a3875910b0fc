#pragma once
// The archive's fixed 256-byte header and the little-endian field helpers.
//
//   0x00 u16 0x0100 (header length)   0x02 u16 number of entries
//   0x04 u32 platform mask            0x08 136 bytes platform information
//   0x94 u32 OS version mask          0x98 20 bytes OS version information
//   0xB0 u32 CPU type mask            0xB4 36 bytes CPU type information
//   0xDC u32 destination code         everything else zero

#include <array>
#include <cstddef>
#include <cstdint>

namespace builder {

inline constexpr std::size_t kHeaderSize = 256;
inline constexpr std::size_t kNativeInfoSize = 192;

/// Stores `value` little-endian at `out`, whatever the host's byte order.
inline void PutLe16(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void PutLe32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

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

}  // namespace builder
