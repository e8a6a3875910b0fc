#include "base/interrupt_cleanup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "base/file_system.h"
#include "base/interrupting_file_system.h"
#include "base/test_temp_folder.h"

namespace base {
namespace {

// Runs `body` in a child process that has the cleanup installed; answers
// the signal that ended the child (0 when it exited).
int EndingSignal(const std::function<void()>& body) {
  pid_t child = fork();
  EXPECT_GE(child, 0);
  if (child == 0) {
    InstallInterruptCleanup();
    body();
    _exit(0);
  }
  int status = 0;
  EXPECT_EQ(child, waitpid(child, &status, 0));
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

// Each signal ends a child process that watches files: the watched ones are
// gone, one whose watch ended is kept, and the child ended by that signal,
// as it would have without the handler.
TEST(InterruptCleanupTest, SignalsRemoveTheWatchedFilesAndEndTheProcess) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    TestTempFolder folder;
    const std::string archive = folder.Write("A.lvar.7.tmp", "partial");
    const std::string inf = folder.Write("Install.inf.7.tmp", "partial");
    const std::string done = folder.Write("done.tmp", "kept");
    EXPECT_EQ(signal_number, EndingSignal([&] {
                { const InterruptWatch ended(done); }
                const InterruptWatch first(archive);
                const InterruptWatch second(inf);
                raise(signal_number);
              }));
    EXPECT_FALSE(std::filesystem::exists(archive));
    EXPECT_FALSE(std::filesystem::exists(inf));
    EXPECT_TRUE(std::filesystem::exists(done));
  }
}

TEST(InterruptCleanupTest, AnInterruptedWholeFileWriteLeavesNoTemporaryFile) {
  TestTempFolder folder;
  const std::string path = folder.Write("Install.inf", "the last one");
  EXPECT_EQ(SIGTERM, EndingSignal([&] {
              InterruptingFileSystem files(SystemFileSystem(), "Install.inf", SIGTERM);
              WriteWholeFile(files, path, "the new one");
            }));
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    EXPECT_EQ(entry.path().filename(), "Install.inf");
    ++count;
  }
  EXPECT_EQ(count, 1u);
  std::string left;
  ASSERT_TRUE(ReadWholeFile(SystemFileSystem(), path, &left));
  EXPECT_EQ(left, "the last one");
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
}  // namespace base
