#pragma once
// An open editor buffer, held once: as the Shift-JIS image the builder's
// checks read (shared with the overlay that stands in for its file), a table
// of line starts, and the few characters whose image is not the editor's
// character. The editor speaks UTF-8 and positions of zero-based lines and
// characters counted in UTF-16 code units (the default) or in UTF-8 bytes,
// as negotiated; a line is turned back into the editor's text when a
// position on it is wanted.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/sjis_image.h"

namespace lsp {

enum class PositionEncoding { kUtf16, kUtf8 };

/// A place in a document: zero-based line, and character in the units of
/// the negotiated encoding.
struct Position {
  int line = 0;
  int character = 0;
  bool operator==(const Position&) const = default;
};

/// A character of the buffer that code page 932 cannot hold.
struct Unconvertible {
  int line = 0;             ///< zero-based line of the buffer
  int char_index = 0;       ///< characters before it in its line
  std::uint32_t code_point = 0;
};

/// Largest image a document holds, in bytes: its offsets and line starts
/// are 32-bit.
inline constexpr std::size_t kMaxDocumentBytes = 0xFFFFFFF0u;

/// A buffer as its Shift-JIS image. Lines end with LF (a CR before it
/// belongs to the line break).
class TextDocument {
 public:
  /// The image of UTF-8 `text` (see SetText).
  explicit TextDocument(std::string_view text = {});

  /// The Shift-JIS image of the whole buffer.
  const std::string& bytes() const { return *bytes_; }
  /// The image, shared (for the overlay the checks read). An edit never
  /// changes bytes another holder still reads: it writes a new image then.
  std::shared_ptr<const std::string> shared_bytes() const { return bytes_; }
  int line_count() const { return static_cast<int>(starts_.size()); }
  /// Line `line` of the image without its line break; empty beyond the
  /// last line.
  std::string_view Line(int line) const;
  /// Line `line` as the editor holds it (UTF-8), without its line break.
  std::string EditorLine(int line) const;
  /// Byte offset of line `line`'s start in the image (its size beyond the
  /// last).
  std::size_t LineStart(int line) const;

  /// Characters before `position` in its line. A character beyond the
  /// line's end stands for the end of the line; one inside a UTF-16
  /// surrogate pair or a UTF-8 sequence for that character's start.
  int CharIndex(Position position, PositionEncoding encoding) const;
  /// Units of `encoding` that the first `chars` characters of line `line`
  /// take; the whole line's when it has fewer.
  int Units(int line, int chars, PositionEncoding encoding) const;
  /// Byte offset in the image of `position` (a line beyond the last stands
  /// for the end of the text).
  std::size_t Offset(Position position, PositionEncoding encoding) const;

  /// Replaces the text from `start` to `end` (in either order) with UTF-8
  /// `text`. False, and nothing changed, when the image would grow beyond
  /// kMaxDocumentBytes.
  bool Replace(Position start, Position end, std::string_view text, PositionEncoding encoding);
  /// Replaces the whole text with UTF-8 `text`; false, and nothing changed,
  /// when its image would be larger than kMaxDocumentBytes.
  bool SetText(std::string_view text);

  /// The characters code page 932 cannot hold (each "?" in the image), in
  /// order.
  std::vector<Unconvertible> UnconvertibleChars() const;

  /// Where the reader's 1-based line `reader_line` and 1-based column
  /// `column` (characters, a double-byte character as one) stand in the
  /// buffer: zero-based line and characters before it. The reader cuts a
  /// line longer than its limit into several, each with its own number.
  void ReaderPlace(int reader_line, int column, int* line, int* char_index) const;

 private:
  // Byte offset in the image of `chars` characters into line `line`.
  std::size_t OffsetOfChar(int line, int chars) const;
  void IndexReaderLines();

  std::shared_ptr<std::string> bytes_;
  std::vector<std::uint32_t> starts_;  // byte offset of each line's start
  std::vector<Substitute> substitutes_;  // in offset order
  // For each reader line: the buffer's line and the byte where it starts;
  // empty when no line is longer than the reader's limit (reader line n is
  // then the buffer's line n - 1).
  struct Piece {
    std::uint32_t line;
    std::uint32_t start;
  };
  std::vector<Piece> pieces_;
};

/// Units of `encoding` that the first `chars` characters (code points) of
/// UTF-8 `line` take; the whole line's when it has fewer.
int UnitsOfChars(std::string_view line, int chars, PositionEncoding encoding);

/// Characters (code points) in the first `units` units of UTF-8 `line`.
int CharsOfUnits(std::string_view line, int units, PositionEncoding encoding);

/// Byte length of the UTF-8 character that begins at `text[at]` as its lead
/// byte tells it (1 for a byte that begins none), cut at the end of `text`.
std::size_t Utf8CharLength(std::string_view text, std::size_t at);

}  // namespace lsp
