#include "project/project_file.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "base/encoding.h"
#include "base/ini_file.h"
#include "base/listing.h"
#include "base/sjis.h"
#include "base/utf8.h"
#include "project/file_utils.h"
#include "project/project_safety.h"

namespace project {
namespace {

const char* Bool(bool on) { return on ? "true" : "false"; }

// A value that reading would alter (blanks at either end, or enclosed in a
// pair of quotation marks) is written inside one more pair of double
// quotes, which reading removes again: a command line such as "a b" "c"
// or a file named 'x' comes back as it was saved.
std::string Protected(std::string_view value) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  bool altered = !value.empty() &&
                 (blank(value.front()) || blank(value.back()) ||
                  (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                   value.back() == value.front()));
  return altered ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::string Numbered(const char* stem, int index) { return stem + std::to_string(index); }

// True when `text` is well-formed UTF-8 (no stray continuation byte, and
// every character as base::Utf8CharacterAt reads one) holding a character of
// three bytes or more, as every kana and kanji is. Shift-JIS that the
// wizard wrote can be well-formed UTF-8 of two-byte characters alone
// (half-width katakana pairs such as "\xCE\xB2"), and stays Shift-JIS.
bool IsWideUtf8(std::string_view text) {
  bool wide = false;
  std::size_t i = 0;
  while (i < text.size()) {
    std::uint32_t point = 0;
    const std::size_t length = base::Utf8CharacterAt(text, i, &point);
    if (length == 0) return false;
    wide = wide || length >= 3;
    i += length;
  }
  return wide;
}

// The first well-formed character of the UTF-8 `text` that Shift-JIS
// lacks, with its line (CR LF, CR and LF each end one, as IniFile reads
// them) and the key of a "key=value" line whose value holds it. A byte
// that is no UTF-8 counts too when the file is `marked` as UTF-8 (it
// declares every byte UTF-8); otherwise it is passed over. False when there
// is none.
bool FindUnconvertible(std::string_view text, bool marked, UnconvertibleCharacter* found) {
  int line = 1;
  std::size_t line_start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      line_start = ++i;
      continue;
    }
    std::uint32_t point = 0;
    const std::size_t length = base::Utf8CharacterAt(text, i, &point);
    std::string sjis;
    const bool malformed = marked && length == 0;
    if (malformed) point = static_cast<unsigned char>(c);
    if (malformed || (length > 1 && !base::Utf8ToCp932(text.substr(i, length), &sjis))) {
      *found = UnconvertibleCharacter{line, {}, std::string(text.substr(i, malformed ? 1 : length)), point, malformed};
      const std::string_view before = text.substr(line_start, i - line_start);
      const std::size_t eq = before.find('=');
      if (eq != std::string_view::npos) {
        const std::string_view key = base::TrimIniBlanks(before.substr(0, eq));
        // Shown in Shift-JIS messages: a key that cannot be is left out.
        if (!base::Utf8ToCp932(key, &found->key)) found->key.clear();
      }
      return true;
    }
    i += length == 0 ? 1 : length;
  }
  return false;
}

// The project file at `path`; a missing or unreadable file reads as an
// empty one.
base::IniFile ParsedProjectFile(const base::FileAccess& fs, const std::string& path) {
  base::IniFile ini;
  ReadProjectFile(fs, path, &ini);
  return ini;
}

}  // namespace

std::string CodePointText(const UnconvertibleCharacter& u) {
  char text[16];
  std::snprintf(text, sizeof text, u.malformed ? "0x%02X" : "U+%04X", static_cast<unsigned>(u.point));
  return text;
}

bool ReadProjectFile(const base::FileAccess& fs, const std::string& path, base::IniFile* ini,
                     UnconvertibleCharacter* unconvertible) {
  std::string text;
  // A file larger than any the wizard writes (ProjectFileTooLarge) is not
  // read at all.
  const bool read = !ProjectFileTooLarge(fs, path) && ReadWholeFile(fs, path, &text);
  if (!read) text.clear();
  // Written by an editor as UTF-8, with a byte-order mark or without one
  // (then every byte is valid UTF-8, with a character of three bytes or
  // more): read as the Shift-JIS the wizard writes. A text with a
  // character that Shift-JIS lacks stays as it is, and so does one whose
  // Shift-JIS would read as UTF-8 again, so that a saved file reads back
  // as it was saved. The first character that Shift-JIS lacks (or, marked,
  // the first byte that is no UTF-8) is noted, so that callers can refuse
  // the file rather than use its garbled texts.
  if (unconvertible) *unconvertible = UnconvertibleCharacter{};
  std::string_view body = text;
  const bool marked = body.substr(0, base::kUtf8ByteOrderMark.size()) == base::kUtf8ByteOrderMark;
  if (marked) body.remove_prefix(base::kUtf8ByteOrderMark.size());
  std::string converted;
  const bool utf8 = marked || IsWideUtf8(body);
  if (utf8 && base::Utf8ToCp932(body, &converted) && (marked || !IsWideUtf8(converted))) {
    ini->Parse(std::move(converted));
  } else {
    if (utf8 && unconvertible) FindUnconvertible(body, marked, unconvertible);
    ini->Parse(std::move(text));
  }
  return read;
}

