// End-to-end driver of Setup.exe under Wine (or Windows).
//
//   launcher_driver SCENARIO FOLDER SETUP_EXE DESKINST_EXE [ru|en|ja]
//
// Builds in the empty FOLDER a kit folder (Setup.exe and the files of the
// scenario, in a folder whose name holds a blank) and a manager folder (the
// stand-in deskinst.exe), points the registry value at the manager, starts
// Setup.exe, presses the buttons of each page by control id and checks the
// texts, the page order and what the manager received. Screenshots of the
// pages go to PAK_SCREENSHOTS\<language> (see window_harness.h). Every wait
// has a time limit; Setup is ended if it is still running at the end. Exit
// status 0 when all checks pass.
// The last argument names the language whose texts Setup must show (Russian
// when it is left out); the caller sets up the locale that makes Setup choose it.
//
// The driver reads window texts with the wide functions so that it compares
// exactly what the user sees, whatever the ANSI code page.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "window_harness.h"

namespace {

using winharness::PostCommand;
using winharness::WideText;

int g_failures = 0;

std::wstring Wide(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), n);
  out.resize(static_cast<std::size_t>(n) - 1);
  return out;
}

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(n) - 1);
  return out;
}

void Check(bool ok, const std::string& what) {
  if (!ok) {
    ++g_failures;
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
  } else {
    std::printf("ok: %s\n", what.c_str());
  }
  std::fflush(stdout);
  std::fflush(stderr);
}

void CheckText(const std::wstring& actual, const std::wstring& expected, const std::string& what) {
  Check(actual == expected, what + (actual == expected ? "" : "\n  got:      [" + Utf8(actual) +
                                                                  "]\n  expected: [" +
                                                                  Utf8(expected) + "]"));
}

// Texts of the launcher as the user must see them, in each language it
// speaks; "%s" stands for the name or path the launcher fills in.
struct Texts {
  const char* tag;
  const char* title;
  const char* text_title;
  const char* license_title;
  const char* confirm;
  const char* welcome;
  const char* text_instruction;
  const char* license_instruction;
  const char* no_manager_registry;
  const char* no_manager_file;
  const char* ok;      ///< the message boxes' OK button
  const char* cancel;  ///< and their Cancel button
};

const Texts kLanguages[] = {
    {"ru", "LORIVANDER Application Installer (v1.06)", "LORIVANDER Application Installer",
     "LORIVANDER Application Installer - Лицензионное соглашение", "Отменить процедуру установки?",
     "Установка %s на вашу LORIVANDER.\n\nУбедитесь что устройство подключено к ПК и включено. "
     "\n\nДля начала процедуры установки нажмите [Установить].\n",
     "Используйте полосу прокрутки для просмотра содержимого.\n\nДля продолжения процедуры "
     "установки нажмите кнопку [Далее].",
     "Используйте полосу прокрутки для просмотра лицензионного соглашения и внимательно "
     "ознакомьтесь с ним. \nПринимаете ли вы условия данного лицензионного соглашения?  Если нет, "
     "нажмите [Не принимаю.] для отмены процедуры установки. \n\nПродолжив установку, вы "
     "автоматически принимаете условия данного соглашения.\n",
     "Не удалось запустить менеджер приложений (Application Manager): в реестре нет значения\n"
     "%s.\n\nУстановка не была выполнена.",
     "Не удалось запустить менеджер приложений (Application Manager): файл не найден:\n%s\n\n"
     "Установка не была выполнена.",
     "ОК", "Отмена"},
    {"en", "LORIVANDER Application Installer (v1.06)", "LORIVANDER Application Installer",
     "LORIVANDER Application Installer - License Agreement", "Cancel the installation?",
     "Installing %s on your LORIVANDER.\n\nMake sure that the device is connected to the PC and "
     "switched on.\n\nTo begin the installation, click [Install].\n",
     "Use the scroll bar to view the contents.\n\nTo continue the installation, click [Next].",
     "Use the scroll bar to view the license agreement, and read it carefully.\nDo you accept the "
     "terms of this license agreement? If you do not, click [I Do Not Accept] to cancel the "
     "installation.\n\nBy continuing the installation, you accept the terms of this agreement.\n",
     "The Application Manager could not be started: the registry has no value\n%s.\n\n"
     "Nothing was installed.",
     "The Application Manager could not be started: file not found:\n%s\n\nNothing was installed.",
     "OK", "Cancel"},
    {"ja", "LORIVANDER Application Installer (v1.06)", "LORIVANDER Application Installer",
     "LORIVANDER Application Installer - 使用許諾契約", "インストールを中止しますか？",
     "%s を LORIVANDER にインストールします。\n\nデバイスが PC に接続され、電源が入っていることを"
     "確認してください。\n\nインストールを開始するには [インストール] をクリックしてください。\n",
     "スクロール バーで内容を表示してください。\n\nインストールを続けるには [次へ] をクリック"
     "してください。",
     "スクロール バーで使用許諾契約の全文を表示し、よくお読みください。\nこの使用許諾契約の条件"
     "に同意しますか？ 同意しない場合は、[同意しない] をクリックしてインストールを中止して"
     "ください。\n\nインストールを続けると、この契約の条件に同意したことになります。\n",
     "アプリケーション マネージャー (Application Manager) を起動できませんでした。レジストリに"
     "次の値がありません:\n%s\n\nインストールは行われませんでした。",
     "アプリケーション マネージャー (Application Manager) を起動できませんでした。ファイルが"
     "見つかりません:\n%s\n\nインストールは行われませんでした。",
     "OK", "キャンセル"},
};

