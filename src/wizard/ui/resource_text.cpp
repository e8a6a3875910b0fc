#include "wizard/ui/resource_text.h"

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
  char buffer[512] = {};
  HINSTANCE instance = g_text_instance ? g_text_instance : GetModuleHandleA(nullptr);
  int length = LoadStringA(instance, static_cast<UINT>(id), buffer, sizeof buffer);
  if (length <= 0) return std::string();
  return std::string(buffer, static_cast<size_t>(length));
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
