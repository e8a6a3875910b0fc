#include "wizard/ui/win32_services.h"

#include <shellapi.h>

#include "wizard/ui/resource_text.h"

namespace wizard::ui {

std::string FormatWithArgument(const std::string& format, const std::string& argument) {
  for (size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (format[i + 1] == 's') return format.substr(0, i) + argument + format.substr(i + 2);
    ++i;  // skip the character after any other '%'
  }
  return format;
}

int Win32MessageSink::Show(int string_id, MessageIcon icon, const std::string& argument) {
  UINT style = icon == MessageIcon::kWarning ? MB_ICONEXCLAMATION : MB_ICONHAND;
  std::string text = LoadText(string_id);
  if (!argument.empty()) text = FormatWithArgument(text, argument);
  return ShowMessageText(owner_, string_id, text, style);
}

bool ShellBatchStarter::Start(const std::string& batch_path) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = 0;
  info.hwnd = IsWindow(owner_) ? owner_ : nullptr;
  info.lpFile = batch_path.c_str();
  info.nShow = SW_HIDE;
  return ShellExecuteExA(&info) != FALSE;
}

}  // namespace wizard::ui
