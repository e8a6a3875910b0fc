// Pakforge: the authoring wizard for LORIVANDER install archives.

#include <windows.h>

#include "wizard/ui/host_window.h"
#include "wizard/ui/wizard_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return wizard::ui::RunPakforge(wizard::ui::TheApp(), instance);
}
