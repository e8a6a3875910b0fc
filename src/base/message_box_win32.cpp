#include "base/message_box_win32.h"

#include <cstring>

namespace base {
namespace {

// The box being shown by this thread: its words and the hook that waits
// for it to be activated.
struct PendingBox {
  const ButtonWords* words = nullptr;
  HHOOK hook = nullptr;
};
thread_local PendingBox g_pending;

void Unhook() {
  if (g_pending.hook) UnhookWindowsHookEx(g_pending.hook);
  g_pending.hook = nullptr;
}

// Renames the buttons of the first dialog window that this thread activates
// (the message box: MessageBoxA activates it before it shows), then removes
// itself so that no later window is touched.
LRESULT CALLBACK RenameButtons(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && g_pending.words) {
    HWND box = reinterpret_cast<HWND>(wparam);
    char class_name[16] = "";
    GetClassNameA(box, class_name, sizeof class_name);
    if (std::strcmp(class_name, "#32770") == 0) {
      const struct {
        int id;
        const std::string& word;
      } buttons[] = {{IDOK, g_pending.words->ok},
                     {IDCANCEL, g_pending.words->cancel},
                     {IDYES, g_pending.words->yes},
                     {IDNO, g_pending.words->no}};
      for (const auto& button : buttons) {
        HWND control = GetDlgItem(box, button.id);
        if (control && !button.word.empty()) SetWindowTextA(control, button.word.c_str());
      }
      const HHOOK hook = g_pending.hook;
      g_pending.hook = nullptr;
      g_pending.words = nullptr;
      const LRESULT result = CallNextHookEx(hook, code, wparam, lparam);
      UnhookWindowsHookEx(hook);
      return result;
    }
  }
  return CallNextHookEx(g_pending.hook, code, wparam, lparam);
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style,
                   const ButtonWords& words) {
  // A box shown while another waits (from its owner's messages) keeps the
  // outer box's state apart.
  const PendingBox outer = g_pending;
  g_pending.words = &words;
  g_pending.hook = SetWindowsHookExA(WH_CBT, RenameButtons, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), style);
  Unhook();
  g_pending = outer;
  return answer;
}

}  // namespace base
