#include "inf/value_form.h"

#include "base/sjis.h"

namespace inf {

QuotedString ScanQuotedString(std::string_view text, std::size_t pos) {
  QuotedString s;
  std::size_t i = pos + 1;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      s.how = QuotedEnd::kClosed;
      s.end = i + 1;
      return s;
    }
    std::size_t at = i;  // where the character to check begins
    std::size_t size = 1;
    if (c == '\\') {
      if (i + 1 >= text.size()) break;
      at = i + 1;
      size = base::SjisEscapeSize(text, i);
      // An escaped quote stands for the quote alone.
      s.value_size += text[at] == '"' ? 1 : size;
    } else {
      size = base::SjisCharSize(text, i);
      s.value_size += size;
    }
    if (base::IsSjisLeadByte(static_cast<unsigned char>(text[at])) && base::SjisCharSize(text, at) != 2) {
      s.how = QuotedEnd::kNotShiftJis;
      s.end = at;
      return s;
    }
    i += size;
  }
  s.how = QuotedEnd::kNotClosed;
  s.end = text.size();
  return s;
}

DecimalForm ReadDecimalForm(std::string_view text) {
  DecimalForm form;
  std::size_t pos = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    form.negative = text[0] == '-';
    pos = 1;
  }
  const std::size_t first = pos;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
  form.digits = text.substr(first, pos - first);
  form.end = pos;
  return form;
}

}  // namespace inf
