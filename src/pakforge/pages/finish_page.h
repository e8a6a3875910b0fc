#pragma once
// Page 5 (dialog 105): what Finish creates, the version line, and the
// options of Setup.ini. Finish runs the Finish sequence.

#include "pakforge/wizard_page.h"
#include "pakforge/project_names.h"

namespace pakforge {

class FinishPage : public WizardPage {
 public:
  explicit FinishPage(WizardApp& app);

  /// Limits the display name, shows the version line.
  INT_PTR OnInitDialog(HWND window) override;
  /// Title, Back/Finish, Setup.ini options, the explanation.
  INT_PTR OnSetActive() override;
  /// 1051: Setup.ini on or off.
  INT_PTR OnCommand(int id, int code, HWND control) override;
  /// Stores the display name.
  INT_PTR OnWizardBack() override;
  /// The Finish sequence; the wizard closes unless the user declined the
  /// deletion of the source folder's other files (it then stays open).
  INT_PTR OnWizardFinish() override;

  /// Stores field 1001 into the display name (Back and Finish step 1).
  void StoreDisplayName();
};

}  // namespace pakforge
