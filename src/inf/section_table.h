#pragma once
// The section table: names, kinds and the statement handler of each section.

#include <string_view>

#include "inf/install_description.h"

namespace inf {

/// Which state machine reads the statements of a section.
enum class HandlerKind { kSectionHead, kDefinition, kParameterList, kAddRegistry };

/// The name of `kind` as the table writes it ("" for kNone).
std::string_view SectionName(SectionKind kind);

/// The handler of `kind`.
HandlerKind SectionHandler(SectionKind kind);

/// Looks `name` up without regard to ASCII case; kNone when not found.
SectionKind FindSection(std::string_view name);

}  // namespace inf
