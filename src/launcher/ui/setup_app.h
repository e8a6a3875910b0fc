#pragma once
// Process-wide state and shared helpers of the launcher's Win32 program.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "base/file_access.h"
#include "base/language.h"

namespace launcher {

/// Private messages of the main window.
/// Show the note or read-me page (skipped when its file cannot be opened).
inline constexpr UINT WM_SHOW_NOTE = WM_USER + 1;
/// Start the application manager with the archive, then close.
inline constexpr UINT WM_START_MANAGER = WM_USER + 3;
/// Show the licence page (skipped when its file cannot be opened).
inline constexpr UINT WM_SHOW_LICENSE = WM_USER + 5;

/// The languages Setup speaks; the first is its default.
inline constexpr base::Language kSetupLanguages[] = {base::Language::kRussian, base::Language::kEnglish,
                                                     base::Language::kJapanese};

/// Everything the launcher sets up at start and keeps until it exits.
struct LauncherState {
  explicit LauncherState(base::FileAccess files) : fs(files) {}
  LauncherState(const LauncherState&) = delete;
  LauncherState& operator=(const LauncherState&) = delete;

  HINSTANCE instance = nullptr;
  /// The file system (with the current folder) and the folder lister every
  /// file is reached through: the platform's, which WinMain passes.
  base::FileAccess fs;
  /// LANGID of the language chosen at start: every text and page is loaded
  /// in it.
  WORD language_id = 0;
  /// Folder of the launcher's executable, without a trailing backslash.
  std::string folder;
  /// Folder text of the registry value followed by "deskinst.exe".
  std::string manager_path;
  /// True when the registry gave a manager folder.
  bool manager_folder_known = false;
  /// The archive "setup.ini" names ([APPNAME] file); empty when none.
  std::string named_archive;
  /// The [APPNAME] appname of "setup.ini", or IDS_DEFAULT_APP_NAME.
  std::string app_name;
  HWND main_window = nullptr;
  /// The page dialog now shown, or null.
  HWND current_page = nullptr;
  /// The text file the current page shows, kept open and locked (no sharing)
  /// while it shows, so that it cannot change meanwhile; null when none is open.
  std::unique_ptr<base::InputFile> open_text_file;
  /// Its size when it was opened.
  std::uint64_t open_text_size = 0;
  /// The archive's full path; empty until an archive is found.
  std::string archive_path;
};

/// The one state object of the process: the one Run was given.
LauncherState& State();

/// Runs the launcher with `state`, which lives until it returns: shows the
/// main window and its pages and answers the exit code.
int Run(LauncherState& state, HINSTANCE instance, HINSTANCE previous);

/// Loads string resource `id` (at most 1000 characters) in the chosen
/// language, in the ANSI code page.
std::string LoadText(UINT id, int room = 1000);

/// The lead-byte test of the system's ANSI code page.
bool IsSystemLeadByte(unsigned char c);

/// Shows `text` in a message box captioned IDS_TITLE with `style` (MB_*),
/// its buttons worded from the chosen language's table; answers its result.
int ShowMessage(HWND owner, const std::string& text, UINT style);

/// Shows message `id` (captioned IDS_TITLE, stop-sign icon, OK only) with
/// `detail` in place of its "%s", owned by `owner`.
void ShowStopMessage(HWND owner, UINT id, const std::string& detail = std::string());

/// Creates the welcome page (IDD_WELCOME) as a modeless child of the main
/// window. Returns null when it cannot be created.
HWND CreateWelcomePage();

/// Creates the text page (IDD_TEXT) or the licence page (IDD_LICENSE)
/// showing the open text file. Returns null when it cannot be created.
HWND CreateTextPage(UINT dialog_id);

}  // namespace launcher
