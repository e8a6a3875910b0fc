#pragma once
// What the core asks of the user interface: showing a message and starting
// the batch file through the shell. The Win32 layer implements both with
// message boxes (caption string 14) and ShellExecuteExA; tests record calls.

#include <string>

namespace wizard {

/// Icon of a message box.
enum class MessageIcon {
  kError,    ///< MB_ICONHAND
  kWarning,  ///< MB_ICONEXCLAMATION
};

/// Shows modal messages whose texts are string resources.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  /// Shows string `string_id` (with `argument` in place of its "%s", if it
  /// has one) with an OK button and the given icon; returns the message box
  /// result (IDOK is 1).
  virtual int Show(int string_id, MessageIcon icon, const std::string& argument = std::string()) = 0;
};

/// Starts the batch file that runs the builder.
class BatchStarter {
 public:
  virtual ~BatchStarter() = default;
  /// Starts `batch_path` hidden through the shell, without waiting. The
  /// caller does not examine the result.
  virtual bool Start(const std::string& batch_path) = 0;
};

}  // namespace wizard
