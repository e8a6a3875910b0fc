// Pakforge: the authoring wizard for LORIVANDER install archives.

#include <windows.h>

#include "base/file_access.h"
#include "base/path_resolver.h"
#include "pakforge/host_window.h"
#include "pakforge/message_boxes.h"
#include "pakforge/wizard_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The system's seams, made here and passed down: nothing below reaches
  // the system by itself.
  pakforge::SystemMessageBoxes message_boxes;
  pakforge::WizardApp app(base::SystemFileAccess(), base::SystemPathResolver(), message_boxes);
  return pakforge::RunPakforge(app, instance);
}
