// The launcher's text reader: a page shows the file's text up to its first
// NUL byte, whatever the file holds.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "launcher/text_reader.h"

namespace {

// A file held in memory; the first input byte picks how reads end.
class MemorySource : public launcher::TextSource {
 public:
  MemorySource(std::string_view bytes, bool short_read) : bytes_(bytes), short_read_(short_read) {}
  bool Size(std::uint64_t* size) override {
    *size = bytes_.size();
    return true;
  }
  bool Read(char* buffer, std::uint32_t count, std::uint32_t* read) override {
    std::size_t n = std::min<std::size_t>(count, bytes_.size());
    if (short_read_ && n > 0) --n;
    std::memcpy(buffer, bytes_.data(), n);
    *read = static_cast<std::uint32_t>(n);
    return true;
  }

 private:
  std::string_view bytes_;
  bool short_read_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool short_read = data[0] & 1;
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  MemorySource source(bytes, short_read);
  std::string text;
  FUZZ_CHECK(launcher::ReadTextForPage(source, &text));
  std::string_view expected = bytes.substr(0, short_read && !bytes.empty() ? bytes.size() - 1 : bytes.size());
  expected = expected.substr(0, expected.find('\0'));
  FUZZ_CHECK(text == expected);
  return 0;
}
