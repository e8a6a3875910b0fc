#include "pakforge/pages/io_page.h"

#include <windowsx.h>

#include "base/text_table.h"
#include "project/file_utils.h"
#include "project/page_fields.h"
#include "project/project_file.h"
#include "project/project_review.h"
#include "project/project_safety.h"
#include "pakforge/resources/resource.h"
#include "pakforge/list_pickers.h"
#include "pakforge/resource_text.h"
#include "pakforge/win32_services.h"
#include "pakforge/wizard_app.h"

namespace pakforge {

IoPage::IoPage(WizardApp& app) : WizardPage(app, IDD_IO_PAGE) {}

INT_PTR IoPage::OnInitDialog(HWND window) {
  WizardPage::OnInitDialog(window);
  ProjectSettings& s = app_.settings;
  s.ResetForNewProject();

  SetControlText(IDC_IO_LVAR, ".lvar");
  const struct {
    int id;
    int limit;
  } edits[] = {
      {IDC_IO_PRODUCT, s.Product.Maximum() - 1}, {IDC_IO_NAME, s.Name.Maximum() - 1},
      {IDC_IO_CAPTION, s.Caption.Maximum() - 1}, {IDC_IO_VER_MAJOR, 3},
      {IDC_IO_VER_MINOR, 3},                     {IDC_IO_OUTPUT, s.Output.Maximum() - 1},
      {IDC_IO_SOURCE, s.Source.Maximum() - 1},
  };
  for (const auto& edit : edits) {
    SendDlgItemMessageA(window, edit.id, EM_LIMITTEXT, static_cast<WPARAM>(edit.limit), 0);
    SetControlText(edit.id, "");
  }

  HWND language = GetDlgItem(window, IDC_IO_LANGUAGE);
  SendMessageA(language, CB_RESETCONTENT, 0, 0);
  const struct {
    int string_id;
    int code;
  } entries[] = {{IDS_LANG_US, kLanguageUs}, {IDS_LANG_JP, kLanguageJapanese}};
  for (const auto& entry : entries) {
    std::string text = LoadText(entry.string_id);
    LRESULT index = SendMessageA(language, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageA(language, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.code);
  }
  SelectLanguage();

  PostMessageA(window, kPagePostedWork, 0, 0);
  return 0;
}

// Selects the language entry whose item data is `Locate`, else the first.
void IoPage::SelectLanguage() {
  HWND language = GetDlgItem(window_, IDC_IO_LANGUAGE);
  int count = static_cast<int>(SendMessageA(language, CB_GETCOUNT, 0, 0));
  int chosen = 0;
  for (int i = 0; i < count; ++i) {
    if (SendMessageA(language, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == app_.settings.Locate) {
      chosen = i;
      break;
    }
  }
  SendMessageA(language, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

INT_PTR IoPage::OnUserMessage(WPARAM, LPARAM) {
  ProjectSettings& s = app_.settings;
  // A project file saved as UTF-8 with a character Shift-JIS lacks is not
  // opened: its texts would reach the pages garbled, and Finish would save
  // them so. The author is told where the character is and chooses again.
  while (ProjectPicker(app_, window_) == 1) {
    s.ProjectPath.Assign(app_.project_choice.Text());
    if (TellUnconvertible()) {
      s.ProjectPath.Assign("");
      continue;
    }
    // The settings as loaded: the list counts as built from the loaded
    // folder (ScannedSource is Source).
    s = app_.OpenedProject().settings;
    app_.page_state = PageState{};
    app_.page_state.native_ina_count = 1;
    ShowProjectFileReview();
    break;
  }
  FillControls();
  // The starting point for "anything changed": a new project or the one loaded.
  app_.changes.Start(app_.ProjectStateNow());
  return TRUE;
}

bool IoPage::TellUnconvertible() {
  const UnconvertibleCharacter& u = app_.OpenedProject().unconvertible;
  if (u.line == 0) return false;
  const std::string line = std::to_string(u.line);
  const int id = u.malformed ? IDS_MALFORMED_UTF8 : u.key.empty() ? IDS_UNCONVERTIBLE_IN_LINE : IDS_UNCONVERTIBLE_IN_VALUE;
  const std::string text = id == IDS_UNCONVERTIBLE_IN_VALUE ? base::FillText(LoadText(id), {line, u.key, CodePointText(u)})
                                                            : base::FillText(LoadText(id), {line, CodePointText(u)});
  app_.messages.ShowText(window_, id, text, MB_ICONEXCLAMATION);
  return true;
}

void IoPage::ShowProjectFileReview() {
  // A hand-written file's words that read as other words, and its names
  // that are not read: told once, all in one message, before the pages
  // show what was read.
  const ProjectFileReview& review = app_.OpenedProject().review;
  if (review.word_count == 0 && review.unread_count == 0) return;
  const ReviewFormats formats{LoadText(IDS_REVIEW_WORD), LoadText(IDS_REVIEW_SECTION), LoadText(IDS_REVIEW_KEY),
                              LoadText(IDS_REVIEW_SUGGESTION), LoadText(IDS_REVIEW_MORE)};
  const std::string text = base::FillText(LoadText(IDS_PROJECT_FILE_REVIEW), {ReviewText(review, formats)});
  app_.messages.ShowText(window_, IDS_PROJECT_FILE_REVIEW, text, MB_ICONEXCLAMATION);
}

void IoPage::FillControls() {
  const ProjectSettings& s = app_.settings;
  SetControlText(IDC_IO_PRODUCT, s.Product.Text().c_str());
  SetControlText(IDC_IO_NAME, s.Name.Text().c_str());
  SetControlText(IDC_IO_CAPTION, s.Caption.Text().c_str());
  std::string major, minor;
  bool has_minor = false;
  SplitVersion(s.Ver.Text(), &major, &minor, &has_minor);
  SetControlText(IDC_IO_VER_MAJOR, major.c_str());
  if (has_minor) SetControlText(IDC_IO_VER_MINOR, minor.c_str());
  SetControlText(IDC_IO_OUTPUT, s.Output.Text().c_str());
  SetControlText(IDC_IO_SOURCE, s.Source.Text().c_str());
  SelectLanguage();
}

INT_PTR IoPage::OnCommand(int id, int code, HWND control) {
  if (id == IDC_IO_LANGUAGE) {
    // Any notification of the list stores the entry then selected.
    LRESULT index = SendMessageA(control ? control : GetDlgItem(window_, id), CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
      app_.settings.Locate = static_cast<int>(
          SendDlgItemMessageA(window_, id, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    return 0;
  }
  if (id == IDC_IO_BROWSE && code == BN_CLICKED) {
    const std::string shown = ControlText(IDC_IO_SOURCE, app_.settings.Source.Maximum());
    if (PickSourceFolder(app_, window_, shown) != 1 || app_.source_choice.IsEmpty()) return 0;
    if (app_.source_choice.Length() < app_.settings.Source.Maximum()) {
      SetControlText(IDC_IO_SOURCE, app_.source_choice.Text().c_str());
      // The start-up program of the former folder no longer applies.
      app_.settings.Exe.Clear();
    } else {
      app_.messages.Show(window_, IDS_SOURCE_TOO_LONG, MB_ICONHAND);
    }
  }
  return 0;
}

INT_PTR IoPage::OnSetActive() {
  SetTitleAndButtons(PSWIZB_NEXT);
  FillControls();
  return 0;
}

void IoPage::ReadControls() {
  ProjectSettings& s = app_.settings;
  s.Product.Assign(ControlText(IDC_IO_PRODUCT, s.Product.Maximum()));
  s.Name.Assign(ControlText(IDC_IO_NAME, s.Name.Maximum()));
  s.Caption.Assign(ControlText(IDC_IO_CAPTION, s.Caption.Maximum()));
  s.Output.Assign(ControlText(IDC_IO_OUTPUT, s.Output.Maximum()));
  s.Source.Assign(ControlText(IDC_IO_SOURCE, s.Source.Maximum()));
  s.Ver.Assign(JoinVersion(ControlText(IDC_IO_VER_MAJOR, 4), ControlText(IDC_IO_VER_MINOR, 4)));
}

INT_PTR IoPage::OnWizardNext() {
  ReadControls();
  ProjectSettings& s = app_.settings;
  const std::string current_dir = CurrentDirectory(app_.fs);

  Refusal refusal;
  if (!CheckProgramFields(app_.fs, s, current_dir, &refusal)) {
    int control = 0;
    switch (refusal.field) {
      case Field::kProduct: control = IDC_IO_PRODUCT; break;
      case Field::kName: control = IDC_IO_NAME; break;
      case Field::kCaption: control = IDC_IO_CAPTION; break;
      case Field::kVer: control = IDC_IO_VER_MAJOR; break;
      case Field::kOutput: control = IDC_IO_OUTPUT; break;
      case Field::kSource: control = IDC_IO_SOURCE; break;
      default: break;
    }
    if (refusal.argument.empty()) return RefuseWithMessage(refusal.string_id, control);
    const std::string text = base::FillText(LoadText(refusal.string_id), {refusal.argument});
    return RefuseWithText(refusal.string_id, text.c_str(), control);
  }
  SafetyRefusal unsafe;
  if (!CheckSourceFolderInside(app_.fs, s, current_dir, app_.resolver, &unsafe)) {
    const std::string text = base::FillText(LoadText(unsafe.string_id), {unsafe.Detail()});
    return RefuseWithText(unsafe.string_id, text.c_str(), IDC_IO_SOURCE);
  }
  app_.page_state.source_changed = !s.ScannedSource.Equals(s.Source.Text(), true);
  return 0;
}

}  // namespace pakforge
