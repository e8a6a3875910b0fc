#include <windows.h>

#include <chrono>

#include "piped_process.h"

namespace test_support {

struct PipedProcess::State {
  PROCESS_INFORMATION process{};
  HANDLE in = nullptr;   // its standard input, our end
  HANDLE out = nullptr;  // its standard output, our end
  bool ended = false;
};

PipedProcess::PipedProcess() : state_(std::make_unique<State>()) {}

PipedProcess::~PipedProcess() {
  unsigned status = 0;
  if (state_->process.hProcess && !state_->ended) Wait(0, &status);
  if (state_->in) CloseHandle(state_->in);
  if (state_->out) CloseHandle(state_->out);
  if (state_->process.hProcess) CloseHandle(state_->process.hProcess);
  if (state_->process.hThread) CloseHandle(state_->process.hThread);
}

bool PipedProcess::Start(const std::string& program) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE child_in = nullptr, child_out = nullptr;
  if (!CreatePipe(&child_in, &state_->in, &inherit, 0)) return false;
  if (!CreatePipe(&state_->out, &child_out, &inherit, 0)) return false;
  SetHandleInformation(state_->in, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(state_->out, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = child_in;
  startup.hStdOutput = child_out;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string command = "\"" + program + "\"";
  const BOOL started = CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &state_->process);
  CloseHandle(child_in);
  CloseHandle(child_out);
  return started != FALSE;
}

bool PipedProcess::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD wrote = 0;
    if (!WriteFile(state_->in, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) || wrote == 0)
      return false;
    bytes.remove_prefix(wrote);
  }
  return true;
}

std::string PipedProcess::Read(int timeout_ms) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(state_->out, nullptr, 0, nullptr, &available, nullptr)) return {};
    if (available > 0) {
      std::string bytes(available, '\0');
      DWORD got = 0;
      if (!ReadFile(state_->out, bytes.data(), available, &got, nullptr)) return {};
      bytes.resize(got);
      return bytes;
    }
    if (GetTickCount64() >= until) return {};
    Sleep(5);
  }
}

bool PipedProcess::Wait(int timeout_ms, unsigned* status) {
  const bool ended = WaitForSingleObject(state_->process.hProcess, static_cast<DWORD>(timeout_ms)) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(state_->process.hProcess, 255);
    WaitForSingleObject(state_->process.hProcess, INFINITE);
  }
  DWORD code = 255;
  GetExitCodeProcess(state_->process.hProcess, &code);
  *status = code;
  state_->ended = true;
  return ended;
}

}  // namespace test_support