namespace {

bool IsRowEnd(char c) { return c == '\0' || c == '\r' || c == '\n' || c == '\x1A'; }

bool IsLead(char c) { return base::IsSjisLeadByte(static_cast<unsigned char>(c)); }

// A Registry field followed by a comma must not end in a lead byte without
// its trail byte: reading would take the comma as that trail byte and the
// later fields would shift. Such a stray byte is left out.
std::string WithoutStrayLead(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsLead(text[i]) && i + 1 == text.size()) return text.substr(0, i);
    i += IsLead(text[i]) ? 2 : 1;
  }
  return text;
}

// Reads a text setting of section Property with its maximum as buffer size.
void ReadText(const base::IniFile& ini, const char* key, TextSetting& setting) {
  setting.Assign(ini.Get("Property", key, static_cast<std::size_t>(setting.Maximum())));
}

void ReadNames(const base::IniFile& ini, const char* stem, NameList& list) {
  list.Clear();
  for (int k = 0; k < list.Capacity(); ++k) {
    std::string name = ini.Get("Folder", Numbered(stem, k), kMaxPath);
    if (name.empty()) break;
    if (name.size() >= static_cast<std::size_t>(kMaxPath)) continue;
    if (!list.IsFull()) list.Add(name);
  }
}

// A row's running number has 16 bits, so a list holds at most this many
// rows with numbers of their own.
constexpr int kMaxFileRows = 0xFFFF;

}  // namespace

bool SaveProject(const base::FileAccess& fs, const ProjectSettings& s, const std::string& path,
                 const FileRowStore* files, const RegistryRowStore* registry) {
  // Its other sections are kept, so a file too large to be read is not
  // written over.
  if (ProjectFileTooLarge(fs, path)) return false;
  base::IniFile ini = ParsedProjectFile(fs, path);

  ini.RemoveSection("Pakforge");
  ini.Write("Pakforge", "Ver", "1.0");

  ini.RemoveSection("Property");
  const char* p = "Property";
  if (s.Locate == kLanguageJapanese) ini.Write(p, "Locate", "JP");
  else if (s.Locate == kLanguageUs) ini.Write(p, "Locate", "US");
  ini.Write(p, "Product", Protected(s.Product.Text()));
  ini.Write(p, "Name", Protected(s.Name.Text()));
  ini.Write(p, "Caption", Protected(s.Caption.Text()));
  ini.Write(p, "Ver", Protected(s.Ver.Text()));
  ini.Write(p, "Output", Protected(s.Output.Text()));
  ini.Write(p, "Source", Protected(s.Source.Text()));
  ini.Write(p, "InstDir", Protected(s.InstDir.Text()));
  ini.Write(p, "Exe", Protected(s.Exe.Text()));
  ini.Write(p, "Cmd", Protected(s.Cmd.Text()));
  ini.Write(p, "Reboot", Bool(s.Reboot.On()));
  ini.Write(p, "Dest", s.Dest == kLocationMainOnly   ? "MAIN"
                       : s.Dest == kLocationCardOnly ? "CARD"
                                                     : "ALTERNATIVE");
  ini.Write(p, "Uninstall", Bool(s.Uninstall.On()));
  ini.Write(p, "UninstFile", Protected(s.UninstFile.Text()));
  ini.Write(p, "UnRegist", Bool(s.UnRegist.On()));

  ini.RemoveSection("Registry");
  const std::vector<RegistryEntry> entries = ReadRegistryRows(registry);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const RegistryEntry& entry = entries[i];
    // Written whole: the reader has room for far more than the longest row
    // the page can hold (259 + 259 + 1023 bytes of fields).
    std::string value = RootWord(entry.root);
    value += "," + WithoutStrayLead(entry.key.Text()) + "," + WithoutStrayLead(entry.name.Text()) + "," +
             TypeWord(entry.type) + "," + entry.value.Text();
    ini.Write("Registry", Numbered("RegistryKey", static_cast<int>(i)), Protected(value));
  }

  ini.RemoveSection("CopyFile");
  const std::vector<FileRow> rows = ReadFileRows(files);
  for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
    const FileRow& row = rows[static_cast<std::size_t>(j)];
    ini.Write("CopyFile", Numbered("File", j), Protected(row.name));
    // The wake-up column shows a mark for the start-up program and for a
    // missing file alike, and the file has always saved either as "true".
    if (row.startup || row.missing) ini.Write("CopyFile", Numbered("Wakeup", j), "true");
    std::uint32_t kind = row.kind;
    if (kind & AppRoot) continue;
    ini.Write("CopyFile", Numbered("Folder", j), Protected(row.folder));
    const char* type = (kind & Doc) ? "Doc"
                     : (kind & AppOriginal) ? "AppOriginal"
                     : (kind & DocOriginal) ? "DocOriginal"
                                            : nullptr;
    if (type) ini.Write("CopyFile", Numbered("Type", j), type);
  }

  ini.RemoveSection("Folder");
  for (int k = 0; k < s.Folders.app_folders.Count(); ++k)
    ini.Write("Folder", Numbered("NameApp", k), Protected(s.Folders.app_folders.At(k)));
  for (int k = 0; k < s.Folders.doc_folders.Count(); ++k)
    ini.Write("Folder", Numbered("Name", k), Protected(s.Folders.doc_folders.At(k)));

  ini.RemoveSection("SetupIni");
  ini.Write("SetupIni", "Create", Bool(s.SetupIniCreate.On()));
  ini.Write("SetupIni", "Name", Protected(s.SetupIniName.Text()));

  return WriteTextFile(fs, path, ini.Text());
}

