#include "pakforge_build/project_diagnostics.h"

#include <algorithm>

#include "base/host_path.h"
#include "base/sjis.h"
#include "builder/build_options.h"
#include "builder/diagnostic_format.h"
#include "kit_version.h"
#include "project/inf_writer.h"

namespace pakforge_build {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The lines of a message as one line: each trimmed, those that only say
// where the problem is left out, joined by "; " (by a blank after a line
// that ends with a colon, which introduces the next); a closing colon
// dropped.
std::string OneLine(const std::string& sjis, const std::vector<std::string>& shown) {
  std::string out;
  std::size_t start = 0;
  while (start <= sjis.size()) {
    const std::size_t end = std::min(sjis.find('\n', start), sjis.size());
    const std::string_view line = Trimmed(std::string_view(sjis).substr(start, end - start));
    bool place_only = false;
    for (const std::string& s : shown) place_only = place_only || Trimmed(s) == line;
    if (!line.empty() && !place_only) {
      if (!out.empty()) out += out.back() == ':' ? " " : "; ";
      out += line;
    }
    start = end + 1;
  }
  if (!out.empty() && out.back() == ':') out.pop_back();
  return out;
}

}  // namespace

std::uint32_t ProblemCode(int status, int message_number) {
  return 0xF0000000u | (static_cast<std::uint32_t>(status & 0xFF) << 16) |
         static_cast<std::uint32_t>(message_number & 0xFFFF);
}

ProjectDiagnostics::ProjectDiagnostics(base::Language language, std::string project, std::string folder)
    : language_(language),
      project_(inf::SjisToUtf8Lossy(project)),
      folder_(inf::SjisToUtf8Lossy(folder)) {}

void ProjectDiagnostics::set_project_file(const base::IniFile* ini) {
  ini_ = ini;
  text_.clear();
  lines_.clear();
}

void ProjectDiagnostics::AtProjectKey(inf::Diagnostic& d, std::size_t line, const std::string& key) {
  d.file = project_;
  d.line = line == 0 ? 1 : static_cast<int>(line);
  d.column = 1;
  d.end_line = d.line;
  d.end_column = 1;
  if (line == 0 || !ini_) return;
  if (text_.empty()) {
    text_ = ini_->Text();
    std::size_t start = 0;
    while (start < text_.size()) {
      const std::size_t end = std::min(text_.find('\n', start), text_.size());
      lines_.emplace_back(std::string_view(text_).substr(start, end - start));
      start = end + 1;
    }
  }
  if (line > lines_.size()) return;
  const std::string_view text = lines_[line - 1];
  // The key where the line begins with it (blanks before it allowed), else
  // the whole line.
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  if (!key.empty() && text.size() - at >= key.size() &&
      base::EqualsIgnoreAsciiCase(text.substr(at, key.size()), key)) {
    d.column = inf::SjisCharCount(text.substr(0, at)) + 1;
    d.end_column = d.column + inf::SjisCharCount(key);
  } else {
    d.end_column = inf::SjisCharCount(Trimmed(text)) + 1;
  }
}

void ProjectDiagnostics::Add(inf::Severity severity, std::uint32_t code, const std::string& sjis_message,
                             const ProblemPlace& place) {
  inf::Diagnostic d;
  if (place.file.empty()) {
    AtProjectKey(d, place.line, place.key);
  } else {
    d.file = folder_ + inf::SjisToUtf8Lossy(place.file);
  }
  d.severity = severity;
  d.code = severity == inf::Severity::kWarning ? inf::kWarningsFailedCode : code;
  d.message = inf::SjisToUtf8Lossy(OneLine(sjis_message, place.shown));
  d.section = inf::SjisToUtf8Lossy(place.section);
  d.key = inf::SjisToUtf8Lossy(place.key);
  (severity == inf::Severity::kError ? errors_ : warnings_)++;
  diagnostics_.push_back(std::move(d));
}

void ProjectDiagnostics::AddBuilderProblems(std::vector<inf::Diagnostic> found,
                                            const std::vector<GeneratedDescription>& generated,
                                            const std::function<std::string(const std::string&)>& from) {
  for (inf::Diagnostic& d : found) {
    (d.severity == inf::Severity::kError ? errors_ : warnings_)++;
    const project::LineOrigin* origin = nullptr;
    for (const GeneratedDescription& g : generated) {
      if (g.file == d.file) origin = g.origins.Find(static_cast<std::size_t>(d.line));
    }
    std::string key;
    std::size_t line = 0;
    const std::string shown_file = folder_ + d.file;
    if (origin && ini_ && project::LocateOrigin(*ini_, *origin, &key, &line)) {
      d.generated_file = shown_file;
      d.generated_line = d.line;
      d.generated_column = d.column;
      AtProjectKey(d, line, key);
      d.section = inf::SjisToUtf8Lossy(origin->section);
      d.key = inf::SjisToUtf8Lossy(key);
      d.message += inf::SjisToUtf8Lossy(from(key));
    } else {
      d.file = shown_file;
    }
    diagnostics_.push_back(std::move(d));
  }
}

std::string ProjectDiagnostics::Report(builder::DiagnosticsFormat format, const std::optional<std::string>& archive) {
  inf::OrderDiagnostics(&diagnostics_);
  builder::DiagnosticsSummary summary;
  summary.errors = errors_;
  summary.warnings = warnings_;
  summary.archive = archive;
  return builder::FormatDiagnostics(format, diagnostics_, summary, "pakforge-build", PAK_KIT_VERSION);
}

builder::BuildErrorCode CheckWrittenFolder(const builder::BuildOptions& options, builder::BuildEnvironment& env,
                                           const project::LoadedProject& project, ProjectDiagnostics& diagnostics,
                                           const std::function<std::string(const std::string& key)>& from) {
  // The descriptions as the run wrote them, made again with the origin of
  // each line: the same settings and rows give the same text.
  const project::ProjectSettings& s = project.settings;
  std::vector<GeneratedDescription> generated(s.Uninstall.On() ? 2 : 1);
  generated[0].file = inf::SjisToUtf8Lossy(base::JoinPath(s.Source.Text(), "Install.inf"));
  project::InstallInfText(s, &project.files, &project.registry, &generated[0].origins);
  if (s.Uninstall.On()) {
    generated[1].file = inf::SjisToUtf8Lossy(base::JoinPath(s.Source.Text(), s.UninstFile.Text() + ".inf"));
    project::UninstallInfText(s, &project.files, &project.registry, &generated[1].origins);
  }
  inf::DiagnosticCollector collector(env.console.language());
  builder::DiagnosticsSummary summary;
  const builder::BuildErrorCode code = builder::CheckFolderAndBuild(options, env, collector, &summary);
  diagnostics.AddBuilderProblems(collector.TakeDiagnostics(), generated, from);
  return code;
}

}  // namespace pakforge_build
