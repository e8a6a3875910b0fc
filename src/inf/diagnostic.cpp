#include "inf/diagnostic.h"

#include <algorithm>
#include <map>

#include "base/encoding.h"
#include "base/sjis.h"

namespace inf {
namespace {

// The text without the blanks and line breaks around it, its inner line
// breaks made spaces: one diagnostic is one line.
std::string OneLine(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r') continue;
    out += c == '\n' ? ' ' : c;
  }
  return out;
}

std::string_view WithoutLineBreak(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::string SjisToUtf8Lossy(std::string_view sjis) {
  std::string out;
  if (base::Cp932ToUtf8(sjis, &out)) return out;
  // Convert character by character, keeping what converts.
  out.clear();
  for (std::size_t pos = 0; pos < sjis.size();) {
    const std::size_t size = base::SjisCharSize(sjis, pos);
    std::string one;
    if (base::Cp932ToUtf8(sjis.substr(pos, size), &one)) {
      out += one;
    } else {
      out += '?';
    }
    pos += size;
  }
  return out;
}

int SjisCharCount(std::string_view sjis) {
  int count = 0;
  for (std::size_t pos = 0; pos < sjis.size(); pos += base::SjisCharSize(sjis, pos)) ++count;
  return count;
}

void OrderDiagnostics(std::vector<Diagnostic>* diagnostics) {
  std::vector<Diagnostic>& all = *diagnostics;
  std::size_t first_error = 0;
  while (first_error < all.size() && all[first_error].severity != Severity::kError) ++first_error;
  if (first_error >= all.size()) first_error = 0;  // no error: everything is sorted
  else ++first_error;
  std::map<std::string, std::size_t> rank;
  for (const Diagnostic& d : all) rank.emplace(d.file, rank.size());
  std::stable_sort(all.begin() + static_cast<std::ptrdiff_t>(first_error), all.end(),
                   [&](const Diagnostic& a, const Diagnostic& b) {
                     const std::size_t ra = rank[a.file], rb = rank[b.file];
                     return ra != rb ? ra < rb : a.line < b.line;
                   });
}

void DiagnosticCollector::Write(base::Stream stream, std::string_view sjis) {
  if (stream == base::Stream::kOut) return;
  std::string text = OneLine(sjis);
  if (!text.empty()) held_.push_back(std::move(text));
}

std::uint32_t DiagnosticCollector::Error(std::uint32_t code, const DiagnosticPlace& place, std::string_view hint) {
  std::string message;
  for (const std::string& text : held_) {
    if (!message.empty()) message += ' ';
    message += text;
  }
  held_.clear();
  if (!hint.empty()) {
    if (!message.empty()) message += ' ';
    message += OneLine(hint);
  }
  code |= layers_;
  Add(Severity::kError, code, std::move(message), place);
  return code;
}

void DiagnosticCollector::Warn(const DiagnosticPlace& place) {
  std::vector<std::string> held = std::move(held_);
  held_.clear();
  for (std::string& text : held) Add(Severity::kWarning, kWarningsFailedCode, std::move(text), place);
}

void DiagnosticCollector::Add(Severity severity, std::uint32_t code, std::string message,
                              const DiagnosticPlace& place) {
  Diagnostic d;
  d.file = SjisToUtf8Lossy(place.file);
  d.line = place.line > 0 ? place.line : 1;
  d.end_line = d.line;
  d.severity = severity;
  d.code = code;
  d.message = SjisToUtf8Lossy(message);
  d.section = SjisToUtf8Lossy(place.section);
  const std::string_view line = WithoutLineBreak(place.line_text);
  if (!line.empty()) {
    const std::size_t offset = std::min(place.offset, line.size());
    std::string_view part = line.substr(offset);
    if (place.length) part = part.substr(0, place.length);
    d.column = SjisCharCount(line.substr(0, offset)) + 1;
    d.end_column = d.column + SjisCharCount(part);
  }
  if (severity == Severity::kError) {
    if (errors_++ == 0) first_error_ = code;
  } else {
    ++warnings_;
  }
  diagnostics_.push_back(std::move(d));
}

}  // namespace inf
