#pragma once
// Loading texts and dialog templates of one language from the resources of
// a Win32 module. The module holds each text and dialog once per language
// (LANGUAGE blocks of its resource script); the program picks the language
// once at start (base::ChooseLanguage) and asks for that one, whatever the
// thread's or the system's locale.

#include <windows.h>

#include <string>

namespace base {

/// The text of string resource `id` of `instance` in language `language_id`
/// (a LANGID), converted from the stored UTF-16 to the ANSI code page, cut to
/// at most `room` - 1 bytes (never inside a double-byte character); empty
/// when the module has no such string in that language.
std::string LoadResourceString(HINSTANCE instance, UINT id, int room, WORD language_id);

/// The template of dialog `id` of `instance` in language `language_id`, for
/// CreateDialogIndirectParamA, DialogBoxIndirectParamA or a property sheet
/// page with PSP_DLGINDIRECT; null when the module has no such dialog in
/// that language. The template lives as long as the module is loaded.
const DLGTEMPLATE* FindDialogTemplate(HINSTANCE instance, UINT id, WORD language_id);

}  // namespace base
