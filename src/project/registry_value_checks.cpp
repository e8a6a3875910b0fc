#include "project/registry_value_checks.h"

#include <string_view>

#include "base/hex.h"
#include "inf/value_form.h"
#include "project/settings.h"
#include "project/texts.h"

namespace project {
namespace {

constexpr std::size_t kMaxQuotedContent = 255;
constexpr std::size_t kMaxDwordDigits = 10;
constexpr std::size_t kMaxBinaryDigits = 64;

}  // namespace

std::size_t QuotedStringEnd(std::string_view text, std::size_t pos) {
  if (pos > text.size() || text.size() - pos < 3) return std::string_view::npos;
  if (text[pos] != '"') return std::string_view::npos;
  // The builder's tokeniser refuses a string without its closing quote or
  // with a broken double-byte character: the same walk refuses them here.
  const inf::QuotedString quoted = inf::ScanQuotedString(text, pos);
  if (quoted.how != inf::QuotedEnd::kClosed) return std::string_view::npos;
  if (quoted.value_size > kMaxQuotedContent) return std::string_view::npos;
  return quoted.end;
}

bool IsSzValue(std::string_view value) {
  if (value.empty()) return false;
  return QuotedStringEnd(value, 0) == value.size();
}

bool IsMultiSzValue(std::string_view value) {
  if (value.empty()) return false;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t end = QuotedStringEnd(value, pos);
    if (end == std::string_view::npos) return false;
    if (end == value.size()) return true;
    if (value[end] != ',') return false;
    pos = end + 1;
  }
}

bool IsDwordValue(std::string_view value) {
  // The form the builder's ParseDecimal reads, with nothing around it: a lone
  // sign has no digits and is refused.
  const inf::DecimalForm form = inf::ReadDecimalForm(value);
  if (form.end != value.size() || form.digits.empty() || form.digits.size() > kMaxDwordDigits) return false;
  if (form.digits.size() == kMaxDwordDigits) {
    // Equal lengths of decimal digits compare like their numbers.
    const std::string_view limit = form.negative ? "2147483648" : "2147483647";
    if (form.digits > limit) return false;
  }
  return true;
}

bool IsBinaryValue(std::string_view value) {
  if (value.empty() || value.size() % 2 != 0 || value.size() > kMaxBinaryDigits) return false;
  for (char c : value) {
    if (base::HexDigitValue(c) < 0) return false;
  }
  return true;
}

int RegistryValueError(int type, std::string_view value) {
  switch (type) {
    case kMultiSz:
      return IsMultiSzValue(value) ? 0 : kStrBadMultiSz;
    case kDword:
      return IsDwordValue(value) ? 0 : kStrBadDword;
    case kBinary:
      return IsBinaryValue(value) ? 0 : kStrBadBinary;
    default:
      return IsSzValue(value) ? 0 : kStrBadSz;
  }
}

}  // namespace project
