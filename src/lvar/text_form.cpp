#include "lvar/text_form.h"

#include <nlohmann/json.hpp>

#include "base/encoding.h"
#include "base/hex.h"
#include "base/sjis.h"

namespace lvar {
namespace {

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

void AppendEscape(unsigned char c, std::string* out) { *out += "\\x" + base::HexBytes(&c, 1); }

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

nlohmann::ordered_json SjisTextJson(std::string_view sjis) {
  std::string utf8;
  if (!base::Cp932ToUtf8(sjis, &utf8)) base::Cp932ToUtf8(DisplayText(sjis), &utf8);
  return utf8;
}

void AddSjisName(nlohmann::ordered_json& object, const std::string& key, std::string_view sjis) {
  std::string utf8;
  if (base::Cp932ToUtf8(sjis, &utf8)) {
    object[key] = utf8;
    return;
  }
  object[key] = nullptr;
  object[key + "_sjis_hex"] = base::HexBytes(reinterpret_cast<const unsigned char*>(sjis.data()), sjis.size());
}

std::string JsonText(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace lvar
