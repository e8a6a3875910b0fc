#pragma once
// A message body read into a JSON value with nlohmann/json's own parser,
// each string moved into the value from the parser's buffer instead of
// copied: a buffer's whole text, in a didOpen, is held once less while the
// message is read.

#include <string_view>

#include <nlohmann/json.hpp>

namespace lsp {

/// Parses `body` (strict JSON, as nlohmann::json::parse) into `value`;
/// false, with `value` left discarded, when it is not JSON.
bool ParseMessage(std::string_view body, nlohmann::json* value);

}  // namespace lsp
