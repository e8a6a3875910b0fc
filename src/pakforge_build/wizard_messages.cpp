#include "pakforge_build/wizard_messages.h"

#include "base/encoding.h"
#include "base/text_table.h"
#include "project/string_table.h"

namespace pakforge_build {

std::string WizardMessage(base::Language language, int string_id, const std::string& argument) {
  const char* utf8 = project::StringText(language, string_id);
  std::string text;
  if (utf8 == nullptr || !base::Utf8ToCp932(utf8, &text)) return std::string();
  return base::FillText(text, {argument});
}

}  // namespace pakforge_build
