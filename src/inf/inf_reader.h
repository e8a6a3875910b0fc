#pragma once
// The line loop of the install information reader: tokenising each line of
// a file and feeding the current section's statement handler, and the
// context report after a line error.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/console.h"
#include "inf/inf_line_reader.h"
#include "inf/inf_tokenizer.h"
#include "inf/install_description.h"
#include "inf/install_info.h"
#include "inf/registry_sections.h"
#include "inf/statement_handlers.h"

namespace inf {

/// Where an Add Registry statement left open was last continued.
struct OpenStatementPlace {
  std::string file;  // Shift-JIS path as messages show it
  int line_number = 0;
  std::string line;  // as read, with its line break
};

/// The statement handlers and the tokeniser; their states live from line to
/// line and from file to file.
struct HandlerStates {
  InfTokenizer tokenizer;
  SectionHeadHandler section_head;
  DefinitionHandler definition;
  ParameterListHandler parameter_list;
  AddRegistryHandler add_registry;
  OpenStatementPlace open_place;
  /// Set by ProcessLine for the diagnostics: whether the line began with a
  /// section head, and the token it failed at (empty when it failed at the
  /// end of the statement or in the tokeniser).
  bool line_is_head = false;
  std::string_view failed_token;
  /// The part of the line the tokeniser had not yet handed out when it failed.
  std::string_view untokenized;
};

/// Tokenises one line and feeds its tokens and the end of statement to the
/// handler of the current section. Answers 0 or the handler's or the
/// tokeniser's code plus the line stage (0x10000 first token, 0x30000 end at
/// a comment, 0x40000 a token, 0x50000 a later token, 0x60000 end of line).
std::uint32_t ProcessLine(std::string_view line, HandlerStates& handlers, StatementContext& ctx);

}  // namespace inf
