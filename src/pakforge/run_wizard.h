#pragma once
// Building and running the wizard: a property sheet in wizard mode over
// the five pages of the application object.

#include <windows.h>
#include "pakforge/project_names.h"

namespace pakforge {

class WizardApp;

/// Stores `instance` in `app`, asks the five pages for their page handles
/// and runs the modal property sheet (PSH_WIZARD, first-version header, no
/// caption, start page 0) owned by `parent`, centred on the screen. Returns
/// when the wizard closes.
void RunWizard(WizardApp& app, HWND parent, HINSTANCE instance);

}  // namespace pakforge
