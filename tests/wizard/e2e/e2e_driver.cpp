// End-to-end driver of Pakforge.exe: plays an author's whole road through
// the wizard from another process, the way a user's clicks would, then
// checks every file the Finish sequence and the batch-started Pakmak.exe
// leave behind.
//
//   pakforge_e2e WORK PAKFORGE_EXE PAKMAK_EXE [ja|en [PAKFORGE_BUILD_EXE]]
//
// WORK must be an empty folder. The driver copies both programs into it,
// makes a source folder "src", and runs:
//   1. a new project: picker cancelled, pages 1-5 filled through their
//      control ids (Browse, the start-up program picker, the destination
//      chooser, two registry entries), Finish; a second start of the program
//      while the first runs must open nothing and exit with 0;
//   2. the saved project opened from the picker and finished again; every
//      output must be byte for byte what the first run gave;
//   3. project files written by hand (rows in no order, every flag,
//      Japanese names), each in a folder of its own: opened in the wizard,
//      Next through the pages, Finish; the same inputs built by
//      PAKFORGE_BUILD_EXE in a second folder; both folders must end
//      byte for byte alike, archive included.
// Screenshots of each page and dialog go to PAK_SCREENSHOTS\<language>
// (window_harness.h). Every wait has a time-out; the programs
// started here are terminated by handle when something goes wrong.
// LANGUAGE names the language the wizard must speak (Japanese when
// it is left out); the caller sets up the locale that makes it choose so.
// Exit status: 0 when every check passed, 1 otherwise.

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "window_harness.h"

namespace {

using winharness::FindListRow;
using winharness::IsChecked;
using winharness::IsEnabled;
using winharness::ItemText;
using winharness::ListCount;
using winharness::ListRows;
using winharness::ListText;
using winharness::PostCommand;
using winharness::SetItemText;
using winharness::Sjis;
using winharness::WaitFor;

// ---- Texts of the program (Shift-JIS) ----
const char kCaption[] = "\x83\x66\x83\x82";  // "デモ", the menu caption of the test project
const char kTitleProjectPicker[] = "\x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80\x82\xcc\x91\x49\x91\xf0";
const char kTitleSourcePicker[] =
    "\x83\x5c\x81\x5b\x83\x58\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xcc\x91\x49\x91\xf0";
const char kTitleStartupPicker[] = "\x8b\x4e\x93\xae\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x91\x49\x91\xf0";
const char kTitleChooser[] =
    "\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5b\x83\x8b\x90\xe6\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xcc\x91"
    "\x49\x91\xf0";
const char kTitleRegistryEntry[] = "\x83\x8c\x83\x57\x83\x58\x83\x67\x83\x8a\x82\xcc\x93\x6f\x98\x5e\x93\xe0\x97\x65";
// IDS_MESSAGE_CAPTION, the caption of every message box.
const char kMessageCaption[] =
    "VK-410 \x83\x43\x83\x93\x83\x58\x83\x67\x81\x5b\x83\x8b\x97\x70\x83\x41\x81\x5b\x83\x4a\x83\x43\x83\x75 "
    "\x8d\xec\x90\xac\x8e\x78\x89\x87\x83\x63\x81\x5b\x83\x8b";
// IDS_FILL_ALL: "すべての有効な入力枠に、値を入力してください。"
const char kFillAllText[] =
    "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x97\x4c\x8c\xf8\x82\xc8\x93\xfc\x97\xcd\x98\x67\x82\xc9\x81\x41\x92"
    "\x6c\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
// "変更した内容は保存されていません。ウィザードを終了しますか？"
const char kConfirmCloseText[] =
    "\x95\xcf\x8d\x58\x82\xb5\x82\xbd\x93\xe0\x97\x65\x82\xcd\x95\xdb\x91\xb6\x82\xb3\x82\xea"
    "\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42\x83\x45\x83\x42\x83\x55\x81\x5b\x83\x68"
    "\x82\xf0\x8f\x49\x97\xb9\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";

// The texts the driver looks for, in each language of the program (English
// is plain ASCII, the same bytes in every code page).
struct Texts {
  const char* project_picker;
  const char* source_picker;
  const char* startup_picker;
  const char* chooser;
  const char* registry_entry;
  const char* message_caption;
  const char* fill_all;
  const char* confirm_close;
  const char* version_line;
  const char* app_folder;  ///< the destination column of a file in the application folder
};
const Texts kJapanese = {kTitleProjectPicker, kTitleSourcePicker, kTitleStartupPicker, kTitleChooser,
                         kTitleRegistryEntry, kMessageCaption,    kFillAllText,        kConfirmCloseText,
                         "Pakforge.exe Ver 1.00.09J\n", "(\xB1\xCC\xDF\xD8\xB9\xB0\xBC\xAE\xDD\xCC\xAB\xD9\xC0\xDE)"};
const Texts kEnglish = {"Select a Program", "Select the Source Folder", "Select the Start-up Program",
                        "Select the Destination Folder", "Registry Value", "VK-410 Install Archive Authoring Tool",
                        "Enter a value in every available field.",
                        "Your changes have not been saved. Close the wizard?", "Pakforge.exe Ver 1.00.09\n",
                        "(Application folder)"};
/// The language the wizard must speak in this run (set from the command line).
const Texts* g_texts = &kJapanese;

constexpr DWORD kWait = 15000;  // every wait for a window or a process
constexpr DWORD kBuildWait = 90000;  // the batch-started build

// ---- Project values typed into the pages ----
const std::string kProduct = "Demo Soft";
const std::string kName = "Demo";
const std::string kOutput = "DemoPack";
const std::string kSource = "src";
const std::string kInstDir = "Demo Soft Demo";          // page 2's default: Product, blank, Name
const std::string kUninstFile = "UnDemo SoftDemo";      // page 2's default: Un, Product, Name
const std::string kExe = "Demo.exe";
const std::string kCmd = "-x";

// The source folder path as the wizard shows it (with a final backslash).
std::string g_source_path;

// ---- Results ----
int g_failures = 0;

void Fail(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::fprintf(stderr, "FAIL: ");
  std::vfprintf(stderr, format, args);
  std::fprintf(stderr, "\n");
  va_end(args);
  ++g_failures;
}

void Note(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  std::fprintf(stdout, "\n");
  std::fflush(stdout);
  va_end(args);
}

#define CHECK(cond) ((cond) ? true : (Fail("%s:%d: %s", __FILE__, __LINE__, #cond), false))

std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02X", c);
      out += hex;
    } else out += static_cast<char>(c);
  }
  return out;
}

bool CheckEqual(const std::string& what, const std::string& got, const std::string& want) {
  if (got == want) return true;
  Fail("%s\n  got:  %s\n  want: %s", what.c_str(), Printable(got).c_str(), Printable(want).c_str());
  return false;
}

// ---- Files ----

