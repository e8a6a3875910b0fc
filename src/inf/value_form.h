#pragma once
// The written form of install information values: a double-quoted string
// with backslash escapes, and a decimal number with an optional sign. One
// rule for the builder's reader (tokeniser and value parsers) and for the
// wizard's registry value checks, so that the dialog accepts exactly what the
// builder reads.

#include <cstddef>
#include <string_view>

namespace inf {

/// How the walk through a quoted string ended.
enum class QuotedEnd {
  kClosed,       ///< at its closing quote
  kNotClosed,    ///< the text ended first
  kNotShiftJis,  ///< a lead byte without a valid trail byte
};

/// One double-quoted string as ScanQuotedString reads it.
struct QuotedString {
  QuotedEnd how = QuotedEnd::kNotClosed;
  /// Just after the closing quote (kClosed), the end of the text
  /// (kNotClosed) or the position of the lead byte in error (kNotShiftJis).
  std::size_t end = 0;
  /// Bytes of the value once unquoted: a double-byte character 2, an escaped
  /// quote 1, any other escape its backslash and its character, any other
  /// byte 1.
  std::size_t value_size = 0;
};

/// Reads the double-quoted string whose opening quote is at `pos` of `text`.
/// A backslash escapes the whole character after it (base::SjisEscapeSize), so a
/// quote after a backslash does not close the string and a double-byte
/// character after a backslash stays whole; a lead byte must be followed by
/// a valid trail byte, escaped or not.
QuotedString ScanQuotedString(std::string_view text, std::size_t pos);

/// A decimal number as written: an optional "+" or "-", then digits.
struct DecimalForm {
  bool negative = false;
  /// The run of decimal digits after the sign; empty when there is none (a
  /// lone sign is no number).
  std::string_view digits;
  /// Position just after the digits (after the sign when there are none).
  std::size_t end = 0;
};

/// Reads the sign and the digits at the start of `text`.
DecimalForm ReadDecimalForm(std::string_view text);

}  // namespace inf
