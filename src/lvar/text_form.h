#pragma once
// How lvar shows stored bytes: names and texts on the console, and in JSON.

#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace lvar {

/// `sjis` for the console: every Shift-JIS character that has a Unicode
/// form is kept as it is; control bytes and bytes that are not such a
/// character become \xNN, so the text stays on one line and converts.
std::string DisplayText(std::string_view sjis);

/// An information block of the header as text, when it is text: printable
/// Shift-JIS up to the first NUL and only NUL bytes after it. Answers false
/// otherwise (and for a block of NUL bytes only).
bool BlockAsText(const std::uint8_t* data, std::size_t size, std::string* sjis);

/// A Shift-JIS text as a JSON string of its UTF-8 form (as DisplayText
/// where it has none).
nlohmann::ordered_json SjisTextJson(std::string_view sjis);

/// A name: member `key` of `object` with the UTF-8 form, or null and a
/// member `key`_sjis_hex with the stored bytes when it has no UTF-8 form.
void AddSjisName(nlohmann::ordered_json& object, const std::string& key, std::string_view sjis);

/// A JSON value as compact text: no white space, names as UTF-8 (not
/// \u escapes). Bytes of a string that are not UTF-8 (a host path given on
/// the command line) become U+FFFD, so the text is always valid JSON.
std::string JsonText(const nlohmann::ordered_json& value);

}  // namespace lvar
