#pragma once
// The Finish sequence of the wizard: save the project, write every output
// and start the batch file.

#include <windows.h>

namespace wizard::ui {

class WizardApp;

/// Runs steps 2 to 4 of Finish (the caller has stored the display name):
/// decides the project path, saves the project (a failed save is told to
/// the user and the sequence goes on), then writes the outputs and starts
/// the batch. Messages are owned by `owner` (page 5). Answers the result of
/// the output step (non-zero success, 0 failure or stop).
int RunFinishSequence(WizardApp& app, HWND owner);

}  // namespace wizard::ui
