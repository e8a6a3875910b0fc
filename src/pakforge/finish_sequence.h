#pragma once
// The Finish sequence of the wizard: save the project, write every output
// and run the build.

#include <windows.h>
#include "pakforge/project_names.h"

namespace pakforge {

class WizardApp;

/// How the Finish sequence ended.
enum class FinishOutcome {
  kDone,      ///< every output written and the build run (its report shown)
  kFailed,    ///< a step failed; its message was shown
  kDeclined,  ///< the user kept the source folder's other files, or two files of one name: nothing done
};

/// Runs the file work of Finish (the caller has stored the display name).
/// When two files that Finish writes would share a name (CheckOutputNames),
/// says which and ends with kDeclined before anything is done. When the
/// source folder holds ".txt"/".inf" files that this project's
/// Finish does not write itself, first asks once, naming them: No ends
/// with kDeclined before anything is saved, deleted or written; Yes (or no
/// such file) goes on: decides the project path, saves the project (a
/// failed save is told to the user and the sequence goes on), then writes
/// the outputs, runs the build and reports it. Messages are owned by
/// `owner` (page 5).
FinishOutcome RunFinishSequence(WizardApp& app, HWND owner);

}  // namespace pakforge
