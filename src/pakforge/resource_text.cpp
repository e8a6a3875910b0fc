#include "pakforge/resource_text.h"

#include "base/message_box_win32.h"
#include "base/resource_string_win32.h"
#include "pakforge/resources/resource.h"

namespace wizard::ui {

namespace {

HINSTANCE g_text_instance = nullptr;
WORD g_text_language = base::WindowsLanguageId(base::Language::kJapanese);

MessageHook& Hook() {
  static MessageHook hook;
  return hook;
}

}  // namespace

void SetTextInstance(HINSTANCE instance) { g_text_instance = instance; }

void SetTextLanguage(base::Language language) { g_text_language = base::WindowsLanguageId(language); }

std::string LoadText(int id) {
  HINSTANCE instance = g_text_instance ? g_text_instance : GetModuleHandleA(nullptr);
  return base::LoadResourceString(instance, static_cast<UINT>(id), 512, g_text_language);
}

const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, int id) {
  return base::FindDialogTemplate(instance, static_cast<UINT>(id), g_text_language);
}

INT_PTR RunModalDialog(HINSTANCE instance, int id, HWND owner, DLGPROC procedure, LPARAM parameter) {
  const DLGTEMPLATE* dialog = DialogTemplate(instance, id);
  if (dialog == nullptr) return -1;
  return DialogBoxIndirectParamA(instance, dialog, owner, procedure, parameter);
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

int ShowMessage(HWND owner, int string_id, UINT style) {
  return ShowMessageText(owner, string_id, LoadText(string_id), style);
}

int ShowMessageText(HWND owner, int string_id, const std::string& text, UINT style) {
  if (Hook()) return Hook()(MessageRequest{owner, string_id, text, style});
  const base::ButtonWords words{LoadText(IDS_BUTTON_OK), LoadText(IDS_BUTTON_CANCEL), LoadText(IDS_BUTTON_YES),
                                LoadText(IDS_BUTTON_NO)};
  return base::ShowMessageBox(owner, text, LoadText(IDS_MESSAGE_CAPTION), style, words);
}

}  // namespace wizard::ui
