#include "lvar/text_form.h"

#include <cstdio>

#include "base/encoding.h"
#include "base/hex.h"
#include "base/sjis.h"

namespace lvar {
namespace {

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

void AppendEscape(unsigned char c, std::string* out) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\x%02X", c);
  *out += hex;
}

}  // namespace

std::string DisplayText(std::string_view sjis) {
  std::string out;
  std::string ignored;
  for (std::size_t i = 0; i < sjis.size();) {
    const unsigned char c = static_cast<unsigned char>(sjis[i]);
    if (base::IsSjisLeadByte(c) && i + 1 < sjis.size() && IsTrailByte(static_cast<unsigned char>(sjis[i + 1])) &&
        base::Cp932ToUtf8(sjis.substr(i, 2), &ignored)) {
      out.append(sjis, i, 2);
      i += 2;
      continue;
    }
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && !base::Cp932ToUtf8(sjis.substr(i, 1), &ignored))) {
      AppendEscape(c, &out);
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out;
}

bool BlockAsText(const std::uint8_t* data, std::size_t size, std::string* sjis) {
  std::size_t end = 0;
  while (end < size && data[end] != 0) ++end;
  if (end == 0) return false;
  for (std::size_t i = end; i < size; ++i)
    if (data[i] != 0) return false;
  std::string text(reinterpret_cast<const char*>(data), end);
  if (DisplayText(text) != text) return false;
  *sjis = std::move(text);
  return true;
}

void JsonWriter::Separate() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) *out_ += ',';
    first_.back() = false;
  }
}

void JsonWriter::Open(char c) {
  Separate();
  *out_ += c;
  first_.push_back(true);
}

void JsonWriter::Close(char c) {
  first_.pop_back();
  *out_ += c;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  Separate();
  Quote(key);
  *out_ += ':';
  after_key_ = true;
  return *this;
}

void JsonWriter::String(std::string_view utf8) {
  Separate();
  Quote(utf8);
}

void JsonWriter::Quote(std::string_view utf8) {
  *out_ += '"';
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': *out_ += "\\\""; break;
      case '\\': *out_ += "\\\\"; break;
      case '\n': *out_ += "\\n"; break;
      case '\r': *out_ += "\\r"; break;
      case '\t': *out_ += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char u[8];
          std::snprintf(u, sizeof u, "\\u%04X", c);
          *out_ += u;
        } else {
          *out_ += static_cast<char>(c);
        }
    }
  }
  *out_ += '"';
}

void JsonWriter::SjisText(std::string_view sjis) {
  std::string utf8;
  if (!base::Cp932ToUtf8(sjis, &utf8)) base::Cp932ToUtf8(DisplayText(sjis), &utf8);
  String(utf8);
}

void JsonWriter::SjisName(std::string_view key, std::string_view sjis) {
  std::string utf8;
  Key(key);
  if (base::Cp932ToUtf8(sjis, &utf8)) {
    String(utf8);
    return;
  }
  Null();
  Key(std::string(key) + "_sjis_hex");
  String(base::HexBytes(reinterpret_cast<const unsigned char*>(sjis.data()), sjis.size()));
}

void JsonWriter::Number(std::uint64_t value) {
  Separate();
  *out_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
  Separate();
  *out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  Separate();
  *out_ += "null";
}

}  // namespace lvar
