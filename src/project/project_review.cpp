#include "project/project_review.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "base/sjis.h"
#include "base/text_table.h"
#include "project/settings.h"

namespace project {
namespace {

// An enumerated key: the words the wizard writes and the one a word of
// its own is read as.
struct EnumeratedKey {
  const char* section;
  const char* key;
  std::vector<const char*> words;
  // What any other word reads as.
  const char* otherwise;
};

const EnumeratedKey kPropertyKeys[] = {
    {"Property", "Locate", {"JP", "US"}, "US"},
    {"Property", "Reboot", {"true", "false"}, "false"},
    {"Property", "Dest", {"MAIN", "CARD", "ALTERNATIVE"}, "ALTERNATIVE"},
    {"Property", "Uninstall", {"true", "false"}, "true"},
    {"Property", "UnRegist", {"true", "false"}, "true"},
    {"SetupIni", "Create", {"true", "false"}, "false"},
};
// The file rows' keys; Type is read only beside a Folder.
const EnumeratedKey kTypeKey = {"CopyFile", "Type", {"Doc", "AppOriginal", "DocOriginal"}, "Doc"};
const EnumeratedKey kWakeupKey = {"CopyFile", "Wakeup", {"true", "false"}, "false"};

// The keys each section of the project file reads (or, for Pakforge/Ver,
// writes); numbered keys by their stem.
struct KnownSection {
  const char* name;
  std::vector<const char*> keys;
  std::vector<const char*> stems;
};
const KnownSection kKnownSections[] = {
    {"Pakforge", {"Ver"}, {}},
    {"Property",
     {"Locate", "Product", "Name", "Caption", "Ver", "Output", "Source", "InstDir", "Exe", "Cmd", "Reboot", "Dest",
      "Uninstall", "UninstFile", "UnRegist"},
     {}},
    {"Registry", {}, {"RegistryKey"}},
    {"CopyFile", {}, {"File", "Wakeup", "Folder", "Type", "Original"}},
    {"Folder", {}, {"NameApp", "Name"}},
    {"SetupIni", {"Create", "Name"}, {}},
};

std::string Joined(const std::vector<const char*>& words) {
  std::string text;
  for (const char* w : words) text += (text.empty() ? "" : ", ") + std::string(w);
  return text;
}

bool IsWord(const std::vector<const char*>& words, const std::string& value) {
  for (const char* w : words) {
    if (base::EqualsIgnoreAsciiCase(value, w)) return true;
  }
  return false;
}

// How many rows a numbered list reads: from 0 until the first absent or
// empty key, at most `limit`. Each value is read with the size the project
// reader gives it (`size`), so that a value whose first character is a
// double-byte one counts as it does there.
int RowsRead(const base::IniFile& ini, const char* section, const char* stem, int limit, std::size_t size) {
  int n = 0;
  while (n < limit && !ini.Get(section, stem + std::to_string(n), size).empty()) ++n;
  return n;
}

// Splits "Type12" into "Type" and 12; false when the name does not end in
// a number written as the reader forms it (no leading zero, at most 6
// digits).
bool SplitNumbered(std::string_view name, std::string_view* stem, int* number) {
  std::size_t digits = 0;
  while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[name.size() - 1 - digits]))) ++digits;
  if (digits == 0 || digits > 6) return false;
  std::string_view number_text = name.substr(name.size() - digits);
  if (number_text.size() > 1 && number_text.front() == '0') return false;
  *stem = name.substr(0, name.size() - digits);
  *number = std::stoi(std::string(number_text));
  return true;
}

class Reviewer {
 public:
  explicit Reviewer(const base::IniFile& ini) : ini_(ini) {
    rows_ = RowsRead(ini, "CopyFile", "File", 0xFFFF, kMaxPath);
    registry_rows_ = RowsRead(ini, "Registry", "RegistryKey", 255, kMaxRegistryText);
    app_names_ = RowsRead(ini, "Folder", "NameApp", 50, kMaxPath);
    doc_names_ = RowsRead(ini, "Folder", "Name", 50, kMaxPath);
  }

