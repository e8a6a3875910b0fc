#pragma once
// String resources and dialog templates of the wizard, in the language
// chosen at start.

#include <windows.h>

#include <string>

#include "base/language.h"
#include "project/string_table.h"
#include "pakforge/project_names.h"

namespace pakforge {

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

}  // namespace pakforge
