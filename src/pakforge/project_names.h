#pragma once
#include "pakforge/project_names.h"
// Pakforge's windows are callers of the project core: they take its settings,
// rows, checks and text ids throughout, so the core's names are used
// unqualified inside namespace pakforge.

namespace project {}

namespace pakforge {
using namespace project;
}  // namespace pakforge
