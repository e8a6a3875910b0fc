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
// The text is held once, as it was read (each line ended by one LF), and
// only the sections and keys asked for are indexed, by the offsets of
// their lines: a file of millions of headers or blank lines takes little
// more memory than its text, and reading a key takes constant time whatever
// the size of the file. Texts are limited to 4 GiB; callers read far
// smaller files.

#include <cstddef>
#include <cstdint>
#include <functional>
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
  /// As above, taking over the storage of `text` (no second copy is made).
  void Parse(std::string&& text);
  void Parse(const char* text) { Parse(std::string_view(text)); }

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
  /// The line (from 1) of the key line that Find reads for `key` in
  /// `section`; 0 when there is none.
  std::size_t LineOf(std::string_view section, std::string_view key) const;

  /// A header or key line, as VisitLines hands it over.
  struct Entry {
    std::size_t line = 0;       ///< from 1
    bool header = false;        ///< a section header; else a key line
    std::string_view section;   ///< the section's name as written (empty before the first header)
    bool first_section = false; ///< the section is the first of its name (the one read)
    std::string_view key;       ///< a key line's name as written
    /// A key line of the first section of its name that is the first key
    /// of its name there (the one read).
    bool first_key = false;
  };
  /// Calls `visit` for every header and key line, in file order.
  void VisitLines(const std::function<void(const Entry&)>& visit) const;

  /// Writes `key`=`value` into `section`.
  void Write(std::string_view section, std::string_view key, std::string_view value);
  /// Removes `section` with all its keys (every section of that name).
  void RemoveSection(std::string_view section);

  /// The whole file text.
  std::string Text() const;

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  /// The first section of a name: where its lines lie in `text_`, and its
  /// keys, indexed when first asked for.
  struct SectionSpan {
    std::uint32_t header = 0;       ///< offset of the header line
    std::uint32_t end = 0;          ///< offset of the next header line, or the end of the text
    std::uint32_t content_end = 0;  ///< offset just after the last non-blank line
    /// Open-addressing table of key line offsets (kNone: free), the first
    /// key line of each folded name; empty until a key is asked for.
    std::vector<std::uint32_t> keys;
    std::size_t key_count = 0;
  };

  std::string_view LineAt(std::uint32_t offset) const;
  void IndexSections() const;
  /// The first section named `section`, or null.
  SectionSpan* FindSection(std::string_view section) const;
  void IndexKeys(SectionSpan& span) const;
  /// Offset of the first key line named `key` in `span`, or kNone.
  std::uint32_t FindKey(SectionSpan& span, std::string_view key) const;
  /// Forgets every index (after the text changed other than at its end).
  void Forget() const;
  /// Replaces [from, to) of the text with `lines` (each ended by LF).
  void Splice(std::size_t from, std::size_t to, std::string_view lines);

  std::string text_;  ///< every line ended by one LF
  /// Open-addressing table of the header offsets of the first section of
  /// each folded name (kNone: free); empty until indexed.
  mutable std::vector<std::uint32_t> section_slots_;
  mutable std::size_t section_count_ = 0;
  mutable bool indexed_ = false;
  /// Header offset -> the span of that section, for sections asked for.
  mutable std::unordered_map<std::uint32_t, SectionSpan> spans_;
};

/// `s` without the blanks (spaces and tabs) that IniFile drops around a
/// section's name, a key and a value.
std::string_view TrimIniBlanks(std::string_view s);

}  // namespace base
