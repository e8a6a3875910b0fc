#pragma once
// Splits one line of an install information file into tokens: bare words,
// quoted strings (quotes and escapes kept as read) and single-character
// tokens.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/console.h"

namespace inf {

/// Tokeniser codes (the line stage adds its own value).
inline constexpr std::uint32_t kTokenBadSjisInWord = 0x1000;
inline constexpr std::uint32_t kTokenBadSjisInString = 0x2000;
inline constexpr std::uint32_t kTokenStringNotClosed = 0x3000;

/// Byte classes of the tokeniser.
bool IsInfBlank(char c);
bool IsInfSingleCharToken(char c);

/// Hands out the tokens of one line, left to right.
class InfTokenizer {
 public:
  /// Starts on `line`, which must stay unchanged until the last Next.
  void Start(std::string_view line);

  /// Next token into `token`, a view into the line. Returns true with a
  /// token, false at the end of the line or on error; `*error` is 0 or a
  /// tokeniser code, whose message has then been printed. After an error the
  /// rest of the line is dropped.
  bool Next(std::string_view* token, std::uint32_t* error, base::Console& console);

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
};

}  // namespace inf
