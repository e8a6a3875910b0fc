#include "builder/inf/value_parsers.h"

#include <string>

#include "base/hex.h"
#include "base/sjis.h"
#include "builder/messages.h"

namespace builder {

std::string UnquoteValue(std::string_view token) {
  if (token.empty() || token.front() != '"') return std::string(token);
  std::string value;
  value.reserve(token.size());
  for (std::size_t i = 0; i < token.size(); ++i) {
    const char c = token[i];
    if (c == '"') continue;
    if (c == '\\' && i + 1 < token.size()) {
      if (token[i + 1] == '"') {
        value += '"';
      } else {
        value += c;
        value += token[i + 1];
      }
      ++i;
      continue;
    }
    value += c;
    if (base::IsSjisLeadByte(static_cast<unsigned char>(c)) && i + 1 < token.size()) {
      value += token[++i];
    }
  }
  return value;
}

namespace {

// The C library's white space: blank, tab, line feed, vertical tab, form feed
// and carriage return.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::uint32_t ParseDecimal(std::string_view text, std::uint32_t* result, base::Console& console) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t digits_start = pos;
  std::uint64_t magnitude = 0;
  bool overflow = false;
  while (pos < text.size() && IsDigit(text[pos])) {
    if (!overflow) {
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[pos] - '0');
      if (magnitude > 0xFFFFFFFFull) overflow = true;
    }
    ++pos;
  }
  // Without any digit nothing was converted: the whole text is left over.
  const std::size_t end = pos == digits_start ? 0 : pos;
  std::uint32_t value = overflow ? 0xFFFFFFFFu : static_cast<std::uint32_t>(magnitude);
  if (negative && !overflow) value = 0u - value;
  if (value == 0 && end < text.size()) {
    const std::string rest(text.substr(end));
    Say(console, base::Stream::kErr, Message::kNotNumeric, rest.c_str());
    return kDecimalNotNumeric;
  }
  if (overflow) {
    Say(console, base::Stream::kErr, Message::kNumberTooLarge);
    return kDecimalTooLarge;
  }
  *result = value;
  return 0;
}

std::uint32_t ParseHexBytes(std::string_view text, std::vector<unsigned char>* bytes,
                            base::Console& console, std::size_t max_bytes) {
  bytes->clear();
  if (text.empty()) {
    Say(console, base::Stream::kErr, Message::kNoHexData);
    return kHexEmpty;
  }
  switch (base::ParseHexPairs(text, max_bytes, bytes)) {
    case base::HexPairsResult::kOk:
      return 0;
    case base::HexPairsResult::kBadFirstDigit:
      Say(console, base::Stream::kErr, Message::kHexInvalidCharacter);
      return kHexBadFirstDigit;
    case base::HexPairsResult::kMissingLowDigit:
      Say(console, base::Stream::kErr, Message::kHexLowNibbleMissing);
      return kHexMissingLowDigit;
    case base::HexPairsResult::kBadSecondDigit:
      Say(console, base::Stream::kErr, Message::kHexInvalidCharacter);
      return kHexBadSecondDigit;
    case base::HexPairsResult::kTooLong:
      break;
  }
  Say(console, base::Stream::kErr, Message::kHexSizeOver, static_cast<unsigned>(max_bytes));
  return kHexTooLong;
}

}  // namespace builder
