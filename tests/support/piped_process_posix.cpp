#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "piped_process.h"

extern char** environ;

namespace test_support {

struct PipedProcess::State {
  pid_t pid = -1;
  int in = -1;   // its standard input, our end
  int out = -1;  // its standard output, our end
  bool ended = false;
};

PipedProcess::PipedProcess() : state_(std::make_unique<State>()) {}

PipedProcess::~PipedProcess() {
  unsigned status = 0;
  if (state_->pid > 0 && !state_->ended) Wait(0, &status);
  if (state_->in >= 0) close(state_->in);
  if (state_->out >= 0) close(state_->out);
}

bool PipedProcess::Start(const std::string& program) {
  int in_pipe[2], out_pipe[2];
  if (pipe2(in_pipe, O_CLOEXEC) != 0) return false;
  if (pipe2(out_pipe, O_CLOEXEC) != 0) {
    close(in_pipe[0]);
    close(in_pipe[1]);
    return false;
  }
  signal(SIGPIPE, SIG_IGN);  // a write to a program that ended fails instead
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in_pipe[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  const int started = posix_spawn(&state_->pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in_pipe[0]);
  close(out_pipe[1]);
  state_->in = in_pipe[1];
  state_->out = out_pipe[0];
  if (started != 0) state_->pid = -1;
  return started == 0;
}

bool PipedProcess::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t wrote = write(state_->in, bytes.data(), bytes.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
  }
  return true;
}

std::string PipedProcess::Read(int timeout_ms) {
  pollfd ready{state_->out, POLLIN, 0};
  if (poll(&ready, 1, timeout_ms) <= 0) return {};
  char buffer[65536];
  const ssize_t got = read(state_->out, buffer, sizeof buffer);
  return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string();
}

bool PipedProcess::Wait(int timeout_ms, unsigned* status) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  int raw = 0;
  for (;;) {
    const pid_t done = waitpid(state_->pid, &raw, WNOHANG);
    if (done == state_->pid) {
      state_->ended = true;
      *status = WIFEXITED(raw) ? static_cast<unsigned>(WEXITSTATUS(raw)) : 255u;
      return true;
    }
    if (std::chrono::steady_clock::now() >= until) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(state_->pid, SIGKILL);
  waitpid(state_->pid, &raw, 0);
  state_->ended = true;
  return false;
}

}  // namespace test_support
