#include "builder/inf/inf_tokenizer.h"

#include "base/sjis.h"
#include "base/value_form.h"
#include "builder/inf/inf_messages.h"

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

  auto fail = [&](const char* message, std::uint32_t code) {
    console.Write(base::Stream::kErr, message);
    pos_ = size;
    token->clear();
    *error = code;
    return false;
  };
  auto lead_at = [&](std::size_t i) { return base::IsSjisLeadByte(static_cast<unsigned char>(line_[i])); };
  auto trail_at = [&](std::size_t i) {
    return i < size && base::IsSjisTrailByte(static_cast<unsigned char>(line_[i]));
  };

  const std::size_t start = pos_;
  const char first = line_[pos_];
  if (IsInfSingleCharToken(first)) {
    token->assign(1, first);
    ++pos_;
    return true;
  }
  if (first == '"') {
    const base::QuotedString quoted = base::ScanQuotedString(line_, pos_);
    if (quoted.how == base::QuotedEnd::kNotShiftJis) return fail(inf_text::kNotShiftJis, kTokenBadSjisInString);
    if (quoted.how == base::QuotedEnd::kNotClosed) return fail(inf_text::kStringNotClosed, kTokenStringNotClosed);
    pos_ = quoted.end;
    token->assign(line_, start, pos_ - start);
    return true;
  }
  // A bare word: backslashes and other bytes, up to a blank, a
  // single-character token or a quote.
  while (pos_ < size) {
    const char c = line_[pos_];
    if (IsInfBlank(c) || IsInfSingleCharToken(c) || c == '"') break;
    if (lead_at(pos_)) {
      if (!trail_at(pos_ + 1)) return fail(inf_text::kNotShiftJis, kTokenBadSjisInWord);
      pos_ += 2;
      continue;
    }
    ++pos_;
  }
  token->assign(line_, start, pos_ - start);
  return true;
}

}  // namespace builder
