#pragma once
// One problem found while checking a source folder, as the diagnostics mode
// reports it and as an editor shows it; and the console that turns the
// messages the checks print into such records.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/console.h"

namespace inf {

enum class Severity { kError, kWarning };

/// Code of every warning: the one a run ends with when warnings count as
/// errors (--warnings=error). Natively its exit status is 8 (code >> 28).
inline constexpr std::uint32_t kWarningsFailedCode = 0x80000000;

/// A problem and its place. Texts are UTF-8 (converted from the Shift-JIS
/// the checks print). Lines and columns are 1-based; columns count
/// characters, a double-byte character as one. A problem of a whole file
/// (a missing key found at the end, a missing file) stands at line 1,
/// column 1 unless a better line is known. The range ends before
/// end_column.
struct Diagnostic {
  std::string file;  ///< the path as the user gave the folder, joined with the name
  int line = 1;
  int column = 1;
  int end_line = 1;
  int end_column = 1;
  Severity severity = Severity::kError;
  std::uint32_t code = 0;  ///< complete error code; kWarningsFailedCode for warnings
  std::string message;     ///< the default mode's text, trimmed, plus a hint where one helps
  std::string section;     ///< the section the line stands in; empty outside any
  std::string key;         ///< the key the problem concerns, where a caller names one
  /// A problem found in a generated file and shown at the entry that
  /// produced its line: the generated file (as `file` is given) and the
  /// problem's line and column there. Empty `generated_file` otherwise.
  std::string generated_file;
  int generated_line = 0;
  int generated_column = 0;
};

/// Where a problem stands, as the checks know it (Shift-JIS texts).
struct DiagnosticPlace {
  std::string file;
  int line = 1;
  std::string_view line_text;  ///< the line as read; empty for a whole-file problem
  std::size_t offset = 0;      ///< byte offset of the offending part in line_text
  std::size_t length = 0;      ///< its length in bytes (0: to the end of the line)
  std::string section;
};

/// The place of a problem of a whole file, or of a whole line (`line`).
inline DiagnosticPlace FilePlace(std::string file, int line = 1, std::string section = {}) {
  return DiagnosticPlace{std::move(file), line, {}, 0, 0, std::move(section)};
}

/// UTF-8 form of Shift-JIS text; a byte that is not Shift-JIS becomes "?",
/// so that a damaged line still shows.
std::string SjisToUtf8Lossy(std::string_view sjis);

/// Number of characters in Shift-JIS text (a lead and trail byte count as
/// one).
int SjisCharCount(std::string_view sjis);

/// Puts diagnostics found in the order of the default run into report
/// order: those up to and including the first error stay first, as the
/// default run would report them; the rest follow by file (in the order
/// the files were first met), then by line, keeping their order otherwise.
void OrderDiagnostics(std::vector<Diagnostic>* diagnostics);

/// A console that keeps what the checks print to standard error, message by
/// message, and makes diagnostics of it: the messages printed before a
/// check answers an error code become that error; messages printed by a
/// step that then passes are warnings. Standard output (progress marks,
/// "Ok, Check Passed.") is dropped.
class DiagnosticCollector : public base::Console {
 public:
  explicit DiagnosticCollector(base::Language language) : Console(language) {}

  void Write(base::Stream stream, std::string_view sjis) override;

  /// The upper layers of the error codes that Error() receives, or-ed into
  /// them (set by each step before it hands over).
  void set_layers(std::uint32_t layers) { layers_ = layers; }
  std::uint32_t layers() const { return layers_; }

  /// Makes the messages held so far one error with `code` (or-ed with the
  /// layers) at `place`; `hint`, when not empty, is added to the message.
  /// Answers the complete code.
  std::uint32_t Error(std::uint32_t code, const DiagnosticPlace& place, std::string_view hint = {});
  /// Makes each message held so far one warning at `place`.
  void Warn(const DiagnosticPlace& place);
  /// Drops the messages held so far (context lines, listings).
  void DropHeld() { held_.clear(); }
  /// The messages held so far (Shift-JIS, as printed).
  const std::vector<std::string>& held() const { return held_; }

  const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
  std::vector<Diagnostic> TakeDiagnostics() { return std::move(diagnostics_); }
  /// Puts the diagnostics found so far into report order (OrderDiagnostics).
  void Order() { OrderDiagnostics(&diagnostics_); }
  int error_count() const { return errors_; }
  int warning_count() const { return warnings_; }
  /// The code of the first error, or 0.
  std::uint32_t first_error() const { return first_error_; }

 private:
  void Add(Severity severity, std::uint32_t code, std::string message, const DiagnosticPlace& place);

  std::uint32_t layers_ = 0;
  std::vector<std::string> held_;
  std::vector<Diagnostic> diagnostics_;
  int errors_ = 0;
  int warnings_ = 0;
  std::uint32_t first_error_ = 0;
};

}  // namespace inf
