#include "lsp/text_document.h"

#include <algorithm>

#include "base/sjis.h"
#include "inf/diagnostic.h"
#include "inf/inf_line_reader.h"

namespace lsp {

std::size_t Utf8CharLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xC2 && lead < 0xE0) {
    length = 2;
  }
  return std::min(length, text.size() - at);
}

namespace {

// Units one character of `length` UTF-8 bytes takes.
int UnitsOf(std::size_t length, PositionEncoding encoding) {
  if (encoding == PositionEncoding::kUtf8) return static_cast<int>(length);
  return length == 4 ? 2 : 1;
}

// Starts of the lines after the first of `text`, each plus `base`, appended.
void AppendLineStarts(std::string_view text, std::size_t base, std::vector<std::uint32_t>* starts) {
  for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
    starts->push_back(static_cast<std::uint32_t>(base + at + 1));
}

}  // namespace

TextDocument::TextDocument(std::string_view text) : bytes_(std::make_shared<std::string>()) { SetText(text); }

bool TextDocument::SetText(std::string_view text) {
  // The image is never longer than the UTF-8 text: each character becomes
  // at most as many bytes as it had.
  if (text.size() > kMaxDocumentBytes) return false;
  if (bytes_.use_count() != 1 || bytes_->capacity() > 2 * text.size() + 4096) {
    bytes_ = std::make_shared<std::string>();  // another holder keeps the old image; or it is far too large
  } else {
    bytes_->clear();
  }
  bytes_->reserve(text.size());
  substitutes_.clear();
  AppendShiftJis(text, bytes_.get(), &substitutes_);
  substitutes_.shrink_to_fit();
  const std::string& bytes = *bytes_;
  std::vector<std::uint32_t> starts;
  starts.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  starts.push_back(0);
  AppendLineStarts(bytes, 0, &starts);
  starts_.swap(starts);
  IndexReaderLines();
  return true;
}

bool TextDocument::Replace(Position from, Position to, std::string_view text, PositionEncoding encoding) {
  std::size_t start = Offset(from, encoding);
  std::size_t end = Offset(to, encoding);
  if (start > end) std::swap(start, end);
  std::string image;
  std::vector<Substitute> added;
  AppendShiftJis(text, &image, &added);
  const std::string& old = *bytes_;
  const std::size_t size = old.size() - (end - start) + image.size();
  if (size > kMaxDocumentBytes) return false;
  const auto shift = [&](std::uint32_t offset) {
    return static_cast<std::uint32_t>(offset - (end - start) + image.size());
  };

  if (bytes_.use_count() == 1) {
    std::string& bytes = *bytes_;
    // Room for some typing, so that each insertion does not copy the text.
    if (size > bytes.capacity()) bytes.reserve(std::min(kMaxDocumentBytes, size + size / 8 + 4096));
    bytes.replace(start, end - start, image);
  } else {
    // A reader still holds the image: it keeps the bytes it opened.
    auto fresh = std::make_shared<std::string>();
    fresh->reserve(size);
    fresh->append(old, 0, start).append(image).append(old, end, std::string::npos);
    bytes_ = std::move(fresh);
  }

  // Substitutes: those of the replaced bytes go, the later ones move, the
  // text's own come in.
  const auto by_offset = [](const Substitute& s, std::size_t at) { return s.offset < at; };
  const auto first = std::lower_bound(substitutes_.begin(), substitutes_.end(), start, by_offset);
  const auto last = std::lower_bound(first, substitutes_.end(), end, by_offset);
  for (auto it = last; it != substitutes_.end(); ++it) it->offset = shift(it->offset);
  for (Substitute& s : added) s.offset += static_cast<std::uint32_t>(start);
  const auto at = substitutes_.erase(first, last);
  substitutes_.insert(at, added.begin(), added.end());

  // Line starts: those after a replaced line break go, the later ones
  // move, the text's own come in.
  const auto first_line = std::upper_bound(starts_.begin(), starts_.end(), start);
  const auto last_line = std::upper_bound(first_line, starts_.end(), end);
  for (auto it = last_line; it != starts_.end(); ++it) *it = shift(*it);
  std::vector<std::uint32_t> new_starts;
  AppendLineStarts(image, start, &new_starts);
  const auto line_at = starts_.erase(first_line, last_line);
  starts_.insert(line_at, new_starts.begin(), new_starts.end());
  IndexReaderLines();
  return true;
}

