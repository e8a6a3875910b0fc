#pragma once
// Page 2 (dialog 102): install folder, start-up program and its command
// line, reset after install, install location and uninstall information.

#include <string>

#include "project/settings.h"
#include "pakforge/wizard_page.h"
#include "pakforge/project_names.h"

namespace pakforge {

class InstallPage : public WizardPage {
 public:
  explicit InstallPage(WizardApp& app);

  /// Limits and empties the edits (edit notifications ignored meanwhile).
  INT_PTR OnInitDialog(HWND window) override;
  /// Title, Back/Next, the proposed defaults and the fields.
  INT_PTR OnSetActive() override;
  INT_PTR OnCommand(int id, int code, HWND control) override;
  /// Stores the command line and the uninstall file name.
  INT_PTR OnWizardBack() override;
  /// Stores as Back does, then checks the fields in order.
  INT_PTR OnWizardNext() override;

 private:
  void StoreTexts();
  void ShowProgramPath(bool short_form);
  void EnableUninstallFields();
  /// On while the dialog is being prepared: EN_UPDATE of 1005 is ignored.
  bool initialising_ = false;
};

}  // namespace pakforge
