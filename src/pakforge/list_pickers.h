#pragma once
// The small list pickers: start-up program (IDD_STARTUP_PICKER), saved
// project (IDD_PROJECT_PICKER) and source folder (IDD_SOURCE_PICKER). Each is modal, owned by the
// calling page, centred on the screen, and answers its end code: 1 when a
// row was chosen with OK or a double click (its result text is set), 2 when
// cancelled or closed.

#include <windows.h>

#include <string>
#include <vector>
#include "pakforge/project_names.h"

namespace pakforge {

class MessageBoxes;
class WizardApp;

/// Start-up program picker (IDD_STARTUP_PICKER): the "*.exe" files of the source folder
/// and of its direct sub-folders; the project's start-up program is selected
/// when listed. Result: `app.startup_choice`.
int PickStartupProgram(WizardApp& app, HWND owner);

/// Source folder picker (IDD_SOURCE_PICKER): the sub-folders of the current directory;
/// the folder named `current` (the source folder shown) is selected when
/// listed. Result: `app.source_choice`.
int PickSourceFolder(WizardApp& app, HWND owner, const std::string& current = std::string());

/// Saved-project picker (IDD_PROJECT_PICKER): renames old "Pakfrge_" files, lists the
/// projects of the current directory. Result: `app.project_choice`, the full
/// path of the chosen project file.
int ProjectPicker(WizardApp& app, HWND owner);

/// What one picker shows and how its choice becomes the result text.
struct ListPickerContent {
  int dialog_id = 0;
  /// Where the picker's message is told.
  MessageBoxes* messages = nullptr;
  /// Rows to show; `fill_failed` shows IDS_SOURCE_TOO_LONG (through
  /// `messages`) and leaves the list empty.
  std::vector<std::string> rows;
  bool fill_failed = false;
  /// The current value: its row is selected when the picker opens.
  std::string current;
  /// Text for IDC_PICK_PATH (IDD_STARTUP_PICKER only); empty: untouched.
  std::string shown_path;
  /// IDD_PROJECT_PICKER: Cancel posts WM_CLOSE instead of ending at once.
  bool cancel_posts_close = false;
  /// Filled with the chosen row's text (at most 258 bytes) when the picker
  /// ends with 1.
  std::string chosen;
  /// The picker dialog while it is open, null otherwise.
  HWND dialog = nullptr;
  /// Its list control while it is open.
  HWND list = nullptr;
};

/// Runs the picker dialog described by `content`, owned by `owner`.
int RunListPicker(HINSTANCE instance, HWND owner, ListPickerContent& content);

}  // namespace pakforge
