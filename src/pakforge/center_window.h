#pragma once
// Centring of the host window and of the picker dialogs on the screen.

#include <windows.h>
#include "pakforge/project_names.h"

namespace pakforge {

/// The position that centres a w x h window on a W x H screen:
/// ((W - w) / 2, (H - h) / 2), integer division truncating toward zero.
POINT CenteredOrigin(int screen_width, int screen_height, int width, int height);

/// Moves `window` to the centre of the screen, keeping its size and Z order.
void CenterWindow(HWND window);

}  // namespace pakforge
