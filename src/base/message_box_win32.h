#pragma once
// Message boxes whose buttons speak the program's language. MessageBoxA
// labels its buttons in the system's language, which need not be the one the
// program chose; ShowMessageBox renames them from the program's own table
// while the box is being activated, through a CBT hook of the calling thread
// that lives only for that one box. The box itself stays the system's: its
// layout, icon, sound, keyboard handling and answers.

#include <windows.h>

#include <string>

namespace base {

/// The words of a message box's buttons in the program's language, in the
/// ANSI code page; an empty word leaves that button as the system labels it.
struct ButtonWords {
  std::string ok, cancel, yes, no;
};

/// MessageBoxA(owner, text, caption, style) with its OK, Cancel, Yes and No
/// buttons reading `words`. Answers what MessageBoxA answers.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style,
                   const ButtonWords& words);

}  // namespace base
