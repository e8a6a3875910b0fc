// The launcher's "setup.ini" reader: the application name never exceeds its
// room and never ends in the middle of a double-byte character.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/sjis.h"
#include "fuzz_support.h"
#include "launcher/setup_ini.h"

namespace {

bool IsLead(unsigned char c) { return base::IsSjisLeadByte(c); }

// True when `text` ends with a lead byte that has no trail byte after it.
bool EndsInsideCharacter(std::string_view text) {
  bool pending = false;
  for (unsigned char c : text) pending = pending ? false : IsLead(c);
  return pending;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string fallback = "Fallback";
  std::string name = launcher::AppNameFromIni(text, fallback, IsLead);
  FUZZ_CHECK(name.size() < launcher::kAppNameRoom);
  FUZZ_CHECK(!EndsInsideCharacter(name));
  return 0;
}
