#pragma once
// pakforge-build's diagnostics mode (--diagnostics=gnu|jsonl|sarif): every
// problem of a run at the place the author wrote it. A problem of the
// project file stands at its key's line; a problem that the builder finds
// in a description the run wrote stands at the project file's key that
// produced the line, with the generated line kept beside it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "base/language.h"
#include "builder/build_options.h"
#include "builder/driver.h"
#include "inf/diagnostic.h"
#include "project/origin_map.h"
#include "project/project_pipeline.h"

namespace pakforge_build {

/// Where a problem of the project stands.
struct ProblemPlace {
  std::size_t line = 0;  ///< from 1; 0 for the whole file
  std::string section;   ///< the project file's section, where known
  std::string key;       ///< the key the problem concerns, as the project file names it
  /// Another file than the project file (one of the source folder): its
  /// kit path relative to the project's folder.
  std::string file;
  /// Lines of the message that only say where the problem is (the default
  /// report's "Pakforge_X.ini:11: InstDir="): left out here, where the
  /// place is the diagnostic's own.
  std::vector<std::string> shown;
};

/// Code of a problem of pakforge-build's own, as the diagnostics show it:
/// 0xF0SSIIII, SS the exit status the problem gives, IIII the number of
/// the wizard's message (below kOwnMessage) or kOwnMessage plus the number
/// of pakforge-build's own message.
std::uint32_t ProblemCode(int status, int message_number);
inline constexpr int kOwnMessage = 0x8000;

/// A description the run wrote, as the builder names it in its
/// diagnostics (UTF-8: the source folder as given, joined with the name),
/// and the setting or row behind each of its lines.
struct GeneratedDescription {
  std::string file;
  project::OriginMap origins;
};

/// The problems of one run, in the order the default run meets them.
class ProjectDiagnostics {
 public:
  /// `project`: the project file's kit path as the user gave it; `folder`
  /// the folder part of it (empty or ending with a separator), which the
  /// builder's relative names are shown under.
  ProjectDiagnostics(base::Language language, std::string project, std::string folder);

  /// The project file as parsed, for the lines and columns of its keys.
  void set_project_file(const base::IniFile* ini);

  /// A problem of the project (message in Shift-JIS, lines joined into one).
  void Add(inf::Severity severity, std::uint32_t code, const std::string& sjis_message,
           const ProblemPlace& place);

  /// The builder's problems of the written folder. Each found in a
  /// line of `generated` that a setting or row produced is moved to that
  /// key of the project file, its message followed by `from` of the key
  /// (" (from Caption)", in Shift-JIS), the generated place kept
  /// beside it; the others keep their place, shown under the project's
  /// folder.
  void AddBuilderProblems(std::vector<inf::Diagnostic> found, const std::vector<GeneratedDescription>& generated,
                          const std::function<std::string(const std::string& key)>& from);

  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

  /// The report in `format`: every problem, the first error first as the
  /// default run reports it, then by file and line. `archive`: UTF-8 path
  /// of the archive written, if any.
  std::string Report(builder::DiagnosticsFormat format, const std::optional<std::string>& archive);

  const std::vector<inf::Diagnostic>& diagnostics() const { return diagnostics_; }

 private:
  // Fills the place of `d` from a line and key of the project file.
  void AtProjectKey(inf::Diagnostic& d, std::size_t line, const std::string& key);

  base::Language language_;
  std::string project_;  // UTF-8
  std::string folder_;   // UTF-8
  const base::IniFile* ini_ = nullptr;
  std::string text_;                    // the project file's text, once asked for
  std::vector<std::string_view> lines_;  // its lines
  std::vector<inf::Diagnostic> diagnostics_;
  int errors_ = 0;
  int warnings_ = 0;
};

/// The builder's diagnostics check of the folder a run wrote, as `options`
/// name it: the archive is written when the check allows, and each problem
/// of a line that a setting or row of `project` produced is moved to its key
/// (AddBuilderProblems, with `from`). Answers the builder's code.
builder::BuildErrorCode CheckWrittenFolder(const builder::BuildOptions& options, builder::BuildEnvironment& env,
                                           const project::LoadedProject& project, ProjectDiagnostics& diagnostics,
                                           const std::function<std::string(const std::string& key)>& from);

}  // namespace pakforge_build
