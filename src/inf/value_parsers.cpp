#include "inf/value_parsers.h"

#include <string>

#include "base/hex.h"
#include "base/sjis.h"
#include "inf/messages.h"
#include "inf/value_form.h"

namespace inf {

std::string UnquoteValue(std::string_view token) {
  std::string value;
  UnquoteValueInto(token, &value);
  return value;
}

void UnquoteValueInto(std::string_view token, std::string* value) {
  if (token.empty() || token.front() != '"') {
    value->assign(token);
    return;
  }
  value->clear();
  // Runs of plain characters are copied whole; quotes are dropped, and an
  // escape takes the whole character after the backslash (only an escaped
  // quote loses its backslash).
  std::size_t run = 0;
  std::size_t i = 0;
  while (i < token.size()) {
    const char c = token[i];
    if (c != '"' && c != '\\') {
      i += base::SjisCharSize(token, i);
      continue;
    }
    value->append(token, run, i - run);
    if (c == '"') {
      run = ++i;
    } else if (i + 1 < token.size() && token[i + 1] == '"') {
      *value += '"';
      run = i += 2;
    } else {
      run = i;  // the backslash and its character stay
      i += i + 1 < token.size() ? base::SjisEscapeSize(token, i) : 1;
    }
  }
  value->append(token, run, i - run);
}

namespace {

// The C library's white space: blank, tab, line feed, vertical tab, form feed
// and carriage return.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::uint32_t ParseDecimal(std::string_view text, std::uint32_t* result, base::Console& console) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  const DecimalForm form = ReadDecimalForm(text.substr(pos));
  std::uint64_t magnitude = 0;
  bool overflow = false;
  for (char digit : form.digits) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(digit - '0');
    if (magnitude > 0xFFFFFFFFull) {
      overflow = true;
      break;
    }
  }
  const bool negative = form.negative;
  // Without any digit nothing was converted: the whole text is left over.
  const std::size_t end = form.digits.empty() ? 0 : pos + form.end;
  std::uint32_t value = overflow ? 0xFFFFFFFFu : static_cast<std::uint32_t>(magnitude);
  if (negative && !overflow) value = 0u - value;
  if (value == 0 && end < text.size()) {
    const std::string rest(text.substr(end));
    Say(console, base::Stream::kErr, InfMessage::kNotNumeric, rest.c_str());
    return kDecimalNotNumeric;
  }
  if (overflow) {
    Say(console, base::Stream::kErr, InfMessage::kNumberTooLarge);
    return kDecimalTooLarge;
  }
  *result = value;
  return 0;
}

std::uint32_t ParseHexBytes(std::string_view text, std::vector<unsigned char>* bytes,
                            base::Console& console, std::size_t max_bytes) {
  bytes->clear();
  if (text.empty()) {
    Say(console, base::Stream::kErr, InfMessage::kNoHexData);
    return kHexEmpty;
  }
  switch (base::ParseHexPairs(text, max_bytes, bytes)) {
    case base::HexPairsResult::kOk:
      return 0;
    case base::HexPairsResult::kBadFirstDigit:
      Say(console, base::Stream::kErr, InfMessage::kHexInvalidCharacter);
      return kHexBadFirstDigit;
    case base::HexPairsResult::kMissingLowDigit:
      Say(console, base::Stream::kErr, InfMessage::kHexLowNibbleMissing);
      return kHexMissingLowDigit;
    case base::HexPairsResult::kBadSecondDigit:
      Say(console, base::Stream::kErr, InfMessage::kHexInvalidCharacter);
      return kHexBadSecondDigit;
    case base::HexPairsResult::kTooLong:
      break;
  }
  Say(console, base::Stream::kErr, InfMessage::kHexSizeOver, static_cast<unsigned>(max_bytes));
  return kHexTooLong;
}

}  // namespace inf
