#include "pakforge/message_boxes.h"

#include "base/message_box_win32.h"
#include "pakforge/resource_text.h"
#include "pakforge/resources/resource.h"

namespace pakforge {

int MessageBoxes::Show(HWND owner, int string_id, UINT style) {
  return ShowText(owner, string_id, LoadText(string_id), style);
}

int SystemMessageBoxes::ShowText(HWND owner, int, const std::string& text, UINT style) {
  const base::ButtonWords words{LoadText(IDS_BUTTON_OK), LoadText(IDS_BUTTON_CANCEL), LoadText(IDS_BUTTON_YES),
                                LoadText(IDS_BUTTON_NO)};
  return base::ShowMessageBox(owner, text, LoadText(IDS_MESSAGE_CAPTION), style, words);
}

}  // namespace pakforge
