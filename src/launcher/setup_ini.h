#pragma once
// Reading the application name from "setup.ini".

#include <string>
#include <string_view>

#include "base/file_system.h"
#include "launcher/launcher_folder.h"

namespace launcher {

/// Room for the application name, terminator included: names are cut to 199 bytes.
inline constexpr std::size_t kAppNameRoom = 200;

/// The [APPNAME] appname value of an INI text, read with the rules of the
/// Windows profile functions (base::IniFile): section and key names compared
/// without regard to ASCII case, the first match wins, blanks around keys
/// and values dropped, one pair of matching surrounding quotes (' or ")
/// removed, lines starting with ';' ignored, a UTF-8 byte-order mark
/// skipped. A key present with an empty value gives the empty name. Without
/// the section or key the answer is `default_name`. The answer is cut to
/// kAppNameRoom - 1 bytes, never in the middle of a double-byte character
/// (`is_lead`).
std::string AppNameFromIni(std::string_view ini_text, std::string_view default_name,
                           LeadByteTest is_lead);

/// The [APPNAME] file value of an INI text (the archive's file name, as the
/// wizard writes it), read as AppNameFromIni reads its key but not cut;
/// empty without the section or key.
std::string ArchiveNameFromIni(std::string_view ini_text);

/// What the launcher takes from its INI file.
struct SetupIniValues {
  /// As AppNameFromIni reads it.
  std::string app_name;
  /// As ArchiveNameFromIni reads it.
  std::string archive_name;
};

/// Reads the INI file at `path` (a host path); a file that cannot be read
/// counts as empty: `default_name` and no archive name.
SetupIniValues ReadSetupIni(base::FileSystem& files, const std::string& path,
                            std::string_view default_name, LeadByteTest is_lead);

}  // namespace launcher
