// The launcher's "setup.ini" reader: the application name never exceeds its
// room, and a cut never splits a double-byte character (a name may end in
// a lone lead byte only when the file's value itself ends so).

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
  if (EndsInsideCharacter(name)) {
    // Then the whole value was taken: in the text it ends right after it.
    bool whole_value = false;
    for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
      std::size_t after = at + name.size();
      whole_value = whole_value || after == text.size() ||
                    std::string_view(" \t\r\n\v\f\"'").find(text[after]) != std::string_view::npos;
    }
    FUZZ_CHECK(whole_value);
  }
  return 0;
}
