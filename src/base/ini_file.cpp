#include "base/ini_file.h"

#include "base/sjis.h"

namespace base {

std::string_view TrimIniBlanks(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

namespace {

enum class LineKind { kOther, kHeader, kKey };

// What a line is, and the section name of a header or the key of a key
// line (a part of the line).
struct Classified {
  LineKind kind = LineKind::kOther;
  std::string_view name;
};

Classified Classify(std::string_view line) {
  Classified c;
  std::string_view t = TrimIniBlanks(line);
  if (!t.empty() && t.front() == '[') {
    t.remove_prefix(1);
    c.kind = LineKind::kHeader;
    c.name = TrimIniBlanks(t.substr(0, SjisFind(t, ']')));
  } else if (!t.empty() && t.front() != ';') {
    std::size_t eq = t.find('=');
    if (eq != std::string_view::npos) {
      c.kind = LineKind::kKey;
      c.name = TrimIniBlanks(t.substr(0, eq));
    }
  }
  return c;
}

// A hash of `name` upper-cased as SjisUpperAscii does: names that compare
// equal ignoring ASCII case hash alike.
std::size_t FoldedHash(std::string_view name) {
  std::uint64_t h = 14695981039346656037ull;
  for (std::size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsSjisLeadByte(c) && i + 1 < name.size()) {
      h = (h ^ c) * 1099511628211ull;
      c = static_cast<unsigned char>(name[++i]);
    } else {
      c = UpperAsciiByte(c);
    }
    h = (h ^ c) * 1099511628211ull;
  }
  return static_cast<std::size_t>(h);
}

// Room for `count` names at most half full, a power of two.
std::size_t TableSize(std::size_t count) {
  std::size_t size = 8;
  while (size < 2 * count + 2) size *= 2;
  return size;
}

// The slot of an open-addressing table of line offsets that holds the name
// `name` (`name_of` answers the name at an offset), or the free slot where
// it would go.
template <typename NameOf>
std::uint32_t* Probe(std::vector<std::uint32_t>& slots, std::string_view name, std::uint32_t none,
                     NameOf name_of) {
  const std::size_t mask = slots.size() - 1;
  for (std::size_t i = FoldedHash(name) & mask;; i = (i + 1) & mask) {
    if (slots[i] == none || EqualsIgnoreAsciiCase(name_of(slots[i]), name)) return &slots[i];
  }
}

// Puts `at` into the table under `name` unless a line of that name is
// there already (then false). The table grows so as to stay at most half
// full, so it is as large as the names are many.
template <typename NameOf>
bool InsertFirst(std::vector<std::uint32_t>& slots, std::size_t& count, std::uint32_t at, std::string_view name,
                 std::uint32_t none, NameOf name_of) {
  if (slots.empty()) slots.assign(TableSize(0), none);
  std::uint32_t* slot = Probe(slots, name, none, name_of);
  if (*slot != none) return false;
  if (2 * (count + 2) > slots.size()) {
    std::vector<std::uint32_t> larger(slots.size() * 2, none);
    for (std::uint32_t held : slots) {
      if (held != none) *Probe(larger, name_of(held), none, name_of) = held;
    }
    slots.swap(larger);
    slot = Probe(slots, name, none, name_of);
  }
  *slot = at;
  ++count;
  return true;
}

// Appends `line` to `out` with its line ends (CR LF, CR or LF) made LF, and
// an LF after it. False when it held a line end.
bool AppendLine(std::string& out, std::string_view line) {
  bool single = true;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\r' || c == '\n') {
      single = false;
      if (c == '\r' && i + 1 < line.size() && line[i + 1] == '\n') ++i;
      c = '\n';
    }
    out += c;
  }
  out += '\n';
  return single;
}

// The line that starts at `pos` of `text` (every line ends with LF), and
// in `*next` where the line after it starts.
std::string_view LineFrom(std::string_view text, std::size_t pos, std::size_t* next) {
  const std::size_t end = text.find('\n', pos);
  *next = end + 1;
  return text.substr(pos, end - pos);
}

// Offsets are 32 bits wide: the text is cut below 4 GiB.
constexpr std::size_t kMaxText = 0xFFFFFFF0u;

}  // namespace

void IniFile::Parse(std::string_view text) { Parse(std::string(text)); }

void IniFile::Parse(std::string&& text) {
  text_ = std::move(text);
  std::size_t r =
      std::string_view(text_).substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark ? kUtf8ByteOrderMark.size() : 0;
  // CR LF, CR and LF all end a line; each becomes one LF, in place.
  std::size_t w = 0;
  for (; r < text_.size() && w < kMaxText; ++r) {
    char c = text_[r];
    if (c == '\r') {
      c = '\n';
      if (r + 1 < text_.size() && text_[r + 1] == '\n') ++r;
    }
    text_[w++] = c;
  }
  text_.resize(w);
  if (!text_.empty() && text_.back() != '\n') text_ += '\n';
  if (text_.size() < text_.capacity() / 2) text_.shrink_to_fit();  // CR LF made LF: a copy pays
  Forget();
}

