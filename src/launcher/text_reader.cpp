#include "launcher/text_reader.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace launcher {

bool ReadTextForPage(TextSource& source, std::string* text) {
  text->clear();
  std::uint64_t size = 0;
  if (!source.Size(&size)) return false;
  if (size >= std::numeric_limits<std::uint32_t>::max()) return false;
  const std::uint32_t count = static_cast<std::uint32_t>(size);

  std::unique_ptr<char[]> buffer(new (std::nothrow) char[std::size_t{count} + 1]);
  if (!buffer) return false;
  std::memset(buffer.get(), 0, std::size_t{count} + 1);
  std::uint32_t read = 0;
  if (!source.Read(buffer.get(), count, &read)) return false;
  text->assign(buffer.get());  // up to the first NUL byte
  return true;
}

}  // namespace launcher
