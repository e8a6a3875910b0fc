#include "wizard/ini_file.h"

#include "base/sjis.h"
#include "wizard/file_utils.h"

namespace wizard {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string CutTo(std::string_view text, std::size_t size) {
  std::size_t keep = size == 0 ? 0 : size - 1;
  return std::string(text.substr(0, keep));
}

}  // namespace

IniFile::Line IniFile::MakeLine(std::string text) {
  Line line;
  line.text = std::move(text);
  std::string_view t = Trim(line.text);
  if (!t.empty() && t.front() == '[') {
    t.remove_prefix(1);
    std::size_t close = t.find(']');
    line.is_section = true;
    line.section = std::string(Trim(t.substr(0, close)));
  } else if (!t.empty() && t.front() != ';') {
    std::size_t eq = t.find('=');
    if (eq != std::string_view::npos) {
      line.is_key = true;
      line.key = std::string(Trim(t.substr(0, eq)));
    }
  }
  return line;
}

bool IniFile::Load(const std::string& path) {
  std::string text;
  bool read = ReadWholeFile(path, &text);
  Parse(read ? text : std::string());
  return read;
}

void IniFile::Parse(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines_.push_back(MakeLine(std::string(text.substr(start, end - start))));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

int IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].is_section && SjisEqualsIgnoreCase(lines_[i].section, section))
      return static_cast<int>(i);
  }
  return -1;
}

int IniFile::FindKey(int header, std::string_view key) const {
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i) {
    if (lines_[i].is_section) break;
    if (lines_[i].is_key && SjisEqualsIgnoreCase(lines_[i].key, key)) return static_cast<int>(i);
  }
  return -1;
}

bool IniFile::Has(std::string_view section, std::string_view key) const {
  int header = FindSection(section);
  return header >= 0 && FindKey(header, key) >= 0;
}

std::string IniFile::Get(std::string_view section, std::string_view key, std::size_t size,
                         std::string_view fallback) const {
  int header = FindSection(section);
  int index = header >= 0 ? FindKey(header, key) : -1;
  if (index < 0) return CutTo(fallback, size);
  std::string_view line = lines_[static_cast<std::size_t>(index)].text;
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return CutTo(value, size);
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  int header = FindSection(section);
  if (header < 0) {
    lines_.push_back(MakeLine("[" + std::string(section) + "]"));
    lines_.push_back(MakeLine(std::string(key) + "=" + std::string(value)));
    return;
  }
  int index = FindKey(header, key);
  if (index >= 0) {
    Line& line = lines_[static_cast<std::size_t>(index)];
    line = MakeLine(line.key + "=" + std::string(value));
    return;
  }
  // After the last non-blank line of the section.
  std::size_t insert = static_cast<std::size_t>(header) + 1;
  for (std::size_t i = insert; i < lines_.size() && !lines_[i].is_section; ++i) {
    if (!Trim(lines_[i].text).empty()) insert = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert),
                MakeLine(std::string(key) + "=" + std::string(value)));
}

void IniFile::RemoveSection(std::string_view section) {
  for (int header = FindSection(section); header >= 0; header = FindSection(section)) {
    std::size_t end = static_cast<std::size_t>(header) + 1;
    while (end < lines_.size() && !lines_[end].is_section) ++end;
    lines_.erase(lines_.begin() + header, lines_.begin() + static_cast<std::ptrdiff_t>(end));
  }
}

std::string IniFile::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.text;
    text += "\r\n";
  }
  return text;
}

bool IniFile::Save(const std::string& path) const { return WriteTextFile(path, Text()); }

}  // namespace wizard
