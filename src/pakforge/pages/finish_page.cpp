#include "pakforge/pages/finish_page.h"

#include <cstdio>

#include "pakforge/resources/resource.h"
#include "pakforge/finish_sequence.h"
#include "pakforge/resource_text.h"
#include "pakforge/wizard_app.h"

namespace pakforge {

FinishPage::FinishPage(WizardApp& app) : WizardPage(app, IDD_FINISH_PAGE) {}

INT_PTR FinishPage::OnInitDialog(HWND window) {
  WizardPage::OnInitDialog(window);
  SendDlgItemMessageA(window, IDC_FINISH_NAME, EM_LIMITTEXT,
                      static_cast<WPARAM>(app_.settings.SetupIniName.Maximum() - 1), 0);
  SetControlText(IDC_FINISH_NAME, "");
  char version[128] = {};
  wsprintfA(version, LoadText(IDS_VERSION).c_str(), 9);
  SetControlText(IDC_FINISH_VERSION, version);
  return 0;
}

INT_PTR FinishPage::OnSetActive() {
  SetTitleAndButtons(PSWIZB_BACK | PSWIZB_FINISH);
  ProjectSettings& s = app_.settings;
  CheckDlgButton(window_, IDC_FINISH_CREATE, s.SetupIniCreate.On() ? BST_CHECKED : BST_UNCHECKED);
  // The display name follows the menu caption until it has its own value.
  if (s.SetupIniName.IsEmpty() && !s.Caption.IsEmpty()) s.SetupIniName.Assign(s.Caption.Text());
  SetControlText(IDC_FINISH_NAME, s.SetupIniName.Text().c_str());
  EnableWindow(GetDlgItem(window_, IDC_FINISH_NAME), s.SetupIniCreate.On() ? TRUE : FALSE);
  char text[500] = {};
  std::snprintf(text, sizeof text, LoadText(IDS_FINISH_TEXT).c_str(), s.Output.Text().c_str(),
                ".lvar");
  SetControlText(IDC_FINISH_TEXT, text);
  return 0;
}

INT_PTR FinishPage::OnCommand(int id, int code, HWND) {
  if (id == IDC_FINISH_CREATE && code == BN_CLICKED) {
    app_.settings.SetupIniCreate.Set(IsChecked(IDC_FINISH_CREATE));
    EnableWindow(GetDlgItem(window_, IDC_FINISH_NAME),
                 app_.settings.SetupIniCreate.On() ? TRUE : FALSE);
  }
  return 0;
}

void FinishPage::StoreDisplayName() {
  TextSetting& name = app_.settings.SetupIniName;
  name.Assign(ControlText(IDC_FINISH_NAME, name.Maximum()));
}

INT_PTR FinishPage::OnWizardBack() {
  StoreDisplayName();
  return 0;
}

INT_PTR FinishPage::OnWizardFinish() {
  StoreDisplayName();
  if (RunFinishSequence(app_, window_) == FinishOutcome::kDeclined) {
    // Nothing was done: the wizard stays open so the author can move the files.
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
    return TRUE;
  }
  return 0;
}

}  // namespace pakforge
