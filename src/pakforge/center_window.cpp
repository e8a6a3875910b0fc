#include "pakforge/center_window.h"

namespace pakforge {

POINT CenteredOrigin(int screen_width, int screen_height, int width, int height) {
  POINT origin;
  origin.x = (screen_width - width) / 2;
  origin.y = (screen_height - height) / 2;
  return origin;
}

void CenterWindow(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  POINT origin = CenteredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace pakforge
