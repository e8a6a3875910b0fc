#pragma once
// What a statement handler works on: the console for its messages, the
// section records of the file being read and the current section; and the
// one way the handlers report a statement they refuse.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "base/console.h"
#include "inf/messages.h"
#include "inf/install_description.h"
#include "inf/named_files.h"

namespace inf {

/// The handlers' view of the file being read.
struct StatementContext {
  base::Console& console;
  /// The records still open: every statement adds to the last one.
  SectionList& sections;
  SectionKind& current;
  /// Whether the items of list sections are stored in their records or only
  /// counted. The reader only counts them: the checks need no more, and a
  /// file of any size then takes the same memory.
  bool keep_items = true;
  /// The number of the line being read, for records that note where a key
  /// was given.
  int line_number = 0;
  /// When set, told of every file a statement names (named_files.h).
  NamedFileSink* named_files = nullptr;
};

/// What every statement handler keeps: the state of the statement it is
/// reading, 0 between statements.
class StatementHandler {
 public:
  int state() const { return state_; }

 protected:
  int state_ = 0;
};

/// Where a parameter list "P1 [, [P2] [, P3]]" stands after each token; the
/// state it ends in tells the list sections how many parameters it held.
enum ListState : int {
  kListStart = 0,        ///< nothing read yet
  kListFirst = 1,        ///< P1
  kListFirstComma = 2,   ///< P1 ,
  kListSecond = 3,       ///< P1 , P2
  kListSecondComma = 4,  ///< P1 , [P2] ,
  kListThird = 5,        ///< P1 , [P2] , P3
};

/// Adds a complete list statement to the most recent record when that
/// record holds items of type T (the record every statement adds to).
template <typename T>
void AddItem(StatementContext& ctx, T&& item) {
  if (ctx.sections.empty()) return;
  SectionRecord& record = ctx.sections.back();
  auto* items = std::get_if<std::vector<std::decay_t<T>>>(&record.data);
  if (!items) return;
  ++record.item_count;
  if (ctx.keep_items) items->push_back(std::forward<T>(item));
}

/// Prints `message` and answers `code`.
inline std::uint32_t Fail(StatementContext& ctx, InfMessage message, std::uint32_t code) {
  Say(ctx.console, base::Stream::kErr, message);
  return code;
}

/// Prints the undefined-keyword message naming `keyword`.
inline void PrintUndefinedKeyword(base::Console& console, std::string_view keyword) {
  Say(console, base::Stream::kErr, InfMessage::kUndefinedKeyword, std::string(keyword).c_str());
}

/// Prints the undefined-keyword message naming `keyword` and answers `code`.
inline std::uint32_t FailUndefined(StatementContext& ctx, std::string_view keyword, std::uint32_t code) {
  PrintUndefinedKeyword(ctx.console, keyword);
  return code;
}

}  // namespace inf
