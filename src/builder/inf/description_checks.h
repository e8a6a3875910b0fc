#pragma once
// The checks that run when a file has been read completely: required keys of
// the key-value sections (with a listing of the record when one fails) and
// at least one statement in every list section but Setup Data-Files.

#include <cstdint>

#include "base/console.h"
#include "builder/inf/install_description.h"
#include "builder/inf/install_info.h"

namespace builder {

/// Checks the records of one file in file order and stops at the first that
/// fails, answering its code (0x10000 + bits for App Information, 0x20000 +
/// bits for Uninstall Information, 0x30000-0x90000 for an empty list
/// section, 0xA0001 for Ex-Install Information). Each App Information record
/// checked records the flag, the uninstall file name and the destination code
/// in `state`.
std::uint32_t CheckInstallDescription(const SectionList& sections, base::Console& console,
                                      InstallInfoState* state);

}  // namespace builder
