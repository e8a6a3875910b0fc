#pragma once
// Key setters of the three key-value sections. Each stores one definition
// (key as written, unquoted value) in its record and answers 0 or a code to
// which the definition handler adds the section's value.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/console.h"
#include "inf/install_description.h"

namespace inf {

/// Longest Maker and Program value, in bytes.
inline constexpr std::size_t kMaxNameValueBytes = 64;

/// The keys of a key-value section as the setters spell them (App
/// Information, Uninstall Information, Ex-Install Information); empty for
/// every other section.
std::vector<std::string_view> SectionKeys(SectionKind kind);

/// Stores a key of App Information. Codes: 0x10 Version given twice,
/// 0x20 + e / 0x30 + e minor / major part not a number, 0x40 key given twice,
/// 0x50 value too long, 0x60 unknown key.
std::uint32_t SetAppInformationKey(AppInformationRecord* record, std::string_view key,
                                   std::string_view value, base::Console& console);

/// Stores a key of Uninstall Information. Codes: 0x10 key given twice,
/// 0x20 value too long, 0x30 unknown key.
std::uint32_t SetUninstallInformationKey(UninstallInformationRecord* record, std::string_view key,
                                         std::string_view value, base::Console& console);

/// Stores a key of Ex-Install Information. Codes: 0x10 Program given twice,
/// 0x30 + e TimeOut not a number, 0x30 unknown key.
std::uint32_t SetExInstallInformationKey(ExInstallInformationRecord* record, std::string_view key,
                                         std::string_view value, base::Console& console);

}  // namespace inf
