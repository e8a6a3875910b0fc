#pragma once
// Page 1 (dialog 101): product, program and menu names, version, archive
// name, source folder and device language. Its creation resets the
// settings and offers the saved-project picker.

#include <string>

#include "pakforge/wizard_page.h"
#include "pakforge/project_names.h"

namespace pakforge {

class IoPage : public WizardPage {
 public:
  explicit IoPage(WizardApp& app);

  /// Resets the settings, prepares the controls, posts kPagePostedWork.
  INT_PTR OnInitDialog(HWND window) override;
  /// Browse (1007) and the language list (1036).
  INT_PTR OnCommand(int id, int code, HWND control) override;
  /// Title, Next button, fields from the settings.
  INT_PTR OnSetActive() override;
  /// Reads the fields, checks them in order, decides PageState::source_changed.
  INT_PTR OnWizardNext() override;
  /// The project question, then the filling of the fields.
  INT_PTR OnUserMessage(WPARAM wparam, LPARAM lparam) override;

 private:
  /// Tells of the character Shift-JIS lacks in the project file just
  /// chosen, when it was saved as UTF-8 with one; false when it has none.
  bool TellUnconvertible();
  /// Tells, once, what the opened project file holds that is not read as written.
  void ShowProjectFileReview();
  void FillControls();
  void SelectLanguage();
  void ReadControls();
};

}  // namespace pakforge
