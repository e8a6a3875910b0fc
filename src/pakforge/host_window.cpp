#include "pakforge/host_window.h"

#include <commctrl.h>

#include <string>

#include "pakforge/resources/resource.h"
#include "pakforge/center_window.h"
#include "pakforge/resource_text.h"
#include "pakforge/run_wizard.h"
#include "pakforge/wizard_app.h"

namespace pakforge {

namespace {

WizardApp* g_host_app = nullptr;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      g_host_app->host_window = window;
      CenterWindow(window);
      PostMessageA(window, WM_USER, 0, 0);
      return 0;
    case WM_USER:
      // The wizard runs from inside the message loop; when it has closed
      // (Finish or Cancel) the host closes too, which ends the program.
      RunWizard(*g_host_app, window, g_host_app->instance);
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      g_host_app->host_window = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int RunPakforge(WizardApp& app, HINSTANCE instance) {
  InitCommonControls();
  SetTextInstance(instance);
  SetTextLanguage(base::ChooseLanguage(base::CurrentLanguageRequest(), kWizardLanguages));

  // A second copy never opens a wizard: it brings the first one forward.
  HWND running = FindWindowA(kHostWindowClass, nullptr);
  if (running) {
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 1));
    return 0;
  }

  app.instance = instance;
  g_host_app = &app;
  WNDCLASSA window_class = {};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = HostWindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PAKFORGE));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = nullptr;
  window_class.lpszMenuName = nullptr;
  window_class.lpszClassName = kHostWindowClass;
  if (!RegisterClassA(&window_class)) return 0;

  std::string title = LoadText(IDS_TITLE);
  HWND host = CreateWindowExA(0, kHostWindowClass, title.c_str(), WS_DLGFRAME | WS_SYSMENU, 0, 0,
                              276, 140, nullptr, nullptr, instance, nullptr);
  if (!host) return 0;

  MSG message = {};
  while (IsWindow(host)) {
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace pakforge