/// The texts of the language this run expects (set from the command line).
const Texts* g_texts = &kLanguages[0];

/// `format` (UTF-8) with `fill` in place of its "%s".
std::wstring Filled(const char* format, const std::wstring& fill) {
  std::wstring text = Wide(format);
  const std::size_t at = text.find(L"%s");
  if (at != std::wstring::npos) text.replace(at, 2, fill);
  return text;
}

// ---------------------------------------------------------------------------
// Files and registry.

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

bool ReadBytes(const std::wstring& path, std::string* bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD read = 0;
  bytes->clear();
  while (ReadFile(f, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes->append(buffer, read);
  CloseHandle(f);
  return true;
}

bool SetRegistryString(HKEY root, const wchar_t* key, const wchar_t* name,
                       const std::wstring& value) {
  HKEY k = nullptr;
  if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG status =
      RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return status == ERROR_SUCCESS;
}

bool DeleteRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(root, key, 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return true;
  const LONG status = RegDeleteValueW(k, name);
  RegCloseKey(k);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// ---------------------------------------------------------------------------
// Windows of the launcher.

/// Waits up to 15 s (or `timeout_ms`) for `ready`.
bool WaitFor(const std::function<bool()>& ready, DWORD timeout_ms = 15000) {
  return winharness::WaitFor(ready, timeout_ms);
}

/// The visible top-level window of process `pid` of class `cls` (and title,
/// if given), waited for up to 15 s.
HWND WaitTopLevel(DWORD pid, const char* cls, const std::wstring* title = nullptr) {
  return winharness::WaitTopWindow(
      pid, [&](HWND w) { return winharness::ClassOf(w) == cls && (title == nullptr || WideText(w) == *title); },
      15000);
}

BOOL CALLBACK PrintChild(HWND w, LPARAM) {
  std::fprintf(stderr, "  child %p parent %p id %d class %s visible %d text [%.60s]\n",
               static_cast<void*>(w), static_cast<void*>(GetParent(w)), GetDlgCtrlID(w),
               winharness::ClassOf(w).c_str(), IsWindowVisible(w) ? 1 : 0, Utf8(WideText(w)).c_str());
  return TRUE;
}

BOOL CALLBACK PrintProcessWindow(HWND w, LPARAM pid) {
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == static_cast<DWORD>(pid) && IsWindowVisible(w)) {
    std::fprintf(stderr, "  window left: class %s, text [%s]\n", winharness::ClassOf(w).c_str(),
                 Utf8(WideText(w)).c_str());
  }
  return TRUE;
}

/// Lists the windows under `main` on standard error, for diagnosing a failed wait.
void DumpWindows(HWND main) {
  std::fprintf(stderr, "  main %p hung=%d title [%s]\n", static_cast<void*>(main),
               IsHungAppWindow(main) ? 1 : 0, Utf8(WideText(main)).c_str());
  EnumChildWindows(main, PrintChild, 0);
}

// ---------------------------------------------------------------------------
// One run of the launcher.

struct Run {
  std::wstring kit;       // folder of Setup.exe
  std::wstring record;    // received.txt of the stand-in manager
  std::wstring manager_exe;
  std::string shots;      // screenshot folder (empty: none taken)
  PROCESS_INFORMATION process = {};
  HWND main = nullptr;

  bool Start() {
    std::wstring command = L"\"" + kit + L"\\Setup.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, kit.c_str(),
                        &startup, &process)) {
      Check(false, "Setup.exe starts");
      return false;
    }
    const bool shown = (main = WaitTopLevel(process.dwProcessId, "Wakeup")) != nullptr;
    Check(shown, "main window of class Wakeup appears");
    return shown;
  }

  HWND WaitPage(int marker, const std::wstring& title, const std::string& what) {
    HWND page = nullptr;
    // The title first: the launcher destroys the old page before it makes the
    // new one and sets the title, so a page found after the title matched is
    // the new page (and not an old one about to go).
    const bool ok = WaitFor([&] {
      if (WideText(main) != title) return false;
      page = winharness::FindChildDialog(main, marker);
      return page != nullptr;
    });
    // The page is shown and the title set before the page fills its texts: wait for them.
    if (ok) WaitFor([&] { return !WideText(GetDlgItem(page, marker)).empty(); }, 5000);
    Check(ok, what + " is shown");
    if (!ok) CheckText(WideText(main), title, what + ": window title");
    if (ok && WideText(GetDlgItem(page, marker)).empty()) {
      std::fprintf(stderr, "  found page %p, marker %p\n", static_cast<void*>(page),
                   static_cast<void*>(GetDlgItem(page, marker)));
      DumpWindows(main);
    }
    return ok ? page : nullptr;
  }

  bool WaitExit(const std::string& what) {
    const bool ended = WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
    Check(ended, what + ": Setup.exe ends");
    DWORD code = 1;
    if (ended) GetExitCodeProcess(process.hProcess, &code);
    if (ended) Check(code == 0, what + ": exit code 0 (got " + std::to_string(code) + ")");
    return ended;
  }

  /// The window that has the keyboard focus in Setup's thread.
  HWND Focus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(process.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
  }

  /// Waits for a message box of Setup with text `expected`, shoots it as
  /// `shot` and presses OK.
  void AnswerMessage(const std::wstring& expected, const char* shot, const std::string& what) {
    const std::wstring title = Wide(g_texts->title);
    HWND box = WaitTopLevel(process.dwProcessId, "#32770", &title);
    Check(box != nullptr, what + ": a message is shown");
    if (box == nullptr) return;
    CheckText(WideText(GetDlgItem(box, 0xFFFF)), expected, what + ": message text");
    if (shot != nullptr) Shot(box, shot);
    PostCommand(box, IDOK);
  }

  std::wstring Item(HWND page, int id) { return WideText(GetDlgItem(page, id)); }

  /// Saves what the screen shows of `window` as <shots>\<name>.png.
  void Shot(HWND window, const char* name) {
    Check(winharness::Screenshot(window, shots, name), std::string("screenshot ") + name);
  }

  /// Checks that the manager was started exactly once with `expected` as its
  /// command line (or, with `expected` null, that it never started).
  void CheckManager(const std::wstring* expected) {
    std::string received;
    if (expected == nullptr) {
      Sleep(1500);
      Check(!ReadBytes(record, &received), "no manager started");
      return;
    }
    const bool arrived = WaitFor([&] { return ReadBytes(record, &received) && !received.empty(); });
    Check(arrived, "manager started");
    if (expected->empty()) {
      // Wine gives a process started with an empty command line its own quoted
      // path instead; Windows passes the empty line. Either way no archive is passed.
      const std::wstring got = Wide(received.c_str());
      Check(got == L"\n" || got == L"\"" + manager_exe + L"\"\n",
            "manager's command line is empty: [" + received + "]");
      return;
    }
    CheckText(Wide(received.c_str()), *expected + L"\n", "manager's command line");
  }

  void Finish() {
    if (process.hProcess != nullptr) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        Check(false, "Setup.exe still running at the end; ended by the driver");
        EnumWindows(PrintProcessWindow, static_cast<LPARAM>(process.dwProcessId));
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
      }
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
  }
};