void IniFile::Forget() const {
  section_slots_.clear();
  section_slots_.shrink_to_fit();
  section_count_ = 0;
  indexed_ = false;
  spans_.clear();
}

std::string_view IniFile::LineAt(std::uint32_t offset) const {
  std::string_view rest = std::string_view(text_).substr(offset);
  return rest.substr(0, rest.find('\n'));
}

void IniFile::IndexSections() const {
  const std::string_view text = text_;
  section_slots_.assign(TableSize(0), kNone);
  section_count_ = 0;
  const auto name_of = [this](std::uint32_t at) { return Classify(LineAt(at)).name; };
  for (std::size_t pos = 0, next = 0; pos < text.size(); pos = next) {
    const Classified c = Classify(LineFrom(text, pos, &next));
    if (c.kind == LineKind::kHeader) {
      InsertFirst(section_slots_, section_count_, static_cast<std::uint32_t>(pos), c.name, kNone, name_of);
    }
  }
  indexed_ = true;
}

IniFile::SectionSpan* IniFile::FindSection(std::string_view section) const {
  if (!indexed_) IndexSections();
  const auto name_of = [this](std::uint32_t at) { return Classify(LineAt(at)).name; };
  const std::uint32_t header = *Probe(section_slots_, section, kNone, name_of);
  if (header == kNone) return nullptr;
  auto found = spans_.find(header);
  if (found != spans_.end()) return &found->second;
  SectionSpan span;
  span.header = header;
  const std::string_view text = text_;
  std::size_t pos = text.find('\n', header) + 1;
  span.content_end = static_cast<std::uint32_t>(pos);
  for (std::size_t next = 0; pos < text.size(); pos = next) {
    const std::string_view line = LineFrom(text, pos, &next);
    if (Classify(line).kind == LineKind::kHeader) break;
    if (!TrimIniBlanks(line).empty()) span.content_end = static_cast<std::uint32_t>(pos + line.size() + 1);
  }
  span.end = static_cast<std::uint32_t>(pos);
  return &spans_.emplace(header, std::move(span)).first->second;
}

void IniFile::IndexKeys(SectionSpan& span) const {
  const std::string_view text = text_;
  span.keys.assign(TableSize(0), kNone);
  span.key_count = 0;
  const auto name_of = [this](std::uint32_t at) { return Classify(LineAt(at)).name; };
  for (std::size_t pos = text.find('\n', span.header) + 1, next = 0; pos < span.end; pos = next) {
    const Classified c = Classify(LineFrom(text, pos, &next));
    if (c.kind == LineKind::kKey) {
      InsertFirst(span.keys, span.key_count, static_cast<std::uint32_t>(pos), c.name, kNone, name_of);
    }
  }
}

std::uint32_t IniFile::FindKey(SectionSpan& span, std::string_view key) const {
  if (span.keys.empty()) IndexKeys(span);
  const auto name_of = [this](std::uint32_t at) { return Classify(LineAt(at)).name; };
  return *Probe(span.keys, key, kNone, name_of);
}

