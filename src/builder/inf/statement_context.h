#pragma once
// What a statement handler works on: the console for its messages, the
// section records of the file being read and the current section.

#include "base/console.h"
#include "builder/inf/install_description.h"

namespace builder {

/// The handlers' view of the file being read.
struct StatementContext {
  base::Console& console;
  SectionList& sections;
  SectionKind& current;
};

/// The item list of the most recent record when it holds items of type T
/// (the record that every statement adds to), else null.
template <typename T>
std::vector<T>* LastItemList(StatementContext& ctx) {
  if (ctx.sections.empty()) return nullptr;
  return std::get_if<std::vector<T>>(&ctx.sections.back().data);
}

}  // namespace builder
