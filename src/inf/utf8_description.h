#pragma once
// Tells an install description saved as UTF-8 from one in Shift-JIS, the
// encoding the device reads. An editor on Linux or macOS saves UTF-8 by
// default; its Japanese names then pass the reader as other Shift-JIS
// characters (mojibake) and never install.

#include <cstdint>
#include <string_view>

namespace inf {

/// Fed the lines of one file in order, decides whether the file reads as
/// UTF-8 rather than Shift-JIS: every byte so far forms valid UTF-8, and at
/// least one line holds bytes above 0x7F that are not Shift-JIS as meant.
/// Such a line either has no Shift-JIS (code page 932) reading at all, or
/// reads as UTF-8 kana or kanji (or a byte-order mark), whose Shift-JIS
/// reading is mojibake. A
/// Shift-JIS text with bytes above 0x7F is almost never valid UTF-8; one
/// that is (a few half-width kana read as "é" or "ý") is left alone.
class Utf8DescriptionProbe {
 public:
  /// The next line as read (a physical line longer than the reader's limit
  /// comes as several, in order).
  void Line(std::string_view line, int line_number);
  /// True when the lines so far read as UTF-8 (see above).
  bool LooksUtf8() const { return valid_ && pending_ == 0 && first_line_ != 0; }
  /// The first line that is not Shift-JIS as meant; 0 if none.
  int first_line() const { return first_line_; }

 private:
  bool valid_ = true;       // every byte so far is valid UTF-8
  int pending_ = 0;         // continuation bytes still expected
  std::uint32_t code_ = 0;  // the code point being read
  unsigned char low_ = 0x80, high_ = 0xBF;  // range of the next continuation byte
  int first_line_ = 0;
};

}  // namespace inf
