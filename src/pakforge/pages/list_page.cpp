#include "pakforge/pages/list_page.h"

#include <commctrl.h>

namespace pakforge {

INT_PTR ListPage::OnInitDialog(HWND window) {
  WizardPage::OnInitDialog(window);
  list_ = GetDlgItem(window, list_id_);
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  return 0;
}

}  // namespace pakforge
