#pragma once
// The Win32 side of the core's user-interface services: message boxes
// (through ShowMessage, so tests can redirect them) and the shell start of
// the batch file.

#include <windows.h>

#include <string>

#include "wizard/ui_services.h"

namespace wizard::ui {

/// Shows the core's messages as message boxes owned by one window.
class Win32MessageSink : public MessageSink {
 public:
  explicit Win32MessageSink(HWND owner) : owner_(owner) {}
  /// Loads string `string_id`, puts `argument` in place of its "%s" (when
  /// the text has one) and shows it with ShowMessage.
  int Show(int string_id, MessageIcon icon, const std::string& argument) override;

 private:
  HWND owner_;
};

/// Starts the batch file with ShellExecuteExA: default verb, no parameters,
/// hidden (SW_HIDE), no process handle, not awaited.
class ShellBatchStarter : public BatchStarter {
 public:
  /// `owner` is the host window; it is passed only while it is a window.
  explicit ShellBatchStarter(HWND owner) : owner_(owner) {}
  bool Start(const std::string& batch_path) override;

 private:
  HWND owner_;
};

/// Replaces the first "%s" of `format` (a "%%" stays as "%%" untouched)
/// with `argument`; a text without "%s" is returned unchanged.
std::string FormatWithArgument(const std::string& format, const std::string& argument);

}  // namespace wizard::ui
