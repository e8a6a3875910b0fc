#pragma once
// The checks that run when a file has been read completely: required keys of
// the key-value sections (with a listing of the record when one fails) and
// at least one statement in every list section but Setup Data-Files.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>
#include <string>

#include "base/console.h"
#include "inf/install_description.h"
#include "inf/install_info.h"

namespace inf {

/// Runs the checks of one file record by record while the file is read, so
/// that no record has to be kept after its section ends: only the first
/// record that fails is remembered, and its messages and listing are
/// printed at the end of the file, exactly as CheckInstallDescription would
/// print them.
class DescriptionChecker {
 public:
  /// `state` is what earlier files left; it is not changed before Finish.
  /// With `check_all` every failing record is kept (for FinishEach), not
  /// only the first.
  explicit DescriptionChecker(const InstallInfoState& state, bool check_all = false);
  /// Checks a record whose section has ended (nothing is printed yet);
  /// `head_line` is the line of its section head. With `check_all`, a
  /// record whose statements already failed (`statements_failed`) only
  /// records what it holds: its missing keys or emptiness would repeat
  /// those errors.
  void Add(SectionRecord record, int head_line = 0, bool statements_failed = false);
  /// At the end of the file: stores in `state` what the records checked
  /// record, prints the first failing record's messages and answers its
  /// code, or 0.
  std::uint32_t Finish(base::Console& console, InstallInfoState* state);

  /// Receives a failing record's code, its head line and its kind.
  using FailureReport = std::function<void(std::uint32_t code, int head_line, SectionKind kind)>;
  /// At the end of the file, with `check_all`: stores in `state` what the
  /// records recorded and, for each failing record in file order, prints
  /// its messages (no listing) and hands its code to `report`.
  void FinishEach(base::Console& console, InstallInfoState* state, const FailureReport& report);

 private:
  struct Failure {
    SectionRecord record;
    int head_line;
  };
  bool app_information_checked_;
  std::string uninstall_file_name_;
  std::uint32_t destination_;
  std::optional<SectionRecord> failed_;
  bool check_all_;
  std::vector<Failure> failures_;
};

/// Checks the records of one file in file order and stops at the first that
/// fails, answering its code (0x10000 + bits for App Information, 0x20000 +
/// bits for Uninstall Information, 0x30000-0x90000 for an empty list
/// section, 0xA0001 for Ex-Install Information). Each App Information record
/// checked records the flag, the uninstall file name and the destination code
/// in `state`.
std::uint32_t CheckInstallDescription(const SectionList& sections, base::Console& console,
                                      InstallInfoState* state);

}  // namespace inf
