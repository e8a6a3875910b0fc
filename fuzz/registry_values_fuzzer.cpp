// The syntax checks of the registry entry dialog: every check answers
// without reading outside the value, a quoted string always ends inside the
// text after its opening quote, and an accepted number or byte string has
// the form and range that the device takes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "project/registry_value_checks.h"

namespace {

bool AllOf(std::string_view text, bool (*test)(char)) {
  for (char c : text) {
    if (!test(c)) return false;
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  // An exact-size copy, so that a read past the end is caught.
  std::string copy(reinterpret_cast<const char*>(data), size);
  std::string_view value(copy);

  for (std::size_t pos = 0; pos <= value.size() + 1; ++pos) {
    std::size_t end = project::QuotedStringEnd(value, pos);
    if (end != std::string_view::npos) FUZZ_CHECK(end > pos && end <= value.size() && value[pos] == '"');
  }

  const bool sz = project::IsSzValue(value);
  // The builder's tokeniser refuses a string without its closing quote.
  if (sz) FUZZ_CHECK(project::QuotedStringEnd(value, 0) == value.size() && value.back() == '"');
  const bool multi_sz = project::IsMultiSzValue(value);
  if (sz) FUZZ_CHECK(multi_sz);
  if (multi_sz) FUZZ_CHECK(value.front() == '"');

  if (project::IsDwordValue(value)) {
    std::string_view digits = value;
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
    FUZZ_CHECK(!digits.empty() && digits.size() <= 10 && AllOf(digits, IsDigit));
    long long number = 0;
    for (char c : digits) number = number * 10 + (c - '0');
    FUZZ_CHECK(number <= (negative ? 2147483648LL : 2147483647LL));
  }

  if (project::IsBinaryValue(value))
    FUZZ_CHECK(!value.empty() && value.size() % 2 == 0 && value.size() <= 64 && AllOf(value, IsHex));
  return 0;
}
