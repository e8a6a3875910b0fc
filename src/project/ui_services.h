#pragma once
// What the core asks of the user interface: showing a message and running
// the batch file that builds the archive. The Win32 layer implements both
// with message boxes (captioned IDS_MESSAGE_CAPTION) and a captured run of the command
// interpreter; tests record calls.

#include <string>
#include <vector>

namespace project {

/// Icon of a message box.
enum class MessageIcon {
  kError,        ///< MB_ICONHAND
  kWarning,      ///< MB_ICONEXCLAMATION
  kInformation,  ///< MB_ICONINFORMATION
};

/// Shows modal messages whose texts are string resources.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  /// Shows string `string_id` (with `argument` in place of its "%s", if it
  /// has one) with an OK button and the given icon; returns the message box
  /// result (IDOK is 1).
  virtual int Show(int string_id, MessageIcon icon, const std::string& argument = std::string()) = 0;
  /// The same with `arguments` in place of the text's "%s"s, in order.
  virtual int ShowFilled(int string_id, MessageIcon icon, const std::vector<std::string>& arguments) = 0;
};

/// What became of a run of the batch file.
struct BuildRun {
  enum class Outcome {
    kNotStarted,    ///< the batch could not be started; `output` says why
    kEnded,         ///< the batch ran to its end
    kStillRunning,  ///< the wait ended before the batch did
  };
  Outcome outcome = Outcome::kNotStarted;
  /// Exit status of the batch (meaningful when kEnded).
  unsigned long exit_code = 0;
  /// What the batch printed, standard output and error together, as bytes.
  std::string output;
  /// How long the runner waits at most, in seconds.
  int waited_seconds = 0;
};

/// Runs the batch file that runs the builder.
class BatchStarter {
 public:
  virtual ~BatchStarter() = default;
  /// Runs `batch_path` without a window, waits for it (for a bounded time)
  /// and answers what became of it.
  virtual BuildRun Run(const std::string& batch_path) = 0;
};

}  // namespace project