bool ReadWhole(const std::string& path, std::string* bytes) {
  bytes->clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[8192];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes->append(buffer, got);
  CloseHandle(file);
  return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadIni(const std::string& path, const char* section, const char* key) {
  char buffer[2048] = {};
  GetPrivateProfileStringA(section, key, "\x01", buffer, sizeof(buffer), path.c_str());
  return buffer;
}

struct Listed {
  std::string name;
  std::string folder;  // "" for the top level, else the sub-folder name
  uint32_t size;
};

// Files of `folder` and of its direct sub-folders, in listing order.
std::vector<Listed> ListSource(const std::string& folder) {
  std::vector<Listed> files;
  std::vector<std::string> subfolders;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    const std::string name = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != "." && name != "..") subfolders.push_back(name);
    } else {
      files.push_back({name, "", data.nFileSizeLow});
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  for (const std::string& sub : subfolders) {
    HANDLE inner = FindFirstFileA((folder + "\\" + sub + "\\*.*").c_str(), &data);
    if (inner == INVALID_HANDLE_VALUE) continue;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        files.push_back({data.cFileName, sub, data.nFileSizeLow});
      }
    } while (FindNextFileA(inner, &data));
    FindClose(inner);
  }
  return files;
}

// ---- Windows of another process ----

// The visible dialog of `pid` titled `title`, waited for.
HWND WaitDialog(DWORD pid, const std::string& title, DWORD timeout = kWait) {
  HWND found = winharness::WaitTopWindow(pid, winharness::DialogTitled(title), timeout);
  if (!found) Fail("no window titled '%s' appeared", Printable(title).c_str());
  return found;
}

bool WaitGone(HWND window, DWORD timeout = kWait) {
  const bool gone = winharness::WaitGone(window, timeout);
  if (!gone) Fail("window '%s' did not close", Printable(winharness::WindowText(window)).c_str());
  return gone;
}

// The wizard: the property sheet is the visible top-level window of the
// program that holds the wizard's Next button.
constexpr int kSheetNext = 0x3024;

HWND WaitSheet(DWORD pid) {
  HWND found = winharness::WaitTopWindow(pid, [](HWND w) { return GetDlgItem(w, kSheetNext) != nullptr; }, kWait);
  if (!found) Fail("the wizard did not appear");
  return found;
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(winharness::Send(sheet, PSM_GETCURRENTPAGEHWND)); }

int PageIndex(HWND sheet) {
  HWND page = CurrentPage(sheet);
  return page ? static_cast<int>(winharness::Send(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page))) : -1;
}

// Waits until page `index` (0-based) is shown; answers its window.
HWND WaitPage(HWND sheet, int index) {
  HWND page = nullptr;
  WaitFor([&] {
    if (!IsWindow(sheet)) return false;
    if (PageIndex(sheet) != index) return false;
    page = CurrentPage(sheet);
    return page != nullptr;
  }, kWait);
  if (!page) Fail("page %d was not shown", index + 1);
  Sleep(300);  // the page posts its wizard buttons and may post a rebuild
  return page;
}

void PressButton(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

// The folder of this run's screenshots (empty: none are taken).
std::string g_shot_folder;

void Shot(const std::string& name, HWND window) {
  if (window && !winharness::Screenshot(window, g_shot_folder, name)) Note("screenshot %s: not saved", name.c_str());
}

// Selects exactly `row` of a list view (the list notifies its dialog as for
// a click); false when no row was found.
bool Select(HWND list, int row) {
  if (row < 0) return false;
  winharness::SetSelectedRows(list, {row});
  Sleep(100);
  return true;
}

std::string Join(const std::vector<std::string>& cells) {
  std::string out;
  for (size_t i = 0; i < cells.size(); ++i) out += (i ? "|" : "") + cells[i];
  return out;
}

// ---- Processes ----

struct Program {
  PROCESS_INFORMATION info{};
  bool running = false;
};

bool Start(const std::string& exe, const std::string& folder, Program* program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  std::string command = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &program->info)) {
    Fail("cannot start %s (error %lu)", exe.c_str(), GetLastError());
    return false;
  }
  program->running = true;
  return true;
}

// Waits for the program's end; answers its exit code, or -1 after the
// time-out (the program is then terminated).
long Finish(Program* program, DWORD timeout) {
  if (!program->running) return -1;
  long code = -1;
  if (WaitForSingleObject(program->info.hProcess, timeout) == WAIT_OBJECT_0) {
    DWORD exit_code = 0;
    GetExitCodeProcess(program->info.hProcess, &exit_code);
    code = static_cast<long>(exit_code);
  } else {
    TerminateProcess(program->info.hProcess, 99);
    WaitForSingleObject(program->info.hProcess, 5000);
  }
  CloseHandle(program->info.hProcess);
  CloseHandle(program->info.hThread);
  program->running = false;
  return code;
}

// ---- The scenario ----

struct Paths {
  std::string work;
  std::string pakforge;  // the copy inside work
  std::string source;    // work\src
};

std::string NativeIna() {
  std::string bytes(192, '\0');
  for (int i = 0; i < 192; ++i) bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
  return bytes;
}

const std::string kProgramBytes = std::string("MZ") + std::string(300, '\x90') + "demo program";
const std::string kDataBytes = "data file of the demo\r\n" + std::string(1000, 'd');
const std::string kExtraBytes = std::string(77, '\x01') + "extra";

bool PrepareWork(const Paths& paths, const std::string& pakforge, const std::string& pakmak) {
  bool ok = CopyFileA(pakforge.c_str(), paths.pakforge.c_str(), FALSE) &&
            CopyFileA(pakmak.c_str(), (paths.work + "\\Pakmak.exe").c_str(), FALSE) &&
            CreateDirectoryA(paths.source.c_str(), nullptr) &&
            CreateDirectoryA((paths.source + "\\sub").c_str(), nullptr) &&
            WriteWhole(paths.source + "\\Native.ina", NativeIna()) &&
            WriteWhole(paths.source + "\\Demo.exe", kProgramBytes) &&
            WriteWhole(paths.source + "\\data.bin", kDataBytes) &&
            WriteWhole(paths.source + "\\sub\\extra.dat", kExtraBytes) &&
            // Left over from an earlier build: Finish removes ".txt" and ".inf"
            // (exactly these letters) and keeps "KEEP.TXT".
            WriteWhole(paths.source + "\\old.txt", "stale") &&
            WriteWhole(paths.source + "\\KEEP.TXT", "kept");
  if (!ok) Fail("cannot prepare the work folder %s", paths.work.c_str());
  return ok;
}

// Answers a message box, if one is open, with `button`, noting its text.
void DismissMessage(DWORD pid, std::string* text_out = nullptr, int button = IDOK) {
  for (HWND box : winharness::TopWindows(pid, winharness::DialogTitled(g_texts->message_caption))) {
    if (text_out) *text_out = winharness::MessageText(box);
    if (!winharness::AnswerMessage(box, button, kWait)) Fail("message box did not close");
  }
}

// Page 1 of a new project: defaults, a refused Next, the fields, Browse.
// Opens the picker behind the page's Browse button (1007), which must list
// `row` alone, lets `check` look at it, then chooses the row with OK.
void PickTheOnlyRow(DWORD pid, HWND page, const char* title, const std::string& row,
                    const char* shot, const std::function<void(HWND)>& check) {
  PostCommand(page, 1007);
  HWND picker = WaitDialog(pid, title);
  if (!picker) return;
  HWND list = GetDlgItem(picker, 1030);
  CHECK(ListCount(list) == 1);
  CheckEqual(std::string(shot) + " row", ListText(list, 0, 0), row);
  check(picker);
  Select(list, FindListRow(list, row));
  CHECK(WaitFor([&] { return IsEnabled(picker, IDOK); }, 3000));
  Shot(shot, picker);
  PostCommand(picker, IDOK);
  WaitGone(picker);
}

