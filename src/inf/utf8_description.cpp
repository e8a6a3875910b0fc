#include "inf/utf8_description.h"

#include <string>

#include "base/encoding.h"

namespace inf {
namespace {

// Characters that only a UTF-8 text spells this way: the kana, kanji and
// other characters of Japanese text (CJK symbols and punctuation, hiragana,
// katakana, the unified ideographs, the full- and half-width forms), and the
// byte-order mark that some editors put first.
bool TellsUtf8(std::uint32_t code_point) {
  return (code_point >= 0x3000 && code_point <= 0x30FF) || (code_point >= 0x4E00 && code_point <= 0x9FFF) ||
         (code_point >= 0xFF00 && code_point <= 0xFFEF) || code_point == 0xFEFF;
}

}  // namespace

void Utf8DescriptionProbe::Line(std::string_view line, int line_number) {
  if (!valid_) return;  // not UTF-8: nothing more to learn
  bool non_ascii = false, telling = false;
  for (char ch : line) {
    const auto c = static_cast<unsigned char>(ch);
    if (pending_ > 0) {
      if (c < low_ || c > high_) {
        valid_ = false;
        return;
      }
      code_ = (code_ << 6) | (c & 0x3F);
      low_ = 0x80;
      high_ = 0xBF;
      if (--pending_ == 0 && TellsUtf8(code_)) telling = true;
      continue;
    }
    if (c < 0x80) continue;
    non_ascii = true;
    // The lead byte fixes the length, and the range of the first
    // continuation byte rules out overlong forms, surrogates and code
    // points above U+10FFFF.
    if (c >= 0xC2 && c <= 0xDF) {
      pending_ = 1;
      code_ = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      pending_ = 2;
      code_ = c & 0x0F;
      if (c == 0xE0) low_ = 0xA0;
      if (c == 0xED) high_ = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      pending_ = 3;
      code_ = c & 0x07;
      if (c == 0xF0) low_ = 0x90;
      if (c == 0xF4) high_ = 0x8F;
    } else {
      valid_ = false;
      return;
    }
  }
  if (!non_ascii || first_line_ != 0) return;
  std::string ignored;
  if (telling || !base::Cp932ToUtf8(line, &ignored)) first_line_ = line_number;
}

}  // namespace inf
