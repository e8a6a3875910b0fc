#include "gui_harness.h"

#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "pakforge/resource_text.h"

namespace guitest {

namespace {

// The common controls (list views, property sheets) are registered once,
// before any test creates a window.
struct CommonControlsInit {
  CommonControlsInit() {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
  }
} g_common_controls_init;

// The sheet whose dialog navigation the pump serves (one at a time).
HWND g_sheet = nullptr;

// Wizard button ids of the property sheet (comctl32's own).
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

// Dispatches one waiting message. Answers 0 when the queue was empty, 1 for
// a message, 2 for a timer tick (which does not count as activity: the
// responder's timer ticks all the time).
int PumpOne() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return 0;
  const int kind = msg.message == WM_TIMER ? 2 : 1;
  if (std::getenv("GUITEST_TRACE")) {
    char name[64] = {};
    GetClassNameA(msg.hwnd, name, sizeof(name));
    std::fprintf(stderr, "  msg 0x%X %s\n", msg.message, name);
  }
  if (g_sheet && IsWindow(g_sheet) && PropSheet_IsDialogMessage(g_sheet, &msg)) return kind;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return kind;
}

}  // namespace

void PumpMessages(DWORD quiet_ms, DWORD max_ms) {
  const DWORD start = GetTickCount();
  DWORD last_activity = start;
  for (;;) {
    const DWORD now = GetTickCount();
    if (now - start >= max_ms) {
      if (std::getenv("GUITEST_TRACE")) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
          char name[64] = {};
          GetClassNameA(msg.hwnd, name, sizeof(name));
          std::fprintf(stderr, "pump did not settle: message 0x%X to %s\n", msg.message, name);
        }
      }
      return;
    }
    const int pumped = PumpOne();
    if (pumped == 1) last_activity = GetTickCount();
    if (pumped) continue;
    if (now - last_activity >= quiet_ms) {
      return;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD max_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= max_ms) return done();
    if (!PumpOne()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// ---- WizardSheet ----

WizardSheet::~WizardSheet() { Close(); }

bool WizardSheet::Open(const std::vector<HPROPSHEETPAGE>& pages, HWND parent) {
  Close();
  std::vector<HPROPSHEETPAGE> handles(pages);
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_WIZARD | PSH_MODELESS;
  header.hwndParent = parent;
  header.hInstance = GetModuleHandleA(nullptr);
  header.nPages = static_cast<UINT>(handles.size());
  header.nStartPage = 0;
  header.phpage = handles.data();
  const INT_PTR result = PropertySheetA(&header);
  if (result == 0 || result == -1) return false;
  sheet_ = reinterpret_cast<HWND>(result);
  g_sheet = sheet_;
  ShowWindow(sheet_, SW_SHOW);
  PumpMessages();
  return true;
}

HWND WizardSheet::page() const {
  if (!sheet_ || !IsWindow(sheet_)) return nullptr;
  return PropSheet_GetCurrentPageHwnd(sheet_);
}

int WizardSheet::index() const {
  HWND current = page();
  if (!current) return -1;
  return static_cast<int>(PropSheet_HwndToIndex(sheet_, current));
}

void WizardSheet::Press(int button) {
  if (!sheet_) return;
  PropSheet_PressButton(sheet_, button);
  PumpMessages();
}

void WizardSheet::PressNext() { Press(PSBTN_NEXT); }
void WizardSheet::PressBack() { Press(PSBTN_BACK); }
void WizardSheet::PressFinish() { Press(PSBTN_FINISH); }
void WizardSheet::PressCancel() { Press(PSBTN_CANCEL); }

bool WizardSheet::ButtonEnabled(int id) const {
  if (!sheet_) return false;
  HWND button = GetDlgItem(sheet_, id);
  return button && IsWindowVisible(button) && IsWindowEnabled(button);
}

bool WizardSheet::BackEnabled() const { return ButtonEnabled(kBackButton); }
bool WizardSheet::NextEnabled() const { return ButtonEnabled(kNextButton); }
bool WizardSheet::FinishEnabled() const { return ButtonEnabled(kFinishButton); }

std::string WizardSheet::Title() const { return sheet_ ? WindowText(sheet_) : std::string(); }

void WizardSheet::Close() {
  if (sheet_ && IsWindow(sheet_)) DestroyWindow(sheet_);
  if (g_sheet == sheet_) g_sheet = nullptr;
  sheet_ = nullptr;
  PumpMessages(20, 1000);
}

// ---- Controls ----

void SetText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
  PumpMessages(20);
}

