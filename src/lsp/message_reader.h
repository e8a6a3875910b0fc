#pragma once
// Splits the byte stream an editor sends into JSON-RPC messages framed by
// "Content-Length" headers, as the Language Server Protocol has them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

/// Largest message body taken, in bytes (64 MiB): a longer one is refused
/// and its bytes are dropped as they come, never held.
inline constexpr std::size_t kMaxMessageBytes = 64u << 20;
/// Longest header block taken, in bytes.
inline constexpr std::size_t kMaxHeaderBytes = 8192;

/// What the reader found in the stream.
struct ReadEvent {
  enum Kind {
    kMessage,    ///< a complete body, in `body`
    kBadHeader,  ///< a header block without a usable Content-Length, or too long; skipped
    kTooLarge,   ///< a body over the cap; its bytes are dropped
  };
  Kind kind = kMessage;
  std::string body;
};

/// Takes the stream in pieces of any size and hands out what each piece
/// completes. A header line ends with CR LF (a bare LF is taken too); the
/// header block ends with an empty line; names are matched without regard
/// to ASCII case and headers other than Content-Length are ignored.
class MessageReader {
 public:
  explicit MessageReader(std::size_t max_body = kMaxMessageBytes) : max_body_(max_body) {}

  /// Reads `bytes`, appending an event for each message, refusal or bad
  /// header they complete.
  void Feed(std::string_view bytes, std::vector<ReadEvent>* events);

 private:
  bool ReadHeaderLine(std::string_view* bytes, std::vector<ReadEvent>* events);
  void EndHeaders(std::vector<ReadEvent>* events);

  enum class State { kHeader, kBody, kSkipBody, kSkipHeader };
  std::size_t max_body_;
  State state_ = State::kHeader;
  std::string line_;       // the header line read so far
  std::size_t header_bytes_ = 0;
  int header_lines_ = 0;  // lines of the block so far
  bool length_seen_ = false;
  bool length_bad_ = false;
  std::size_t length_ = 0;
  std::string body_;
  std::size_t left_ = 0;   // body bytes still to read or drop
};

}  // namespace lsp
