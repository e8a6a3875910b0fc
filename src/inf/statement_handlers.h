#pragma once
// The state machines that read statements token by token: section heads,
// definitions (key = value) and parameter lists (up to three comma-separated
// values). Each receives the tokens of a line one by one, then one
// end-of-statement call; both answer 0 or a handler code. A complete
// statement returns the handler to state 0.

#include <cstdint>
#include <string>
#include <string_view>

#include "inf/statement_context.h"

namespace inf {

/// Reads "[ name ]". On a complete head the named section becomes current
/// and a new record of its kind is appended.
class SectionHeadHandler : public StatementHandler {
 public:
  std::uint32_t OnToken(std::string_view token, StatementContext& ctx);
  std::uint32_t OnEnd(StatementContext& ctx);

 private:
  std::string name_;
};

/// Reads "key = value" and hands it to the current section's key setter.
class DefinitionHandler : public StatementHandler {
 public:
  std::uint32_t OnToken(std::string_view token, StatementContext& ctx);
  std::uint32_t OnEnd(StatementContext& ctx);

 private:
  std::string key_, value_;
};

/// Reads "P1 [, [P2] [, P3]]" through the ListState states; at the end the
/// current section's rule decides by the state it ended in.
class ParameterListHandler : public StatementHandler {
 public:
  std::uint32_t OnToken(std::string_view token, StatementContext& ctx);
  std::uint32_t OnEnd(StatementContext& ctx);

 private:
  void Clear();
  ParameterItem item_;
};

}  // namespace inf
