#pragma once
// The wizard's own message texts, for a program that shows them without the
// wizard's string resources.

#include <string>

namespace pakforge_build {

/// The Shift-JIS text of the wizard's message `string_id` with `argument`
/// in place of its "%s" (when it has one); the empty text for an id the
/// wizard does not show before Finish.
std::string WizardMessage(int string_id, const std::string& argument = std::string());

/// The message texts as UTF-8, for each id that WizardMessage knows; the
/// test holds them against the wizard's resource script.
struct MessageEntry {
  int id;
  const char* utf8;
};
/// The table and its length.
const MessageEntry* MessageTable(int* count);

}  // namespace pakforge_build
