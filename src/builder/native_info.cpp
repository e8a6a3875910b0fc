#include "builder/native_info.h"

#include <cstdint>

#include "builder/messages.h"

namespace builder {

BuildErrorCode ReadNativeInfo(base::FileSystem& files, const std::string& host_path, const std::string& message_path,
                              base::Console& console, ArchiveHeader* header) {
  std::unique_ptr<base::InputFile> file = files.OpenInput(host_path);
  if (!file) {
    Say(console, base::Stream::kErr, Message::kCantOpenFile, message_path.c_str());
    return 0x100000;
  }
  std::uint8_t native[kNativeInfoSize];
  std::size_t have = 0;
  while (have < kNativeInfoSize) {
    std::size_t got = 0;
    if (!file->Read(native + have, kNativeInfoSize - have, &got) || got == 0) break;
    have += got;
  }
  if (have < kNativeInfoSize) {
    Say(console, base::Stream::kErr, Message::kCantReadFile, message_path.c_str());
    return 0x200000;
  }
  header->SetNativeInfo(native);
  return 0;
}

}  // namespace builder
