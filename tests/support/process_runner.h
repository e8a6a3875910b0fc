#pragma once
// Runs a program as a separate process and collects what it wrote and its
// exit status, with one implementation per platform (process_runner_posix.cpp,
// process_runner_win32.cpp).

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

/// What one run of a program left behind.
struct ProcessResult {
  bool started = false;
  /// The exit status: on Windows the full 32-bit code from
  /// GetExitCodeProcess, on POSIX the 8-bit status.
  std::uint32_t status = 0;
  std::string out;  ///< standard output, bytes as written
  std::string err;  ///< standard error, bytes as written
};

/// Starts `program` with `args` in the folder `working_dir`, standard output
/// and standard error connected to pipes, PAKMAK_ENCODING set to `encoding`,
/// and waits for it to end. With `output_reader_gone` the reading end of
/// standard output's pipe is closed before the program starts, so that its
/// every write there fails (a program piped into one that has ended).
/// The program sees no LORIVANDER_LANG and, on POSIX, no locale (LC_ALL,
/// LC_MESSAGES, LC_CTYPE, LANG), whoever runs the tests, except as
/// `environment` ("NAME=value" each) sets them.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& working_dir, const std::string& encoding = "cp932",
                         bool output_reader_gone = false, const std::vector<std::string>& environment = {});

/// Path of a program that lies in the same folder as this test program.
std::string ProgramBesideThisOne(const std::string& name);

}  // namespace test_support