  ProjectFileReview Run() {
    for (const EnumeratedKey& key : kPropertyKeys) CheckWord(key, key.key);
    for (int j = 0; j < rows_; ++j) CheckRow(j);
    std::stable_sort(review_.words.begin(), review_.words.end(),
                     [](const UnwrittenWord& a, const UnwrittenWord& b) { return a.line < b.line; });
    ini_.VisitLines([this](const base::IniFile::Entry& entry) { CheckName(entry); });
    return std::move(review_);
  }

 private:
  // A word of `key` (named `name` in the file) that the wizard never
  // writes; false when there was one.
  bool CheckWord(const EnumeratedKey& key, const std::string& name) {
    std::string value;
    if (!ini_.Find(key.section, name, &value) || IsWord(key.words, value)) return true;
    AddWord({ini_.LineOf(key.section, name), name, value, Joined(key.words), key.otherwise});
    return false;
  }

  void CheckRow(int j) {
    const std::string n = std::to_string(j);
    CheckWord(kWakeupKey, "Wakeup" + n);
    const std::string folder = ini_.Get("CopyFile", "Folder" + n, kMaxPath);
    if (folder.empty()) return;  // the application folder: Type is not read
    if (base::EqualsIgnoreAsciiCase(ini_.Get("CopyFile", "Original" + n, 50), "true")) return;
    std::string type;
    const bool typed = ini_.Find("CopyFile", "Type" + n, &type);
    if (typed && !CheckWord(kTypeKey, "Type" + n)) return;
    // A predefined "My Documents" folder: one of those the chooser offers.
    if (typed && !base::EqualsIgnoreAsciiCase(type, "Doc")) return;
    for (const char* known : kDocumentFolders) {
      if (base::EqualsIgnoreAsciiCase(folder, known)) return;
    }
    std::vector<const char*> folders(std::begin(kDocumentFolders), std::end(kDocumentFolders));
    AddWord({ini_.LineOf("CopyFile", "Folder" + n), "Folder" + n, folder, Joined(folders),
             "My Documents\\" + folder});
  }

  void CheckName(const base::IniFile::Entry& entry) {
    if (entry.header) {
      seen_header_ = true;
      section_ = nullptr;
      for (const KnownSection& known : kKnownSections) {
        if (base::EqualsIgnoreAsciiCase(entry.section, known.name)) section_ = &known;
      }
      read_section_ = section_ && entry.first_section;
      if (read_section_) return;
      if (review_.unread_count >= kMaxReviewItems) {  // counted, not listed
        ++review_.unread_count;
        return;
      }
      UnreadName name{entry.line, std::string(entry.section), std::string(), std::string()};
      if (!section_) {
        for (const KnownSection& known : kKnownSections) {
          if (OneEditApart(name.section, known.name)) name.suggestion = known.name;
        }
      }
      return AddUnread(std::move(name));
    }
    // Keys of a section that is not read are told with their section;
    // keys before the first header are read by nothing.
    if (seen_header_ && !read_section_) return;
    const std::string key(entry.key);
    if (read_section_ && entry.first_key && IsRead(*section_, key)) return;
    if (review_.unread_count >= kMaxReviewItems) {
      ++review_.unread_count;
      return;
    }
    UnreadName name{entry.line, std::string(entry.section), key, std::string()};
    if (read_section_ && !IsKnown(*section_, key)) name.suggestion = Suggestion(*section_, key);
    AddUnread(std::move(name));
  }

  // The number of rows read of a numbered key's stem.
  int Limit(std::string_view stem) const {
    if (base::EqualsIgnoreAsciiCase(stem, "RegistryKey")) return registry_rows_;
    if (base::EqualsIgnoreAsciiCase(stem, "NameApp")) return app_names_;
    if (base::EqualsIgnoreAsciiCase(stem, "Name")) return doc_names_;
    return rows_;
  }

