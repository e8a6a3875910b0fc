#include "lsp/sjis_image.h"

#include <algorithm>

#include "base/encoding.h"
#include "base/sjis.h"
#include "inf/diagnostic.h"
#include "inf/inf_line_reader.h"

namespace lsp {
namespace {

std::uint32_t CodePoint(std::string_view utf8) {
  const auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(utf8[i])); };
  switch (utf8.size()) {
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    case 4: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    default: return b(0);
  }
}

// Converts one line character by character, each one without a Shift-JIS
// form becoming "?".
void ConvertLine(std::string_view text, int line, std::string* out, std::vector<Unconvertible>* bad) {
  std::string converted;
  int chars = 0;
  for (std::size_t at = 0; at < text.size(); ++chars) {
    const std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
    const std::string_view character = text.substr(at, length);
    if (base::Utf8ToCp932(character, &converted)) {
      out->append(converted);
    } else {
      out->push_back('?');
      bad->push_back(Unconvertible{line, chars, CodePoint(character)});
    }
    at += length;
  }
}

// Converts lines [first, last) of `document`: all at once when that works,
// otherwise by halves, so that a few bad characters in a long buffer cost
// few conversions.
void ConvertLines(const TextDocument& document, int first, int last, std::string* out,
                  std::vector<Unconvertible>* bad) {
  const std::size_t start = document.LineStart(first);
  const std::size_t end = document.LineStart(last);
  const std::string_view text = std::string_view(document.text()).substr(start, end - start);
  std::string converted;
  if (base::Utf8ToCp932(text, &converted)) {
    out->append(converted);
    return;
  }
  if (last - first == 1) {
    // The line with its break: the break is ASCII and converts as it is.
    ConvertLine(text, first, out, bad);
    return;
  }
  const int middle = first + (last - first) / 2;
  ConvertLines(document, first, middle, out, bad);
  ConvertLines(document, middle, last, out, bad);
}

}  // namespace

ShiftJisImage::ShiftJisImage(const TextDocument& document) : bytes_(std::make_shared<std::string>()) {
  std::string& bytes = *bytes_;
  bytes.reserve(document.text().size());
  ConvertLines(document, 0, document.line_count(), &bytes, &unconvertible_);
  starts_.assign(1, 0);
  bool long_line = false;
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    long_line = long_line || at + 1 - starts_.back() > inf::kMaxInfLineBytes;
    starts_.push_back(at + 1);
  }
  long_line = long_line || bytes.size() - starts_.back() > inf::kMaxInfLineBytes;
  if (!long_line) return;
  // The reader's lines: each physical line (CR LF read as LF) in pieces of
  // at most kMaxInfLineBytes bytes, its line break included.
  for (std::size_t i = 0; i < starts_.size(); ++i) {
    const std::size_t start = starts_[i];
    const bool last = i + 1 == starts_.size();
    std::size_t length = (last ? bytes.size() : starts_[i + 1]) - start;
    if (!last && length >= 2 && bytes[start + length - 2] == '\r') --length;
    for (std::size_t piece = 0; piece < length; piece += inf::kMaxInfLineBytes)
      pieces_.push_back(Piece{static_cast<int>(i), piece});
  }
}

std::string_view ShiftJisImage::Line(int line) const {
  if (line < 0 || line >= static_cast<int>(starts_.size())) return {};
  const std::size_t start = starts_[static_cast<std::size_t>(line)];
  const std::string& bytes = *bytes_;
  std::size_t end = static_cast<std::size_t>(line) + 1 < starts_.size() ? starts_[line + 1] - 1 : bytes.size();
  if (end > start && bytes[end - 1] == '\r' && end < bytes.size()) --end;
  return std::string_view(bytes).substr(start, end - start);
}

void ShiftJisImage::ReaderPlace(int reader_line, int column, int* line, int* char_index) const {
  if (reader_line < 1) reader_line = 1;
  Piece piece{std::min(reader_line, static_cast<int>(starts_.size())) - 1, 0};
  if (!pieces_.empty()) piece = pieces_[std::min(static_cast<std::size_t>(reader_line), pieces_.size()) - 1];
  const std::string_view text = Line(piece.line);
  std::size_t at = std::min(piece.start, text.size());
  for (int i = 1; i < column && at < text.size(); ++i) at += base::SjisCharSize(text, at);
  *line = piece.line;
  *char_index = inf::SjisCharCount(text.substr(0, std::min(at, text.size())));
}

}  // namespace lsp
