#pragma once
// The diagnostics mode's reports: one line per problem (gnu), one JSON
// object per line (jsonl) or one SARIF 2.1.0 log (sarif). Every report is
// UTF-8.

#include <optional>
#include <string>
#include <vector>

#include "builder/build_options.h"
#include "inf/diagnostic.h"

namespace builder {

/// What the last line of a jsonl report says about the whole run.
struct DiagnosticsSummary {
  int errors = 0;
  int warnings = 0;
  std::optional<std::string> archive;  ///< UTF-8 path of the archive written, if any
};

/// "FILE:LINE:COLUMN: error|warning: MESSAGE [0xCODE]", one line each.
std::string FormatGnu(const std::vector<inf::Diagnostic>& diagnostics);

/// One JSON object per problem and line, then {"summary": {...}}. A
/// problem with a key has "key"; one shown at the entry that produced a
/// generated line has "generated": {"file", "line", "column"}.
std::string FormatJsonl(const std::vector<inf::Diagnostic>& diagnostics, const DiagnosticsSummary& summary);

/// One SARIF 2.1.0 log: a run of the tool `tool_name` (version
/// `tool_version`) with a rule per code and a result per problem; the
/// generated line of a problem shown at its origin is the result's related
/// location.
std::string FormatSarif(const std::vector<inf::Diagnostic>& diagnostics, const std::string& tool_name,
                        const std::string& tool_version);

/// The report of `format` (kNone gives an empty text).
std::string FormatDiagnostics(DiagnosticsFormat format, const std::vector<inf::Diagnostic>& diagnostics,
                              const DiagnosticsSummary& summary, const std::string& tool_name,
                              const std::string& tool_version);

/// A relative or absolute path as a URI reference: "/" between the parts,
/// every byte but the unreserved ones percent-encoded, an absolute path as a
/// "file:" URI.
std::string PathToUri(const std::string& path);

/// "0x41242600".
std::string CodeText(std::uint32_t code);

}  // namespace builder
