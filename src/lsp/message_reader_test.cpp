#include "lsp/message_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lsp {
namespace {

// The events of a stream as one text: "m:BODY" for a message, "bad" and
// "big" for refusals.
std::string Shown(const std::vector<ReadEvent>& events) {
  std::string shown;
  for (const ReadEvent& e : events) {
    if (!shown.empty()) shown += ' ';
    shown += e.kind == ReadEvent::kMessage ? "m:" + e.body.Text() : e.kind == ReadEvent::kBadHeader ? "bad" : "big";
  }
  return shown;
}

// Each stream gives the same events whether it comes whole or byte by byte.
TEST(MessageReaderTest, FramesMessagesAndRefusesWhatItCannotFrame) {
  const struct {
    std::string stream;
    std::string events;
  } cases[] = {
      {"Content-Length: 2\r\n\r\n{}", "m:{}"},
      {"Content-Length: 2\r\n\r\n{}Content-Length: 3\r\n\r\n[1]", "m:{} m:[1]"},
      // Other headers are ignored; names in any case; a bare LF is taken.
      {"Content-Type: application/vscode-jsonrpc; charset=utf-8\r\ncontent-length:  2 \r\n\r\n{}", "m:{}"},
      {"Content-Length: 2\n\n{}", "m:{}"},
      {"Content-Length: 0\r\n\r\n", "m:"},
      // The body is counted in bytes, whatever it holds.
      {"Content-Length: 4\r\n\r\n\r\n\r\nContent-Length: 1\r\n\r\nx", "m:\r\n\r\n m:x"},
      // No length, a length that is no number or given twice: refused, and
      // the next message is read.
      {"Content-Type: x\r\n\r\nContent-Length: 1\r\n\r\nx", "bad m:x"},
      {"Content-Length: -1\r\n\r\nContent-Length: 1\r\n\r\nx", "bad m:x"},
      {"Content-Length: 1\r\nContent-Length: 1\r\n\r\nContent-Length: 1\r\n\r\nx", "bad m:x"},
      {"Content-Length: 99999999999999999999\r\n\r\nContent-Length: 1\r\n\r\nx", "bad m:x"},
      // Over the cap (10 bytes here): refused and its bytes skipped.
      {"Content-Length: 11\r\n\r\n01234567890Content-Length: 1\r\n\r\nx", "big m:x"},
      {"Content-Length: 10\r\n\r\n0123456789", "m:0123456789"},
      // A header block longer than the header cap: refused up to its end.
      {std::string(kMaxHeaderBytes + 10, 'h') + "\r\n\r\nContent-Length: 1\r\n\r\nx", "bad m:x"},
      // Blank lines between messages are no header.
      {"\r\n\r\nContent-Length: 1\r\n\r\nx", "m:x"},
  };
  for (const auto& c : cases) {
    MessageReader whole(10);
    std::vector<ReadEvent> events;
    whole.Feed(c.stream, &events);
    EXPECT_EQ(Shown(events), c.events) << c.stream.substr(0, 60);
    MessageReader bytewise(10);
    std::vector<ReadEvent> piecewise;
    for (char byte : c.stream) bytewise.Feed(std::string_view(&byte, 1), &piecewise);
    EXPECT_EQ(Shown(piecewise), c.events) << c.stream.substr(0, 60);
  }
}

// A body over the cap is dropped as it comes, not held.
TEST(MessageReaderTest, ARefusedBodyIsNotHeld) {
  MessageReader reader(100);
  std::vector<ReadEvent> events;
  reader.Feed("Content-Length: 1000000000\r\n\r\n", &events);
  ASSERT_EQ(Shown(events), "big");
  const std::string chunk(1 << 20, 'x');
  for (int i = 0; i < 10; ++i) reader.Feed(chunk, &events);
  EXPECT_EQ(events.size(), 1u);
  EXPECT_LE(sizeof reader, 512u);  // no buffer grew inside (strings are empty)
}

}  // namespace
}  // namespace lsp
