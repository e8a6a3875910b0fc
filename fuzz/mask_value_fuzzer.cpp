// The mask values of the builder's -p, -o and -c options: a value is
// accepted exactly when it is four hexadecimal digits, and then it is their
// number.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/capturing_console.h"
#include "builder/mask_value.h"
#include "fuzz_support.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  base::CapturingConsole console;
  std::uint16_t value = 0;
  builder::BuildErrorCode code = builder::ParseMaskValue(text, console, &value);

  bool four_digits = text.size() == 4;
  unsigned expected = 0;
  for (char c : text) {
    four_digits = four_digits && HexDigit(c) >= 0;
    if (four_digits) expected = expected * 16 + static_cast<unsigned>(HexDigit(c));
  }
  FUZZ_CHECK((code == 0) == four_digits);
  if (code == 0) FUZZ_CHECK(value == expected);
  if (code != 0) FUZZ_CHECK(!console.err.empty());
  return 0;
}
