#pragma once
// An editor buffer as the builder's checks read it: its UTF-8 text converted
// to Shift-JIS, the characters that have no Shift-JIS form, and the way back
// from the reader's lines and columns to the buffer's positions.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/text_document.h"

namespace lsp {

/// A character of the buffer that code page 932 cannot hold.
struct Unconvertible {
  int line = 0;             ///< zero-based line of the buffer
  int char_index = 0;       ///< characters before it in its line
  std::uint32_t code_point = 0;
};

/// The Shift-JIS form of a buffer. Each character without a Shift-JIS form
/// becomes one "?", so lines and character counts stay those of the buffer.
class ShiftJisImage {
 public:
  explicit ShiftJisImage(const TextDocument& document);

  const std::string& bytes() const { return *bytes_; }
  /// The bytes, shared (for the overlay the checks read).
  std::shared_ptr<const std::string> shared_bytes() const { return bytes_; }
  const std::vector<Unconvertible>& unconvertible() const { return unconvertible_; }
  /// Line `line` without its line break (as TextDocument::Line).
  std::string_view Line(int line) const;

  /// Where the reader's 1-based line `reader_line` and 1-based column
  /// `column` (characters, a double-byte character as one) stand in the
  /// buffer: zero-based line and characters before it. The reader cuts a
  /// line longer than its limit into several, each with its own number.
  void ReaderPlace(int reader_line, int column, int* line, int* char_index) const;

 private:
  std::shared_ptr<std::string> bytes_;
  std::vector<std::size_t> starts_;
  std::vector<Unconvertible> unconvertible_;
  // For each reader line: the buffer's line and the byte where it starts;
  // empty when no line is longer than the reader's limit (reader line n is
  // then the buffer's line n - 1).
  struct Piece {
    int line;
    std::size_t start;
  };
  std::vector<Piece> pieces_;
};

}  // namespace lsp
