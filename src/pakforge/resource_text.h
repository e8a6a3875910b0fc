#pragma once
// String resources, dialog templates and message boxes of the wizard, in
// the language chosen at start. Every message box of Pakforge goes through
// ShowMessage, which tests can redirect.

#include <windows.h>

#include <functional>
#include <string>

#include "base/language.h"
#include "project/string_table.h"

namespace wizard::ui {

/// Sets the instance whose string table `LoadText` reads.
void SetTextInstance(HINSTANCE instance);

/// Sets the language of every text and dialog loaded from now on (Japanese
/// until it is set).
void SetTextLanguage(base::Language language);

/// The text of string resource `id` in the chosen language, in the ANSI
/// code page (Shift-JIS on a Japanese system; at most 511 bytes); empty when
/// the id does not exist. The result is a copy, so two texts can be held at
/// once.
std::string LoadText(int id);

/// The template of dialog `id` of `instance` in the chosen language (for
/// PSP_DLGINDIRECT pages); null when there is none.
const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, int id);

/// Runs dialog `id` of `instance` in the chosen language modally, as
/// DialogBoxParamA does; -1 when there is no such dialog.
INT_PTR RunModalDialog(HINSTANCE instance, int id, HWND owner, DLGPROC procedure, LPARAM parameter);

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
/// with IDS_MESSAGE_CAPTION. Returns the message box result.
int ShowMessage(HWND owner, int string_id, UINT style);
/// Shows `text` (already formatted from string `string_id`) the same way.
int ShowMessageText(HWND owner, int string_id, const std::string& text, UINT style);

}  // namespace wizard::ui
