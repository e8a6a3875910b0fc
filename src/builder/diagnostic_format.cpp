#include "builder/diagnostic_format.h"

#include <cstdio>
#include <map>

#include <nlohmann/json.hpp>

namespace builder {
namespace {

using json = nlohmann::ordered_json;

const char* SeverityWord(inf::Severity severity) { return severity == inf::Severity::kError ? "error" : "warning"; }

// Texts come from Shift-JIS converted with a replacement for bad bytes, so
// they are valid UTF-8; the replacement here only guards the output.
std::string Dump(const json& value, int indent = -1) {
  return value.dump(indent, ' ', false, json::error_handler_t::replace);
}

}  // namespace

std::string CodeText(std::uint32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", code);
  return text;
}

std::string FormatGnu(const std::vector<inf::Diagnostic>& diagnostics) {
  std::string out;
  for (const inf::Diagnostic& d : diagnostics) {
    out += d.file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " + SeverityWord(d.severity) +
           ": " + d.message + " [" + CodeText(d.code) + "]\n";
  }
  return out;
}

std::string FormatJsonl(const std::vector<inf::Diagnostic>& diagnostics, const DiagnosticsSummary& summary) {
  std::string out;
  for (const inf::Diagnostic& d : diagnostics) {
    json line = {{"file", d.file},
                 {"line", d.line},
                 {"column", d.column},
                 {"end_line", d.end_line},
                 {"end_column", d.end_column},
                 {"severity", SeverityWord(d.severity)},
                 {"code", CodeText(d.code)},
                 {"message", d.message}};
    if (!d.section.empty()) line["section"] = d.section;
    if (!d.key.empty()) line["key"] = d.key;
    if (!d.generated_file.empty()) {
      line["generated"] = {{"file", d.generated_file}, {"line", d.generated_line}, {"column", d.generated_column}};
    }
    out += Dump(line) + "\n";
  }
  json last = {{"summary",
                {{"errors", summary.errors},
                 {"warnings", summary.warnings},
                 {"archive", summary.archive ? json(*summary.archive) : json(nullptr)}}}};
  out += Dump(last) + "\n";
  return out;
}

std::string PathToUri(const std::string& path) {
  std::string slashed = path;
  for (char& c : slashed) {
    if (c == '\\') c = '/';
  }
  std::string out;
  // "/x" and "C:/x" are absolute: a file URI with an empty authority.
  const bool drive = slashed.size() > 2 && slashed[1] == ':' && slashed[2] == '/';
  if (!slashed.empty() && slashed[0] == '/') {
    out = "file://";
  } else if (drive) {
    out = "file:///";
  }
  for (std::size_t i = 0; i < slashed.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(slashed[i]);
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                            c == '.' || c == '_' || c == '~' || c == '/' || (drive && i == 1);
    if (unreserved) {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string FormatSarif(const std::vector<inf::Diagnostic>& diagnostics, const std::string& tool_name,
                        const std::string& tool_version) {
  // One rule per code, in the order the codes first occur; its text is the
  // message of that first occurrence.
  json rules = json::array();
  std::map<std::uint32_t, std::size_t> rule_index;
  json results = json::array();
  for (const inf::Diagnostic& d : diagnostics) {
    auto [at, added] = rule_index.emplace(d.code, rule_index.size());
    if (added) {
      rules.push_back({{"id", CodeText(d.code)},
                       {"shortDescription", {{"text", d.message}}},
                       {"defaultConfiguration", {{"level", SeverityWord(d.severity)}}}});
    }
    json region = {{"startLine", d.line},
                   {"startColumn", d.column},
                   {"endLine", d.end_line},
                   {"endColumn", std::max(d.end_column, d.column)}};
    json result = {{"ruleId", CodeText(d.code)},
                   {"ruleIndex", at->second},
                   {"level", SeverityWord(d.severity)},
                   {"message", {{"text", d.message}}},
                   {"locations",
                    json::array({{{"physicalLocation",
                                   {{"artifactLocation", {{"uri", PathToUri(d.file)}}}, {"region", region}}}}})}};
    if (!d.section.empty()) result["properties"]["section"] = d.section;
    if (!d.key.empty()) result["properties"]["key"] = d.key;
    // The generated line the problem was found in, beside the entry that
    // produced it.
    if (!d.generated_file.empty()) {
      const json there_region = {{"startLine", d.generated_line}, {"startColumn", d.generated_column}};
      json there = {{"id", 0},
                    {"physicalLocation",
                     {{"artifactLocation", {{"uri", PathToUri(d.generated_file)}}}, {"region", there_region}}}};
      result["relatedLocations"] = json::array();
      result["relatedLocations"].push_back(std::move(there));
    }
    results.push_back(std::move(result));
  }
  json log = {
      {"$schema", "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json"},
      {"version", "2.1.0"},
      {"runs", json::array({{{"tool", {{"driver", {{"name", tool_name}, {"version", tool_version}, {"rules", rules}}}}},
                             {"columnKind", "utf16CodeUnits"},
                             {"results", results}}})}};
  return Dump(log, 2) + "\n";
}

std::string FormatDiagnostics(DiagnosticsFormat format, const std::vector<inf::Diagnostic>& diagnostics,
                              const DiagnosticsSummary& summary, const std::string& tool_name,
                              const std::string& tool_version) {
  switch (format) {
    case DiagnosticsFormat::kGnu: return FormatGnu(diagnostics);
    case DiagnosticsFormat::kJsonl: return FormatJsonl(diagnostics, summary);
    case DiagnosticsFormat::kSarif: return FormatSarif(diagnostics, tool_name, tool_version);
    case DiagnosticsFormat::kNone: break;
  }
  return std::string();
}

}  // namespace builder