/// A word in the system's own script, for the name in "setup.ini" and the
/// note, which Setup shows in the ANSI code page.
std::wstring NativeWord() {
  switch (GetACP()) {
    case 932: return Wide("テスト");
    case 1251: return Wide("Тест");
    default: return L"Test";
  }
}

/// `text` in the ANSI code page.
std::string Ansi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(n) - 1);
  return out;
}

const std::wstring kNoteText = L"Note for " + NativeWord() + L" users.\r\nSecond line.\r\n";
const std::string kNote = Ansi(kNoteText);
const char kReadme[] = "Read me first.\r\n";
const std::string kLicense("License terms.\r\nAll rights reserved.\r\n\0hidden tail\r\n", 53);

/// Presses Install on the welcome page after checking its text.
void Welcome(Run& run, const std::wstring& app_name, const char* shot) {
  HWND page = run.WaitPage(1006, Wide(g_texts->title), "welcome page");
  if (page == nullptr) return;
  CheckText(run.Item(page, 1006), Filled(g_texts->welcome, app_name), "welcome text carries the name");
  if (shot != nullptr) run.Shot(run.main, shot);
  PostCommand(page, IDOK);
}

HWND TextPage(Run& run, const std::wstring& text, const char* shot) {
  HWND page = run.WaitPage(1008, Wide(g_texts->text_title), "text page");
  if (page == nullptr) return nullptr;
  CheckText(run.Item(page, 1008), Wide(g_texts->text_instruction), "text page instruction");
  CheckText(run.Item(page, 1001), text, "text page shows the file");
  if (shot != nullptr) run.Shot(run.main, shot);
  return page;
}