void LoadProjectSettings(ProjectSettings& s, const base::IniFile& ini) {
  s.Locate = base::EqualsIgnoreAsciiCase(ini.Get("Property", "Locate", 50), "JP") ? kLanguageJapanese
                                                                                  : kLanguageUs;
  ReadText(ini, "Product", s.Product);
  ReadText(ini, "Name", s.Name);
  ReadText(ini, "Caption", s.Caption);
  ReadText(ini, "Ver", s.Ver);
  ReadText(ini, "Output", s.Output);
  ReadText(ini, "Source", s.Source);
  ReadText(ini, "InstDir", s.InstDir);
  ReadText(ini, "Exe", s.Exe);
  ReadText(ini, "Cmd", s.Cmd);
  s.Reboot.Set(base::EqualsIgnoreAsciiCase(ini.Get("Property", "Reboot", 50), "true"));
  std::string dest = ini.Get("Property", "Dest", 50);
  s.Dest = base::EqualsIgnoreAsciiCase(dest, "MAIN")   ? kLocationMainOnly
         : base::EqualsIgnoreAsciiCase(dest, "CARD")   ? kLocationCardOnly
                                                : kLocationBoth;
  s.Uninstall.Set(!base::EqualsIgnoreAsciiCase(ini.Get("Property", "Uninstall", 50), "false"));
  ReadText(ini, "UninstFile", s.UninstFile);
  s.UnRegist.Set(!base::EqualsIgnoreAsciiCase(ini.Get("Property", "UnRegist", 50), "false"));

  ReadNames(ini, "NameApp", s.Folders.app_folders);
  ReadNames(ini, "Name", s.Folders.doc_folders);

  s.SetupIniCreate.Set(base::EqualsIgnoreAsciiCase(ini.Get("SetupIni", "Create", 50), "true"));
  s.SetupIniName.Assign(ini.Get("SetupIni", "Name", static_cast<std::size_t>(s.SetupIniName.Maximum())));
}

void LoadCopyFileRows(const base::IniFile& ini, FileRowStore& files) {
  files.Clear();
  // Most rows have only a File key: a name that no key begins with is not
  // looked up row by row.
  const bool wakeups = ini.HasKeyStartingWith("CopyFile", "Wakeup");
  const bool folders = ini.HasKeyStartingWith("CopyFile", "Folder");
  const bool originals = ini.HasKeyStartingWith("CopyFile", "Original");
  const auto flag = [&ini](bool any, const char* stem, int j) {
    return any && base::EqualsIgnoreAsciiCase(ini.Get("CopyFile", Numbered(stem, j), 50), "true");
  };
  for (int j = 0; j < kMaxFileRows; ++j) {
    std::string name = ini.Get("CopyFile", Numbered("File", j), kMaxPath);
    if (name.empty()) break;
    bool wakeup = flag(wakeups, "Wakeup", j);
    std::string folder = folders ? ini.Get("CopyFile", Numbered("Folder", j), kMaxPath) : std::string();
    bool original = flag(originals, "Original", j);
    std::uint32_t kind;
    if (folder.empty()) {
      kind = AppRoot;
    } else if (original) {
      kind = DocOriginal;
    } else {
      std::string type = ini.Get("CopyFile", Numbered("Type", j), 50);
      kind = base::EqualsIgnoreAsciiCase(type, "DocOriginal")   ? DocOriginal
           : base::EqualsIgnoreAsciiCase(type, "AppOriginal")   ? AppOriginal
                                                         : Doc;
    }
    if (!InsertFileRow(files, name, wakeup, folder, kind)) break;
  }
}

