// The three pages of the launcher: modeless child dialogs of the main window.
#include <windows.h>

#include <string>
#include <vector>

#include "base/resource_string_win32.h"
#include "launcher/resources/resource.h"
#include "launcher/ui/setup_app.h"
#include "launcher/text_reader.h"

namespace launcher {
namespace {

/// Sizes the main window around `page`, centres it on the screen and shows
/// the page. The main window keeps its frame, so the page is never clipped.
void FitPage(HWND page) {
  HWND main = State().main_window;
  RECT window, client, page_rect;
  GetWindowRect(main, &window);
  GetClientRect(main, &client);
  GetWindowRect(page, &page_rect);
  const int frame_width = (window.right - window.left) - client.right;
  const int frame_height = (window.bottom - window.top) - client.bottom;
  const int width = (page_rect.right - page_rect.left) + frame_width;
  const int height = (page_rect.bottom - page_rect.top) + frame_height;
  SetWindowPos(main, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
  SetWindowPos(main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(page, SW_SHOW);
  UpdateWindow(page);
}

/// Fills IDC_TEXT with the text of the open text file; IDS_READ_ERROR when
/// it cannot be read.
void ShowFileText(HWND page) {
  const LauncherState& s = State();
  std::string text;
  if (!ReadTextForPage(*s.open_text_file, s.open_text_size, &text)) {
    ShowMessage(page, LoadText(IDS_READ_ERROR), MB_OK | MB_ICONSTOP);
    return;
  }
  SetDlgItemTextA(page, IDC_TEXT, text.c_str());
}

INT_PTR CALLBACK WelcomeProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      FitPage(page);
      const std::string format = LoadText(IDS_WELCOME);
      const char* name = reinterpret_cast<const char*>(lparam);
      // wsprintfA writes at most 1024 bytes; the name is at most 199.
      std::vector<char> text(1024 + 1, '\0');
      wsprintfA(text.data(), format.c_str(), name);
      SetDlgItemTextA(page, IDC_WELCOME, text.data());
      SetFocus(GetDlgItem(page, IDOK));
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
          PostMessageA(State().main_window, WM_SHOW_NOTE, 0, 0);
          if (State().current_page == page) State().current_page = nullptr;
          DestroyWindow(page);
          return TRUE;
        case IDCANCEL:
          if (ShowMessage(page, LoadText(IDS_CONFIRM_CANCEL), MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            PostMessageA(State().main_window, WM_CLOSE, 0, 0);
          } else {
            // The message box gives the focus back to the main window, not
            // to a control of the page: put it on the default button again.
            SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, IDOK)),
                         TRUE);
          }
          return TRUE;
      }
      break;
  }
  return FALSE;
}

/// What tells the text page and the licence page apart.
struct TextPageKind {
  UINT title_id;        ///< the main window's title while the page shows
  UINT instruction_id;  ///< the text of IDC_INSTRUCTION
  UINT next_message;    ///< posted to the main window by IDOK
};
const TextPageKind kTextPage = {IDS_TEXT_TITLE, IDS_TEXT_INSTRUCTION, WM_SHOW_LICENSE};
const TextPageKind kLicensePage = {IDS_LICENSE_TITLE, IDS_LICENSE_INSTRUCTION, WM_START_MANAGER};

/// The text and licence pages; their TextPageKind travels in DWLP_USER.
INT_PTR CALLBACK TextPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(page, DWLP_USER, lparam);
      const TextPageKind& kind = *reinterpret_cast<const TextPageKind*>(lparam);
      FitPage(page);
      SetWindowTextA(State().main_window, LoadText(kind.title_id).c_str());
      SetDlgItemTextA(page, IDC_INSTRUCTION, LoadText(kind.instruction_id).c_str());
      ShowFileText(page);
      SetFocus(GetDlgItem(page, IDOK));
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK: {  // Next, or I accept
          const auto* kind = reinterpret_cast<const TextPageKind*>(GetWindowLongPtrA(page, DWLP_USER));
          PostMessageA(State().main_window, kind->next_message, 0, 0);
          return TRUE;
        }
        case IDCANCEL:  // Cancel, or I do not accept
          PostMessageA(State().main_window, WM_CLOSE, 0, 0);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

/// Creates page `dialog_id` in the chosen language as a modeless child of
/// the main window; null when it cannot be made.
HWND CreatePage(UINT dialog_id, DLGPROC procedure, LPARAM parameter) {
  LauncherState& s = State();
  const DLGTEMPLATE* page = base::FindDialogTemplate(s.instance, dialog_id, s.language_id);
  if (page == nullptr) return nullptr;
  return CreateDialogIndirectParamA(s.instance, page, s.main_window, procedure, parameter);
}

}  // namespace

HWND CreateWelcomePage() {
  return CreatePage(IDD_WELCOME, WelcomeProc, reinterpret_cast<LPARAM>(State().app_name.c_str()));
}

HWND CreateTextPage(UINT dialog_id) {
  const TextPageKind& kind = dialog_id == IDD_LICENSE ? kLicensePage : kTextPage;
  return CreatePage(dialog_id, TextPageProc, reinterpret_cast<LPARAM>(&kind));
}

}  // namespace launcher
