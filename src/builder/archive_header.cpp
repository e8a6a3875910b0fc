#include "builder/archive_header.h"

#include <cstring>

namespace builder {
namespace {

constexpr std::size_t kPlatformBlockAt = 0x08, kPlatformBlockSize = 136;
constexpr std::size_t kOsBlockAt = 0x98, kOsBlockSize = 20;
constexpr std::size_t kCpuBlockAt = 0xB4, kCpuBlockSize = 36;

}  // namespace

void ArchiveHeader::SetNativeInfo(const std::uint8_t (&native)[kNativeInfoSize]) {
  std::memcpy(&bytes_[kPlatformBlockAt], native, kPlatformBlockSize);
  std::memcpy(&bytes_[kOsBlockAt], native + kPlatformBlockSize, kOsBlockSize);
  std::memcpy(&bytes_[kCpuBlockAt], native + kPlatformBlockSize + kOsBlockSize, kCpuBlockSize);
}

void ArchiveHeader::SetFields(std::uint16_t entry_count, std::uint32_t platform_mask,
                              std::uint32_t os_version_mask, std::uint32_t cpu_type_mask,
                              std::uint32_t destination) {
  PutLe32(&bytes_[0xDC], destination);
  PutLe16(&bytes_[0x00], static_cast<std::uint16_t>(kHeaderSize));
  PutLe16(&bytes_[0x02], entry_count);
  PutLe32(&bytes_[0x04], platform_mask);
  PutLe32(&bytes_[0x94], os_version_mask);
  PutLe32(&bytes_[0xB0], cpu_type_mask);
}

}  // namespace builder
