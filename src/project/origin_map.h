#pragma once
// Which setting or row of a project produced each line of a description
// that Finish writes (Install.inf, the uninstall description), so that a
// problem the builder finds in a generated line can be shown at the
// project file's key the author wrote.

#include <cstddef>
#include <map>
#include <string>

#include "base/ini_file.h"

namespace project {

/// The project-file entry behind a generated line: a key of section
/// Property ("Caption"), or a row of a list. Rows are named by what they
/// hold (a file row's name, an own folder's name, a registry row's text as
/// the project file stores it), since the lists are sorted after loading
/// and a row's position no longer gives its key.
struct LineOrigin {
  std::string section;  ///< "Property", "CopyFile", "Folder" or "Registry"
  std::string key;      ///< the key of Property; empty for a row
  std::string row;      ///< what the row holds; empty for a key of Property
};

/// Generated line (from 1) -> the entry that produced it. Lines without an
/// entry (section heads, blank lines, fixed texts) have none.
class OriginMap {
 public:
  void Note(std::size_t line, LineOrigin origin) { lines_[line] = std::move(origin); }
  /// The entry behind `line`, or null.
  const LineOrigin* Find(std::size_t line) const;
  std::size_t size() const { return lines_.size(); }

 private:
  std::map<std::size_t, LineOrigin> lines_;
};

/// Counts the lines of a description as a writer appends to `text`, and
/// notes in `map` (when not null) the entry behind the line that the next
/// append begins. Each call counts only the bytes added since the last, so
/// a long list costs one pass over the text.
class OriginNotes {
 public:
  OriginNotes(const std::string& text, OriginMap* map) : text_(text), map_(map) {}
  /// The next line written comes from `section`'s `key` (or row `row`).
  void Next(const char* section, const char* key, const std::string& row = std::string());

 private:
  const std::string& text_;
  OriginMap* map_;
  std::size_t counted_ = 0;  ///< bytes of text_ counted so far
  std::size_t lines_ = 0;    ///< line ends among them
};

/// Where `origin` stands in the project file `ini`: the key's name (for a
/// row, the numbered key whose value the row holds, as "File3" or
/// "RegistryKey0") and its line (from 1). False when the file holds no
/// such key (a list rebuilt from the source folder, a default value).
bool LocateOrigin(const base::IniFile& ini, const LineOrigin& origin, std::string* key, std::size_t* line);

}  // namespace project
