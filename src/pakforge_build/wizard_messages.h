#pragma once
// The wizard's own message texts, for a program that shows them without the
// wizard's string resources.

#include <string>

#include "base/language.h"

namespace pakforge_build {

/// The text of the wizard's string `string_id` in `language` (Shift-JIS
/// bytes; English is plain ASCII) with `argument` in place of its "%s"
/// (when it has one); the empty text for an id the string table lacks.
std::string WizardMessage(base::Language language, int string_id,
                          const std::string& argument = std::string());

}  // namespace pakforge_build