void Click(HWND dialog, int id) {
  ClickNow(dialog, id);
  PumpMessages();
}

void CommandNow(HWND dialog, int id, int code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Command(HWND dialog, int id, int code) {
  CommandNow(dialog, id, code);
  PumpMessages();
}

int EditLimit(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, EM_GETLIMITTEXT, 0, 0));
}

int FocusedId() {
  HWND focus = GetFocus();
  return focus ? GetDlgCtrlID(focus) : 0;
}

std::pair<int, int> EditSelection(HWND dialog, int id) {
  DWORD start = 0, end = 0;
  SendDlgItemMessageA(dialog, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                      reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

LONG Style(HWND dialog, int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE); }

int ComboCount(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
}

std::string ComboText(HWND dialog, int id, int row) {
  const LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, row, 0);
  if (length == CB_ERR) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

LPARAM ComboData(HWND dialog, int id, int row) {
  return SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, row, 0);
}

int ComboSelection(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

void SelectCombo(HWND dialog, int id, int row) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, row, 0);
  Command(dialog, id, CBN_SELCHANGE);
}

// ---- List views ----

void SelectRows(HWND list, const std::vector<int>& rows) {
  SelectRowsNow(list, rows);
  PumpMessages();
}

void ActivateRow(HWND list, int row) {
  NMITEMACTIVATE activate{};
  activate.hdr.hwndFrom = list;
  activate.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
  activate.hdr.code = LVN_ITEMACTIVATE;
  activate.iItem = row;
  SendMessageA(GetParent(list), WM_NOTIFY, activate.hdr.idFrom, reinterpret_cast<LPARAM>(&activate));
  PumpMessages();
}

void DoubleClickRowNow(HWND list, int row) {
  RECT rect{};
  rect.left = LVIR_LABEL;
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

// ---- ModalResponder ----

namespace {
ModalResponder* g_responder = nullptr;
}  // namespace

ModalResponder::ModalResponder(DWORD grace_ms) : grace_ms_(grace_ms) {
  g_responder = this;
  timer_ = SetTimer(nullptr, 0, 20, &ModalResponder::OnTimer);
}

ModalResponder::~ModalResponder() {
  if (timer_) KillTimer(nullptr, timer_);
  if (g_responder == this) g_responder = nullptr;
}

void ModalResponder::Expect(const std::string& title, Action action) {
  steps_.push_back({title, std::move(action)});
}

void CALLBACK ModalResponder::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_responder) g_responder->Poll();
}

void ModalResponder::Poll() {
  if (busy_) return;
  const auto dialogs = winharness::TopWindows(GetCurrentProcessId(), [](HWND window) {
    return winharness::ClassOf(window) == "#32770" && window != g_sheet;
  });
  for (HWND dialog : dialogs) {
    if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) continue;
    // Only the innermost (enabled) dialog can take input; its owner waits.
    if (!IsWindowEnabled(dialog)) continue;
    const std::string title = WindowText(dialog);
    if (!steps_.empty() && steps_.front().title == title) {
      handled_.push_back(dialog);
      Step step = std::move(steps_.front());
      steps_.erase(steps_.begin());
      answered_.push_back(title);
      busy_ = true;
      step.action(dialog);
      busy_ = false;
      return;
    }
    // Not (yet) expected: give the test's steps a moment, then cancel it.
    auto seen = std::find_if(waiting_.begin(), waiting_.end(),
                             [dialog](const auto& entry) { return entry.first == dialog; });
    if (seen == waiting_.end()) {
      waiting_.push_back({dialog, GetTickCount()});
      continue;
    }
    if (GetTickCount() - seen->second < grace_ms_) continue;
    handled_.push_back(dialog);
    unexpected_.push_back(title);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return;
  }
}

