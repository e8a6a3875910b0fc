#pragma once
// An INI file held in memory, with the rules of the Windows profile
// functions that the project file relies on. The same code runs on every
// platform, so a project reads the same natively and under Windows.
//
//  - Section and key names compare ignoring ASCII case; the first section of
//    a name is the one read and written.
//  - A key line is "key=value"; blanks (and tabs) around key and value are
//    dropped on reading, and a value enclosed in one pair of double or
//    single quotation marks is read without them.
//  - A value is read into a buffer of a given size and keeps at most
//    size - 1 bytes.
//  - Writing an existing key replaces its line in place; a new key goes
//    after the last key of its section; a missing section is created at the
//    end of the file.
//  - Removing a section removes its header and every line of it.
// Lines are ended by CR LF when written; CR LF, LF or CR are accepted.

#include <string>
#include <string_view>
#include <vector>

namespace wizard {

class IniFile {
 public:
  /// Reads `path`; a missing or unreadable file gives an empty INI (true is
  /// still returned, false only tells that no file was read).
  bool Load(const std::string& path);
  /// Parses `text` as the file's content.
  void Parse(std::string_view text);

  /// The value of `key` in `section`, cut to `size` - 1 bytes (size >= 1);
  /// `fallback` (cut the same way) when the section or key is absent.
  std::string Get(std::string_view section, std::string_view key, std::size_t size,
                  std::string_view fallback = {}) const;
  /// True when `section` holds `key`.
  bool Has(std::string_view section, std::string_view key) const;

  /// Writes `key`=`value` into `section`.
  void Write(std::string_view section, std::string_view key, std::string_view value);
  /// Removes `section` with all its keys (every section of that name).
  void RemoveSection(std::string_view section);

  /// The whole file text.
  std::string Text() const;
  /// Writes the whole file to `path`; false when it cannot be written.
  bool Save(const std::string& path) const;

 private:
  struct Line {
    std::string text;     ///< the line as held (no line end)
    bool is_section = false;
    std::string section;  ///< for a header: the section name
    bool is_key = false;
    std::string key;      ///< for a key line: the key, trimmed
  };
  static Line MakeLine(std::string text);
  /// Index of the header of the first section named `section`, or -1.
  int FindSection(std::string_view section) const;
  /// Index of the key line in the section starting at `header`, or -1.
  int FindKey(int header, std::string_view key) const;

  std::vector<Line> lines_;
};

}  // namespace wizard