void FillPage1(DWORD pid, HWND sheet, HWND page) {
  CheckEqual("page 1 version major default", ItemText(page, 1048), "1");
  CheckEqual("page 1 version minor default", ItemText(page, 1049), "0");
  CheckEqual("page 1 .lvar label", ItemText(page, 1052), ".lvar");
  CHECK(!IsEnabled(sheet, 0x3023));  // page 1 has no Back
  Shot("101_page1_empty", sheet);

  // Next with empty fields: IDS_FILL_ALL, the page stays.
  PressButton(sheet, PSBTN_NEXT);
  HWND box = WaitDialog(pid, g_texts->message_caption);
  if (box) {
    Shot("msg_13_fill_all", box);
    std::string text;
    DismissMessage(pid, &text);
    CHECK(text.find(g_texts->fill_all) != std::string::npos);
  }
  CHECK(PageIndex(sheet) == 0);

  SetItemText(page, 1000, kProduct);
  SetItemText(page, 1001, kName);
  SetItemText(page, 1005, kCaption);
  SetItemText(page, 1048, "2");
  SetItemText(page, 1049, "5");
  SetItemText(page, 1002, kOutput);

  // Browse: the source folder picker lists the work folder's sub-folders.
  PickTheOnlyRow(pid, page, g_texts->source_picker, kSource, "110_source_picker",
                 [](HWND picker) { CHECK(!IsEnabled(picker, IDOK)); });
  CHECK(WaitFor([&] { return ItemText(page, 1003) == kSource; }, 3000));
  // Language: Japanese is the default of a new project.
  const LRESULT language = winharness::Send(GetDlgItem(page, 1036), CB_GETCURSEL);
  CHECK(winharness::Send(GetDlgItem(page, 1036), CB_GETCOUNT) == 2);
  CHECK(winharness::Send(GetDlgItem(page, 1036), CB_GETITEMDATA, language) == 11);
  Shot("101_page1_filled", sheet);

  // The sheet is centred on the screen.
  RECT rect;
  GetWindowRect(sheet, &rect);
  CHECK(rect.left == (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2);
  CHECK(rect.top == (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2);

  // Escape with the fields filled asks before closing; No keeps the wizard.
  PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  HWND question = WaitDialog(pid, g_texts->message_caption);
  if (question) {
    Shot("msg_70_confirm_close", question);
    CHECK(winharness::MessageText(question).find(g_texts->confirm_close) != std::string::npos);
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    WaitGone(question);
  }
  Sleep(300);
  CHECK(IsWindow(sheet) && PageIndex(sheet) == 0);
}

void FillPage2(DWORD pid, HWND sheet, HWND page) {
  // Defaults from page 1's names and the first program of the source folder.
  CheckEqual("page 2 install folder default", ItemText(page, 1005), kInstDir);
  CheckEqual("page 2 uninstall file default", ItemText(page, 1012), kUninstFile);
  CheckEqual("page 2 Program Files label", ItemText(page, 1037), "\\Program Files\\");
  CheckEqual("page 2 program path", ItemText(page, 1006), "\\Program Disk\\" + kInstDir + "\\" + kExe);
  CHECK(IsChecked(page, 1008) && !IsChecked(page, 1009) && !IsChecked(page, 1010));
  CHECK(IsChecked(page, 1011) && IsChecked(page, 1056) && !IsChecked(page, 1046));
  CHECK(IsEnabled(page, 1012) && IsEnabled(page, 1056));

  // The start-up program picker lists the program files of the source tree.
  PickTheOnlyRow(pid, page, g_texts->startup_picker, kExe, "107_startup_picker", [](HWND picker) {
    CheckEqual("start-up picker path", ItemText(picker, 1029), g_source_path);
  });
  SetItemText(page, 1043, kCmd);
  winharness::ClickNow(page, 1056);  // registry entries are deleted on uninstall
  CHECK(!IsChecked(page, 1056));
  // Uninstall off disables its fields; on again enables them.
  winharness::ClickNow(page, 1011);
  CHECK(!IsEnabled(page, 1012) && !IsEnabled(page, 1056));
  winharness::ClickNow(page, 1011);
  CHECK(IsEnabled(page, 1012) && IsEnabled(page, 1056));
  Shot("102_page2", sheet);

  // What the builder would refuse is refused by Next: a double quote in the
  // command line, then uninstall information off.
  struct Refusal {
    const char* shot;
    const char* cmd;
    bool uninstall_off;
  } refusals[] = {{"102_refused_quote", "/f \"a b\"", false}, {"102_refused_no_uninstall", "-x", true}};
  for (const Refusal& r : refusals) {
    SetItemText(page, 1043, r.cmd);
    if (r.uninstall_off) winharness::ClickNow(page, 1011);
    PressButton(sheet, PSBTN_NEXT);
    HWND box = WaitDialog(pid, g_texts->message_caption);
    if (box) {
      Shot(r.shot, box);
      PostCommand(box, IDOK);
      WaitGone(box);
    }
    CHECK(PageIndex(sheet) == 1);
    if (r.uninstall_off) winharness::ClickNow(page, 1011);
  }
  SetItemText(page, 1043, kCmd);
}

void FillPage3(DWORD pid, HWND sheet, HWND page) {
  HWND list = GetDlgItem(page, 1013);
  // The list is built on the first activation (posted rebuild).
  CHECK(WaitFor([&] { return ListCount(list) == 3; }, kWait));
  auto rows = ListRows(list, 4);
  std::vector<std::string> joined;
  for (auto& row : rows) joined.push_back(Join(row));
  const std::string app_folder = g_texts->app_folder;
  // Sorted by extension, then base name; the start-up program marked "*".
  CheckEqual("files row 0", joined.size() > 0 ? joined[0] : "", "data.bin||" + app_folder + "|A");
  CheckEqual("files row 1", joined.size() > 1 ? joined[1] : "", "extra.dat||" + app_folder + "|A");
  CheckEqual("files row 2", joined.size() > 2 ? joined[2] : "", "Demo.exe|*|" + app_folder + "|A");
  CheckEqual("files page source path", ItemText(page, 1050), g_source_path);

  // A program file keeps the application folder: the button stays disabled.
  Select(list, FindListRow(list, "Demo.exe"));
  CHECK(WaitFor([&] { return !IsEnabled(page, 1029); }, 2000));
  // extra.dat goes to "My Documents\Music".
  Select(list, FindListRow(list, "extra.dat"));
  CHECK(WaitFor([&] { return IsEnabled(page, 1029); }, 3000));
  Shot("103_page3", sheet);
  PostCommand(page, 1029);
  HWND chooser = WaitDialog(pid, g_texts->chooser);
  if (chooser) {
    HWND choices = GetDlgItem(chooser, 1034);
    CHECK(IsChecked(chooser, 1044) && !IsChecked(chooser, 1045));
    CHECK(ListCount(choices) == 1);
    CHECK(!IsEnabled(chooser, 1040) && !IsEnabled(chooser, 1017) && IsEnabled(chooser, 1015));
    Shot("109_chooser_app", chooser);
    winharness::ClickNow(chooser, 1045);
    CHECK(WaitFor([&] { return ListCount(choices) == 6; }, 3000));
    CheckEqual("chooser fixed rows",
               Join({ListText(choices, 0, 0), ListText(choices, 1, 0), ListText(choices, 2, 0), ListText(choices, 3, 0),
                     ListText(choices, 4, 0), ListText(choices, 5, 0)}),
               "Movie|Photo|Music|Text|Bookmark|Unknown");
    Select(choices, FindListRow(choices, "Music"));
    CHECK(WaitFor([&] { return IsEnabled(chooser, 1040); }, 3000));
    CHECK(!IsEnabled(chooser, 1017));
    Shot("109_chooser_docs", chooser);
    PostCommand(chooser, 1040);
    WaitGone(chooser);
  }
  const int extra = FindListRow(list, "extra.dat");
  CHECK(WaitFor([&] { return ListText(list, extra, 2) == "Music"; }, 3000));
  CheckEqual("extra.dat kind column", ListText(list, extra, 3), "D");
}

void AddRegistryEntry(DWORD pid, HWND page, int root_id, const std::string& key,
                      const std::string& name, int type_id, const std::string& value, const char* shot) {
  PostCommand(page, 1015);
  HWND dialog = WaitDialog(pid, g_texts->registry_entry);
  if (!dialog) return;
  CHECK(IsChecked(dialog, 1018) && IsChecked(dialog, 1025));
  winharness::ClickNow(dialog, root_id);
  SetItemText(dialog, 1022, key);
  SetItemText(dialog, 1023, name);
  winharness::ClickNow(dialog, type_id);
  SetItemText(dialog, 1024, value);
  if (shot) Shot(shot, dialog);
  PostCommand(dialog, IDOK);
  WaitGone(dialog);
}

void FillPage4(DWORD pid, HWND sheet, HWND page) {
  HWND list = GetDlgItem(page, 1014);
  CHECK(ListCount(list) == 0);
  CHECK(IsEnabled(page, 1015) && !IsEnabled(page, 1016) && !IsEnabled(page, 1017) && !IsEnabled(page, 1018));
  AddRegistryEntry(pid, page, 1018, "Software\\Demo", "Level", 1026, "5", "106_registry_entry");
  AddRegistryEntry(pid, page, 1019, "Software\\Demo", "", 1025, "\"hello\"", nullptr);
  CHECK(WaitFor([&] { return ListCount(list) == 2; }, 3000));
  // Sorted by root text: HKCU before HKLM.
  auto rows = ListRows(list, 5);
  CheckEqual("registry row 0", rows.size() > 0 ? Join(rows[0]) : "", "HKCU|Software\\Demo||SZ|\"hello\"");
  CheckEqual("registry row 1", rows.size() > 1 ? Join(rows[1]) : "", "HKLM|Software\\Demo|Level|DWORD|5");
  Shot("104_page4", sheet);
}

void CheckPage5(HWND sheet, HWND page) {
  // The display name follows the menu caption of page 1.
  CheckEqual("display name", ItemText(page, 1001), kCaption);
  CheckEqual("version line", ItemText(page, 1004), g_texts->version_line);
  CHECK(IsChecked(page, 1051) && IsEnabled(page, 1001));
  const std::string explanation = ItemText(page, 1047);
  CHECK(explanation.find("'" + kOutput + ".lvar'") != std::string::npos);
  Shot("105_page5", sheet);
}

// ---- Expected outputs ----

// The opening both descriptions share: the caption as a comment, the
// information section, maker and program (`key_width`: the keys' padded width).
std::string ExpectedInfHead(const std::string& section, std::size_t key_width) {
  auto key = [&](const std::string& name) { return name + std::string(key_width - name.size(), ' ') + "= \""; };
  return "; " + std::string(kCaption) + "\r\n[" + section + "]\r\n" + key("Maker") + kProduct + "\"\r\n" +
         key("Program") + kName + "\"\r\n";
}

std::string ExpectedInstallInf() {
  const std::string c = kCaption;
  return ExpectedInfHead("App Information", 12) +
         "Version     = 2.5\r\n"
         "InstallDir  = \"?Drive?\\Program Files\\" + kInstDir + "\"\r\n"
         "ExeFile     = \"\\Program Disk\\" + kInstDir + "\\" + kExe + "\"\r\n"
         "Destination = ALTERNATIVE\r\n"
         "Unload      = 1\r\n"
         "Uninstall   = \"" + kUninstFile + ".inf\"\r\n"
         "Caption     = \"" + c + "\"\r\n"
         "CommandLine = \"" + kCmd + "\"\r\n"
         "\r\n[Copy Files]\r\n"
         "\"?Drive?\\Program Files\\" + kUninstFile + ".inf\" , \"" + kUninstFile + ".inf\", COPYFLG_REPLACEONLY\r\n"
         "\"%INSTALL_DIR%\\data.bin\" , \"data.bin\", COPYFLG_REPLACEONLY\r\n"
         "\"?Drive?\\My Documents\\Music\\extra.dat\" , \"extra.dat\", COPYFLG_REPLACEONLY\r\n"
         "\"%INSTALL_DIR%\\Demo.inf\" , \"Demo.txt\", COPYFLG_REPLACEONLY\r\n"
         "\"%INSTALL_DIR%\\Demo.exe\" , \"Demo.exe\", COPYFLG_REPLACEONLY\r\n"
         "\r\n[Add Registry]\r\n"
         "HKEY_CURRENT_USER, \"Software\\Demo\", , REG_SZ, FLG_ADDREG_REPLACEONLY, \"hello\"\r\n"
         "HKEY_LOCAL_MACHINE, \"Software\\Demo\", \"Level\", REG_DWORD, FLG_ADDREG_REPLACEONLY, 5\r\n"
         "; End\r\n";
}

std::string ExpectedUninstallInf() {
  return ExpectedInfHead("Uninstall Information", 8) +
         "\r\n[Delete Files]\r\n"
         "\"?Drive?\\Program Files\\" + kUninstFile + ".inf\"\r\n"
         "\"?Drive?\\My Documents\\Music\\extra.dat\"\r\n"
         "\r\n[Delete Dirs]\r\n"
         "\"?Drive?\\Program Files\\" + kInstDir + "\"\r\n"
         "\r\n"
         "[Delete Registry]\r\n"
         "HKEY_CURRENT_USER, \"Software\\Demo\"\r\n"
         "HKEY_LOCAL_MACHINE, \"Software\\Demo\"\r\n"
         "; End\r\n";
}

std::string ExpectedMenuFile() {
  const std::string c = kCaption;
  return "[" + c + "]\r\nmenu:\r\nyes\r\nappname:\r\n" + c +
         "\r\nuninstl:\r\nyes\r\nunloadfile:\r\nStorage Card\\Program Files\\" + kUninstFile + ".inf\r\n";
}

// What the source folder holds after Finish, Native.ina aside: Demo.exe
// (314 bytes: "MZ", 300 filler bytes, "demo program"), data.bin (23 + 1000),
// sub\extra.dat (77 + 5), KEEP.TXT (4) and the descriptions Finish writes,
// as expected above: Install.inf (876), "UnDemo SoftDemo.inf" (335) and
// Demo.txt (112). Seven files, names 71 bytes long in all, 2,746 bytes.
//
// Setup.ini's RAM estimate: name, size and 12 bytes per file, plus 256:
// 71 + 2746 + 7 * 12 + 256 = 3157; the registry estimate, a fifth of that,
// is raised to its floor of 65536.
const char kExpectedSetupIni[] =
    "[APPNAME]\r\nappname = \x83\x66\x83\x82\r\nfile = DemoPack.lvar\r\n[REGISTRY]\r\nbyte = 65536\r\n"
    "[RAM]\r\nbyte = 3157\r\n[PLACE]\r\ndrive = 3\r\n";
// The archive: a 256-byte header, 13 bytes, the name and the contents per
// file, and a final checksum byte: 256 + 7 * 13 + 71 + 2746 + 1 = 3165. The
// build's report names it in groups of three digits.
constexpr size_t kArchiveSize = 3165;
const char kReportedArchiveSize[] = "3,165";

void CheckProjectFile(const std::string& path) {
  struct Key {
    const char* section;
    const char* key;
    std::string value;
  };
  const Key keys[] = {
      {"Pakforge", "Ver", "1.0"},
      {"Property", "Locate", "JP"},
      {"Property", "Product", kProduct},
      {"Property", "Name", kName},
      {"Property", "Caption", kCaption},
      {"Property", "Ver", "2.5"},
      {"Property", "Output", kOutput},
      {"Property", "Source", kSource},
      {"Property", "InstDir", kInstDir},
      {"Property", "Exe", kExe},
      {"Property", "Cmd", kCmd},
      {"Property", "Reboot", "false"},
      {"Property", "Dest", "ALTERNATIVE"},
      {"Property", "Uninstall", "true"},
      {"Property", "UninstFile", kUninstFile},
      {"Property", "UnRegist", "false"},
      {"Registry", "RegistryKey0", "HKCU,Software\\Demo,,SZ,\"hello\""},
      {"Registry", "RegistryKey1", "HKLM,Software\\Demo,Level,DWORD,5"},
      {"CopyFile", "File0", "data.bin"},
      {"CopyFile", "Wakeup0", "\x01"},
      {"CopyFile", "Folder0", "\x01"},
      {"CopyFile", "File1", "extra.dat"},
      {"CopyFile", "Folder1", "Music"},
      {"CopyFile", "Type1", "Doc"},
      {"CopyFile", "File2", "Demo.exe"},
      {"CopyFile", "Wakeup2", "true"},
      {"CopyFile", "File3", "\x01"},
      {"SetupIni", "Create", "true"},
      {"SetupIni", "Name", kCaption},
  };
  for (const Key& key : keys) {
    CheckEqual(std::string("project ") + key.section + "/" + key.key, ReadIni(path, key.section, key.key),
               key.value);
  }
}

uint32_t U32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}
uint16_t U16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

bool HasInfExtension(const std::string& name, const char* extension) {
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && lstrcmpiA(name.c_str() + dot, extension) == 0;
}

int KindOf(const std::string& name) {
  if (HasInfExtension(name, ".INF")) return 1;
  if (HasInfExtension(name, ".EXE") || HasInfExtension(name, ".DLL") || HasInfExtension(name, ".VB")) return 2;
  return 3;
}

bool ArchiveComplete(const std::string& path, size_t size) {
  std::string bytes;
  if (!ReadWhole(path, &bytes) || bytes.size() != size) return false;
  unsigned char x = 0;
  for (unsigned char c : bytes) x ^= c;
  return x == 0;
}

void CheckArchive(const Paths& paths, const std::string& bytes) {
  unsigned char x = 0;
  for (unsigned char c : bytes) x ^= c;
  CHECK(x == 0);
  if (!CHECK(bytes.size() > 257)) return;
  std::vector<Listed> files;
  for (const Listed& file : ListSource(paths.source)) {
    if (lstrcmpiA(file.name.c_str(), "Native.ina") != 0) files.push_back(file);
  }
  const std::string native = NativeIna();
  CHECK(U16(bytes, 0) == 0x100);
  CHECK(U16(bytes, 2) == files.size());
  CHECK(U32(bytes, 0x04) == 0x00000000);  // -p 0000
  CHECK(U32(bytes, 0x94) == 0xC0000000);  // -o c000
  CHECK(U32(bytes, 0xB0) == 0x00000000);  // -c 0000
  CHECK(bytes.compare(0x08, 136, native, 0, 136) == 0);
  CHECK(bytes.compare(0x98, 20, native, 136, 20) == 0);
  CHECK(bytes.compare(0xB4, 36, native, 156, 36) == 0);
  CHECK(U32(bytes, 0x90) == 0 && U32(bytes, 0xAC) == 0 && U32(bytes, 0xD8) == 0);
  CHECK(U32(bytes, 0xDC) == 3);  // ALTERNATIVE
  CHECK(bytes.compare(0xE0, 32, std::string(32, '\0')) == 0);

  size_t at = 256;
  int last_kind = 1;
  std::vector<std::string> seen;
  while (at + 13 <= bytes.size() - 1) {
    const uint32_t rest = U32(bytes, at);
    const int kind = static_cast<unsigned char>(bytes[at + 6]);
    const size_t n = static_cast<unsigned char>(bytes[at + 7]);
    const std::string name = bytes.substr(at + 8, n);
    CHECK(bytes[at + 8 + n] == '\0');
    const uint32_t size = U32(bytes, at + 9 + n);
    CHECK(rest == n + size + 9);
    CHECK(U16(bytes, at + 4) == 0);
    CHECK(kind >= last_kind);  // install information, then programs, then data
    last_kind = kind;
    CHECK(kind == KindOf(name));
    bool matched = false;
    for (const Listed& file : files) {
      if (file.name != name) continue;
      matched = true;
      std::string content;
      const std::string full = paths.source + "\\" + (file.folder.empty() ? "" : file.folder + "\\") + name;
      ReadWhole(full, &content);
      CHECK(size == file.size);
      if (!CHECK(bytes.compare(at + 13 + n, size, content) == 0)) Fail("content of entry %s", name.c_str());
    }
    if (!matched) Fail("archive entry %s is not a file of the source folder", name.c_str());
    seen.push_back(name);
    at += 4 + rest;
  }
  CHECK(at == bytes.size() - 1);
  CHECK(seen.size() == files.size());
}

struct Outputs {
  std::string project, install, uninstall, menu, setup_ini, batch, archive;
};

Outputs CheckOutputs(const Paths& paths) {
  Outputs out;
  const std::string project_path = paths.work + "\\Pakforge_" + kName + ".ini";
  if (CHECK(ReadWhole(project_path, &out.project))) CheckProjectFile(project_path);

  CHECK(ReadWhole(paths.source + "\\Install.inf", &out.install));
  CheckEqual("Install.inf", out.install, ExpectedInstallInf());
  CHECK(ReadWhole(paths.source + "\\" + kUninstFile + ".inf", &out.uninstall));
  CheckEqual("uninstall description", out.uninstall, ExpectedUninstallInf());
  CHECK(ReadWhole(paths.source + "\\Demo.txt", &out.menu));
  CheckEqual("menu description Demo.txt", out.menu, ExpectedMenuFile());
  CHECK(!Exists(paths.source + "\\old.txt"));
  CHECK(Exists(paths.source + "\\KEEP.TXT"));
  CHECK(!Exists(paths.source + "\\InsResetFlag.txt"));

  CHECK(ReadWhole(paths.work + "\\Setup.ini", &out.setup_ini));
  CheckEqual("Setup.ini", out.setup_ini, kExpectedSetupIni);
  CHECK(ReadWhole(paths.work + "\\" + kName + ".bat", &out.batch));
  CheckEqual("batch file", out.batch,
             "cd \"" + paths.work + "\"\r\nPakmak \"" + kSource + "\" \"" + kOutput +
                 ".lvar\" -p 0000 -o c000 -c 0000\r\n");

  // The wizard waited for the build and reported it: the archive is whole
  // (size and checksum); the wait stays for a slow file system.
  const std::string archive = paths.work + "\\" + kOutput + ".lvar";
  const size_t size = kArchiveSize;
  const DWORD start = GetTickCount();
  if (!WaitFor([&] { return ArchiveComplete(archive, size); }, kBuildWait)) {
    Fail("archive %s not complete after %lu ms (expected %zu bytes)", archive.c_str(), kBuildWait, size);
  } else {
    Note("archive complete %lu ms after Finish", GetTickCount() - start);
  }
  if (ReadWhole(archive, &out.archive)) CheckArchive(paths, out.archive);
  return out;
}

// ---- The two runs ----

// Starts Pakforge in the work folder and waits for its project picker;
// null (and the wizard ended) when either fails.
HWND StartAtPicker(const Paths& paths, Program* wizard) {
  if (!Start(paths.pakforge, paths.work, wizard)) return nullptr;
  HWND picker = WaitDialog(wizard->info.dwProcessId, g_texts->project_picker);
  if (!picker) Finish(wizard, 0);
  return picker;
}

// Closes the picker with `button` and waits for the wizard sheet; null (and
// the wizard ended) when no sheet comes.
HWND SheetAfterPicker(HWND picker, int button, Program* wizard) {
  PostCommand(picker, button);
  WaitGone(picker);
  HWND sheet = WaitSheet(wizard->info.dwProcessId);
  if (!sheet) Finish(wizard, 0);
  return sheet;
}

// Presses Finish unless the run already failed (then the wizard is ended
// and the answer is false). With `other_files`, Finish first asks about the
// source folder's own ".txt" file (answered Yes). The build's report must
// name the archive and its size; answered, the wizard ends with 0.
bool FinishRun(const char* run, HWND sheet, Program* wizard, bool other_files) {
  if (g_failures) {
    Fail("%s stopped before Finish", run);
    Finish(wizard, 0);
    return false;
  }
  const DWORD pid = wizard->info.dwProcessId;
  PressButton(sheet, PSBTN_FINISH);
  if (other_files) {
    HWND question = WaitDialog(pid, g_texts->message_caption);
    if (!question) return Finish(wizard, 0), false;
    const std::string text = winharness::MessageText(question);
    CHECK(text.find("\nold.txt\n") != std::string::npos);
    CHECK(text.find("KEEP.TXT") == std::string::npos);
    Shot("finish_other_files_question", question);
    PostCommand(question, IDYES);
    WaitGone(question);
  }
  HWND report = WaitDialog(pid, g_texts->message_caption, kBuildWait);
  if (!report) return Finish(wizard, 0), false;
  const std::string text = winharness::MessageText(report);
  if (!CHECK(text.find("'" + kOutput + ".lvar'") != std::string::npos &&
             text.find(kReportedArchiveSize) != std::string::npos)) {
    Fail("%s: build report '%s'", run, Printable(text).c_str());
  }
  Shot("finish_build_report", report);
  PostCommand(report, IDOK);
  CHECK(Finish(wizard, kWait) == 0);
  return true;
}

bool FirstRun(const Paths& paths) {
  Note("run 1: new project");
  Program wizard;
  HWND picker = StartAtPicker(paths, &wizard);
  if (!picker) return false;
  const DWORD pid = wizard.info.dwProcessId;
  {
    HWND list = GetDlgItem(picker, 1030);
    CHECK(ListCount(list) == 0);
    CHECK(!IsEnabled(picker, IDOK));
  }
  Shot("108_project_picker_empty", picker);

  // A second start while the first runs opens nothing and ends with 0.
  Program second;
  if (Start(paths.pakforge, paths.work, &second)) {
    const DWORD second_pid = second.info.dwProcessId;
    const long code = Finish(&second, kWait);
    CHECK(code == 0);
    CHECK(winharness::TopWindows(second_pid, [](HWND) { return true; }, false).empty());
    auto hosts = winharness::TopWindows(pid, [](HWND w) { return winharness::ClassOf(w) == "PakforgeWizard"; }, false);
    CHECK(hosts.size() == 1);
    if (!hosts.empty()) CHECK(!IsWindowVisible(hosts[0]));
    auto pickers = winharness::TopWindows(pid, winharness::DialogTitled(g_texts->project_picker));
    CHECK(pickers.size() == 1);
  }

  HWND sheet = SheetAfterPicker(picker, IDCANCEL, &wizard);
  if (!sheet) return false;
  // Pages 1 to 4 are filled in and left with Next; page 5 is checked.
  void (*const fillers[])(DWORD, HWND, HWND) = {FillPage1, FillPage2, FillPage3, FillPage4};
  for (int index = 0; index < 4; ++index) {
    if (HWND page = WaitPage(sheet, index)) fillers[index](pid, sheet, page);
    PressButton(sheet, PSBTN_NEXT);
  }
  HWND page = WaitPage(sheet, 4);
  if (page) CheckPage5(sheet, page);
  return FinishRun("run 1", sheet, &wizard, true) && g_failures == 0;
}

bool SecondRun(const Paths& paths, const Outputs& first) {
  Note("run 2: the saved project");
  // Forget the first archive so the check sees the second build's output.
  DeleteFileA((paths.work + "\\" + kOutput + ".lvar").c_str());
  Program wizard;
  HWND picker = StartAtPicker(paths, &wizard);
  if (!picker) return false;
  {
    HWND list = GetDlgItem(picker, 1030);
    CHECK(ListCount(list) == 1);
    CheckEqual("project picker row", ListText(list, 0, 0), kName);
    Select(list, FindListRow(list, kName));
    CHECK(WaitFor([&] { return IsEnabled(picker, IDOK); }, 3000));
    Shot("108_project_picker", picker);
  }
  HWND sheet = SheetAfterPicker(picker, IDOK, &wizard);
  if (!sheet) return false;
  HWND page = WaitPage(sheet, 0);
  if (page) {
    CheckEqual("loaded product", ItemText(page, 1000), kProduct);
    CheckEqual("loaded name", ItemText(page, 1001), kName);
    CheckEqual("loaded caption", ItemText(page, 1005), kCaption);
    CheckEqual("loaded version major", ItemText(page, 1048), "2");
    CheckEqual("loaded version minor", ItemText(page, 1049), "5");
    CheckEqual("loaded output", ItemText(page, 1002), kOutput);
    CheckEqual("loaded source", ItemText(page, 1003), kSource);
  }
  PressButton(sheet, PSBTN_NEXT);
  page = WaitPage(sheet, 1);
  if (page) {
    CheckEqual("loaded install folder", ItemText(page, 1005), kInstDir);
    CheckEqual("loaded command line", ItemText(page, 1043), kCmd);
    CHECK(!IsChecked(page, 1056));
  }
  // A file added to the source folder since the save is named once on
  // page 3; No keeps the saved list. It goes again before the build.
  const std::string added = paths.source + "\\added.dat";
  CHECK(WriteWhole(added, "added"));
  PressButton(sheet, PSBTN_NEXT);
  page = WaitPage(sheet, 2);
  if (page) {
    const DWORD pid = wizard.info.dwProcessId;
    HWND box = WaitDialog(pid, g_texts->message_caption);
    if (box) {
      Shot("msg_81_unlisted_files", box);
      std::string text;
      DismissMessage(pid, &text, IDNO);
      CHECK(text.find("added.dat") != std::string::npos);
    } else {
      Fail("no question about the file added to the source folder");
    }
    DeleteFileA(added.c_str());
    // The re-read would reset the destination "Music": it asks, No keeps it.
    PostCommand(page, 1031);
    box = WaitDialog(pid, g_texts->message_caption);
    if (box) {
      Shot("msg_80_reread", box);
      DismissMessage(pid, nullptr, IDNO);
    } else {
      Fail("no question before the re-read");
    }
    HWND list = GetDlgItem(page, 1013);
    CHECK(WaitFor([&] { return ListCount(list) == 3; }, 3000));
    const int extra = FindListRow(list, "extra.dat");
    CheckEqual("loaded destination", ListText(list, extra, 2), "Music");
    CheckEqual("loaded start-up mark", ListText(list, FindListRow(list, "Demo.exe"), 1), "*");
  }
  PressButton(sheet, PSBTN_NEXT);
  page = WaitPage(sheet, 3);
  if (page) {
    HWND list = GetDlgItem(page, 1014);
    CHECK(ListCount(list) == 2);
  }
  PressButton(sheet, PSBTN_NEXT);
  page = WaitPage(sheet, 4);
  if (page) CheckEqual("loaded display name", ItemText(page, 1001), kCaption);
  if (!FinishRun("run 2", sheet, &wizard, false)) return false;

  const Outputs second = CheckOutputs(paths);
  CHECK(second.project == first.project);
  CHECK(second.install == first.install);
  CHECK(second.uninstall == first.uninstall);
  CHECK(second.menu == first.menu);
  CHECK(second.setup_ini == first.setup_ini);
  CHECK(second.batch == first.batch);
  CHECK(second.archive == first.archive);
  // No second project file arose.
  WIN32_FIND_DATAA data;
  int projects = 0;
  HANDLE find = FindFirstFileA((paths.work + "\\Pakforge_*.ini").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do ++projects;
    while (FindNextFileA(find, &data));
    FindClose(find);
  }
  CHECK(projects == 1);
  return g_failures == 0;
}

// ---- Project files written by hand, through the wizard and pakforge-build ----

struct HandProject {
  const char* label;
  std::string name;  // the program name: the picker's row
  std::string ini;   // Pakforge_<name>.ini as written by hand
  std::vector<std::pair<std::string, std::string>> files;  // path under the folder -> bytes
  bool builds;  // the builder takes the descriptions
};

// Every flag away from its default, rows and registry entries in no order.
// `install` and `program` are the install folder and the start-up program;
// `own` the own folder inside it; `key` a registry key.
HandProject MakeHandProject(const char* label, const char* install, const char* program, const char* own,
                            const char* key, bool builds) {
  const std::string src = Sjis("ソース");
  HandProject p;
  p.label = label;
  p.name = Sjis("メモ帳");
  p.builds = builds;
  p.ini = Sjis(
      "[Property]\r\nLocate=US\r\nProduct=雲ソフト\r\nName=メモ帳\r\nCaption=かんたんメモ\r\nVer=2.10\r\n"
      "Output=メモ箱\r\nSource=ソース\r\n");
  p.ini += Sjis("InstDir=") + Sjis(install) + "\r\nExe=" + Sjis(program) +
           Sjis("\r\nCmd=-q\r\nReboot=true\r\nDest=CARD\r\nUninstall=true\r\nUninstFile=Un雲メモ\r\n"
                "UnRegist=false\r\n[Registry]\r\n");
  p.ini += Sjis("RegistryKey0=HKLM,") + Sjis(key) + Sjis(",Title,SZ,\"メモ\"\r\n") +
           "RegistryKey1=HKCU,Software\\Kumo,Lines,DWORD,40\r\n"
           "RegistryKey2=HKCR,.memo,,SZ,\"MemoFile\"\r\n"
           "RegistryKey3=HKCU,Software\\Kumo,Recent,MULTI_SZ,\"a\",\"b\"\r\n"
           "RegistryKey4=HKLM,Software\\Kumo,Key,BINARY,0aFF\r\n[CopyFile]\r\n";
  p.ini += "File0=zeta.bin\r\nFile1=" + Sjis(program) + "\r\nWakeup1=true\r\n" +
           Sjis("File2=Photo写真.dat\r\nFolder2=Photoアルバム\r\nType2=DocOriginal\r\n") + "File3=data.dat\r\n" +
           "Folder3=" + Sjis(own) + "\r\nType3=AppOriginal\r\nFile4=song.dat\r\nFolder4=Music\r\nType4=Doc\r\n"
           "File5=Tool.EXE\r\nFile6=alpha\r\n";
  p.ini += "[Folder]\r\nNameApp0=" + Sjis(own) + Sjis("\r\nName0=Photoアルバム\r\n[SetupIni]\r\nCreate=true\r\n"
                                                      "Name=メモの表示\r\n");
  p.files = {{src + "\\Native.ina", NativeIna()},
             {src + "\\" + Sjis(program), kProgramBytes},
             {src + "\\Tool.EXE", "MZ tool"},
             {src + "\\zeta.bin", kExtraBytes},
             {src + "\\alpha", "a"},
             {src + "\\song.dat", kDataBytes},
             {src + "\\" + Sjis("絵") + "\\" + Sjis("Photo写真.dat"), "photo"},
             {src + "\\" + Sjis("絵") + "\\data.dat", "data"}};
  return p;
}

// Every file under `folder`: relative path -> bytes.
void Tree(const std::string& folder, const std::string& prefix, std::vector<std::pair<std::string, std::string>>* out) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> folders;
  do {
    const std::string name = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != "." && name != "..") folders.push_back(name);
    } else {
      std::string bytes;
      ReadWhole(folder + "\\" + name, &bytes);
      out->push_back({prefix + name, bytes});
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  for (const std::string& name : folders) Tree(folder + "\\" + name, prefix + name + "\\", out);
}

