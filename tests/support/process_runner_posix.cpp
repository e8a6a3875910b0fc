#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "process_runner.h"

extern char** environ;

namespace test_support {

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& working_dir, const std::string& encoding, bool output_reader_gone,
                         const std::vector<std::string>& environment) {
  ProcessResult result;
  int out_pipe[2], err_pipe[2];
  if (pipe2(out_pipe, O_CLOEXEC) != 0) return result;
  if (pipe2(err_pipe, O_CLOEXEC) != 0) {
    close(out_pipe[0]);
    close(out_pipe[1]);
    return result;
  }
  if (output_reader_gone) {
    close(out_pipe[0]);
    out_pipe[0] = -1;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, working_dir.c_str());

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  std::vector<std::string> env_strings;
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const char* name : {"PAKMAK_ENCODING=", "LORIVANDER_LANG=", "LC_ALL=", "LC_MESSAGES=", "LC_CTYPE=", "LANG="})
      replaced = replaced || std::strncmp(*e, name, std::strlen(name)) == 0;
    if (!replaced) env_strings.push_back(*e);
  }
  env_strings.push_back("PAKMAK_ENCODING=" + encoding);
  env_strings.insert(env_strings.end(), environment.begin(), environment.end());
  std::vector<char*> envp;
  for (std::string& s : env_strings) envp.push_back(s.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out_pipe[1]);
  close(err_pipe[1]);
  if (spawned != 0) {
    if (out_pipe[0] >= 0) close(out_pipe[0]);
    close(err_pipe[0]);
    return result;
  }
  result.started = true;

  // Read both pipes until both are closed, so neither can fill up and block.
  pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_count = out_pipe[0] >= 0 ? 2 : 1;
  char buffer[65536];
  while (open_count > 0) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
  for (pollfd& f : fds) {
    if (f.fd >= 0) close(f.fd);
  }
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(wstatus) ? static_cast<std::uint32_t>(WEXITSTATUS(wstatus)) : 0xFFFFFFFFu;
  return result;
}

std::string ProgramBesideThisOne(const std::string& name) {
  char self[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return name;
  std::string path(self, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1) + name;
}

}  // namespace test_support
