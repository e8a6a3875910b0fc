#pragma once
// Page 2 (dialog 102): install folder, start-up program and its command
// line, reset after install, install location and uninstall information.

#include <string>

#include "wizard/settings.h"
#include "wizard/ui/wizard_page.h"

namespace wizard::ui {

class InstallPage : public WizardPage {
 public:
  using WizardPage::WizardPage;

  HPROPSHEETPAGE CreatePage(HINSTANCE instance) override;
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

/// Length of "Program Disk", the device's program folder.
inline constexpr int kProgramDiskLength = 12;

/// True when the program path of `inst_dir` and `exe` would be too long for
/// its full form: 12 + length(inst_dir) + length(exe) + 20 reaches 260.
bool ProgramPathTooLong(int inst_dir_length, int exe_length);

/// The program path shown in 1006: "\Program Disk\<inst_dir>\<exe>", or the
/// short form "\Program Disk\...\<exe>" when `short_form`.
std::string ProgramPathText(const std::string& inst_dir, const std::string& exe, bool short_form);

/// The default of an empty text: `format` filled from Product and Name
/// ("<Product> <Name>" / "Un<Product><Name>" with a product, else
/// "<Name>" / "Un<Name>"), cut to at most 100 bytes without splitting a
/// double-byte character.
std::string DefaultInstallText(const std::string& prefix, const std::string& separator,
                               const std::string& product, const std::string& name);

}  // namespace wizard::ui