bool IniFile::Find(std::string_view section, std::string_view key, std::string* value) const {
  SectionSpan* s = FindSection(section);
  const std::uint32_t at = s ? FindKey(*s, key) : kNone;
  if (at == kNone) return false;
  std::string_view text = LineAt(at);
  std::string_view v = TrimIniBlanks(text.substr(text.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  value->assign(v);
  return true;
}

std::string IniFile::Get(std::string_view section, std::string_view key, std::size_t size,
                         std::string_view fallback) const {
  std::size_t keep = size == 0 ? 0 : size - 1;
  std::string value;
  if (!Find(section, key, &value)) return std::string(SjisCut(fallback, keep));
  value.resize(SjisCut(value, keep).size());
  return value;
}

bool IniFile::Has(std::string_view section, std::string_view key) const {
  SectionSpan* s = FindSection(section);
  return s && FindKey(*s, key) != kNone;
}

bool IniFile::HasKeyStartingWith(std::string_view section, std::string_view prefix) const {
  const SectionSpan* s = FindSection(section);
  if (!s) return false;
  const std::string_view text = text_;
  for (std::size_t pos = text.find('\n', s->header) + 1, next = 0; pos < s->end; pos = next) {
    const Classified c = Classify(LineFrom(text, pos, &next));
    // Folding runs from the start of a name, so the folded start of a
    // name is the start of its folded form.
    if (c.kind == LineKind::kKey && c.name.size() >= prefix.size() &&
        EqualsIgnoreAsciiCase(c.name.substr(0, prefix.size()), prefix)) {
      return true;
    }
  }
  return false;
}

std::size_t IniFile::LineOf(std::string_view section, std::string_view key) const {
  SectionSpan* s = FindSection(section);
  const std::uint32_t at = s ? FindKey(*s, key) : kNone;
  if (at == kNone) return 0;
  std::size_t line = 1;
  for (std::size_t i = 0; i < at; ++i) line += text_[i] == '\n';
  return line;
}

void IniFile::VisitLines(const std::function<void(const Entry&)>& visit) const {
  if (!indexed_) IndexSections();
  const auto name_of = [this](std::uint32_t at) { return Classify(LineAt(at)).name; };
  const std::string_view text = text_;
  Entry entry;
  // The keys seen so far in the current section, when it is the first of
  // its name: only the first key of a name is read. Kept for one section
  // at a time.
  std::vector<std::uint32_t> keys(TableSize(0), kNone);
  std::size_t key_count = 0;
  for (std::size_t pos = 0, next = 0; pos < text.size(); pos = next) {
    ++entry.line;
    const Classified c = Classify(LineFrom(text, pos, &next));
    if (c.kind == LineKind::kOther) continue;
    entry.header = c.kind == LineKind::kHeader;
    if (entry.header) {
      entry.section = c.name;
      entry.first_section = *Probe(section_slots_, c.name, kNone, name_of) == pos;
      if (key_count > 0) {
        keys.assign(TableSize(0), kNone);
        key_count = 0;
      }
      entry.key = std::string_view();
      entry.first_key = false;
    } else {
      entry.key = c.name;
      entry.first_key = entry.first_section &&
                        InsertFirst(keys, key_count, static_cast<std::uint32_t>(pos), c.name, kNone, name_of);
    }
    visit(entry);
  }
}

void IniFile::Splice(std::size_t from, std::size_t to, std::string_view lines) {
  text_.replace(from, to - from, lines);
  if (text_.size() > kMaxText) {
    text_.resize(text_.rfind('\n', kMaxText - 1) + 1);
  }
  Forget();
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + value.size() + 2);
  line.append(key).append("=").append(value);
  std::string lines;
  SectionSpan* s = FindSection(section);
  if (!s) {
    // A new section at the end; only its name is indexed anew.
    std::string header(1, '[');
    header.append(section);
    header += ']';
    bool single = AppendLine(lines, header);
    single = AppendLine(lines, line) && single;
    const auto at = static_cast<std::uint32_t>(text_.size());
    if (!single || Classify(line).kind == LineKind::kHeader || text_.size() + lines.size() > kMaxText) {
      return Splice(at, at, lines);
    }
    text_ += lines;
    const Classified h = Classify(LineAt(at));
    const auto name_of = [this](std::uint32_t offset) { return Classify(LineAt(offset)).name; };
    // A header of a name already held ("[a]b" for a) is not the first.
    InsertFirst(section_slots_, section_count_, at, h.name, kNone, name_of);
    return;
  }
  const std::uint32_t at = FindKey(*s, key);
  if (at != kNone) {
    // Replaced in place, the key as it was written.
    const std::string_view old = LineAt(at);
    std::string replaced(Classify(old).name);
    replaced.append("=").append(value);
    AppendLine(lines, replaced);
    return Splice(at, at + old.size() + 1, lines);
  }
  // After the last non-blank line of the section.
  const bool single = AppendLine(lines, line);
  const Classified c = Classify(line);
  if (!single || c.kind != LineKind::kKey || s->content_end != text_.size() ||
      text_.size() + lines.size() > kMaxText) {
    return Splice(s->content_end, s->content_end, lines);
  }
  // At the very end of the text: the other sections stay where they are.
  const auto offset = static_cast<std::uint32_t>(text_.size());
  text_ += lines;
  s->content_end = s->end = static_cast<std::uint32_t>(text_.size());
  const auto name_of = [this](std::uint32_t o) { return Classify(LineAt(o)).name; };
  if (!s->keys.empty()) InsertFirst(s->keys, s->key_count, offset, c.name, kNone, name_of);
}

void IniFile::RemoveSection(std::string_view section) {
  if (!FindSection(section)) return;
  std::string kept;
  kept.reserve(text_.size());
  bool removing = false;
  const std::string_view text = text_;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t next = text.find('\n', pos) + 1;
    const std::string_view line = text.substr(pos, next - pos);
    const Classified c = Classify(line.substr(0, line.size() - 1));
    if (c.kind == LineKind::kHeader) removing = EqualsIgnoreAsciiCase(c.name, section);
    if (!removing) kept.append(line);
    pos = next;
  }
  text_ = std::move(kept);
  Forget();
}

std::string IniFile::Text() const {
  std::size_t lines = 0;
  for (char c : text_) lines += c == '\n';
  std::string text;
  text.reserve(text_.size() + lines);
  const std::string_view held = text_;
  for (std::size_t pos = 0; pos < held.size();) {
    const std::size_t end = held.find('\n', pos);
    text.append(held.substr(pos, end - pos)).append("\r\n");
    pos = end + 1;
  }
  return text;
}

}  // namespace base
