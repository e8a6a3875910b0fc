#include "pakforge/win32_services.h"

#include "base/text_table.h"
#include "pakforge/resource_text.h"

namespace pakforge {

namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kWarning:
      return MB_ICONEXCLAMATION;
    case MessageIcon::kInformation:
      return MB_ICONINFORMATION;
    default:
      return MB_ICONHAND;
  }
}

// Appends what the pipe holds now, without blocking.
void Drain(HANDLE pipe, std::string* output) {
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) return;
    char buffer[4096];
    DWORD got = 0;
    DWORD want = available < sizeof buffer ? available : static_cast<DWORD>(sizeof buffer);
    if (!ReadFile(pipe, buffer, want, &got, nullptr) || got == 0) return;
    output->append(buffer, got);
  }
}

// Dispatches the queued messages of this thread; false after WM_QUIT (which
// is posted again for the loop that owns it).
bool PumpPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

std::string SystemErrorText(DWORD error) {
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                text, sizeof text, nullptr);
  std::string result(text, length);
  result += '(';
  result += std::to_string(error);
  result += ')';
  return result;
}

}  // namespace

int Win32MessageSink::Show(int string_id, MessageIcon icon, const std::string& argument) {
  std::string text = LoadText(string_id);
  if (!argument.empty()) text = base::FillText(text, {argument});
  return boxes_.ShowText(owner_, string_id, text, IconStyle(icon));
}

int Win32MessageSink::ShowFilled(int string_id, MessageIcon icon, const std::vector<std::string>& arguments) {
  return boxes_.ShowText(owner_, string_id, base::FillText(LoadText(string_id), arguments), IconStyle(icon));
}

BuildRun CapturedBatchRunner::Run(const std::string& batch_path) {
  BuildRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) {
    run.output = SystemErrorText(GetLastError());
    return run;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);

  char interpreter[MAX_PATH] = "cmd.exe";
  DWORD length = GetEnvironmentVariableA("ComSpec", interpreter, sizeof interpreter);
  if (length == 0 || length >= sizeof interpreter) lstrcpyA(interpreter, "cmd.exe");
  // The outer pair of quotes is removed by the interpreter; the inner pair
  // keeps a path with blanks whole.
  std::string command = "\"";
  command += interpreter;
  command += "\" /q /c \"\"";
  command += batch_path;
  command += "\"\"";

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = input != INVALID_HANDLE_VALUE ? input : nullptr;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                &startup, &process);
  DWORD start_error = GetLastError();
  CloseHandle(write_end);  // the children hold their own copies
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  if (!started) {
    CloseHandle(read_end);
    run.output = SystemErrorText(start_error);
    return run;
  }
  CloseHandle(process.hThread);

  HWND top = owner_ && IsWindow(owner_) ? GetAncestor(owner_, GA_ROOT) : nullptr;
  bool disabled = top && !EnableWindow(top, FALSE);
  HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const DWORD begin = GetTickCount();
  run.outcome = BuildRun::Outcome::kStillRunning;
  for (;;) {
    Drain(read_end, &run.output);
    DWORD elapsed = GetTickCount() - begin;
    if (elapsed >= limit_ms_) break;
    DWORD wait = limit_ms_ - elapsed < 100 ? limit_ms_ - elapsed : 100;
    DWORD signalled = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, wait, QS_ALLINPUT);
    if (signalled == WAIT_OBJECT_0) {
      Drain(read_end, &run.output);
      run.outcome = BuildRun::Outcome::kEnded;
      DWORD code = 0;
      if (GetExitCodeProcess(process.hProcess, &code)) run.exit_code = code;
      break;
    }
    if (signalled == WAIT_FAILED || !PumpPending()) break;
  }
  run.waited_seconds = static_cast<int>(limit_ms_ / 1000);
  SetCursor(cursor);
  if (disabled) EnableWindow(top, TRUE);
  CloseHandle(process.hProcess);
  CloseHandle(read_end);
  return run;
}

}  // namespace pakforge
