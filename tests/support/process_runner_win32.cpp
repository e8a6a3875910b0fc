#include <windows.h>

#include <cstdio>
#include <thread>

#include "process_runner.h"

namespace test_support {
namespace {

// The UTF-16 form of a kit text (code page 932): the child is started
// through the wide function, so its wide command line holds the names as
// the test wrote them whatever the system's ANSI code page.
std::wstring Wide(const std::string& kit) {
  if (kit.empty()) return std::wstring();
  const int length = static_cast<int>(kit.size());
  const int size = MultiByteToWideChar(932, 0, kit.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(932, 0, kit.data(), length, wide.data(), size);
  return wide;
}

// Quotes one argument the way the C runtime's command-line parser reads it
// back: backslashes are literal unless they precede a quote. It quotes the
// wide form, where a double-byte character's trail byte is no backslash.
std::wstring QuoteArgument(const std::string& kit) {
  const std::wstring arg = Wide(kit);
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
    } else if (c == L'"') {
      quoted.append(backslashes + 1, L'\\');  // double the run, escape the quote
      backslashes = 0;
    } else {
      backslashes = 0;
    }
    quoted += c;
  }
  quoted.append(backslashes, L'\\');
  quoted += L'"';
  return quoted;
}

void Drain(HANDLE pipe, std::string* sink) {
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) sink->append(buffer, n);
}

// One attempt of RunProcess; `error` gets GetLastError() when the program
// could not be started.
ProcessResult RunOnce(const std::string& program, const std::vector<std::string>& args,
                      const std::string& working_dir, const std::string& encoding, bool output_reader_gone,
                      const std::vector<std::string>& environment, DWORD* error) {
  ProcessResult result;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE out_read, out_write, err_read, err_write;
  if (!CreatePipe(&out_read, &out_write, &inherit, 0)) return result;
  if (!CreatePipe(&err_read, &err_write, &inherit, 0)) {
    CloseHandle(out_read);
    CloseHandle(out_write);
    return result;
  }
  // Only the child's ends are inherited.
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  if (output_reader_gone) {
    CloseHandle(out_read);
    out_read = INVALID_HANDLE_VALUE;
  }
  HANDLE null_in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                               0, nullptr);

  std::wstring command_line = QuoteArgument(program);
  for (const std::string& a : args) {
    command_line += L' ';
    command_line += QuoteArgument(a);
  }

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null_in;
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION process = {};
  // The child inherits this process's environment: set what it is to see,
  // and take it away again afterwards.
  SetEnvironmentVariableA("PAKMAK_ENCODING", encoding.c_str());
  SetEnvironmentVariableA("LORIVANDER_LANG", nullptr);
  for (const std::string& variable : environment) {
    const std::size_t equals = variable.find('=');
    SetEnvironmentVariableA(variable.substr(0, equals).c_str(), variable.substr(equals + 1).c_str());
  }
  const std::wstring wide_program = Wide(program);
  const std::wstring wide_dir = Wide(working_dir);
  BOOL created = CreateProcessW(wide_program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                wide_dir.empty() ? nullptr : wide_dir.c_str(), &startup, &process);
  for (const std::string& variable : environment)
    SetEnvironmentVariableA(variable.substr(0, variable.find('=')).c_str(), nullptr);
  CloseHandle(out_write);
  CloseHandle(err_write);
  if (null_in != INVALID_HANDLE_VALUE) CloseHandle(null_in);
  if (!created) {
    *error = GetLastError();
    if (out_read != INVALID_HANDLE_VALUE) CloseHandle(out_read);
    CloseHandle(err_read);
    return result;
  }
  result.started = true;
  std::thread err_reader(Drain, err_read, &result.err);
  if (out_read != INVALID_HANDLE_VALUE) {
    Drain(out_read, &result.out);
    CloseHandle(out_read);
  }
  err_reader.join();
  CloseHandle(err_read);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  result.status = code;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

}  // namespace

// Wine now and then fails to start a program that starts fine a moment
// later; a start that fails is tried twice more, and said, so that such a
// failure is not taken for the program's.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& working_dir, const std::string& encoding, bool output_reader_gone,
                         const std::vector<std::string>& environment) {
  for (int attempt = 1;; ++attempt) {
    DWORD error = 0;
    ProcessResult result = RunOnce(program, args, working_dir, encoding, output_reader_gone, environment, &error);
    if (result.started || attempt == 3) return result;
    std::fprintf(stderr, "RunProcess: %s did not start (error %lu); trying again\n", program.c_str(),
                 static_cast<unsigned long>(error));
    Sleep(200);
  }
}

std::string ProgramBesideThisOne(const std::string& name) {
  char self[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
  std::string path(self, n);
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

}  // namespace test_support
