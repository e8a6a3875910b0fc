#include "lsp/text_document.h"

#include <gtest/gtest.h>

#include "lsp/sjis_image.h"

namespace lsp {
namespace {

constexpr auto k16 = PositionEncoding::kUtf16;
constexpr auto k8 = PositionEncoding::kUtf8;

// "a", Japanese "あ" (3 UTF-8 bytes, 1 UTF-16 unit), an emoji (4 bytes, a
// surrogate pair), "b"; then a CR LF line and a last line without a break.
const std::string kText = "a\xE3\x81\x82\xF0\x9F\x98\x80" "b\r\nxy\nz";

TEST(TextDocumentTest, PositionsInEitherEncoding) {
  const TextDocument doc(kText);
  ASSERT_EQ(doc.line_count(), 3);
  EXPECT_EQ(doc.Line(0), "a\xE3\x81\x82\xF0\x9F\x98\x80" "b");
  EXPECT_EQ(doc.Line(1), "xy");
  EXPECT_EQ(doc.Line(2), "z");
  const struct {
    Position position;
    PositionEncoding encoding;
    std::size_t offset;
  } cases[] = {
      {{0, 0}, k16, 0},  {{0, 1}, k16, 1},   {{0, 2}, k16, 4},  {{0, 3}, k16, 4},  // inside the pair: its start
      {{0, 4}, k16, 8},  {{0, 5}, k16, 9},   {{0, 99}, k16, 9},                   // beyond the end: the end
      {{0, 4}, k8, 4},   {{0, 8}, k8, 8},    {{0, 2}, k8, 1},                     // inside a character: its start
      {{1, 1}, k16, 12}, {{2, 1}, k16, 15},  {{7, 0}, k16, kText.size()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(doc.Offset(c.position, c.encoding), c.offset) << c.position.line << ":" << c.position.character;
  }
  EXPECT_EQ(doc.PositionAt(8, k16), (Position{0, 4}));
  EXPECT_EQ(doc.PositionAt(8, k8), (Position{0, 8}));
  EXPECT_EQ(doc.PositionAt(12, k16), (Position{1, 1}));
  EXPECT_EQ(UnitsOfChars(doc.Line(0), 3, k16), 4);
  EXPECT_EQ(UnitsOfChars(doc.Line(0), 3, k8), 8);
  EXPECT_EQ(CharsOfUnits(doc.Line(0), 4, k16), 3);
  EXPECT_EQ(CharsOfUnits(doc.Line(0), 3, k16), 2);
}

TEST(TextDocumentTest, ReplaceKeepsTheLinesRight) {
  TextDocument doc("one\ntwo\nthree");
  doc.Replace(doc.Offset({0, 3}, k16), doc.Offset({1, 0}, k16), "");
  EXPECT_EQ(doc.text(), "onetwo\nthree");
  EXPECT_EQ(doc.line_count(), 2);
  doc.Replace(doc.Offset({1, 5}, k16), doc.Offset({9, 0}, k16), "\nfour\n");
  EXPECT_EQ(doc.Line(2), "four");
  EXPECT_EQ(doc.line_count(), 4);
}

// The Shift-JIS form: a character without one becomes "?" and is named at
// its place; the reader's lines of a line longer than its limit map back.
TEST(ShiftJisImageTest, ConvertsAndMapsBack) {
  const TextDocument doc("[ \xE3\x81\x82 ]\nx = \xE2\x91\xA0\xE3\x81\x82\xF0\x9F\x98\x80\n" + std::string(600, 'k') +
                         "\xE3\x81\x82\n");
  const ShiftJisImage image(doc);
  EXPECT_EQ(image.Line(0), "[ \x82\xA0 ]");
  EXPECT_EQ(image.Line(1), "x = \x87\x40\x82\xA0?");  // circled 1 is an NEC character of code page 932
  ASSERT_EQ(image.unconvertible().size(), 1u);
  EXPECT_EQ(image.unconvertible()[0].line, 1);
  EXPECT_EQ(image.unconvertible()[0].char_index, 6);
  EXPECT_EQ(image.unconvertible()[0].code_point, 0x1F600u);
  const struct {
    int reader_line, column, line, char_index;
  } cases[] = {
      {1, 1, 0, 0}, {1, 3, 0, 2}, {2, 5, 1, 4}, {3, 1, 2, 0}, {4, 1, 2, 511}, {4, 90, 2, 600},
      {4, 200, 2, 601},  // past the line: its end
  };
  for (const auto& c : cases) {
    int line = -1, chars = -1;
    image.ReaderPlace(c.reader_line, c.column, &line, &chars);
    EXPECT_EQ(line, c.line) << c.reader_line << ":" << c.column;
    EXPECT_EQ(chars, c.char_index) << c.reader_line << ":" << c.column;
  }
}

}  // namespace
}  // namespace lsp
