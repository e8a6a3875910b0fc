#include "wizard/registry_value_checks.h"

#include <string_view>

#include "base/sjis.h"
#include "wizard/settings.h"
#include "wizard/texts.h"

namespace wizard {
namespace {

constexpr std::size_t kMaxQuotedContent = 255;
constexpr std::size_t kMaxDwordDigits = 10;
constexpr std::size_t kMaxBinaryDigits = 64;

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) {
  return IsDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

std::size_t QuotedStringEnd(std::string_view text, std::size_t pos) {
  if (pos > text.size() || text.size() - pos < 3) return std::string_view::npos;
  if (text[pos] != '"') return std::string_view::npos;
  std::size_t count = 0;
  std::size_t i = pos + 1;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (base::IsSjisLeadByte(c)) {
      if (i + 1 >= text.size()) {
        // A lead byte without its trail byte ends the text.
        count += 1;
        i = text.size();
        break;
      }
      count += 2;
      i += 2;
    } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == '"') {
      count += 1;
      i += 2;
    } else if (c == '"') {
      ++i;
      break;
    } else {
      count += 1;
      ++i;
    }
  }
  if (count > kMaxQuotedContent) return std::string_view::npos;
  return i;
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
  if (value.empty()) return false;
  bool negative = false;
  if (value[0] == '-' || value[0] == '+') {
    negative = value[0] == '-';
    value.remove_prefix(1);
  }
  if (value.size() > kMaxDwordDigits) return false;
  for (char c : value) {
    if (!IsDecimalDigit(c)) return false;
  }
  if (value.size() == kMaxDwordDigits) {
    // Equal lengths of decimal digits compare like their numbers.
    const std::string_view limit = negative ? "2147483648" : "2147483647";
    if (value > limit) return false;
  }
  return true;
}

bool IsBinaryValue(std::string_view value) {
  if (value.empty() || value.size() % 2 != 0 || value.size() > kMaxBinaryDigits) return false;
  for (char c : value) {
    if (!IsHexDigit(c)) return false;
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

}  // namespace wizard
