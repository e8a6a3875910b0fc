#include "builder/interrupt_cleanup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "base/test_temp_folder.h"

namespace builder {
namespace {

// Each signal ends a child process that watches a file: the file is gone
// and the child ended by that signal, as it would have without the handler.
TEST(InterruptCleanupTest, SignalsRemoveTheWatchedFileAndEndTheProcess) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    base::TestTempFolder folder;
    const std::string path = folder.Write("A.lvar.7.tmp", "partial");
    const std::string other = folder.Write("other.tmp", "kept");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      InstallInterruptCleanup();
      RemoveOnInterrupt(other);
      RemoveOnInterrupt(path);  // the later call replaces the earlier
      raise(signal_number);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(signal_number, WTERMSIG(status));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::exists(other));
  }
}

TEST(InterruptCleanupTest, ABrokenPipeIsAWriteErrorNotTheEnd) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstallInterruptCleanup();
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) _exit(2);
    close(pipe_ends[0]);
    _exit(write(pipe_ends[1], "x", 1) < 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status));
}

}  // namespace
}  // namespace builder
