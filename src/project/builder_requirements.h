#pragma once
// Install settings that the archive builder cannot take, found before
// Finish so that the author is told on page 2 rather than by a failed build.

#include "project/settings.h"

namespace project {

/// The string id that explains the first setting the builder would refuse,
/// or 0 when it takes them all:
/// - kStrCmdQuote: the start-up command line `Cmd` holds a double quote;
///   it is written inside a quoted value, which the builder rejects.
/// - kStrUninstallRequired: `Uninstall` is off; the builder requires the
///   uninstall key of the install description (devices rely on it).
int BuilderRefusal(const ProjectSettings& settings);

}  // namespace project
