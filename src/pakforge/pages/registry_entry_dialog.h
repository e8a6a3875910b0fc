#pragma once
// The registry entry dialog (106): root, key, value name, type and value of
// one registry entry, with the value checked against its type on Register.

#include <windows.h>

#include <string>

#include "project/settings.h"
#include "pakforge/project_names.h"

namespace pakforge {

class MessageBoxes;

/// Runs dialog 106 modally over `entry`, owned by `owner`. The fields start
/// from `entry`; Register stores them into it and, once the key and the
/// value are present and the value passes the check of its type, ends with
/// 1. Cancel and closing end with 2 (the entry keeps what Register stored
/// before a refusal). Refusals are told through `messages`.
int RunRegistryEntryDialog(HINSTANCE instance, HWND owner, RegistryEntry& entry, MessageBoxes& messages);

}  // namespace pakforge