  // Whether `key` is one of the section's plain keys (`*stem` null) or a
  // numbered key of one of its stems (`*stem` that stem, `*number` its
  // number); false when it is neither.
  static bool Match(const KnownSection& section, const std::string& key, const char** stem, int* number) {
    *stem = nullptr;
    for (const char* k : section.keys) {
      if (base::EqualsIgnoreAsciiCase(key, k)) return true;
    }
    std::string_view key_stem;
    if (!SplitNumbered(key, &key_stem, number)) return false;
    for (const char* s : section.stems) {
      if (base::EqualsIgnoreAsciiCase(key_stem, s)) {
        *stem = s;
        return true;
      }
    }
    return false;
  }

  bool IsKnown(const KnownSection& section, const std::string& key) const {
    const char* stem;
    int number = 0;
    return Match(section, key, &stem, &number);
  }

  bool IsRead(const KnownSection& section, const std::string& key) const {
    const char* stem;
    int number = 0;
    if (!Match(section, key, &stem, &number)) return false;
    return stem == nullptr || number < Limit(stem);
  }

  // A key name the section reads one edit away from `key`.
  static std::string Suggestion(const KnownSection& section, const std::string& key) {
    for (const char* k : section.keys) {
      if (OneEditApart(key, k)) return k;
    }
    std::string_view stem;
    int number = 0;
    if (!SplitNumbered(key, &stem, &number)) return std::string();
    for (const char* s : section.stems) {
      if (OneEditApart(std::string(stem), s)) return s + std::to_string(number);
    }
    return std::string();
  }

  void AddWord(UnwrittenWord word) {
    if (review_.word_count++ < kMaxReviewItems) review_.words.push_back(std::move(word));
  }
  void AddUnread(UnreadName name) {
    if (review_.unread_count++ < kMaxReviewItems) review_.unread.push_back(std::move(name));
  }

  const base::IniFile& ini_;
  int rows_ = 0;
  int registry_rows_ = 0;
  int app_names_ = 0;
  int doc_names_ = 0;
  const KnownSection* section_ = nullptr;  // the section the lines are in; null: unknown
  bool read_section_ = false;              // that section is read
  bool seen_header_ = false;              // a header came before the line
  ProjectFileReview review_;
};

}  // namespace

bool OneEditApart(const std::string& a, const std::string& b) {
  std::string x = a, y = b;
  base::SjisUpperAscii(x);
  base::SjisUpperAscii(y);
  if (x == y) return false;
  if (x.size() == y.size()) {
    std::size_t first = 0;
    while (x[first] == y[first]) ++first;
    std::size_t last = x.size() - 1;
    while (x[last] == y[last]) --last;
    if (first == last) return true;  // one replaced
    return last == first + 1 && x[first] == y[last] && x[last] == y[first];  // two swapped
  }
  if (x.size() + 1 == y.size()) std::swap(x, y);
  if (y.size() + 1 != x.size()) return false;
  std::size_t i = 0;
  while (i < y.size() && x[i] == y[i]) ++i;
  return x.compare(i + 1, std::string::npos, y, i, std::string::npos) == 0;  // one inserted
}

ProjectFileReview ReviewProjectFile(const base::IniFile& ini) { return Reviewer(ini).Run(); }

std::string ReviewText(const ProjectFileReview& review, const ReviewFormats& formats) {
  std::vector<std::string> lines;
  for (const UnwrittenWord& w : review.words) {
    lines.push_back(base::FillText(formats.word, {std::to_string(w.line), w.key, w.value, w.accepted, w.read_as}));
  }
  if (review.word_count > review.words.size()) {
    lines.push_back(base::FillText(formats.more, {std::to_string(review.word_count - review.words.size())}));
  }
  for (const UnreadName& n : review.unread) {
    std::string line = n.key.empty() ? base::FillText(formats.section, {std::to_string(n.line), n.section})
                                     : base::FillText(formats.key, {std::to_string(n.line), n.key});
    if (!n.suggestion.empty()) {
      line += base::FillText(formats.suggestion, {n.key.empty() ? "[" + n.suggestion + "]" : n.suggestion});
    }
    lines.push_back(line);
  }
  if (review.unread_count > review.unread.size()) {
    lines.push_back(base::FillText(formats.more, {std::to_string(review.unread_count - review.unread.size())}));
  }
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace project
