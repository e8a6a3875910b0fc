#include "pakforge/wizard_page.h"

#include <vector>

#include "pakforge/resources/resource.h"
#include "pakforge/resource_text.h"
#include "pakforge/wizard_app.h"

namespace pakforge {

bool WizardPage::GetClientArea(RECT* rect) const {
  if (!window_) return false;
  return GetClientRect(window_, rect) != FALSE;
}

INT_PTR WizardPage::OnInitDialog(HWND window) {
  window_ = window;
  return 0;
}

INT_PTR WizardPage::OnCommand(int, int, HWND) { return 0; }

// Paints the coloured band down the left edge of the page: 10 pixels wide,
// as tall as the client area. Without a brush nothing is painted.
void WizardPage::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  if (!dc) return;
  HBRUSH brush = CreateSolidBrush(app_.band_colour);
  if (brush) {
    RECT client = {};
    GetClientArea(&client);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, 0, 0, 10, client.bottom - client.top, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(brush);
  }
  EndPaint(window_, &paint);
}

INT_PTR WizardPage::OnKillActive() { return 0; }
INT_PTR WizardPage::OnSetActive() { return 0; }
INT_PTR WizardPage::OnWizardBack() { return 0; }
INT_PTR WizardPage::OnWizardNext() { return 0; }
INT_PTR WizardPage::OnQueryCancel() { return app_.ConfirmClose(window_) ? FALSE : TRUE; }
INT_PTR WizardPage::OnNotify(int, NMHDR*) { return 0; }
INT_PTR WizardPage::OnUserMessage(WPARAM, LPARAM) { return FALSE; }
INT_PTR WizardPage::OnWizardFinish() { return 0; }

HPROPSHEETPAGE WizardPage::CreatePage(HINSTANCE instance) {
  instance_ = instance;
  PROPSHEETPAGEA page = {};
  page.dwSize = PROPSHEETPAGEA_V1_SIZE;
  page.dwFlags = PSP_DLGINDIRECT;
  page.hInstance = instance;
  page.pResource = DialogTemplate(instance, dialog_id_);
  if (page.pResource == nullptr) return nullptr;
  page.pfnDlgProc = &WizardPage::PageDialogProc;
  // The page object travels in the description so that one dialog
  // procedure serves every page (and tests can make several wizards).
  page.lParam = reinterpret_cast<LPARAM>(this);
  return CreatePropertySheetPageA(&page);
}

void SetSheetButtonWords(HWND sheet) {
  // The sheet's own button ids (ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH).
  const struct {
    int control, string_id;
  } kButtons[] = {{0x3023, IDS_BUTTON_BACK},
                  {0x3024, IDS_BUTTON_NEXT},
                  {0x3025, IDS_BUTTON_FINISH},
                  {IDCANCEL, IDS_BUTTON_CANCEL}};
  for (const auto& button : kButtons) {
    if (HWND control = GetDlgItem(sheet, button.control)) SetWindowTextA(control, LoadText(button.string_id).c_str());
  }
}

void WizardPage::SetTitleAndButtons(DWORD buttons) {
  HWND sheet = GetParent(window_);
  std::string title = LoadText(IDS_TITLE);
  SendMessageA(sheet, PSM_SETTITLEA, 0, reinterpret_cast<LPARAM>(title.c_str()));
  SetSheetButtonWords(sheet);
  // The sheet may still be initialising (the first page is activated from
  // inside its creation, before it sets its own caption); the posted copy
  // arrives after that and keeps the title in place. It is posted as text
  // (the sheet would load a resource id in the system's language, not the
  // chosen one), from a buffer that stays where it is.
  static char posted_title[512];
  lstrcpynA(posted_title, title.c_str(), sizeof posted_title);
  PostMessageA(sheet, PSM_SETTITLEA, 0, reinterpret_cast<LPARAM>(posted_title));
  PostMessageA(sheet, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

INT_PTR WizardPage::RefusePageChange() {
  SetWindowLongPtrA(window_, DWLP_MSGRESULT, -1);
  return 1;
}

INT_PTR WizardPage::RefuseWithMessage(int string_id, int id) {
  return RefuseWithText(string_id, LoadText(string_id).c_str(), id);
}

INT_PTR WizardPage::RefuseWithText(int string_id, const char* text, int id) {
  app_.messages.ShowText(window_, string_id, text, MB_ICONHAND);
  if (id != 0) FocusAndSelect(id);
  return RefusePageChange();
}

std::string WizardPage::ControlText(int id, int maximum) const {
  if (maximum <= 1) return std::string();
  std::vector<char> buffer(static_cast<size_t>(maximum), '\0');
  int length = GetDlgItemTextA(window_, id, buffer.data(), maximum);
  if (length < 0) length = 0;
  return std::string(buffer.data(), static_cast<size_t>(length));
}

void WizardPage::SetControlText(int id, const char* text) const {
  SetDlgItemTextA(window_, id, text);
}

bool WizardPage::IsChecked(int id) const {
  return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void WizardPage::FocusAndSelect(int id) const {
  HWND control = GetDlgItem(window_, id);
  if (!control) return;
  SetFocus(control);
  SendMessageA(control, EM_SETSEL, 0, -1);
}

namespace {

// Depth of the pages' own filling of their fields (creation, activation):
// the notifications that filling causes are not the author's edits.
int g_filling = 0;

// True when notification `code` from `control` means the author changed a
// field: typing in an edit, choosing in a list box, or (un)checking a box or
// choosing a radio button. Push buttons change nothing by themselves.
bool IsFieldEdit(int code, HWND control) {
  if (code == EN_CHANGE || code == CBN_SELCHANGE) return true;
  if (code != BN_CLICKED || !control) return false;
  switch (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

}  // namespace

INT_PTR CALLBACK WizardPage::PageDialogProc(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  WizardPage* page = reinterpret_cast<WizardPage*>(GetWindowLongPtrA(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    const PROPSHEETPAGEA* description = reinterpret_cast<const PROPSHEETPAGEA*>(lparam);
    page = reinterpret_cast<WizardPage*>(description->lParam);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
    ++g_filling;
    const INT_PTR result = page->OnInitDialog(window);
    --g_filling;
    return result;
  }
  if (!page) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (g_filling == 0 &&
          IsFieldEdit(HIWORD(wparam), reinterpret_cast<HWND>(lparam))) {
        page->app().changes.NoteEdit();
      }
      return page->OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
    case WM_PAINT:
      page->OnPaint();
      return TRUE;
    case kPagePostedWork:
      return page->OnUserMessage(wparam, lparam);
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lparam);
      switch (header->code) {
        case PSN_SETACTIVE: {
          ++g_filling;
          const INT_PTR result = page->OnSetActive();
          --g_filling;
          return result;
        }
        case PSN_KILLACTIVE:
          return page->OnKillActive();
        case PSN_QUERYCANCEL:
          // Non-zero keeps the wizard open.
          SetWindowLongPtrA(window, DWLP_MSGRESULT, page->OnQueryCancel());
          return TRUE;
        case PSN_WIZBACK:
          return page->OnWizardBack();
        case PSN_WIZNEXT:
          return page->OnWizardNext();
        case PSN_WIZFINISH:
          return page->OnWizardFinish();
        default:
          return page->OnNotify(static_cast<int>(header->idFrom), header);
      }
    }
    default:
      return FALSE;
  }
}

}  // namespace pakforge
