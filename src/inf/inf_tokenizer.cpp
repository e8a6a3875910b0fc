#include "inf/inf_tokenizer.h"

#include <initializer_list>

#include "base/sjis.h"
#include "inf/messages.h"
#include "inf/value_form.h"

namespace inf {

namespace {

// Byte classes of the tokeniser, looked up once per byte.
enum ByteClass : unsigned char { kOther, kBlank, kSingle, kQuote, kLead };

struct ByteClasses {
  unsigned char of[256];
  constexpr ByteClasses() : of() {
    for (int c = 0; c < 256; ++c) {
      if (c == ' ' || (c >= 0x07 && c <= 0x0D)) of[c] = kBlank;
      else if (c == '"') of[c] = kQuote;
      else if (base::IsSjisLeadByte(static_cast<unsigned char>(c))) of[c] = kLead;
      else of[c] = kOther;
    }
    for (char c : {',', ':', ';', '<', '=', '>', '[', ']', '{', '}'}) of[static_cast<unsigned char>(c)] = kSingle;
  }
};
constexpr ByteClasses kClasses;

unsigned char ClassOf(char c) { return kClasses.of[static_cast<unsigned char>(c)]; }

}  // namespace

bool IsInfBlank(char c) { return ClassOf(c) == kBlank; }

bool IsInfSingleCharToken(char c) { return ClassOf(c) == kSingle; }

void InfTokenizer::Start(std::string_view line) {
  line_ = line;
  pos_ = 0;
}

bool InfTokenizer::Next(std::string_view* token, std::uint32_t* error, base::Console& console) {
  *error = 0;
  *token = {};
  const std::size_t size = line_.size();
  while (pos_ < size && ClassOf(line_[pos_]) == kBlank) ++pos_;
  if (pos_ >= size) return false;

  auto fail = [&](InfMessage message, std::uint32_t code) {
    Say(console, base::Stream::kErr, message);
    pos_ = size;
    *error = code;
    return false;
  };

  const std::size_t start = pos_;
  const unsigned char first = ClassOf(line_[pos_]);
  if (first == kSingle) {
    *token = line_.substr(pos_++, 1);
    return true;
  }
  if (first == kQuote) {
    const QuotedString quoted = ScanQuotedString(line_, pos_);
    if (quoted.how == QuotedEnd::kNotShiftJis) return fail(InfMessage::kNotShiftJis, kTokenBadSjisInString);
    if (quoted.how == QuotedEnd::kNotClosed) return fail(InfMessage::kStringNotClosed, kTokenStringNotClosed);
    pos_ = quoted.end;
    *token = line_.substr(start, pos_ - start);
    return true;
  }
  // A bare word: backslashes and other bytes, up to a blank, a
  // single-character token or a quote.
  while (pos_ < size) {
    const unsigned char c = ClassOf(line_[pos_]);
    if (c == kOther) {
      ++pos_;
    } else if (c == kLead) {
      if (pos_ + 1 >= size || !base::IsSjisTrailByte(static_cast<unsigned char>(line_[pos_ + 1])))
        return fail(InfMessage::kNotShiftJis, kTokenBadSjisInWord);
      pos_ += 2;
    } else {
      break;
    }
  }
  *token = line_.substr(start, pos_ - start);
  return true;
}

}  // namespace inf
