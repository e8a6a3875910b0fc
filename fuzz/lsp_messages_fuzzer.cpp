// pakmak-lsp's message reader: the input is the byte stream, its first byte
// the size of the pieces it comes in. Whatever the pieces, the reader hands
// out the same events, and no message body is longer than the cap.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "lsp/message_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = data[0] % 32 + 1;
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
  constexpr std::size_t kCap = 200;

  lsp::MessageReader whole(kCap);
  std::vector<lsp::ReadEvent> expected;
  whole.Feed(stream, &expected);

  lsp::MessageReader pieces(kCap);
  std::vector<lsp::ReadEvent> got;
  for (std::size_t at = 0; at < stream.size(); at += piece) pieces.Feed(stream.substr(at, piece), &got);

  FUZZ_CHECK(got.size() == expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    FUZZ_CHECK(got[i].kind == expected[i].kind);
    FUZZ_CHECK(got[i].body == expected[i].body);
    FUZZ_CHECK(got[i].body.size() <= kCap);
  }
  return 0;
}