bool LayHandProject(const std::string& folder, const HandProject& p) {
  bool ok = CreateDirectoryA(folder.c_str(), nullptr) != 0;
  for (const auto& [path, bytes] : p.files) {
    const size_t cut = path.rfind('\\');
    const size_t first = path.find('\\');
    CreateDirectoryA((folder + "\\" + path.substr(0, first)).c_str(), nullptr);
    CreateDirectoryA((folder + "\\" + path.substr(0, cut)).c_str(), nullptr);
    ok = WriteWhole(folder + "\\" + path, bytes) && ok;
  }
  ok = WriteWhole(folder + "\\Pakforge_" + p.name + ".ini", p.ini) && ok;
  if (!ok) Fail("%s: cannot lay out %s", p.label, folder.c_str());
  return ok;
}

// The wizard: open the project, Next through pages 1 to 4, Finish, answer
// the build's report.
void FinishInTheWizard(const Paths& paths, const HandProject& p) {
  Program wizard;
  HWND picker = StartAtPicker(paths, &wizard);
  if (!picker) return;
  {
    HWND list = GetDlgItem(picker, 1030);
    if (!CHECK(Select(list, FindListRow(list, p.name)))) Fail("%s: no picker row", p.label);
    CHECK(WaitFor([&] { return IsEnabled(picker, IDOK); }, 3000));
  }
  HWND sheet = SheetAfterPicker(picker, IDOK, &wizard);
  if (!sheet) return;
  const DWORD pid = wizard.info.dwProcessId;
  for (int index = 0; index < 4; ++index) {
    if (!WaitPage(sheet, index)) return (void)Finish(&wizard, 0);
    std::string text;
    DismissMessage(pid, &text);  // none is expected
    if (!text.empty()) Fail("%s: page %d showed '%s'", p.label, index + 1, Printable(text).c_str());
    PressButton(sheet, PSBTN_NEXT);
  }
  if (!WaitPage(sheet, 4)) return (void)Finish(&wizard, 0);
  PressButton(sheet, PSBTN_FINISH);
  HWND report = WaitDialog(pid, g_texts->message_caption, kBuildWait);
  if (report) PostCommand(report, IDOK);
  CHECK(Finish(&wizard, kWait) == 0);
}

