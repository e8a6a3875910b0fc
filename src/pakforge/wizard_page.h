#pragma once
// Base class of the five wizard pages and the dialog procedure that routes
// the property sheet's messages to their virtual operations.

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>
#include "pakforge/project_names.h"

namespace pakforge {

class WizardApp;

/// The message a page posts to itself to do work once its dialog is shown
/// (page 1 opens the project picker with it). Private to the pages: above
/// WM_APP, so no message of the dialog manager (WM_USER is DM_GETDEFID in a
/// dialog) ever reaches `OnUserMessage`.
inline constexpr UINT kPagePostedWork = WM_APP + 1;

/// Words the sheet's Back, Next, Finish and Cancel buttons from the chosen
/// language's table (IDS_BUTTON_*): the property sheet labels them in the
/// system's language otherwise.
void SetSheetButtonWords(HWND sheet);

/// One page of the wizard. Each page is a modeless dialog inside the
/// property sheet; the shared dialog procedure (`PageDialogProc`) finds the
/// page object through the page description's parameter and calls the
/// operations below. Results follow the dialog-procedure conventions:
/// 0 lets the default handling go on, non-zero means "handled"; a page
/// that answers a notification stores its answer with DWLP_MSGRESULT (as
/// `RefusePageChange` does) and returns non-zero.
class WizardPage {
 public:
  /// The page edits the settings of `app` and shows dialog resource
  /// `dialog_id`.
  WizardPage(WizardApp& app, int dialog_id) : app_(app), dialog_id_(dialog_id) {}
  virtual ~WizardPage() = default;
  WizardPage(const WizardPage&) = delete;
  WizardPage& operator=(const WizardPage&) = delete;

  /// The client rectangle of the page window; false while there is no window.
  bool GetClientArea(RECT* rect) const;
  /// Fills a page description (first-version layout, this page's dialog
  /// resource and the shared dialog procedure), creates the property sheet
  /// page and returns its handle (null on failure).
  HPROPSHEETPAGE CreatePage(HINSTANCE instance);
  /// WM_INITDIALOG: stores the window handle; returns 0.
  virtual INT_PTR OnInitDialog(HWND window);
  /// WM_COMMAND from control `id` with notification `code`; returns 0 (not
  /// handled). The answer is the dialog procedure's.
  virtual INT_PTR OnCommand(int id, int code, HWND control);
  /// WM_PAINT: paints the band at the page's left edge.
  void OnPaint();
  /// PSN_KILLACTIVE; returns 0 (the page may be left). To keep the page,
  /// store TRUE with DWLP_MSGRESULT and return non-zero.
  virtual INT_PTR OnKillActive();
  /// PSN_SETACTIVE; returns 0.
  virtual INT_PTR OnSetActive();
  /// PSN_WIZBACK; 0 goes back, `RefusePageChange()` stays.
  virtual INT_PTR OnWizardBack();
  /// PSN_WIZNEXT; 0 goes on, `RefusePageChange()` stays.
  virtual INT_PTR OnWizardNext();
  /// PSN_QUERYCANCEL (Cancel, Escape, the close box): 0 lets the wizard
  /// close, non-zero keeps it open. Asks first when the project changed
  /// (WizardApp::ConfirmClose).
  virtual INT_PTR OnQueryCancel();
  /// Any other WM_NOTIFY code, from control `control_id`; returns 0.
  virtual INT_PTR OnNotify(int control_id, NMHDR* notification);
  /// kPagePostedWork posted to the page; returns FALSE (not handled).
  virtual INT_PTR OnUserMessage(WPARAM wparam, LPARAM lparam);
  /// PSN_WIZFINISH (last page only); returns 0 (the wizard closes).
  virtual INT_PTR OnWizardFinish();

  /// The page dialog window; null until the dialog is initialised.
  HWND window() const { return window_; }
  /// The instance the page was created with.
  HINSTANCE instance() const { return instance_; }
  WizardApp& app() const { return app_; }

  /// The dialog procedure of every page.
  static INT_PTR CALLBACK PageDialogProc(HWND window, UINT message, WPARAM wparam,
                                         LPARAM lparam);

 protected:
  /// Sends PSM_SETTITLE with IDS_TITLE to the sheet, words its buttons
  /// (SetSheetButtonWords) and posts PSM_SETWIZBUTTONS with `buttons`
  /// (PSWIZB_* flags).
  void SetTitleAndButtons(DWORD buttons);
  /// Refuses a page change: stores -1 as the dialog's message result and
  /// answers 1.
  INT_PTR RefusePageChange();
  /// Shows message `string_id` (stop-sign icon), focuses control `id` with its
  /// whole text selected (id 0: no focus change) and refuses the page change.
  INT_PTR RefuseWithMessage(int string_id, int id);
  /// As above with an already formatted text recorded under `string_id`.
  INT_PTR RefuseWithText(int string_id, const char* text, int id);
  /// Text of control `id`, at most `maximum - 1` bytes.
  std::string ControlText(int id, int maximum) const;
  /// Sets the text of control `id`.
  void SetControlText(int id, const char* text) const;
  /// True when the check box `id` reports exactly BST_CHECKED.
  bool IsChecked(int id) const;
  /// Focuses control `id` and selects its whole text.
  void FocusAndSelect(int id) const;

  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  WizardApp& app_;

 private:
  int dialog_id_;
};

}  // namespace pakforge
