#pragma once
// An INI file held in memory, with the rules of the Windows profile
// functions that the wizard's project file and the launcher's "setup.ini"
// rely on. The same code runs on every platform, so a file reads the same
// natively and under Windows.
//
//  - Section and key names compare ignoring ASCII case (double-byte
//    characters match only themselves); the first section of a name, and
//    the first key of a name within it, is the one read and written.
//  - A section header is "[name]"; the name ends at the first ']' that is a
//    character of its own (never the trail byte of a double-byte character).
//  - A key line is "key=value"; blanks (and tabs) around key and value are
//    dropped on reading, and a value enclosed in one pair of double or
//    single quotation marks is read without them.
//  - A value is read into a buffer of a given size and keeps at most
//    size - 1 bytes, never half of a double-byte character.
//  - Writing an existing key replaces its line in place; a new key goes
//    after the last non-blank line of its section; a missing section is
//    created at the end of the file.
//  - Removing a section removes its header and every line of it.
//  - A UTF-8 byte-order mark at the start of the text is skipped.
// Lines are ended by CR LF when written; CR LF, LF or CR are accepted.
//
// Sections and keys are indexed by their upper-cased names, so reading and
// writing a key takes constant time whatever the size of the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace base {

/// The three bytes that some editors put at the start of a UTF-8 file.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

class IniFile {
 public:
  /// Parses `text` as the file's content, replacing what was held.
  void Parse(std::string_view text);

  /// Sets `*value` to the value of `key` in `section`, blanks and one pair
  /// of enclosing quotation marks removed, uncut; false when the section or
  /// the key is absent.
  bool Find(std::string_view section, std::string_view key, std::string* value) const;
  /// The value of `key` in `section`, cut to `size` - 1 bytes (size >= 1);
  /// `fallback` (cut the same way) when the section or key is absent.
  std::string Get(std::string_view section, std::string_view key, std::size_t size,
                  std::string_view fallback = {}) const;
  /// True when `section` holds `key`.
  bool Has(std::string_view section, std::string_view key) const;
  /// True when `section` holds a key whose name begins with `prefix` (ASCII
  /// case ignored). A reader of numbered keys (File0, File1, ...) need not
  /// ask for every number of a name that no key has.
  bool HasKeyStartingWith(std::string_view section, std::string_view prefix) const;

  /// Writes `key`=`value` into `section`.
  void Write(std::string_view section, std::string_view key, std::string_view value);
  /// Removes `section` with all its keys (every section of that name).
  void RemoveSection(std::string_view section);

  /// The whole file text.
  std::string Text() const;

 private:
  enum class LineKind : std::uint8_t { kOther, kHeader, kKey };
  struct Line {
    std::string text;  ///< the line as held (no line end)
    LineKind kind = LineKind::kOther;
    /// The section name of a header or the key of a key line: a part of `text`.
    std::uint32_t name_start = 0;
    std::uint32_t name_size = 0;
    std::string_view Name() const { return std::string_view(text).substr(name_start, name_size); }
  };
  /// A header with the lines up to the next header; the first one (the
  /// lines before any header) has no header.
  struct Section {
    std::vector<Line> lines;  ///< lines[0] is the header, except in the first
    /// Upper-cased key -> index in `lines` of the first key line of that name.
    std::unordered_map<std::string, std::size_t> keys;
    /// Index just after the last non-blank line.
    std::size_t end_of_content = 0;
  };
  static Line MakeLine(std::string text);
  void AddLine(Line line);
  /// The first section named `section`, or null.
  const Section* FindSection(std::string_view section) const;
  Section* FindSection(std::string_view section);
  /// The first key line named `key` in `section`, or null.
  static const Line* FindKey(const Section& section, std::string_view key);

  std::vector<Section> sections_;
  /// Upper-cased section name -> indexes in `sections_` of the sections of
  /// that name still held, in file order.
  std::unordered_map<std::string, std::vector<std::size_t>> section_index_;
};

}  // namespace base