// pakforge-build on the project in `folder`; answers its exit code.
long BuildWithTheTool(const std::string& tool, const std::string& folder, const HandProject& p) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  std::string command = "\"" + tool + "\" \"Pakforge_" + p.name + ".ini\"";
  Program run;
  if (!CreateProcessA(tool.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      folder.c_str(), &startup, &run.info)) {
    Fail("cannot start %s (error %lu)", tool.c_str(), GetLastError());
    return -1;
  }
  run.running = true;
  return Finish(&run, kBuildWait);
}

// Both roads from the same inputs must leave the same files; only the
// batch file names its own folder, and the wizard saves the project again.
void CompareRoads(const Paths& base, const std::string& tool, const HandProject& p, int index) {
  Note("run 3.%d: %s", index, p.label);
  Paths paths;
  paths.work = base.work + "_hand" + std::to_string(index);
  paths.pakforge = paths.work + "\\Pakforge.exe";
  const std::string cli = base.work + "_cli" + std::to_string(index);
  if (!LayHandProject(paths.work, p) || !LayHandProject(cli, p)) return;
  CopyFileA(base.pakforge.c_str(), paths.pakforge.c_str(), FALSE);
  CopyFileA((base.work + "\\Pakmak.exe").c_str(), (paths.work + "\\Pakmak.exe").c_str(), FALSE);
  FinishInTheWizard(paths, p);
  const long status = BuildWithTheTool(tool, cli, p);
  CHECK((status == 0) == p.builds);

  std::vector<std::pair<std::string, std::string>> wizard_tree, cli_tree;
  Tree(paths.work, "", &wizard_tree);
  Tree(cli, "", &cli_tree);
  const std::string project = "Pakforge_" + p.name + ".ini";
  auto drop = [&](std::vector<std::pair<std::string, std::string>>& tree) {
    std::vector<std::pair<std::string, std::string>> kept;
    for (auto& entry : tree) {
      if (entry.first != "Pakforge.exe" && entry.first != "Pakmak.exe" && entry.first != project) {
        kept.push_back(entry);
      }
    }
    tree = kept;
  };
  drop(wizard_tree);
  drop(cli_tree);
  std::sort(wizard_tree.begin(), wizard_tree.end());
  std::sort(cli_tree.begin(), cli_tree.end());
  const std::string batch = p.name + ".bat";
  for (auto& entry : wizard_tree) {
    if (entry.first != batch) continue;
    const size_t at = entry.second.find(paths.work);
    if (CHECK(at != std::string::npos)) entry.second.replace(at, paths.work.size(), cli);
  }
  const std::string archive = Sjis("メモ箱") + ".lvar";
  bool archived = false;
  for (const auto& entry : cli_tree) archived = archived || entry.first == archive;
  CHECK(archived == p.builds);
  CHECK(wizard_tree.size() == cli_tree.size());
  for (size_t i = 0; i < wizard_tree.size() && i < cli_tree.size(); ++i) {
    CheckEqual(std::string(p.label) + ": " + Printable(wizard_tree[i].first), Printable(cli_tree[i].first),
               Printable(wizard_tree[i].first));
    if (wizard_tree[i].second != cli_tree[i].second) {
      Fail("%s: %s differs", p.label, Printable(wizard_tree[i].first).c_str());
    }
  }
}

