#include "base/json_writer.h"

#include "base/hex.h"

namespace base {

void JsonWriter::NewLine(std::size_t depth) {
  *out_ += '\n';
  out_->append(2 * depth, ' ');
}

void JsonWriter::Separate() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (!level.empty) *out_ += ',';
  if (layout_ == JsonLayout::kMembersOnLines) {
    if (level.object)
      NewLine(levels_.size());
    else if (!level.empty)
      *out_ += ' ';
  }
  level.empty = false;
}

void JsonWriter::Open(char c, bool object) {
  Separate();
  *out_ += c;
  levels_.push_back({object, true});
}

void JsonWriter::Close(char c) {
  const Level level = levels_.back();
  levels_.pop_back();
  if (layout_ == JsonLayout::kMembersOnLines && level.object && !level.empty) NewLine(levels_.size());
  *out_ += c;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  Separate();
  Quote(key);
  *out_ += layout_ == JsonLayout::kMembersOnLines ? ": " : ":";
  after_key_ = true;
  return *this;
}

void JsonWriter::String(std::string_view utf8) {
  Separate();
  Quote(utf8);
}

void JsonWriter::Quote(std::string_view utf8) {
  *out_ += '"';
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': *out_ += "\\\""; break;
      case '\\': *out_ += "\\\\"; break;
      case '\n': *out_ += "\\n"; break;
      case '\r': *out_ += "\\r"; break;
      case '\t': *out_ += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F)
          *out_ += "\\u00" + HexBytes(&byte, 1);
        else
          *out_ += c;
    }
  }
  *out_ += '"';
}

void JsonWriter::Bool(bool value) {
  Separate();
  *out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  Separate();
  *out_ += "null";
}

}  // namespace base
