#pragma once
// Splits the byte stream an editor sends into JSON-RPC messages framed by
// "Content-Length" headers, as the Language Server Protocol has them.

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

/// Largest message body taken, in bytes (64 MiB): a longer one is refused
/// and its bytes are dropped as they come, never held.
inline constexpr std::size_t kMaxMessageBytes = 64u << 20;
/// Longest header block taken, in bytes.
inline constexpr std::size_t kMaxHeaderBytes = 8192;

/// Bytes of each part of a body the reader frames, but its last.
inline constexpr std::size_t kBodyPartBytes = 64 * 1024;

/// A message body in the parts it was read in, so that it can be parsed
/// and let go of part by part rather than held whole beside what is read
/// from it.
class MessageBody {
 public:
  MessageBody() = default;
  /// A body of `text`, in one part.
  explicit MessageBody(std::string text);

  std::size_t size() const { return size_; }
  /// The body as one text.
  std::string Text() const;
  /// Its first `length` bytes (all of it when shorter).
  std::string Start(std::size_t length) const;
  /// Appends `bytes`; `still_to_come` more are expected after them, so that
  /// a part is given room for what it will hold and no more.
  void Append(std::string_view bytes, std::size_t still_to_come);
  bool operator==(const MessageBody& other) const { return Text() == other.Text(); }

  /// The bytes of a body in order, as an input iterator for a parser: each
  /// part is let go (its memory freed) once the cursor has passed it.
  class Cursor {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    Cursor(std::vector<std::string>* parts, std::size_t part) : parts_(parts), part_(part) { SkipEmpty(); }
    const char& operator*() const { return (*parts_)[part_][at_]; }
    Cursor& operator++();
    bool operator==(const Cursor& other) const { return part_ == other.part_ && at_ == other.at_; }

   private:
    void SkipEmpty();
    std::vector<std::string>* parts_;
    std::size_t part_;
    std::size_t at_ = 0;
  };
  /// Cursors over the body's bytes: reading through them empties the body
  /// (size() still tells how many bytes came).
  Cursor begin() { return Cursor(&parts_, 0); }
  Cursor end() { return Cursor(&parts_, parts_.size()); }

 private:
  std::vector<std::string> parts_;
  std::size_t size_ = 0;
};

/// What the reader found in the stream.
struct ReadEvent {
  enum Kind {
    kMessage,    ///< a complete body, in `body`
    kBadHeader,  ///< a header block without a usable Content-Length, or too long; skipped
    kTooLarge,   ///< a body over the cap; its bytes are dropped
  };
  Kind kind = kMessage;
  MessageBody body;
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
  MessageBody body_;
  std::size_t left_ = 0;   // body bytes still to read or drop
};

}  // namespace lsp
