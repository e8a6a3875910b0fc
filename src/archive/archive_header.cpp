#include "archive/archive_header.h"

#include <cstring>

namespace archive {

void ArchiveHeader::SetNativeInfo(const std::uint8_t (&native)[kNativeInfoSize]) {
  std::memcpy(&bytes_[kPlatformBlockAt], native, kPlatformBlockSize);
  std::memcpy(&bytes_[kOsBlockAt], native + kPlatformBlockSize, kOsBlockSize);
  std::memcpy(&bytes_[kCpuBlockAt], native + kPlatformBlockSize + kOsBlockSize, kCpuBlockSize);
}

void ArchiveHeader::SetFields(std::uint16_t entry_count, std::uint32_t platform_mask,
                              std::uint32_t os_version_mask, std::uint32_t cpu_type_mask,
                              std::uint32_t destination) {
  PutLe32(&bytes_[kDestinationAt], destination);
  PutLe16(&bytes_[kHeaderLengthAt], kHeaderLengthValue);
  PutLe16(&bytes_[kEntryCountAt], entry_count);
  PutLe32(&bytes_[kPlatformMaskAt], platform_mask);
  PutLe32(&bytes_[kOsVersionMaskAt], os_version_mask);
  PutLe32(&bytes_[kCpuTypeMaskAt], cpu_type_mask);
}

}  // namespace archive
