#pragma once
// The Win32 side of the core's user-interface services: message boxes
// (through the wizard's MessageBoxes) and the run of the batch file with the
// builder's output captured.

#include <windows.h>

#include <string>
#include <vector>

#include "pakforge/message_boxes.h"
#include "project/ui_services.h"
#include "pakforge/project_names.h"

namespace pakforge {

/// Shows the core's messages through `boxes` as message boxes owned by one
/// window.
class Win32MessageSink : public MessageSink {
 public:
  Win32MessageSink(MessageBoxes& boxes, HWND owner) : boxes_(boxes), owner_(owner) {}
  /// Loads string `string_id`, puts `argument` in place of its "%s" (when
  /// the text has one) and shows it.
  int Show(int string_id, MessageIcon icon, const std::string& argument) override;
  /// The same with `arguments` in place of its "%s"s, in order.
  int ShowFilled(int string_id, MessageIcon icon, const std::vector<std::string>& arguments) override;

 private:
  MessageBoxes& boxes_;
  HWND owner_;
};

/// Runs the batch file through the command interpreter ("cmd /q /c", so the
/// commands themselves are not echoed) in a hidden window, with its
/// standard output and error read from a pipe, and waits for it: at most
/// `limit_ms`, pumping this thread's messages meanwhile so that the windows
/// keep painting. The top-level window of `owner` is disabled while it
/// waits, so Finish cannot be pressed twice.
class CapturedBatchRunner : public BatchStarter {
 public:
  /// The builder's wait: long enough for an archive of hundreds of
  /// megabytes, short enough that a hung build never holds the wizard.
  static constexpr DWORD kDefaultLimitMs = 300000;

  explicit CapturedBatchRunner(HWND owner, DWORD limit_ms = kDefaultLimitMs)
      : owner_(owner), limit_ms_(limit_ms) {}
  BuildRun Run(const std::string& batch_path) override;

 private:
  HWND owner_;
  DWORD limit_ms_;
};

}  // namespace pakforge
