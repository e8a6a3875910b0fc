#pragma once
// Start-up of Pakforge: the single-instance rule, the hidden host window
// whose first message runs the wizard, and the message loop.

#include <windows.h>
#include "pakforge/project_names.h"

namespace pakforge {

class WizardApp;

/// Class name of the hidden host window; a second instance finds it.
inline constexpr char kHostWindowClass[] = "PakforgeWizard";

/// The whole program: initialises the common controls, leaves at once (0)
/// when another instance's host window exists (bringing that one forward),
/// registers the class, creates the hidden host window and runs the message
/// loop until the wizard has closed. Answers the loop's exit code.
int RunPakforge(WizardApp& app, HINSTANCE instance);

}  // namespace pakforge
