#pragma once
// A message body read into a JSON value with nlohmann/json's own parser,
// part by part, each part let go once read, and each string moved into the
// value from the parser's buffer instead of copied: a buffer's whole text,
// in a didOpen, is not held in the body and twice more while it is read.

#include <nlohmann/json.hpp>

#include "lsp/message_reader.h"

namespace lsp {

/// Parses `body` (strict JSON, as nlohmann::json::parse) into `value`;
/// false, with `value` left discarded, when it is not JSON.
bool ParseMessage(MessageBody body, nlohmann::json* value);

}  // namespace lsp