ModalResponder::Action PressButton(int id) {
  return [id](HWND dialog) { winharness::PostCommand(dialog, id); };
}

ModalResponder::Action ChooseRow(int list_id, const std::string& text, int button_id,
                                 int cancel_id) {
  return [=](HWND dialog) {
    HWND list = GetDlgItem(dialog, list_id);
    const int row = FindListRow(list, text);
    if (row < 0) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(cancel_id, BN_CLICKED), 0);
      return;
    }
    winharness::SetSelectedRows(list, {row});
    winharness::PostCommand(dialog, button_id);
  };
}

ModalResponder::Action InspectList(int list_id, std::vector<std::string>* rows, int button_id,
                                   bool* button_enabled, int then_id) {
  return [=](HWND dialog) {
    if (rows) *rows = ListColumn(GetDlgItem(dialog, list_id), 0);
    if (button_enabled) *button_enabled = IsEnabled(dialog, button_id);
    winharness::PostCommand(dialog, then_id);
  };
}

// ---- MessageRecorder ----

int MessageRecorder::ShowText(HWND owner, int string_id, const std::string& text, UINT style) {
  messages_.push_back({string_id, text, style, owner});
  if (answers_.empty()) return default_answer_;
  const int answer = answers_.front();
  answers_.erase(answers_.begin());
  return answer;
}

std::vector<int> MessageRecorder::ids() const {
  std::vector<int> result;
  for (const ShownMessage& message : messages_) result.push_back(message.id);
  return result;
}

// ---- WorkFolder ----

WorkFolder::WorkFolder() : path_(folder_.Path()) {
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  previous_ = previous;
  SetCurrentDirectoryA(path_.c_str());
}

// The folder itself goes with folder_, after the current directory has left it.
WorkFolder::~WorkFolder() { SetCurrentDirectoryA(previous_.c_str()); }

std::string WorkFolder::Full(const std::string& relative) const { return path_ + "\\" + relative; }

bool WorkFolder::MakeFolder(const std::string& relative) const {
  return CreateDirectoryA(Full(relative).c_str(), nullptr) != 0;
}

bool WorkFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
  HANDLE file = CreateFileA(Full(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool WorkFolder::WriteFiles(const std::vector<std::pair<std::string, std::string>>& files) const {
  for (const auto& [relative, bytes] : files) {
    if (!WriteFile(relative, bytes)) return false;
  }
  return true;
}

std::string WorkFolder::ReadFile(const std::string& relative, bool* ok) const {
  std::string bytes;
  HANDLE file = CreateFileA(Full(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ok) *ok = file != INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WorkFolder::Exists(const std::string& relative) const {
  return GetFileAttributesA(Full(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WorkFolder::Remove(const std::string& relative) const {
  return DeleteFileA(Full(relative).c_str()) != 0;
}

std::string WorkFolder::EnterFolderOfLength(size_t length) {
  std::string folder = path_;
  if (length <= folder.size() + 2) return std::string();
  while (folder.size() < length) {
    // Each step adds a backslash and a name of at most 100 bytes; never
    // leave a remainder of a single byte (no room for a backslash and name).
    size_t room = length - folder.size() - 1;
    size_t take = room > 100 ? 100 : room;
    if (room > 100 && room - take < 2) take = room - 2;
    folder.push_back('\\');
    folder.append(take, 'd');
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return std::string();
  }
  if (!SetCurrentDirectoryA(folder.c_str())) return std::string();
  return folder;
}

std::string NativeInaBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  return bytes;
}

}  // namespace guitest
