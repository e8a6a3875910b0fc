#include "launcher/text_reader.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace launcher {

bool ReadTextForPage(base::InputFile& file, std::uint64_t size, std::string* text) {
  text->clear();
  if (size >= std::numeric_limits<std::uint32_t>::max()) return false;
  const std::size_t count = static_cast<std::size_t>(size);

  std::unique_ptr<char[]> buffer(new (std::nothrow) char[count + 1]);
  if (!buffer) return false;
  std::memset(buffer.get(), 0, count + 1);
  for (std::size_t done = 0, got = 0; done < count; done += got) {
    if (!file.Read(buffer.get() + done, count - done, &got)) return false;
    if (got == 0) break;  // the file is shorter than it was
  }
  text->assign(buffer.get());  // up to the first NUL byte
  return true;
}

}  // namespace launcher
