#pragma once
// The project file "Pakforge_<program name>.ini" in the current directory:
// saving, loading, the field readers of its Registry rows, and the listing
// behind the saved-project picker (dialog 108).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_access.h"
#include "base/ini_file.h"
#include "project/row_store.h"
#include "project/settings.h"

namespace project {

/// Writes every section (Pakforge, Property, Registry, CopyFile, Folder,
/// SetupIni, each removed and written again, in that order; other sections
/// of the file stay) to the file at `path`. A null store counts as an empty
/// list. False when the file could not be written, or when it is larger than
/// any the wizard writes (ProjectFileTooLarge: it is left as it is).
bool SaveProject(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& path,
                 const FileRowStore* files, const RegistryRowStore* registry);

/// The first character of a project file saved as UTF-8 that Shift-JIS
/// lacks (an emoji, say), or, in a file that begins with the UTF-8
/// byte-order mark, the first byte that is no part of a UTF-8 character.
/// Such a file cannot be read as the wizard's Shift-JIS: it is parsed as it
/// is, and every non-ASCII text of it reads garbled.
struct UnconvertibleCharacter {
  int line = 0;             ///< from 1; 0 when the file holds no such character
  std::string key;          ///< the key (Shift-JIS) when the character stands in the value of a "key=value" line
  std::string character;    ///< the character as UTF-8 (the byte, when `malformed`)
  std::uint32_t point = 0;  ///< its code point (the byte's value, when `malformed`)
  bool malformed = false;   ///< a byte that is no UTF-8, in a file marked as UTF-8
};

/// The character of `u` as its code point is written: "U+1F600"; a
/// malformed byte as its value: "0xC3".
std::string CodePointText(const UnconvertibleCharacter& u);

/// Reads and parses the project file at `path` once, for the loaders
/// below. A file that an editor saved as UTF-8 (with a byte-order mark, or
/// without one when it is valid UTF-8 and not all ASCII) is read as the
/// Shift-JIS the wizard writes, unless it holds a character that Shift-JIS
/// lacks, or, marked, a byte that is no UTF-8: then it is parsed as it is,
/// and `unconvertible` (when not null) receives the first such character;
/// otherwise it is cleared. False (and
/// an empty `ini`) when it cannot be read, or when it is larger than any
/// project file the wizard writes (ProjectFileTooLarge), which is then not
/// read at all.
bool ReadProjectFile(const base::FileAccess& fs, const std::string& path, base::IniFile* ini,
                     UnconvertibleCharacter* unconvertible = nullptr);

/// Reads sections Property, Folder and SetupIni of `ini` into `settings`
/// (absent keys give the documented defaults).
void LoadProjectSettings(ProjectSettings& settings, const base::IniFile& ini);

/// Empties `files` and adds one row per CopyFile/File<j> (j from 0 until the
/// first absent or empty key), through InsertFileRow.
void LoadCopyFileRows(const base::IniFile& ini, FileRowStore& files);

/// A root or type word of a Registry row that is none of the words the
/// wizard writes (kRegistryRootWords, kRegistryTypeWords, letter case as
/// written), which the wizard reads as HKLM or SZ.
struct UnknownRegistryWord {
  int row = 0;        ///< i of RegistryKey<i>
  bool type = false;  ///< false: the root word (first field), true: the type word (fourth)
  std::string word;   ///< the word as written, at most 49 bytes of it
};

/// The root words the wizard writes, and the type words.
inline constexpr const char* kRegistryRootWords[] = {"HKLM", "HKCU", "HKCR"};
inline constexpr const char* kRegistryTypeWords[] = {"SZ", "DWORD", "BINARY", "MULTI_SZ"};

/// Empties `registry` and adds one row per Registry/RegistryKey<i> (i from 0
/// to 254, stopping at the first absent or empty key). A root is read from
/// its first 4 bytes ("HKCR", "HKCU", anything else HKLM), a type from the
/// whole word ("MULTI_SZ", "DWORD", "BINARY", anything else SZ). Every
/// root or type word that is not exactly one the wizard writes is added to
/// `unknown` (when not null), in row order, the root before the type.
void LoadRegistryRows(const base::IniFile& ini, RegistryRowStore& registry,
                      std::vector<UnknownRegistryWord>* unknown = nullptr);

/// Reads one comma-separated field of a Registry row from `*rest` into
/// `out`, keeping at most `room` - 1 bytes (the rest of a too-long field is
/// skipped). A comma ends the field and `*rest` continues after it; NUL, CR,
/// LF or 0x1A end the row (`*rest` becomes empty). Double-byte characters
/// are kept whole, so their trail byte never splits.
void ReadField(std::string_view* rest, std::string* out, std::size_t room);

/// Reads the rest of the row (up to NUL, CR, LF or 0x1A, commas included)
/// into `out`, keeping at most `room` - 1 bytes.
void ReadLastField(std::string_view rest, std::string* out, std::size_t room);

/// The project file that Finish writes for a new project: the current
/// directory, a separator, "Pakforge_", `program_name` and ".ini". False
/// when length(dir) + length(name) + 15 reaches 260 (kStrProgramNameTooLong).
bool DefaultProjectPath(const std::string& current_dir, const std::string& program_name,
                        std::string* path);

/// Done when the project picker opens: renames every "Pakfrge_*.ini" of `current_dir` to the
/// "Pakforge_" form (a file whose new name exists keeps its old name).
/// Nothing happens when the directory is 245 bytes or longer.
void RenameOldProjectFiles(const base::FileAccess& fs, const std::string& current_dir);

/// The rows of the project picker: the project names of "Pakforge_*.ini" files of
/// `current_dir` (file name without its last extension and without the
/// first 9 bytes), in listing order. Empty when the directory is 245 bytes
/// or longer.
std::vector<std::string> ListProjectNames(const base::FileAccess& fs, const std::string& current_dir);

/// The path of the project named `name`, chosen in the project picker.
std::string ProjectPathFor(const std::string& current_dir, const std::string& name);

}  // namespace project
