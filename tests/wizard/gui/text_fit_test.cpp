// Every page and dialog of Pakforge in each language that the system's code
// page can show: each static, button, check box, radio button and group box
// text is measured in its control's font and must fit its control, without
// being cut off or wrapped out of sight. Texts that the program puts into
// statics at run time are filled in first. With PAK_SCREENSHOTS set, each
// dialog is also saved as <folder>\<language>\pakforge-<id>.bmp.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/language.h"
#include "gui_harness.h"
#include "wizard/resources/resource.h"
#include "wizard/ui/resource_text.h"

namespace {

using wizard::ui::LoadText;

/// The dialogs, by id, with the name their screenshot takes.
const struct {
  int id;
  const char* name;
} kDialogs[] = {
    {IDD_IO_PAGE, "101-page1"},           {IDD_INSTALL_PAGE, "102-page2"},
    {IDD_FILES_PAGE, "103-page3"},        {IDD_REGISTRY_PAGE, "104-page4"},
    {IDD_FINISH_PAGE, "105-page5"},       {IDD_REGISTRY_ENTRY, "106-registry-entry"},
    {IDD_STARTUP_PICKER, "107-startup"},  {IDD_PROJECT_PICKER, "108-project"},
    {IDD_FOLDER_CHOOSER, "109-chooser"},  {IDD_SOURCE_PICKER, "110-source"},
};

/// Texts the program shows in a static of a dialog (each is tried in turn).
const struct {
  int dialog;
  int control;
  int string_id;
} kShownTexts[] = {
    {IDD_FINISH_PAGE, IDC_FINISH_TEXT, IDS_FINISH_TEXT},
    {IDD_FINISH_PAGE, IDC_FINISH_VERSION, IDS_VERSION},
    {IDD_FILES_PAGE, IDC_FILES_SOURCE_PATH, IDS_NOT_FOUND},
    {IDD_FOLDER_CHOOSER, IDC_CHOOSER_TEXT, IDS_CHOOSER_APP_TEXT},
    {IDD_FOLDER_CHOOSER, IDC_CHOOSER_TEXT, IDS_CHOOSER_DOCS_TEXT},
};

/// `format` with a typical program name for each "%s" and "09" for "%02d".
std::string Filled(std::string text) {
  for (std::size_t at; (at = text.find("%s")) != std::string::npos;) text.replace(at, 2, "KantanMemo");
  for (std::size_t at; (at = text.find("%02d")) != std::string::npos;) text.replace(at, 4, "09");
  return text;
}

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

/// A plain window class for the frame around a page.
const char* FrameClass(HINSTANCE instance) {
  static const char kName[] = "TextFitFrame";
  WNDCLASSA frame = {};
  frame.lpfnWndProc = DefWindowProcA;
  frame.hInstance = instance;
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kName;
  RegisterClassA(&frame);  // fails harmlessly when already registered
  return kName;
}

/// Why the text of `control` does not fit it; empty when it fits.
std::string Misfit(HWND control) {
  char cls[32] = {};
  GetClassNameA(control, cls, sizeof cls);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const std::string text = guitest::WindowText(control);
  const bool is_static = lstrcmpiA(cls, "Static") == 0;
  if (text.empty() || (!is_static && lstrcmpiA(cls, "Button") != 0)) return std::string();
  const LONG type = style & (is_static ? SS_TYPEMASK : BS_TYPEMASK);
  if (is_static && type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP) {
    return std::string();  // pictures and rules
  }
  RECT client;
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  LONG width = client.right;
  UINT format = DT_CALCRECT | ((is_static && (style & SS_NOPREFIX)) ? DT_NOPREFIX : 0);
  if (is_static) {
    if (type != SS_LEFTNOWORDWRAP) format |= DT_WORDBREAK;
  } else if (type == BS_GROUPBOX) {
    width -= 2 * metrics.tmAveCharWidth;  // the frame's line on either side of the caption
    format |= DT_SINGLELINE;
  } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
    width -= 4 * GetSystemMetrics(SM_CXEDGE);
    format |= DT_SINGLELINE;
  } else {
    width -= GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth / 2;  // the box or circle
    format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  }
  RECT needed = {0, 0, width, 0};
  DrawTextA(dc, text.c_str(), -1, &needed, format);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  const LONG height = (format & DT_SINGLELINE) ? metrics.tmHeight : client.bottom;
  if (needed.right <= width && needed.bottom <= height) return std::string();
  return "control " + std::to_string(GetDlgCtrlID(control)) + " [" + text + "] needs " +
         std::to_string(needed.right) + "x" + std::to_string(needed.bottom) + ", has " +
         std::to_string(width) + "x" + std::to_string(height);
}

/// Saves the screen area of `window` as a 24-bit BMP file.
void SaveScreenshot(HWND window, const std::string& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  std::string pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), '\0');
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(out);
}

TEST(TextFit, EveryTextFitsItsControlInEveryLanguage) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  wizard::ui::SetTextInstance(instance);
  char shots[MAX_PATH] = {};
  const DWORD shots_length = GetEnvironmentVariableA("PAK_SCREENSHOTS", shots, MAX_PATH);
  int languages = 0;
  for (base::Language language : wizard::kWizardLanguages) {
    if (!base::CodePageShows(GetACP(), language)) continue;
    ++languages;
    wizard::ui::SetTextLanguage(language);
    const std::string folder = std::string(shots) + "\\" + std::string(base::LanguageTag(language));
    if (shots_length > 0) CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& dialog : kDialogs) {
      const DLGTEMPLATE* layout = wizard::ui::DialogTemplate(instance, dialog.id);
      ASSERT_NE(layout, nullptr) << dialog.name;
      // Pages are child dialogs: they get a frame window of their own.
      HWND frame = CreateWindowExA(WS_EX_TOPMOST, FrameClass(instance), "", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 40,
                                   40, nullptr, nullptr, instance, nullptr);
      HWND window = CreateDialogIndirectParamA(instance, layout, frame, QuietProc, 0);
      ASSERT_NE(window, nullptr) << dialog.name;
      if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        RECT r = {0, 0, 0, 0};
        GetWindowRect(window, &r);
        RECT outer = {0, 0, r.right - r.left, r.bottom - r.top};
        AdjustWindowRect(&outer, WS_POPUP | WS_CAPTION, FALSE);
        SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER);
        SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~WS_CAPTION);
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
      } else {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
      }
      ShowWindow(window, SW_SHOW);
      const std::string where = std::string(base::LanguageTag(language)) + " " + dialog.name + ": ";
      for (const auto& shown : kShownTexts) {
        if (shown.dialog != dialog.id) continue;
        const std::string text = Filled(LoadText(shown.string_id));
        ASSERT_FALSE(text.empty()) << where << "string " << shown.string_id;
        SetDlgItemTextA(window, shown.control, text.c_str());
        EXPECT_EQ(Misfit(GetDlgItem(window, shown.control)), "") << where;
      }
      int checked = 0;
      for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        EXPECT_EQ(Misfit(control), "") << where;
        ++checked;
      }
      EXPECT_GT(checked, 2) << where;
      if (shots_length > 0) {
        guitest::PumpMessages();
        SaveScreenshot((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? frame : window,
                       folder + "\\pakforge-" + dialog.name + ".bmp");
      }
      DestroyWindow(window);
      DestroyWindow(frame);
    }
  }
  EXPECT_GT(languages, 0);
  wizard::ui::SetTextLanguage(base::Language::kJapanese);
}

}  // namespace
