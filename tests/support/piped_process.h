#pragma once
// A program run as a separate process that the test talks to: it writes to
// the program's standard input and reads its standard output while it runs
// (standard error goes where the test's goes). One implementation per
// platform (piped_process_posix.cpp, piped_process_win32.cpp).

#include <memory>
#include <string>
#include <string_view>

namespace test_support {

class PipedProcess {
 public:
  PipedProcess();
  ~PipedProcess();  ///< ends the program if it still runs
  PipedProcess(const PipedProcess&) = delete;
  PipedProcess& operator=(const PipedProcess&) = delete;

  /// Starts `program` (no arguments); false when it cannot be started.
  bool Start(const std::string& program);
  /// Writes all of `bytes` to its standard input; false when that failed.
  bool Write(std::string_view bytes);
  /// What its standard output holds, waiting up to `timeout_ms` for the
  /// first byte; empty after the timeout or at the end.
  std::string Read(int timeout_ms);
  /// Waits up to `timeout_ms` for it to end and sets `*status`; false when
  /// it still runs (it is then ended).
  bool Wait(int timeout_ms, unsigned* status);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace test_support
