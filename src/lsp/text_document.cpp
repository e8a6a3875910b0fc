#include "lsp/text_document.h"

#include <algorithm>

namespace lsp {

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

namespace {

// Units one character of `length` UTF-8 bytes takes.
int UnitsOf(std::size_t length, PositionEncoding encoding) {
  if (encoding == PositionEncoding::kUtf8) return static_cast<int>(length);
  return length == 4 ? 2 : 1;
}

}  // namespace

TextDocument::TextDocument(std::string text) : text_(std::move(text)) { IndexLines(); }

void TextDocument::IndexLines() {
  starts_.assign(1, 0);
  for (std::size_t at = text_.find('\n'); at != std::string::npos; at = text_.find('\n', at + 1))
    starts_.push_back(at + 1);
}

std::size_t TextDocument::LineStart(int line) const {
  if (line < 0) return 0;
  if (line >= line_count()) return text_.size();
  return starts_[static_cast<std::size_t>(line)];
}

std::string_view TextDocument::Line(int line) const {
  if (line < 0 || line >= line_count()) return {};
  const std::size_t start = starts_[static_cast<std::size_t>(line)];
  std::size_t end = line + 1 < line_count() ? starts_[static_cast<std::size_t>(line) + 1] - 1 : text_.size();
  if (end > start && text_[end - 1] == '\r' && end < text_.size()) --end;
  return std::string_view(text_).substr(start, end - start);
}

std::size_t TextDocument::Offset(Position position, PositionEncoding encoding) const {
  if (position.line < 0) return 0;
  if (position.line >= line_count()) return text_.size();
  const std::string_view line = Line(position.line);
  std::size_t at = 0;
  int units = 0;
  while (at < line.size()) {
    const std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(line[at])), line.size() - at);
    const int step = UnitsOf(length, encoding);
    if (units + step > position.character) break;
    units += step;
    at += length;
  }
  return LineStart(position.line) + at;
}

Position TextDocument::PositionAt(std::size_t offset, PositionEncoding encoding) const {
  offset = std::min(offset, text_.size());
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const int line = static_cast<int>(after - starts_.begin()) - 1;
  const std::string_view text = Line(line);
  const std::size_t within = std::min(offset - LineStart(line), text.size());
  int units = 0;
  for (std::size_t at = 0; at < within;) {
    const std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
    units += UnitsOf(length, encoding);
    at += length;
  }
  return Position{line, units};
}

void TextDocument::Replace(std::size_t start, std::size_t end, std::string_view text) {
  end = std::min(end, text_.size());
  start = std::min(start, end);
  text_.replace(start, end - start, text);
  IndexLines();
}

void TextDocument::SetText(std::string text) {
  text_ = std::move(text);
  IndexLines();
}

int UnitsOfChars(std::string_view line, int chars, PositionEncoding encoding) {
  int units = 0;
  std::size_t at = 0;
  for (int i = 0; i < chars && at < line.size(); ++i) {
    const std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(line[at])), line.size() - at);
    units += UnitsOf(length, encoding);
    at += length;
  }
  return units;
}

int CharsOfUnits(std::string_view line, int units, PositionEncoding encoding) {
  int chars = 0;
  int taken = 0;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(line[at])), line.size() - at);
    const int step = UnitsOf(length, encoding);
    if (taken + step > units) break;
    taken += step;
    at += length;
    ++chars;
  }
  return chars;
}

}  // namespace lsp
