#pragma once
// The rules of the list sections (Make Dirs, Delete Dirs, Copy Files,
// Setup Data-Files, Delete Files, Delete Registry): which parameter-list
// statements each accepts and the item it stores.

#include <cstdint>

#include "inf/statement_context.h"

namespace inf {

/// Copy flags of Copy Files (case counts); an omitted flag is the first.
inline constexpr char kCopyNoOverwrite[] = "COPYFLG_NO_OVERWRITE";
inline constexpr char kCopyReplaceOnly[] = "COPYFLG_REPLACEONLY";

/// Applies the current section's rule to a complete parameter-list statement
/// that ended in `final_state` and appends its item to the current record.
/// Answers 0 or the section's code (0x3100-0x3900).
std::uint32_t AcceptListStatement(ListState final_state, ParameterItem item, StatementContext& ctx);

}  // namespace inf
