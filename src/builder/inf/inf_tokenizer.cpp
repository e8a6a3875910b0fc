#include "builder/inf/inf_tokenizer.h"

#include "base/sjis.h"
#include "builder/messages.h"

namespace builder {

bool IsInfBlank(char c) { return c == ' ' || (c >= '\x07' && c <= '\x0D'); }

bool IsInfSingleCharToken(char c) {
  switch (c) {
    case ',': case ':': case ';': case '<': case '=': case '>':
    case '[': case ']': case '{': case '}':
      return true;
    default:
      return false;
  }
}

bool IsSjisTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

void InfTokenizer::Start(std::string_view line) {
  line_ = line;
  pos_ = 0;
}

bool InfTokenizer::Next(std::string* token, std::uint32_t* error, base::Console& console) {
  *error = 0;
  token->clear();
  const std::size_t size = line_.size();
  while (pos_ < size && IsInfBlank(line_[pos_])) ++pos_;
  if (pos_ >= size) return false;

  auto fail = [&](Message message, std::uint32_t code) {
    Say(console, base::Stream::kErr, message);
    pos_ = size;
    token->clear();
    *error = code;
    return false;
  };
  auto lead_at = [&](std::size_t i) { return base::IsSjisLeadByte(static_cast<unsigned char>(line_[i])); };
  auto trail_at = [&](std::size_t i) {
    return i < size && IsSjisTrailByte(static_cast<unsigned char>(line_[i]));
  };

  const std::size_t start = pos_;
  const char first = line_[pos_];
  if (IsInfSingleCharToken(first)) {
    token->assign(1, first);
    ++pos_;
    return true;
  }
  if (first == '"') {
    ++pos_;
    while (pos_ < size) {
      const char c = line_[pos_];
      if (c == '\\') {
        // The escaped byte is kept as it is; a quote after a backslash does
        // not end the string.
        pos_ += 2;
        continue;
      }
      if (lead_at(pos_)) {
        if (!trail_at(pos_ + 1)) return fail(Message::kNotShiftJis, kTokenBadSjisInString);
        pos_ += 2;
        continue;
      }
      ++pos_;
      if (c == '"') {
        token->assign(line_, start, pos_ - start);
        return true;
      }
    }
    return fail(Message::kStringNotClosed, kTokenStringNotClosed);
  }
  // A bare word: backslashes and other bytes, up to a blank, a
  // single-character token or a quote.
  while (pos_ < size) {
    const char c = line_[pos_];
    if (IsInfBlank(c) || IsInfSingleCharToken(c) || c == '"') break;
    if (lead_at(pos_)) {
      if (!trail_at(pos_ + 1)) return fail(Message::kNotShiftJis, kTokenBadSjisInWord);
      pos_ += 2;
      continue;
    }
    ++pos_;
  }
  token->assign(line_, start, pos_ - start);
  return true;
}

}  // namespace builder
