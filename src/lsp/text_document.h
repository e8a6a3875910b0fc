#pragma once
// An open editor buffer as UTF-8 text, with the positions the Language
// Server Protocol speaks in: zero-based lines and characters counted in
// UTF-16 code units (the default) or in UTF-8 bytes, as negotiated.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

enum class PositionEncoding { kUtf16, kUtf8 };

/// A place in a document: zero-based line, and character in the units of
/// the negotiated encoding.
struct Position {
  int line = 0;
  int character = 0;
  bool operator==(const Position&) const = default;
};

/// A document's text and its line starts. Lines end with LF (a CR before it
/// belongs to the line break).
class TextDocument {
 public:
  explicit TextDocument(std::string text = {});

  const std::string& text() const { return text_; }
  int line_count() const { return static_cast<int>(starts_.size()); }
  /// Line `line` without its line break; empty beyond the last line.
  std::string_view Line(int line) const;
  /// Byte offset of line `line`'s start (the text's size beyond the last).
  std::size_t LineStart(int line) const;

  /// Byte offset of `position`. A character beyond the line's end stands
  /// for the end of the line; a line beyond the last for the end of the
  /// text; a character inside a UTF-16 surrogate pair for the pair's start.
  std::size_t Offset(Position position, PositionEncoding encoding) const;
  /// Position of byte offset `offset` (clamped to the text).
  Position PositionAt(std::size_t offset, PositionEncoding encoding) const;

  /// Replaces the bytes from `start` to `end` (clamped, start <= end) with
  /// `text`.
  void Replace(std::size_t start, std::size_t end, std::string_view text);
  /// Replaces the whole text.
  void SetText(std::string text);

 private:
  void IndexLines();

  std::string text_;
  std::vector<std::size_t> starts_;
};

/// Units of `encoding` that the first `chars` characters (code points) of
/// UTF-8 `line` take; the whole line's when it has fewer.
int UnitsOfChars(std::string_view line, int chars, PositionEncoding encoding);

/// Characters (code points) in the first `units` units of UTF-8 `line`.
int CharsOfUnits(std::string_view line, int units, PositionEncoding encoding);

/// Byte length of the UTF-8 sequence that begins with `lead` (1 for a byte
/// that begins none).
std::size_t Utf8SequenceLength(unsigned char lead);

}  // namespace lsp
