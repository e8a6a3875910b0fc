#include "text_fit.h"

#include <vector>

#include "window_harness.h"

namespace textfit {
namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

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

}  // namespace

std::string Misfit(HWND control) {
  char cls[32] = {};
  GetClassNameA(control, cls, sizeof cls);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const std::string text = winharness::WindowText(control);
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

std::string DialogMisfits(HWND dialog) {
  std::string misfits;
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    const std::string misfit = Misfit(control);
    if (!misfit.empty()) misfits += misfit + "\n";
  }
  return misfits;
}

ShownDialog::ShownDialog(HINSTANCE instance, const DLGTEMPLATE* layout) {
  if (layout == nullptr) return;
  frame_ = CreateWindowExA(WS_EX_TOPMOST, FrameClass(instance), "", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0,
                           40, 40, nullptr, nullptr, instance, nullptr);
  dialog_ = CreateDialogIndirectParamA(instance, layout, frame_, QuietProc, 0);
  if (dialog_ == nullptr) return;
  if (GetWindowLongA(dialog_, GWL_STYLE) & WS_CHILD) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(dialog_, &r);
    RECT outer = {0, 0, r.right - r.left, r.bottom - r.top};
    AdjustWindowRect(&outer, WS_POPUP | WS_CAPTION, FALSE);
    SetWindowPos(frame_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER);
    SetWindowLongA(dialog_, GWL_STYLE, GetWindowLongA(dialog_, GWL_STYLE) & ~WS_CAPTION);
    SetWindowPos(dialog_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
  } else {
    SetWindowPos(dialog_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
  }
  ShowWindow(dialog_, SW_SHOW);
}

ShownDialog::~ShownDialog() {
  if (dialog_) DestroyWindow(dialog_);
  if (frame_) DestroyWindow(frame_);
}

bool ShownDialog::Screenshot(const std::string& path) const {
  MSG message;
  for (int round = 0; round < 20; ++round) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  return winharness::SaveScreenArea((GetWindowLongA(dialog_, GWL_STYLE) & WS_CHILD) ? frame_ : dialog_, path);
}

}  // namespace textfit
