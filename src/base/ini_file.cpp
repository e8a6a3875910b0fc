#include "base/ini_file.h"

#include "base/sjis.h"

namespace base {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The form a name is indexed by: names that compare equal ignoring ASCII
// case have the same upper-cased form.
std::string Folded(std::string_view name) {
  std::string folded(name);
  SjisUpperAscii(folded);
  return folded;
}

}  // namespace

IniFile::Line IniFile::MakeLine(std::string text) {
  Line line;
  line.text = std::move(text);
  std::string_view t = Trim(line.text);
  std::string_view name;
  if (!t.empty() && t.front() == '[') {
    t.remove_prefix(1);
    line.kind = LineKind::kHeader;
    name = Trim(t.substr(0, SjisFind(t, ']')));
  } else if (!t.empty() && t.front() != ';') {
    std::size_t eq = t.find('=');
    if (eq != std::string_view::npos) {
      line.kind = LineKind::kKey;
      name = Trim(t.substr(0, eq));
    }
  }
  if (line.kind != LineKind::kOther) {
    line.name_start = static_cast<std::uint32_t>(name.data() - line.text.data());
    line.name_size = static_cast<std::uint32_t>(name.size());
  }
  return line;
}

void IniFile::AddLine(Line line) {
  if (line.kind == LineKind::kHeader) {
    section_index_[Folded(line.Name())].push_back(sections_.size());
    sections_.emplace_back();
  }
  Section& section = sections_.back();
  if (line.kind == LineKind::kKey) section.keys.emplace(Folded(line.Name()), section.lines.size());
  bool blank = Trim(line.text).empty();
  section.lines.push_back(std::move(line));
  if (!blank) section.end_of_content = section.lines.size();
}

void IniFile::Parse(std::string_view text) {
  sections_.clear();
  section_index_.clear();
  sections_.emplace_back();  // the lines before the first header
  if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
    text.remove_prefix(kUtf8ByteOrderMark.size());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    AddLine(MakeLine(std::string(text.substr(start, end - start))));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

const IniFile::Section* IniFile::FindSection(std::string_view section) const {
  auto it = section_index_.find(Folded(section));
  if (it == section_index_.end() || it->second.empty()) return nullptr;
  return &sections_[it->second.front()];
}

IniFile::Section* IniFile::FindSection(std::string_view section) {
  return const_cast<Section*>(static_cast<const IniFile*>(this)->FindSection(section));
}

const IniFile::Line* IniFile::FindKey(const Section& section, std::string_view key) {
  auto it = section.keys.find(Folded(key));
  return it == section.keys.end() ? nullptr : &section.lines[it->second];
}

bool IniFile::Find(std::string_view section, std::string_view key, std::string* value) const {
  const Section* s = FindSection(section);
  const Line* line = s ? FindKey(*s, key) : nullptr;
  if (!line) return false;
  std::string_view text = line->text;
  std::string_view v = Trim(text.substr(text.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  value->assign(v);
  return true;
}

bool IniFile::Has(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  return s && FindKey(*s, key);
}

bool IniFile::HasKeyStartingWith(std::string_view section, std::string_view prefix) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  // Folding runs from the start of a name, so the folded start of a name is
  // the start of its folded form.
  const std::string folded = Folded(prefix);
  for (const Line& line : s->lines) {
    if (line.kind == LineKind::kKey && line.name_size >= prefix.size() &&
        Folded(line.Name().substr(0, prefix.size())) == folded) {
      return true;
    }
  }
  return false;
}

std::string IniFile::Get(std::string_view section, std::string_view key, std::size_t size,
                         std::string_view fallback) const {
  std::size_t keep = size == 0 ? 0 : size - 1;
  std::string value;
  if (!Find(section, key, &value)) return std::string(SjisCut(fallback, keep));
  value.resize(SjisCut(value, keep).size());
  return value;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string text = std::string(key) + "=" + std::string(value);
  Section* s = FindSection(section);
  if (!s) {
    std::string header(1, '[');
    header.append(section);
    header += ']';
    AddLine(MakeLine(std::move(header)));
    AddLine(MakeLine(std::move(text)));
    return;
  }
  auto it = s->keys.find(Folded(key));
  if (it != s->keys.end()) {
    Line& line = s->lines[it->second];
    line = MakeLine(std::string(line.Name()) + "=" + std::string(value));
    return;
  }
  // After the last non-blank line of the section.
  Line line = MakeLine(std::move(text));
  const LineKind kind = line.kind;
  const std::size_t at = s->end_of_content;
  s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  s->end_of_content = at + 1;
  if (kind == LineKind::kKey) {
    s->keys.emplace(Folded(s->lines[at].Name()), at);
  } else if (kind == LineKind::kHeader) {
    // A key that reads as a header starts a section of its own: index anew.
    Parse(Text());
  }
}

void IniFile::RemoveSection(std::string_view section) {
  auto it = section_index_.find(Folded(section));
  if (it == section_index_.end()) return;
  for (std::size_t index : it->second) {
    sections_[index] = Section();  // its lines are written no more
  }
  section_index_.erase(it);
}

std::string IniFile::Text() const {
  std::size_t size = 0;
  for (const Section& s : sections_)
    for (const Line& line : s.lines) size += line.text.size() + 2;
  std::string text;
  text.reserve(size);
  for (const Section& s : sections_) {
    for (const Line& line : s.lines) {
      text += line.text;
      text += "\r\n";
    }
  }
  return text;
}

}  // namespace base
