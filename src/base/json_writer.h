#pragma once
// Writing JSON documents: the one writer of the kit's --json reports.

#include <concepts>
#include <string>
#include <string_view>
#include <vector>

namespace base {

/// How a document is laid out.
enum class JsonLayout {
  /// No white space at all: {"a":[1,2],"b":{}}
  kCompact,
  /// Each member of an object on a line of its own, indented two spaces a
  /// level, "key": value; an array's items on one line, separated by ", ".
  kMembersOnLines,
};

/// Builds one JSON document, appending to a text. Keys and strings are
/// given as UTF-8 and escaped as JSON requires: the quotation mark, the
/// backslash, and the control characters 0x00-0x1F and 0x7F (\n, \r, \t by
/// name, the others as \u00XX with upper-case digits); other bytes are kept.
class JsonWriter {
 public:
  explicit JsonWriter(std::string* out, JsonLayout layout = JsonLayout::kCompact) : out_(out), layout_(layout) {}
  void BeginObject() { Open('{', true); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('[', false); }
  void EndArray() { Close(']'); }
  /// Starts a member of the current object; its value follows, as in
  /// `json.Key("size").Number(size)`.
  JsonWriter& Key(std::string_view key);
  void String(std::string_view utf8);
  /// An integer, signed or not, in decimal.
  template <std::integral T>
  void Number(T value) {
    Separate();
    *out_ += std::to_string(value);
  }
  void Bool(bool value);
  void Null();

 private:
  struct Level {
    bool object;
    bool empty;
  };
  void Open(char c, bool object);
  void Close(char c);
  void Separate();
  void NewLine(std::size_t depth);
  void Quote(std::string_view utf8);
  std::string* out_;
  JsonLayout layout_;
  std::vector<Level> levels_;
  bool after_key_ = false;
};

}  // namespace base
