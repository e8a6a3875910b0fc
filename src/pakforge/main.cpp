// Pakforge: the authoring wizard for LORIVANDER install archives.

#include <windows.h>

#include "pakforge/host_window.h"
#include "pakforge/wizard_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return wizard::ui::RunPakforge(wizard::ui::TheApp(), instance);
}
