#pragma once
// The application object of Pakforge: the project's settings, the five page
// objects, the pickers and the hidden host window, alive for the whole run.

#include <windows.h>

#include <memory>
#include <string>

#include "base/file_access.h"
#include "base/path_resolver.h"
#include "project/change_tracker.h"
#include "project/project_pipeline.h"
#include "project/row_store.h"
#include "project/settings.h"
#include "pakforge/message_boxes.h"
#include "pakforge/wizard_page.h"
#include "pakforge/project_names.h"

namespace pakforge {

/// Number of pages of the wizard.
inline constexpr int kPageCount = 5;

/// What pages 1 and 3 note of the files list between visits; none of it is
/// part of the project.
struct PageState {
  /// Page 1's Next found `Source` other than the folder page 3's list was
  /// built from: page 3 rebuilds its list when it next becomes active.
  bool source_changed = false;
  /// Page 3's last scan of the source folder: how many Native.ina files it
  /// holds, and whether names repeat, a device path grows too long, or a
  /// sub-folder holds a folder of its own.
  int native_ina_count = 0;
  bool duplicate_names = false;
  bool path_too_long = false;
  bool nested_folders = false;
  /// A row of page 3's list names a file that is not in the source folder.
  bool missing_files = false;
};

/// Everything the wizard's windows share. WinMain makes the program's one
/// over the system's seams; tests make their own so every test starts from
/// the defaults.
///
/// Pages reach their settings through `settings` and hold their rows in
/// `file_rows` and `registry_rows`. Page 3 publishes the handle of its files
/// list in `files_list` and page 4 that of its registry list in
/// `registry_list` when their dialogs are created; the Finish sequence
/// takes each page's rows while its list is an existing window.
class WizardApp {
 public:
  /// Creates the five pages (IoPage, InstallPage, FilesPage, RegistryPage,
  /// FinishPage) over default settings; every file is reached through `fs`,
  /// `resolver` tells where a path really leads, and every message box is
  /// shown through `messages`.
  WizardApp(const base::FileAccess& fs, base::PathResolver& resolver, MessageBoxes& messages);
  ~WizardApp();
  WizardApp(const WizardApp&) = delete;
  WizardApp& operator=(const WizardApp&) = delete;

  /// What the pages and Finish read and write files through.
  const base::FileAccess fs;
  /// Where the source folder really leads (page 1's check that it stays
  /// inside the current directory).
  base::PathResolver& resolver;
  /// Every message box of the wizard.
  MessageBoxes& messages;
  /// The settings of the project being authored.
  ProjectSettings settings;
  /// What the pages note between visits.
  PageState page_state;
  /// Colour of the band painted on every page (0x00BBGGRR).
  COLORREF band_colour = 0x008080;
  /// The program's instance (string table, dialog templates).
  HINSTANCE instance = nullptr;
  /// The hidden top-level window that owns the wizard; null when none.
  HWND host_window = nullptr;
  /// The files list of page 3 (IDC_FILES_LIST), null until page 3 exists.
  HWND files_list = nullptr;
  /// The registry list of page 4 (IDC_REG_LIST), null until page 4 exists.
  HWND registry_list = nullptr;
  /// The rows of page 3, which its list shows: loaded or rebuilt by the
  /// page, read by Finish and ProjectStateNow while the list exists.
  MemoryFileRowStore file_rows;
  /// The rows of page 4, which its list shows: loaded when the page is
  /// created, changed by its buttons, read by Finish and ProjectStateNow
  /// while the list exists.
  MemoryRegistryRowStore registry_rows;

  /// Page `index` (0 to 4, in wizard order).
  WizardPage& page(int index) { return *pages_[index]; }

  /// The files list while it is an existing window, else null.
  HWND LiveFilesList() const { return IsWindow(files_list) ? files_list : nullptr; }
  /// The registry list while it is an existing window, else null.
  HWND LiveRegistryList() const { return IsWindow(registry_list) ? registry_list : nullptr; }

  /// The project opened at start (`settings.ProjectPath`), loaded once
  /// (LoadProject) at the first call after the path was set: page 1 takes
  /// its settings and review, pages 3 and 4 their rows. A file that cannot
  /// be read gives what an empty one does; no path gives an empty project.
  const LoadedProject& OpenedProject();

  /// Whether the author changed the project since the wizard opened or a
  /// project was loaded (page 1 starts it; the pages note field edits).
  ChangeTracker changes;
  /// The project's state now: the settings and the rows of both lists; a
  /// list whose page was not created yet counts with the rows it will load
  /// from the opened project file.
  std::string ProjectStateNow();
  /// Asked before the wizard closes without Finish (Cancel, Escape, the
  /// close box): true closes. With nothing changed, true at once; otherwise
  /// asks (IDS_CONFIRM_CLOSE, Yes/No, No the default) with `owner` as the owner.
  bool ConfirmClose(HWND owner);

  /// Result text of the start-up program picker (IDD_STARTUP_PICKER): the program file name.
  TextSetting startup_choice;
  /// Result text of the project picker (IDD_PROJECT_PICKER): the chosen project file's path.
  TextSetting project_choice{kMaxPath};
  /// Result text of the source folder picker (IDD_SOURCE_PICKER): the folder name.
  TextSetting source_choice;

 private:
  std::unique_ptr<WizardPage> pages_[kPageCount];
  /// The load behind OpenedProject() and the path it was read from.
  LoadedProject opened_;
  std::string opened_path_;
  bool opened_read_ = false;
};

}  // namespace pakforge
