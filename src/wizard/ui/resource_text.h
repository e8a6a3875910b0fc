#pragma once
// String resources and message boxes of the wizard. Every message box of
// Pakforge goes through ShowMessage, which tests can redirect.

#include <windows.h>

#include <functional>
#include <string>

namespace wizard::ui {

/// Sets the instance whose string table `LoadText` reads.
void SetTextInstance(HINSTANCE instance);

/// The text of string resource `id` as Shift-JIS bytes (at most 511 bytes);
/// empty when the id does not exist. The result is a copy, so two texts can
/// be held at once.
std::string LoadText(int id);

/// A message about to be shown: owner, string id it came from, the text and
/// the MB_* style.
struct MessageRequest {
  HWND owner;
  int string_id;
  std::string text;
  UINT style;
};

/// Replaces the message box: while set, every message is handed to the hook
/// instead of being shown, and its answer is returned by ShowMessage.
using MessageHook = std::function<int(const MessageRequest&)>;
/// Installs `hook` (an empty function restores the real message box).
void SetMessageHook(MessageHook hook);

/// Shows string `string_id` in a message box owned by `owner`, captioned
/// with string 14. Returns the message box result.
int ShowMessage(HWND owner, int string_id, UINT style);
/// Shows `text` (already formatted from string `string_id`) the same way.
int ShowMessageText(HWND owner, int string_id, const std::string& text, UINT style);

}  // namespace wizard::ui
