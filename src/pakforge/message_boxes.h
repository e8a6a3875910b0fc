#pragma once
// Every message box of Pakforge passes through one MessageBoxes object, which
// the program makes in WinMain and hands to the application object; tests
// pass their own, which records each message and answers it.

#include <windows.h>

#include <string>
#include "pakforge/project_names.h"

namespace pakforge {

/// Shows the wizard's message boxes.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  /// Shows `text`, made from string `string_id`, in a message box owned by
  /// `owner` with the MB_* `style`, captioned IDS_MESSAGE_CAPTION; answers
  /// the box's result (IDOK, IDYES, IDNO...).
  virtual int ShowText(HWND owner, int string_id, const std::string& text, UINT style) = 0;
  /// Shows string `string_id` as it stands (LoadText) the same way.
  int Show(HWND owner, int string_id, UINT style);
};

/// The system's message boxes, their buttons worded in the chosen language.
class SystemMessageBoxes : public MessageBoxes {
 public:
  int ShowText(HWND owner, int string_id, const std::string& text, UINT style) override;
};

}  // namespace pakforge
