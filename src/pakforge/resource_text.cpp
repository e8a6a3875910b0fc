#include "pakforge/resource_text.h"

#include "base/resource_string_win32.h"
#include "pakforge/resources/resource.h"

namespace pakforge {

namespace {

HINSTANCE g_text_instance = nullptr;
WORD g_text_language = base::WindowsLanguageId(base::Language::kJapanese);

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

}  // namespace pakforge