HWND LicensePage(Run& run, const char* shot) {
  HWND page = run.WaitPage(1008, Wide(g_texts->license_title), "licence page");
  if (page == nullptr) return nullptr;
  CheckText(run.Item(page, 1008), Wide(g_texts->license_instruction), "licence page instruction");
  CheckText(run.Item(page, 1001), Wide("License terms.\r\nAll rights reserved.\r\n"),
            "licence text shown up to its NUL byte");
  if (shot != nullptr) run.Shot(run.main, shot);
  return page;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 5 || argc > 6) {
    std::fprintf(stderr, "usage: launcher_driver SCENARIO FOLDER SETUP_EXE DESKINST_EXE [ru|en|ja]\n");
    return 2;
  }
  if (argc == 6) {
    g_texts = nullptr;
    for (const Texts& texts : kLanguages) {
      if (Wide(texts.tag) == argv[5]) g_texts = &texts;
    }
    if (g_texts == nullptr) {
      std::fprintf(stderr, "launcher_driver: unknown language\n");
      return 2;
    }
  }
  const std::wstring scenario = argv[1];
  const std::wstring base = argv[2];
  Run run;
  run.kit = base + L"\\My Kit";
  run.shots = winharness::ScreenshotFolder(g_texts->tag);
  std::wstring manager_dir = base + L"\\manager";
  std::wstring manager_value = manager_dir + L"\\";
  std::wstring manager_exe = manager_dir + L"\\deskinst.exe";
  if (scenario == L"bare") {
    // A registry folder without a trailing backslash: the manager is "<folder>deskinst.exe".
    manager_dir = base;
    manager_value = base + L"\\mgr";
    manager_exe = base + L"\\mgrdeskinst.exe";
  }
  run.record = manager_dir + L"\\received.txt";
  run.manager_exe = manager_exe;

  CreateDirectoryW(base.c_str(), nullptr);
  CreateDirectoryW(run.kit.c_str(), nullptr);
  CreateDirectoryW(manager_dir.c_str(), nullptr);
  Check(CopyFileW(argv[3], (run.kit + L"\\Setup.exe").c_str(), FALSE) != FALSE, "copy Setup.exe");
  Check(CopyFileW(argv[4], manager_exe.c_str(), FALSE) != FALSE, "copy deskinst.exe");
  Check(SetRegistryString(HKEY_LOCAL_MACHINE, L"Software\\TAVRO\\SyncDesk for LORIVANDER",
                          L"deskinst", manager_value),
        "registry value deskinst");
  // Under Wine without a window manager, let Wine draw Setup's frame and caption itself.
  SetRegistryString(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Setup.exe\\X11 Driver",
                    L"Managed", L"N");

  auto file = [&](const wchar_t* name, const std::string& bytes) {
    Check(WriteBytes(run.kit + L"\\" + name, bytes), "write " + Utf8(name));
  };
  const std::string ini_with_name =
      "[APPNAME]\r\nappname = " + Ansi(NativeWord()) + " App\r\nfile = My App.lvar\r\n"
      "[REGISTRY]\r\nbyte = 65536\r\n[RAM]\r\nbyte = 1300\r\n[PLACE]\r\ndrive = 3\r\n";
  const std::wstring name = NativeWord() + L" App";
  const std::wstring archive = run.kit + L"\\My App.lvar";

  if (scenario == L"full") {
    // Every file: note wins over readme, a folder named like an archive is passed over.
    file(L"Setup.ini", ini_with_name);
    file(L"note.txt", kNote);
    file(L"readme.txt", kReadme);
    file(L"license.txt", kLicense);
    file(L"My App.lvar", "LVAR");
    CreateDirectoryW((run.kit + L"\\a folder.lvar").c_str(), nullptr);
    if (run.Start()) {
      Welcome(run, name, "setup-welcome");
      if (HWND page = TextPage(run, kNoteText, "setup-text")) {
        PostCommand(page, IDOK);
        if (HWND lic = LicensePage(run, "setup-license")) PostCommand(lic, IDOK);
      }
      if (run.WaitExit("accept")) run.CheckManager(&archive);
    }
  } else if (scenario == L"readme") {
    // A folder named note.txt does not count; no licence: Next starts the manager.
    file(L"readme.txt", kReadme);
    file(L"My App.lvar", "LVAR");
    CreateDirectoryW((run.kit + L"\\note.txt").c_str(), nullptr);
    if (run.Start()) {
      Welcome(run, Wide("Software"), "setup-welcome-default");
      if (HWND page = TextPage(run, Wide(kReadme), "setup-readme")) PostCommand(page, IDOK);
      if (run.WaitExit("next without licence")) run.CheckManager(&archive);
    }
  } else if (scenario == L"bare") {
    // No text files: Install starts the manager found without a separator.
    file(L"Setup.ini", ini_with_name);
    file(L"My App.lvar", "LVAR");
    if (run.Start()) {
      Welcome(run, name, nullptr);
      if (run.WaitExit("install without texts")) run.CheckManager(&archive);
    }
  } else if (scenario == L"noarchive") {
    // Nothing beside Setup.exe: the manager gets an empty command line.
    if (run.Start()) {
      Welcome(run, Wide("Software"), nullptr);
      const std::wstring empty;
      if (run.WaitExit("install without archive")) run.CheckManager(&empty);
    }
  } else if (scenario == L"cancel") {
    // Cancel on the welcome page asks first; answering Cancel keeps the page.
    file(L"Setup.ini", ini_with_name);
    file(L"My App.lvar", "LVAR");
    if (run.Start()) {
      const std::wstring title = Wide(g_texts->title);
      HWND page = run.WaitPage(1006, title, "welcome page");
      const DWORD pid = run.process.dwProcessId;
      for (int answer : {IDCANCEL, IDOK}) {
        if (page == nullptr) break;
        PostCommand(page, IDCANCEL);
        HWND box = WaitTopLevel(pid, "#32770", &title);
        Check(box != nullptr, "cancel asks for confirmation");
        if (box == nullptr) break;
        CheckText(WideText(GetDlgItem(box, 0xFFFF)), Wide(g_texts->confirm), "confirmation text");
        CheckText(WideText(GetDlgItem(box, IDOK)), Wide(g_texts->ok), "confirmation's OK button");
        CheckText(WideText(GetDlgItem(box, IDCANCEL)), Wide(g_texts->cancel), "confirmation's Cancel button");
        if (answer == IDCANCEL) {
          run.Shot(box, "setup-cancel-confirm");
          PostCommand(box, IDCANCEL);
          Check(WaitFor([&] { return !IsWindow(box); }), "confirmation closes");
          Sleep(500);
          Check(IsWindow(page) && IsWindowVisible(page), "welcome page stays after Cancel");
          Check(WaitFor([&] { return run.Focus() == GetDlgItem(page, IDOK); }, 3000),
                "the focus is back on the default button");
        } else {
          PostCommand(box, IDOK);
        }
      }
      if (run.WaitExit("cancel confirmed")) run.CheckManager(nullptr);
    }
  } else if (scenario == L"named") {
    // Setup.ini names the archive: older archives beside it are passed over.
    file(L"Setup.ini", ini_with_name);
    for (const wchar_t* old : {L"AAA_old.lvar", L"0 old.lvar", L"b.lvar", L"Zed.lvar"}) {
      file(old, "OLD");
    }
    file(L"My App.lvar", "LVAR");
    if (run.Start()) {
      Welcome(run, name, nullptr);
      if (run.WaitExit("install the named archive")) run.CheckManager(&archive);
    }
  } else if (scenario == L"noregistry" || scenario == L"nomanager") {
    // No manager to start: the user is told what is missing, then Setup closes.
    if (scenario == L"noregistry") {
      Check(DeleteRegistryValue(HKEY_LOCAL_MACHINE, L"Software\\TAVRO\\SyncDesk for LORIVANDER",
                                L"deskinst"),
            "registry value removed");
    } else {
      DeleteFileW(manager_exe.c_str());
    }
    file(L"My App.lvar", "LVAR");
    if (run.Start()) {
      Welcome(run, Wide("Software"), nullptr);
      if (scenario == L"noregistry") {
        run.AnswerMessage(
            Filled(g_texts->no_manager_registry,
                   L"HKEY_LOCAL_MACHINE\\Software\\TAVRO\\SyncDesk for LORIVANDER\\deskinst"),
            "setup-no-manager-registry", "no registry value");
      } else {
        run.AnswerMessage(Filled(g_texts->no_manager_file, manager_exe), "setup-no-manager-file",
                          "no deskinst.exe");
      }
      if (run.WaitExit("no manager")) run.CheckManager(nullptr);
    }
  } else if (scenario == L"closebox") {
    // The window's close box ends Setup with exit code 0 and starts nothing.
    file(L"My App.lvar", "LVAR");
    if (run.Start()) {
      if (run.WaitPage(1006, Wide(g_texts->title), "welcome page") != nullptr) {
        PostMessageW(run.main, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      if (run.WaitExit("close box")) run.CheckManager(nullptr);
    }
  } else if (scenario == L"textcancel") {
    file(L"note.txt", kNote);
    file(L"license.txt", kLicense);
    file(L"My App.lvar", "LVAR");
    if (run.Start()) {
      Welcome(run, Wide("Software"), nullptr);
      if (HWND page = TextPage(run, kNoteText, nullptr)) {
        PostCommand(page, IDCANCEL);
      }
      if (run.WaitExit("cancel on the text page")) run.CheckManager(nullptr);
    }
  } else if (scenario == L"decline") {
    // No note or readme: Install leads straight to the licence; I do not accept ends.
    file(L"license.txt", kLicense);
    file(L"My App.lvar", "LVAR");
    if (run.Start()) {
      Welcome(run, Wide("Software"), nullptr);
      if (HWND lic = LicensePage(run, nullptr)) PostCommand(lic, IDCANCEL);
      if (run.WaitExit("I do not accept")) run.CheckManager(nullptr);
    }
  } else {
    std::fprintf(stderr, "unknown scenario\n");
    g_failures = 1;
  }
  run.Finish();
  LocalFree(argv);
  std::printf("%s: %d failure(s)\n", Utf8(scenario).c_str(), g_failures);
  return g_failures == 0 ? 0 : 1;
}
