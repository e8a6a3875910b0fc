#include "lsp/text_document.h"

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "lsp/sjis_image.h"

namespace lsp {
namespace {

constexpr auto k16 = PositionEncoding::kUtf16;
constexpr auto k8 = PositionEncoding::kUtf8;

// "a", Japanese "あ" (3 UTF-8 bytes, 1 UTF-16 unit), an emoji (4 bytes, a
// surrogate pair), "b"; then a CR LF line and a last line without a break.
const std::string kText = "a\xE3\x81\x82\xF0\x9F\x98\x80" "b\r\nxy\nz";
// Its Shift-JIS image: the emoji, which code page 932 lacks, is "?".
const std::string kImage = "a\x82\xA0?b\r\nxy\nz";

// The image of one character as the system's code page 932 tables give it:
// glibc's hold the yen sign as "\" and the cent sign as the full-width
// cent; Windows' (without best fit) have no form of either, so "?".
std::string Held(const std::string& character) {
  std::string image;
  return base::Utf8ToCp932(character, &image) ? image : "?";
}

TEST(TextDocumentTest, PositionsInEitherEncoding) {
  const TextDocument doc(kText);
  ASSERT_EQ(doc.bytes(), kImage);
  ASSERT_EQ(doc.line_count(), 3);
  EXPECT_EQ(doc.Line(0), "a\x82\xA0?b");
  EXPECT_EQ(doc.EditorLine(0), "a\xE3\x81\x82\xF0\x9F\x98\x80" "b");
  EXPECT_EQ(doc.Line(1), "xy");
  EXPECT_EQ(doc.EditorLine(2), "z");
  const struct {
    Position position;
    PositionEncoding encoding;
    int chars;           // characters before it in its line
    std::size_t offset;  // in the image
  } cases[] = {
      {{0, 0}, k16, 0, 0},  {{0, 1}, k16, 1, 1},  {{0, 2}, k16, 2, 3},
      {{0, 3}, k16, 2, 3},                                              // inside the pair: its start
      {{0, 4}, k16, 3, 4},  {{0, 5}, k16, 4, 5},  {{0, 99}, k16, 4, 5},  // beyond the end: the end
      {{0, 4}, k8, 2, 3},   {{0, 8}, k8, 3, 4},   {{0, 2}, k8, 1, 1},    // inside a character: its start
      {{1, 1}, k16, 1, 8},  {{2, 1}, k16, 1, 11}, {{7, 0}, k16, 0, kImage.size()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(doc.CharIndex(c.position, c.encoding), c.chars) << c.position.line << ":" << c.position.character;
    EXPECT_EQ(doc.Offset(c.position, c.encoding), c.offset) << c.position.line << ":" << c.position.character;
  }
  EXPECT_EQ(doc.Units(0, 3, k16), 4);
  EXPECT_EQ(doc.Units(0, 3, k8), 8);
  EXPECT_EQ(doc.Units(0, 99, k16), 5);
  EXPECT_EQ(CharsOfUnits(doc.EditorLine(0), 4, k16), 3);
  EXPECT_EQ(CharsOfUnits(doc.EditorLine(0), 3, k16), 2);
}

TEST(TextDocumentTest, ReplaceKeepsTheLinesRight) {
  TextDocument doc("one\ntwo\nthree");
  doc.Replace({0, 3}, {1, 0}, "", k16);
  EXPECT_EQ(doc.bytes(), "onetwo\nthree");
  EXPECT_EQ(doc.line_count(), 2);
  doc.Replace({1, 5}, {9, 0}, "\nfour\n", k16);
  EXPECT_EQ(doc.Line(2), "four");
  EXPECT_EQ(doc.line_count(), 4);
}

// An edit changes the image, its line starts and the characters kept aside
// together: the editor's text, positions and unconvertible characters after
// it are those of the edited buffer.
TEST(TextDocumentTest, EditsKeepImageLinesAndSubstitutesTogether) {
  const std::string a = "\xE3\x81\x82", i = "\xE3\x81\x84", u = "\xE3\x81\x86";  // あ い う
  const std::string smile = "\xF0\x9F\x98\x80";
  const std::string yen = "\xC2\xA5";  // the yen sign: another character, or none, in code page 932
  const bool yen_held = Held(yen) != "?";
  const struct {
    const char* name;
    std::string text;
    Position start, end;
    std::string inserted;
    PositionEncoding encoding;
    std::string image;
    std::string editor_text;  // every line joined by LF
    std::vector<std::pair<int, int>> unconvertible;  // line, characters before it
  } cases[] = {
      {"emoji typed between Japanese", a + i + "\n" + u, {0, 1}, {0, 1}, smile, k16,
       "\x82\xA0?\x82\xA2\n\x82\xA4", a + smile + i + "\n" + u, {{0, 1}}},
      {"line with an emoji removed, the next moves up", "x" + smile + "\ny" + smile + "z\nw", {0, 0}, {1, 0}, "",
       k16, "y?z\nw", "y" + smile + "z\nw", {{0, 1}}},
      {"across CR LF lines", "ab\r\ncd\r\nef", {0, 1}, {2, 1}, "X", k16, "aXf", "aXf", {}},
      {"UTF-8 place after a yen sign", "x" + yen + "y", {0, 3}, {0, 4}, "z", k8, "x" + Held(yen) + "z",
       "x" + yen + "z", yen_held ? std::vector<std::pair<int, int>>{} : std::vector<std::pair<int, int>>{{0, 1}}},
      {"text after an emoji", smile + "a", {0, 2}, {0, 3}, "bc", k16, "?bc", smile + "bc", {{0, 0}}},
      {"the emoji itself replaced", "a" + smile + "b", {0, 1}, {0, 3}, "c", k16, "acb", "acb", {}},
      {"range given end first", "abcd", {0, 3}, {0, 1}, "", k16, "ad", "ad", {}},
      {"lines and an emoji inserted before an emoji", "p\nq" + smile, {0, 0}, {0, 0}, smile + "\n\n", k16,
       "?\n\np\nq?", smile + "\n\np\nq" + smile, {{0, 0}, {3, 1}}},
  };
  for (const auto& c : cases) {
    TextDocument doc(c.text);
    ASSERT_TRUE(doc.Replace(c.start, c.end, c.inserted, c.encoding)) << c.name;
    EXPECT_EQ(doc.bytes(), c.image) << c.name;
    std::string editor;
    for (int line = 0; line < doc.line_count(); ++line) editor += (line ? "\n" : "") + doc.EditorLine(line);
    EXPECT_EQ(editor, c.editor_text) << c.name;
    EXPECT_EQ(doc.line_count(), TextDocument(c.editor_text).line_count()) << c.name;
    std::vector<std::pair<int, int>> found;
    for (const Unconvertible& bad : doc.UnconvertibleChars()) found.emplace_back(bad.line, bad.char_index);
    EXPECT_EQ(found, c.unconvertible) << c.name;
  }
}

// The image is edited in place while the document alone holds it; a reader
// that still holds it keeps the bytes it opened.
TEST(TextDocumentTest, EditsInPlaceUnlessTheImageIsShared) {
  TextDocument doc("abc");
  const std::string* alone = &doc.bytes();
  doc.Replace({0, 1}, {0, 2}, "X", k16);
  EXPECT_EQ(&doc.bytes(), alone);
  const std::shared_ptr<const std::string> held = doc.shared_bytes();
  doc.Replace({0, 0}, {0, 1}, "Y", k16);
  EXPECT_EQ(*held, "aXc");
  EXPECT_EQ(doc.bytes(), "YXc");
  doc.SetText("new");
  EXPECT_EQ(*held, "aXc");
  EXPECT_EQ(doc.bytes(), "new");
}

// The Shift-JIS form: a character without one becomes "?" and is named at
// its place; one held as another character reads back as the editor's; the
// reader's lines of a line longer than its limit map back.
TEST(TextDocumentTest, ConvertsAndMapsBack) {
  const TextDocument doc("[ \xE3\x81\x82 ]\nx = \xE2\x91\xA0\xE3\x81\x82\xF0\x9F\x98\x80\n" + std::string(600, 'k') +
                         "\xE3\x81\x82\n\xC2\xA5\xC2\xA2");
  EXPECT_EQ(doc.Line(0), "[ \x82\xA0 ]");
  EXPECT_EQ(doc.Line(1), "x = \x87\x40\x82\xA0?");  // circled 1 is an NEC character of code page 932
  EXPECT_EQ(doc.Line(3), Held("\xC2\xA5") + Held("\xC2\xA2"));  // yen and cent signs
  EXPECT_EQ(doc.EditorLine(3), "\xC2\xA5\xC2\xA2");
  EXPECT_EQ(doc.Units(3, 2, k8), 4);
  const std::vector<Unconvertible> bad = doc.UnconvertibleChars();
  ASSERT_EQ(bad.size(), 1u + (Held("\xC2\xA5") == "?") + (Held("\xC2\xA2") == "?"));
  EXPECT_EQ(bad[0].line, 1);
  EXPECT_EQ(bad[0].char_index, 6);
  EXPECT_EQ(bad[0].code_point, 0x1F600u);
  const struct {
    int reader_line, column, line, char_index;
  } cases[] = {
      {1, 1, 0, 0}, {1, 3, 0, 2}, {2, 5, 1, 4}, {3, 1, 2, 0}, {4, 1, 2, 511}, {4, 90, 2, 600},
      {4, 200, 2, 601},  // past the line: its end
      {5, 2, 3, 1},
  };
  for (const auto& c : cases) {
    int line = -1, chars = -1;
    doc.ReaderPlace(c.reader_line, c.column, &line, &chars);
    EXPECT_EQ(line, c.line) << c.reader_line << ":" << c.column;
    EXPECT_EQ(chars, c.char_index) << c.reader_line << ":" << c.column;
  }
}

// A long text is converted in pieces: a character across a piece's end is
// not cut, and substitutes far into the text have their offsets.
TEST(TextDocumentTest, LongTextConvertsAcrossPieces) {
  const std::string smile = "\xF0\x9F\x98\x80";
  const std::string text = std::string(65535, 'a') + "\xE3\x81\x82" + smile + std::string(70000, 'b') + smile;
  std::string image;
  std::vector<Substitute> substitutes;
  AppendShiftJis(text, &image, &substitutes);
  EXPECT_EQ(image, std::string(65535, 'a') + "\x82\xA0?" + std::string(70000, 'b') + "?");
  const std::vector<Substitute> expected = {{65537, 0x1F600, false}, {135538, 0x1F600, false}};
  EXPECT_EQ(substitutes, expected);
  EXPECT_EQ(EditorText(image, 0, substitutes), text);
  EXPECT_EQ(EditorText(std::string_view(image).substr(65535, 3), 65535, substitutes), "\xE3\x81\x82" + smile);
}

}  // namespace
}  // namespace lsp
