#pragma once
// The install archive (".lvar"), byte by byte: the one definition that the
// builder's writer and every reader use. All integers are little-endian.
//
//   header   256 bytes (offsets below)
//   entries  one per file: install information files (kind 1) first, then
//            program files (kind 2), then data files (kind 3)
//   checksum 1 byte: the exclusive-or of every byte before it, so that the
//            exclusive-or of a whole archive is 0
//
// Header:
//   0x00 u16 0x0100 (header length)   0x02 u16 number of entries
//   0x04 u32 platform mask            0x08 136 bytes platform information
//   0x90 4 zero bytes
//   0x94 u32 OS version mask          0x98 20 bytes OS version information
//   0xAC 4 zero bytes
//   0xB0 u32 CPU type mask            0xB4 36 bytes CPU type information
//   0xD8 4 zero bytes
//   0xDC u32 destination code         0xE0 32 zero bytes
//
// Entry (N = name length in bytes without the NUL, S = content size):
//   +0     u32 length of the rest of the entry, N + S + 9
//   +4     u16 zero
//   +6     u8  kind (EntryKind)
//   +7     u8  N
//   +8     N bytes of name (Shift-JIS, no folder part) and a NUL
//   +9+N   u32 S
//   +13+N  S bytes of content

#include <cstddef>
#include <cstdint>

namespace archive {

inline constexpr std::size_t kHeaderSize = 256;
/// The value of the header's first field.
inline constexpr std::uint16_t kHeaderLengthValue = 0x0100;

/// Header field offsets.
inline constexpr std::size_t kHeaderLengthAt = 0x00;
inline constexpr std::size_t kEntryCountAt = 0x02;
inline constexpr std::size_t kPlatformMaskAt = 0x04;
inline constexpr std::size_t kPlatformBlockAt = 0x08, kPlatformBlockSize = 136;
inline constexpr std::size_t kOsVersionMaskAt = 0x94;
inline constexpr std::size_t kOsBlockAt = 0x98, kOsBlockSize = 20;
inline constexpr std::size_t kCpuTypeMaskAt = 0xB0;
inline constexpr std::size_t kCpuBlockAt = 0xB4, kCpuBlockSize = 36;
inline constexpr std::size_t kDestinationAt = 0xDC;

/// Header ranges that are always zero: {offset, size}.
inline constexpr std::size_t kZeroRanges[][2] = {{0x90, 4}, {0xAC, 4}, {0xD8, 4}, {0xE0, 32}};

/// Native.ina: the device description whose first 192 bytes are the three
/// information blocks, platform, OS version and CPU type, in that order.
inline constexpr std::size_t kNativeInfoSize = kPlatformBlockSize + kOsBlockSize + kCpuBlockSize;
static_assert(kNativeInfoSize == 192);

/// Kind of an archive entry, decided by the file's extension.
enum class EntryKind : std::uint8_t {
  kInstallInfo = 1,  ///< ".INF"
  kProgram = 2,      ///< ".EXE", ".DLL", ".VB"
  kData = 3,         ///< every other file
};

/// Entry field offsets, from the start of the entry.
inline constexpr std::size_t kEntryLengthAt = 0;
inline constexpr std::size_t kEntryZeroAt = 4;
inline constexpr std::size_t kEntryKindAt = 6;
inline constexpr std::size_t kEntryNameLengthAt = 7;
inline constexpr std::size_t kEntryNameAt = 8;
/// Bytes before the name: length, zero, kind, N.
inline constexpr std::size_t kEntryFixedSize = 8;
/// Size of the u32 S that follows the name's NUL.
inline constexpr std::size_t kEntrySizeFieldSize = 4;
/// The length field counts everything after itself: 2 + 1 + 1 + N + 1 + 4 + S.
inline constexpr std::uint32_t kEntryOverhead = 9;

/// Limits of the count, name length and size fields.
inline constexpr std::uint64_t kMaxEntries = 0xFFFF;
inline constexpr std::size_t kMaxNameLength = 255;
inline constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFull;

/// Destination codes (`Destination` of App Information) and their words.
inline constexpr std::uint32_t kDestinationCount = 4;
inline constexpr const char* kDestinationWords[kDestinationCount] = {"", "MAINMEM_ONLY", "STORAGE_ONLY",
                                                                     "ALTERNATIVE"};

/// Stores `value` little-endian at `out`, whatever the host's byte order.
inline void PutLe16(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void PutLe32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

/// Reads a little-endian value at `in`.
inline std::uint16_t GetLe16(const std::uint8_t* in) {
  return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}
inline std::uint32_t GetLe32(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
         (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}

}  // namespace archive