namespace {

// Adds `word` to `unknown` unless it is exactly one of `known`.
template <std::size_t N>
void NoteUnknownWord(const std::string& word, const char* const (&known)[N], int row, bool type,
                     std::vector<UnknownRegistryWord>* unknown) {
  if (!unknown) return;
  for (const char* k : known) {
    if (word == k) return;
  }
  unknown->push_back({row, type, word});
}

}  // namespace

void LoadRegistryRows(const base::IniFile& ini, RegistryRowStore& registry,
                      std::vector<UnknownRegistryWord>* unknown) {
  registry.Clear();
  for (int i = 0; i < 255; ++i) {
    std::string text = ini.Get("Registry", Numbered("RegistryKey", i), kMaxRegistryText);
    if (text.empty()) break;
    RegistryEntry entry;
    std::string_view rest = text;
    std::string field;
    // The root reads from the first 4 bytes only (so "HKCUx" reads as
    // HKCU); the word is read whole to tell it from the words written.
    std::string_view root_rest = rest;
    ReadField(&root_rest, &field, 5);
    entry.root = field == "HKCR" ? kHkcr : field == "HKCU" ? kHkcu : kHklm;
    ReadField(&rest, &field, 50);
    NoteUnknownWord(field, kRegistryRootWords, i, false, unknown);
    ReadField(&rest, &field, static_cast<std::size_t>(entry.key.Maximum()));
    entry.key.Assign(field);
    ReadField(&rest, &field, static_cast<std::size_t>(entry.name.Maximum()));
    entry.name.Assign(field);
    ReadField(&rest, &field, 50);
    NoteUnknownWord(field, kRegistryTypeWords, i, true, unknown);
    entry.type = field == "MULTI_SZ" ? kMultiSz
               : field == "DWORD"    ? kDword
               : field == "BINARY"   ? kBinary
                                     : kSz;
    ReadLastField(rest, &field, static_cast<std::size_t>(entry.value.Maximum()));
    entry.value.Assign(field);
    if (!registry.Append(EntryToRow(entry))) break;
  }
}

void ReadField(std::string_view* rest, std::string* out, std::size_t room) {
  out->clear();
  std::string_view text = *rest;
  std::size_t keep = room == 0 ? 0 : room - 1;
  std::size_t i = 0;
  bool full = false;
  while (i < text.size()) {
    char c = text[i];
    if (c == ',') {
      *rest = text.substr(i + 1);
      return;
    }
    if (IsRowEnd(c)) break;
    std::size_t width = (IsLead(c) && i + 1 < text.size()) ? 2 : 1;
    if (!full && out->size() + width <= keep) out->append(text.substr(i, width));
    else full = true;  // room exhausted: the rest of the field is passed over
    i += width;
  }
  *rest = std::string_view();  // the row has ended: no further field
}

void ReadLastField(std::string_view rest, std::string* out, std::size_t room) {
  out->clear();
  std::size_t keep = room == 0 ? 0 : room - 1;
  for (std::size_t i = 0; i < rest.size();) {
    char c = rest[i];
    if (IsRowEnd(c)) break;
    std::size_t width = (IsLead(c) && i + 1 < rest.size()) ? 2 : 1;
    if (out->size() + width > keep) break;
    out->append(rest.substr(i, width));
    i += width;
  }
}

bool DefaultProjectPath(const std::string& current_dir, const std::string& program_name,
                        std::string* path) {
  if (current_dir.size() + program_name.size() + 15 >= static_cast<std::size_t>(kMaxPath)) return false;
  *path = base::JoinPath(current_dir, "Pakforge_" + program_name + ".ini");
  return true;
}

void RenameOldProjectFiles(const base::FileAccess& fs, const std::string& current_dir) {
  if (current_dir.size() >= 245) return;
  for (const std::string& name : ListDirectory(fs, base::JoinPath(current_dir, "Pakfrge_*.ini"), true)) {
    MoveFileTo(fs, base::JoinPath(current_dir, name), base::JoinPath(current_dir, "Pakforge_" + name.substr(8)));
  }
}

std::vector<std::string> ListProjectNames(const base::FileAccess& fs, const std::string& current_dir) {
  std::vector<std::string> names;
  if (current_dir.size() >= 245) return names;
  for (const std::string& file : ListDirectory(fs, base::JoinPath(current_dir, "Pakforge_*.ini"), true)) {
    std::string base;
    SplitPath(file, nullptr, &base, nullptr);
    names.push_back(base.size() > 9 ? base.substr(9) : std::string());
  }
  return names;
}

std::string ProjectPathFor(const std::string& current_dir, const std::string& name) {
  return base::JoinPath(current_dir, "Pakforge_" + name + ".ini");
}

}  // namespace project
