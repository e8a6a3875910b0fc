#include "pakforge/pages/install_page.h"

#include "project/file_utils.h"
#include "project/page_fields.h"
#include "project/source_folder_rules.h"
#include "project/pickers.h"
#include "pakforge/resources/resource.h"
#include "project/texts.h"
#include "pakforge/list_pickers.h"
#include "pakforge/resource_text.h"
#include "pakforge/wizard_app.h"

namespace pakforge {

InstallPage::InstallPage(WizardApp& app) : WizardPage(app, IDD_INSTALL_PAGE) {}

INT_PTR InstallPage::OnInitDialog(HWND window) {
  WizardPage::OnInitDialog(window);
  initialising_ = true;
  const ProjectSettings& s = app_.settings;
  const struct {
    int id;
    int limit;
  } edits[] = {{IDC_INST_DIR, s.InstDir.Maximum() - 1},
               {IDC_INST_CMD, s.Cmd.Maximum() - 1},
               {IDC_INST_UNINST_FILE, s.UninstFile.Maximum() - 1}};
  for (const auto& edit : edits) {
    SendDlgItemMessageA(window, edit.id, EM_LIMITTEXT, static_cast<WPARAM>(edit.limit), 0);
    SetControlText(edit.id, "");
  }
  initialising_ = false;
  return 0;
}

void InstallPage::ShowProgramPath(bool short_form) {
  const ProjectSettings& s = app_.settings;
  SetControlText(IDC_INST_EXE_PATH,
                 ProgramPathText(s.InstDir.Text(), s.Exe.Text(), short_form).c_str());
}

void InstallPage::EnableUninstallFields() {
  BOOL on = app_.settings.Uninstall.On() ? TRUE : FALSE;
  EnableWindow(GetDlgItem(window_, IDC_INST_UNINST_FILE), on);
  EnableWindow(GetDlgItem(window_, IDC_INST_UNREGIST), on);
}

INT_PTR InstallPage::OnSetActive() {
  SetTitleAndButtons(PSWIZB_BACK | PSWIZB_NEXT);
  ProjectSettings& s = app_.settings;
  if (!s.Name.IsEmpty()) {
    if (s.InstDir.IsEmpty()) s.InstDir.Assign(DefaultInstallText("", " ", s.Product.Text(), s.Name.Text()));
    if (s.UninstFile.IsEmpty()) {
      s.UninstFile.Assign(DefaultInstallText("Un", "", s.Product.Text(), s.Name.Text()));
    }
  }
  SetControlText(IDC_INST_PROGRAM_FILES, "\\Program Files\\");
  SetControlText(IDC_INST_DIR, s.InstDir.Text().c_str());
  SetControlText(IDC_INST_UNINST_FILE, s.UninstFile.Text().c_str());
  SetControlText(IDC_INST_CMD, s.Cmd.Text().c_str());
  CheckDlgButton(window_, IDC_INST_REBOOT, s.Reboot.On() ? BST_CHECKED : BST_UNCHECKED);

  if (s.Exe.IsEmpty() && !s.Source.IsEmpty()) {
    std::string program;
    if (FirstProgramInSource(app_.fs, s, CurrentDirectory(app_.fs), &program)) s.Exe.Assign(program);
  }
  ShowProgramPath(false);

  int radio = s.Dest == kLocationMainOnly   ? IDC_INST_DEST_MAIN
              : s.Dest == kLocationCardOnly ? IDC_INST_DEST_CARD
                                            : IDC_INST_DEST_BOTH;
  CheckRadioButton(window_, IDC_INST_DEST_BOTH, IDC_INST_DEST_CARD, radio);
  CheckDlgButton(window_, IDC_INST_UNREGIST, s.UnRegist.On() ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window_, IDC_INST_UNINSTALL, s.Uninstall.On() ? BST_CHECKED : BST_UNCHECKED);
  EnableUninstallFields();
  return 0;
}

INT_PTR InstallPage::OnCommand(int id, int code, HWND) {
  ProjectSettings& s = app_.settings;
  switch (id) {
    case IDC_INST_DIR:
      if (code != EN_UPDATE || initialising_) return 0;
      s.InstDir.Assign(ControlText(IDC_INST_DIR, s.InstDir.Maximum()));
      if (DevicePathTooLong(s.InstDir.Text().size(), s.Exe.Text().size())) {
        ShowProgramPath(true);
        app_.messages.Show(window_, IDS_INSTDIR_TOO_LONG, MB_ICONHAND);
      } else {
        ShowProgramPath(false);
      }
      return 0;
    case IDC_INST_SELECT:
      if (code != BN_CLICKED) return 0;
      if (PickStartupProgram(app_, window_) == 1) {
        if (DevicePathTooLong(s.InstDir.Text().size(), app_.startup_choice.Text().size())) {
          ShowProgramPath(true);
          app_.messages.Show(window_, IDS_INSTDIR_TOO_LONG, MB_ICONHAND);
        } else {
          s.Exe.Assign(app_.startup_choice.Text());
          ShowProgramPath(false);
        }
      }
      return 0;
    case IDC_INST_DEST_BOTH:
      s.Dest = kLocationBoth;
      return 0;
    case IDC_INST_DEST_MAIN:
      s.Dest = kLocationMainOnly;
      return 0;
    case IDC_INST_DEST_CARD:
      s.Dest = kLocationCardOnly;
      return 0;
    case IDC_INST_UNINSTALL:
      s.Uninstall.Set(IsChecked(IDC_INST_UNINSTALL));
      EnableUninstallFields();
      return 0;
    case IDC_INST_REBOOT:
      s.Reboot.Set(IsChecked(IDC_INST_REBOOT));
      return 0;
    case IDC_INST_UNREGIST:
      s.UnRegist.Set(IsChecked(IDC_INST_UNREGIST));
      return 0;
  }
  return 0;
}

void InstallPage::StoreTexts() {
  ProjectSettings& s = app_.settings;
  s.Cmd.Assign(ControlText(IDC_INST_CMD, s.Cmd.Maximum()));
  s.UninstFile.Assign(ControlText(IDC_INST_UNINST_FILE, s.UninstFile.Maximum()));
}

INT_PTR InstallPage::OnWizardBack() {
  StoreTexts();
  return 0;
}

INT_PTR InstallPage::OnWizardNext() {
  StoreTexts();
  const ProjectSettings& s = app_.settings;
  Refusal refusal;
  if (!CheckInstallFields(s, &refusal)) {
    const int control = refusal.field == Field::kInstDir      ? IDC_INST_DIR
                        : refusal.field == Field::kUninstFile ? IDC_INST_UNINST_FILE
                        : refusal.field == Field::kCmd        ? IDC_INST_CMD
                        : refusal.field == Field::kUninstall  ? IDC_INST_UNINSTALL
                                                              : 0;
    return RefuseWithMessage(refusal.string_id, control);
  }
  return 0;
}

}  // namespace pakforge
