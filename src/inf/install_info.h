#pragma once
// Reading and checking the install information files (".INF") of a source
// folder, or of an archive's stored entries: the one interface that the
// builder and lvar use.
//
// InstallInfoState carries what the checks record and the statement
// handlers' state from one file to the next (an Add Registry statement left
// open by a trailing comma continues in a later file); FinishInstallInfoFiles
// reports such a statement still open after the last file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/console.h"
#include "base/file_system.h"
#include "inf/install_description.h"
#include "inf/named_files.h"

namespace inf {

/// Statement handler states that live from line to line and file to file
/// (defined in the reader; opaque to callers).
struct HandlerStates;

/// Collects every problem as a diagnostic (inf/diagnostic.h).
class DiagnosticCollector;

/// What reading the install information files leaves for the later steps.
/// One object serves a whole run: pass the same one for every file.
struct InstallInfoState {
  /// An App Information record was checked.
  bool app_information_checked = false;
  /// The uninstall file name recorded from the last App Information record
  /// checked (Shift-JIS; empty when its Uninstall key was not given).
  std::string uninstall_file_name;
  /// DestinationCode of the last App Information record checked (0..3).
  std::uint32_t destination = 0;
  /// Handler states carried between files; created by the first read.
  std::shared_ptr<HandlerStates> handlers;
  /// When set, receives the section records of each file that reads and
  /// passes its checks, with their items (for callers that show what a file
  /// describes). Unset, only the current section's record is held.
  SectionList* sections = nullptr;
  /// When set, told of every file the descriptions name (copy lines, and
  /// ExeFile, Icon and Uninstall) as they are read.
  NamedFileSink* named_files = nullptr;
  /// Warn of a file that reads as UTF-8 rather than Shift-JIS, naming it
  /// and its first line with text that is not Shift-JIS (utf8_description.h).
  bool warn_if_utf8 = false;
  /// When set, the files are checked in the diagnostics mode: every problem
  /// becomes a diagnostic in the collector (which then takes the messages
  /// in place of the console given), reading goes on after an error, and
  /// the readers answer the complete code of the first error, layers
  /// included.
  DiagnosticCollector* diagnostics = nullptr;
};

/// Reads and checks one install information file, line by line through
/// `files`, in memory that does not grow with the file. `host_path` opens
/// the file;
/// `message_path` is the Shift-JIS path as messages show it. Prints its own
/// messages to `console` (errors, context lines and listings to
/// base::Stream::kErr). Returns 0 or the file's error code (file stage
/// 0x100000-0x300000 and below); the caller adds the upper layers.
std::uint32_t ReadInstallInfoFile(base::FileSystem& files, const std::string& host_path,
                                  const std::string& message_path, base::Console& console,
                                  InstallInfoState* state);

/// Reads and checks one install information file already opened (`file`),
/// as ReadInstallInfoFile does once it has opened one; a null `file` is
/// one that could not be opened, with ReadInstallInfoFile's message and
/// code for that.
std::uint32_t ReadInstallInfoOpened(base::InputFile* file, const std::string& message_path,
                                    base::Console& console, InstallInfoState* state);

/// Reads and checks one install information file held in memory (an
/// archive's stored entry), as ReadInstallInfoFile reads one from a file
/// system; `message_path` names it in messages. Returns 0 or the file's
/// error code.
std::uint32_t ReadInstallInfoBytes(std::string_view bytes, const std::string& message_path,
                                   base::Console& console, InstallInfoState* state);

/// Call once after the last file has been read without error: when an
/// Add Registry statement is still open (it ended with a comma), prints a
/// warning naming it to base::Stream::kErr. The statement is not stored and
/// the run goes on (no error code). Returns true when it warned.
bool FinishInstallInfoFiles(base::Console& console, InstallInfoState* state);

}  // namespace inf
