#include "wizard/ui/resource_text.h"

#include "base/resource_string_win32.h"
#include "wizard/resources/resource.h"

namespace wizard::ui {

namespace {

HINSTANCE g_text_instance = nullptr;

MessageHook& Hook() {
  static MessageHook hook;
  return hook;
}

}  // namespace

void SetTextInstance(HINSTANCE instance) { g_text_instance = instance; }

std::string LoadText(int id) {
  HINSTANCE instance = g_text_instance ? g_text_instance : GetModuleHandleA(nullptr);
  return base::LoadResourceString(instance, static_cast<UINT>(id), 512);
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

int ShowMessage(HWND owner, int string_id, UINT style) {
  return ShowMessageText(owner, string_id, LoadText(string_id), style);
}

int ShowMessageText(HWND owner, int string_id, const std::string& text, UINT style) {
  if (Hook()) return Hook()(MessageRequest{owner, string_id, text, style});
  std::string caption = LoadText(IDS_MESSAGE_CAPTION);
  return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace wizard::ui