void TextDocument::IndexReaderLines() {
  pieces_.clear();
  const std::string& bytes = *bytes_;
  bool long_line = false;
  for (std::size_t i = 0; i < starts_.size() && !long_line; ++i) {
    const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : bytes.size();
    long_line = end - starts_[i] > inf::kMaxInfLineBytes;
  }
  if (!long_line) {
    pieces_.shrink_to_fit();
    return;
  }
  // The reader's lines: each physical line (CR LF read as LF) in pieces of
  // at most kMaxInfLineBytes bytes, its line break included.
  for (std::size_t i = 0; i < starts_.size(); ++i) {
    const std::size_t start = starts_[i];
    const bool last = i + 1 == starts_.size();
    std::size_t length = (last ? bytes.size() : starts_[i + 1]) - start;
    if (!last && length >= 2 && bytes[start + length - 2] == '\r') --length;
    for (std::size_t piece = 0; piece < length; piece += inf::kMaxInfLineBytes)
      pieces_.push_back(Piece{static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(piece)});
  }
}

std::size_t TextDocument::LineStart(int line) const {
  if (line < 0) return 0;
  if (line >= line_count()) return bytes_->size();
  return starts_[static_cast<std::size_t>(line)];
}

std::string_view TextDocument::Line(int line) const {
  if (line < 0 || line >= line_count()) return {};
  const std::string& bytes = *bytes_;
  const std::size_t start = starts_[static_cast<std::size_t>(line)];
  std::size_t end = line + 1 < line_count() ? starts_[static_cast<std::size_t>(line) + 1] - 1 : bytes.size();
  if (end > start && bytes[end - 1] == '\r' && end < bytes.size()) --end;
  return std::string_view(bytes).substr(start, end - start);
}

std::string TextDocument::EditorLine(int line) const {
  if (line < 0 || line >= line_count()) return {};
  return EditorText(Line(line), LineStart(line), substitutes_);
}

int TextDocument::CharIndex(Position position, PositionEncoding encoding) const {
  return CharsOfUnits(EditorLine(position.line), position.character, encoding);
}

int TextDocument::Units(int line, int chars, PositionEncoding encoding) const {
  return UnitsOfChars(EditorLine(line), chars, encoding);
}

std::size_t TextDocument::OffsetOfChar(int line, int chars) const {
  const std::string_view text = Line(line);
  std::size_t at = 0;
  for (int i = 0; i < chars && at < text.size(); ++i) at += base::SjisCharSize(text, at);
  return LineStart(line) + at;
}

std::size_t TextDocument::Offset(Position position, PositionEncoding encoding) const {
  if (position.line < 0) return 0;
  if (position.line >= line_count()) return bytes_->size();
  return OffsetOfChar(position.line, CharIndex(position, encoding));
}

std::vector<Unconvertible> TextDocument::UnconvertibleChars() const {
  std::vector<Unconvertible> found;
  const std::string_view bytes = *bytes_;
  // Walks the substitutes in order, counting characters from the last one
  // on the same line, so that many on one long line cost one pass.
  int line = -1;
  std::size_t counted = 0;
  int chars = 0;
  for (const Substitute& s : substitutes_) {
    if (s.convertible) continue;
    const int at_line = static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), s.offset) - starts_.begin()) - 1;
    if (at_line != line) {
      line = at_line;
      counted = LineStart(line);
      chars = 0;
    }
    chars += inf::SjisCharCount(bytes.substr(counted, s.offset - counted));
    counted = s.offset;
    found.push_back(Unconvertible{line, chars, s.code_point});
  }
  return found;
}

void TextDocument::ReaderPlace(int reader_line, int column, int* line, int* char_index) const {
  if (reader_line < 1) reader_line = 1;
  Piece piece{static_cast<std::uint32_t>(std::min(reader_line, line_count()) - 1), 0};
  if (!pieces_.empty()) piece = pieces_[std::min(static_cast<std::size_t>(reader_line), pieces_.size()) - 1];
  const int at_line = static_cast<int>(piece.line);
  const std::string_view text = Line(at_line);
  std::size_t at = std::min<std::size_t>(piece.start, text.size());
  for (int i = 1; i < column && at < text.size(); ++i) at += base::SjisCharSize(text, at);
  *line = at_line;
  *char_index = inf::SjisCharCount(text.substr(0, std::min(at, text.size())));
}

int UnitsOfChars(std::string_view line, int chars, PositionEncoding encoding) {
  int units = 0;
  std::size_t at = 0;
  for (int i = 0; i < chars && at < line.size(); ++i) {
    const std::size_t length = Utf8CharLength(line, at);
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
    const std::size_t length = Utf8CharLength(line, at);
    const int step = UnitsOf(length, encoding);
    if (taken + step > units) break;
    taken += step;
    at += length;
    ++chars;
  }
  return chars;
}

}  // namespace lsp
