#include "builder/native_info.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "builder/messages.h"

namespace builder {

BuildErrorCode ReadNativeInfo(base::Folder& folder, const base::DirEntry& entry, const std::string& message_path,
                              base::Console& console, archive::ArchiveHeader* header) {
  base::FolderOpen result = base::FolderOpen::kFailed;
  std::unique_ptr<base::InputFile> file = folder.OpenListed(entry, &result);
  if (result == base::FolderOpen::kChanged) {
    Say(console, base::Stream::kErr, Message::kEntryChanged, message_path.c_str());
    return 0x300000;
  }
  if (!file) {
    Say(console, base::Stream::kErr, Message::kCantOpenFile, message_path.c_str());
    return 0x100000;
  }
  std::uint8_t native[archive::kNativeInfoSize];
  std::size_t have = 0;
  while (have < archive::kNativeInfoSize) {
    std::size_t got = 0;
    if (!file->Read(native + have, archive::kNativeInfoSize - have, &got) || got == 0) break;
    have += got;
  }
  if (have < archive::kNativeInfoSize) {
    Say(console, base::Stream::kErr, Message::kCantReadFile, message_path.c_str());
    Say(console, base::Stream::kErr, Message::kNativeInfoSizeFound, static_cast<unsigned long long>(have),
        static_cast<unsigned>(archive::kNativeInfoSize));
    return 0x200000;
  }
  std::uint8_t more = 0;
  std::size_t got = 0;
  if (file->Read(&more, 1, &got) && got == 1) {
    Say(console, base::Stream::kWarning, Message::kNativeInfoTooLong, static_cast<unsigned long long>(entry.size),
        static_cast<unsigned>(archive::kNativeInfoSize), static_cast<unsigned>(archive::kNativeInfoSize), message_path.c_str());
  }
  header->SetNativeInfo(native);
  return 0;
}

bool HoldsPlaceholderNativeInfo(const archive::ArchiveHeader& header) {
  const std::string_view marker = kPlaceholderMarker;
  const auto& bytes = header.bytes();
  return std::equal(marker.begin(), marker.end(), bytes.begin() + archive::kPlatformBlockAt,
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

}  // namespace builder
