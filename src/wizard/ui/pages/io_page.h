#pragma once
// Page 1 (dialog 101): product, program and menu names, version, archive
// name, source folder and device language. Its creation resets the
// settings and offers the saved-project picker.

#include <string>

#include "wizard/ui/wizard_page.h"

namespace wizard::ui {

class IoPage : public WizardPage {
 public:
  using WizardPage::WizardPage;

  HPROPSHEETPAGE CreatePage(HINSTANCE instance) override;
  /// Resets the settings, prepares the controls, posts kPagePostedWork.
  INT_PTR OnInitDialog(HWND window) override;
  /// Browse (1007) and the language list (1036).
  INT_PTR OnCommand(int id, int code, HWND control) override;
  /// Title, Next button, fields from the settings.
  INT_PTR OnSetActive() override;
  /// Reads the fields, checks them in order, decides SourceChanged.
  INT_PTR OnWizardNext() override;
  /// The project question, then the filling of the fields.
  INT_PTR OnUserMessage(WPARAM wparam, LPARAM lparam) override;

 private:
  void FillControls();
  void SelectLanguage();
  void ReadControls();
};

/// The version fields for `version`: the text before its first "." as the
/// major part; when there is a ".", the text after it up to a second "." as
/// the minor part (`has_minor` true), else `has_minor` false.
void SplitVersion(const std::string& version, std::string* major, std::string* minor,
                  bool* has_minor);

/// `Ver` from the two fields: an empty major counts as "1", an empty minor
/// as "0".
std::string JoinVersion(const std::string& major, const std::string& minor);

}  // namespace wizard::ui