void HandWrittenRuns(const Paths& paths, const std::string& tool) {
  // The first project keeps the places the descriptions escape ("\X")
  // ASCII; the second is Japanese throughout, "\メ" included. Both build,
  // and both roads must give the same files and the same archive.
  const HandProject projects[] = {
      MakeHandProject("hand-written, Japanese names", "Memo帳", "Memo.exe", "Pics絵",
                      "雲ソフト\\Memo", true),
      MakeHandProject("hand-written, all Japanese", "雲メモ",
                      "メモ.exe", "絵",
                      "雲ソフト\\メモ", true),
  };
  int index = 1;
  for (const HandProject& p : projects) CompareRoads(paths, tool, p, index++);
}

std::string FullPath(const char* path) {
  char full[MAX_PATH] = {};
  GetFullPathNameA(path, MAX_PATH, full, nullptr);
  return full;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: pakforge_e2e WORK PAKFORGE_EXE PAKMAK_EXE [ja|en [PAKFORGE_BUILD_EXE]]\n");
    return 2;
  }
  const std::string language = argc > 4 ? argv[4] : "ja";
  g_texts = language == "en" ? &kEnglish : &kJapanese;
  Paths paths;
  paths.work = FullPath(argv[1]);
  paths.pakforge = paths.work + "\\Pakforge.exe";
  paths.source = paths.work + "\\" + kSource;
  g_source_path = paths.source + "\\";
  g_shot_folder = winharness::ScreenshotFolder(language);
  const std::string tool = argc > 5 ? FullPath(argv[5]) : std::string();

  if (!PrepareWork(paths, FullPath(argv[2]), FullPath(argv[3]))) return 1;
  if (FirstRun(paths)) {
    Note("run 1: checking the outputs");
    const Outputs first = CheckOutputs(paths);
    if (g_failures == 0) SecondRun(paths, first);
  }
  if (g_failures == 0 && !tool.empty()) HandWrittenRuns(paths, tool);
  CHECK(winharness::Faults() == 0);  // no message timed out, no control was missing
  if (g_failures) {
    std::fprintf(stderr, "%d check(s) failed\n", g_failures);
    return 1;
  }
  Note("all checks passed");
  return 0;
}
