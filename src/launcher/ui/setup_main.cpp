// Setup.exe: greets the end user, shows the note or read-me and the licence,
// then hands the archive beside it to the device maker's application manager.
#include <windows.h>

#include <string>
#include <vector>

#include "base/listing.h"
#include "base/message_box_win32.h"
#include "base/resource_string_win32.h"
#include "base/text_table.h"
#include "launcher/launcher_files.h"
#include "launcher/launcher_folder.h"
#include "launcher/resources/resource.h"
#include "launcher/ui/setup_app.h"
#include "launcher/setup_ini.h"

namespace launcher {

namespace {

// The window procedures reach the state through State(); Run sets it.
LauncherState* running_state = nullptr;

}  // namespace

LauncherState& State() { return *running_state; }

std::string LoadText(UINT id, int room) {
  return base::LoadResourceString(State().instance, id, room, State().language_id);
}

bool IsSystemLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

int ShowMessage(HWND owner, const std::string& text, UINT style) {
  const base::ButtonWords words{LoadText(IDS_BUTTON_OK), LoadText(IDS_BUTTON_CANCEL), "", ""};
  return base::ShowMessageBox(owner, text, LoadText(IDS_TITLE), style, words);
}

void ShowStopMessage(HWND owner, UINT id, const std::string& detail) {
  ShowMessage(owner, base::FillText(LoadText(id), {detail}), MB_OK | MB_ICONSTOP);
}

namespace {

constexpr char kManagerKey[] = "Software\\TAVRO\\SyncDesk for LORIVANDER";
constexpr char kManagerValue[] = "deskinst";

/// The manager's folder from the registry; empty on any failure. The key is
/// opened for reading only, so users without administrator rights find it too.
std::string ReadManagerFolder() {
  char folder[MAX_PATH + 1] = {};
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kManagerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  DWORD size = MAX_PATH;  // the last byte stays a terminator whatever is stored
  const LONG status = RegQueryValueExA(key, kManagerValue, nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(folder), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::string();
  return folder;
}

void DestroyCurrentPage() {
  LauncherState& s = State();
  if (s.current_page != nullptr && IsWindow(s.current_page)) DestroyWindow(s.current_page);
  s.current_page = nullptr;
}

/// Opens `path`, locked while it is shown, and shows it on page `dialog_id`;
/// when it cannot be opened (or the page cannot be made) posts `skip_to`
/// instead.
void ShowTextPageOrSkip(const std::string& path, UINT dialog_id, UINT skip_to) {
  LauncherState& s = State();
  s.open_text_file = s.fs.files.OpenLocked(path, &s.open_text_size);
  if (s.open_text_file) s.current_page = CreateTextPage(dialog_id);
  if (s.current_page == nullptr) {
    s.open_text_file.reset();
    PostMessageA(s.main_window, skip_to, 0, 0);
  }
}

/// Starts the manager with the archive path as its whole command line and
/// does not wait for it. When it does not start, tells the user what is
/// missing (the registry value, the manager's file) or that it failed.
void StartManager() {
  LauncherState& s = State();
  FindArchive(s.fs.lister, s.folder, &s.archive_path, s.named_archive);
  std::vector<char> command_line(s.archive_path.begin(), s.archive_path.end());
  command_line.push_back('\0');

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  const bool started = CreateProcessA(s.manager_path.c_str(), command_line.data(), nullptr,
                                      nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                      &process) != FALSE;
  if (started) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  switch (DiagnoseManagerStart(started, s.manager_folder_known,
                               IsExistingFile(s.fs.files, s.manager_path))) {
    case ManagerFailure::kNone:
      break;
    case ManagerFailure::kNoRegistryValue:
      ShowStopMessage(s.main_window, IDS_NO_MANAGER_REGISTRY,
                      std::string("HKEY_LOCAL_MACHINE\\") + kManagerKey + "\\" + kManagerValue);
      break;
    case ManagerFailure::kNoManagerFile:
      ShowStopMessage(s.main_window, IDS_NO_MANAGER_FILE, s.manager_path);
      break;
    case ManagerFailure::kStartFailed:
      ShowStopMessage(s.main_window, IDS_MANAGER_START_FAILED, s.manager_path);
      break;
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LauncherState& s = State();
  switch (message) {
    case WM_CREATE: {
      HANDLE icon = LoadImageA(s.instance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, 16, 16,
                               LR_DEFAULTCOLOR);
      SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
      return 0;
    }
    case WM_SHOW_NOTE:
      DestroyCurrentPage();
      ShowTextPageOrSkip(NoteFilePath(s.fs.files, s.folder), IDD_TEXT, WM_SHOW_LICENSE);
      return 0;
    case WM_SHOW_LICENSE:
      s.open_text_file.reset();
      DestroyCurrentPage();
      ShowTextPageOrSkip(LauncherPath(s.folder, kLicenseFile), IDD_LICENSE, WM_START_MANAGER);
      return 0;
    case WM_START_MANAGER:
      StartManager();
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      s.open_text_file.reset();
      DestroyCurrentPage();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int Run(LauncherState& state, HINSTANCE instance, HINSTANCE previous) {
  running_state = &state;
  LauncherState& s = state;
  s.instance = instance;
  s.language_id = base::WindowsLanguageId(
      base::ChooseLanguage(base::CurrentLanguageRequest(), kSetupLanguages));
  const std::string class_name = LoadText(IDS_CLASS_NAME, 40);
  if (previous == nullptr) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = class_name.c_str();
    if (!RegisterClassA(&wc)) return 0;
  }
  const std::string title = LoadText(IDS_TITLE);

  s.folder = LauncherFolderFromCommandLine(GetCommandLineA(), s.fs.files.CurrentFolder(), IsSystemLeadByte);
  const std::string manager_folder = ReadManagerFolder();
  s.manager_folder_known = !manager_folder.empty();
  s.manager_path = ManagerPath(manager_folder);
  const std::string default_name = LoadText(IDS_DEFAULT_APP_NAME);
  SetupIniValues ini = ReadSetupIni(s.fs.files, LauncherPath(s.folder, kSetupIniFile),
                                    default_name, IsSystemLeadByte);
  s.app_name = ini.app_name;
  s.named_archive = ini.archive_name;

  s.main_window = CreateWindowExA(0, class_name.c_str(), title.c_str(), WS_DLGFRAME | WS_SYSMENU,
                                  0, 0, 480, 205, nullptr, nullptr, instance, nullptr);
  if (s.main_window == nullptr) return 0;
  s.current_page = CreateWelcomePage();
  if (s.current_page == nullptr) return 0;
  ShowWindow(s.main_window, SW_SHOW);
  UpdateWindow(s.main_window);

  MSG msg = {};
  while (IsWindow(s.main_window)) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    if (s.current_page != nullptr && IsWindow(s.current_page) &&
        IsDialogMessageA(s.current_page, &msg)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // The loop usually ends because the window is gone, with the last message
  // dispatched still in `msg` (for the close box, a WM_SYSCOMMAND whose
  // wParam is SC_CLOSE); only a WM_QUIT carries the exit code.
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace launcher

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR /*command_line*/, int /*show*/) {
  launcher::LauncherState state(base::SystemFileAccess());
  return launcher::Run(state, instance, previous);
}
