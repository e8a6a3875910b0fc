#pragma once
// How lvar shows stored bytes: names and texts on the console, and in JSON.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lvar {

/// `sjis` for the console: every Shift-JIS character that has a Unicode
/// form is kept as it is; control bytes and bytes that are not such a
/// character become \xNN, so the text stays on one line and converts.
std::string DisplayText(std::string_view sjis);

/// An information block of the header as text, when it is text: printable
/// Shift-JIS up to the first NUL and only NUL bytes after it. Answers false
/// otherwise (and for a block of NUL bytes only).
bool BlockAsText(const std::uint8_t* data, std::size_t size, std::string* sjis);

/// Builds one JSON document, appending to a text; keys and the values given
/// as UTF-8 are escaped as JSON requires.
class JsonWriter {
 public:
  explicit JsonWriter(std::string* out) : out_(out) {}
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  /// Starts a member of the current object; its value follows, as in
  /// `json.Key("size").Number(size)`.
  JsonWriter& Key(std::string_view key);
  void String(std::string_view utf8);
  /// A Shift-JIS text converted to UTF-8 (as DisplayText where it cannot be).
  void SjisText(std::string_view sjis);
  /// A name: member `key` with the UTF-8 form, or null and a member
  /// `key`_sjis_hex with the stored bytes when it has no UTF-8 form.
  void SjisName(std::string_view key, std::string_view sjis);
  void Number(std::uint64_t value);
  void Bool(bool value);
  void Null();

 private:
  void Open(char c);
  void Close(char c);
  void Separate();
  void Quote(std::string_view utf8);
  std::string* out_;
  std::vector<bool> first_;  // per open level: no member written yet
  bool after_key_ = false;
};

}  // namespace lvar
