#pragma once
// The fields of pages 1 and 2 without their controls: how the version is
// split into its two fields and joined again, the proposed install folder
// and uninstall names, the program path shown on page 2, and the checks each
// page makes before it lets the author go on. The pages and pakforge-build
// both use them.

#include <string>

#include "base/file_access.h"
#include "project/settings.h"
#include "project/texts.h"

namespace project {

/// The field a refusal concerns (the page puts the focus there).
enum class Field {
  kNone,
  kProduct,
  kName,
  kCaption,
  kVer,
  kOutput,
  kSource,
  kInstDir,
  kUninstFile,
  kCmd,
  kUninstall,
  kFileRow,      ///< a row of the files list (page 3); `Refusal::row` names it
  kRegistryRow,  ///< a row of the registry list (page 4); `Refusal::row` names it
  kExe,          ///< the start-up program (page 2's picker)
};

/// Why a page refuses to go on: the message's string id, the field it
/// concerns, for a message with a "%s", the text that replaces it, and for
/// a row of a list, the row's index in the list's order.
struct Refusal {
  int string_id = 0;
  Field field = Field::kNone;
  std::string argument;
  int row = -1;
};

/// The version fields for `version`: the text before its first "." as the
/// major part; when there is a ".", the text after it up to a second "." as
/// the minor part (`has_minor` true), else `has_minor` false.
void SplitVersion(const std::string& version, std::string* major, std::string* minor,
                  bool* has_minor);

/// `Ver` from the two fields: an empty major counts as "1", an empty minor
/// as "0".
std::string JoinVersion(const std::string& major, const std::string& minor);

/// The program path shown on page 2: "\Program Disk\<inst_dir>\<exe>", or
/// the short form "\Program Disk\...\<exe>" when `short_form`.
std::string ProgramPathText(const std::string& inst_dir, const std::string& exe, bool short_form);

/// The default of an empty install folder or uninstall name: `prefix`, then
/// "<product><separator><name>" with a product, else "<name>", cut to at
/// most 100 bytes without splitting a double-byte character.
std::string DefaultInstallText(const std::string& prefix, const std::string& separator,
                               const std::string& product, const std::string& name);

/// Page 1's checks in order: every field filled, product, program and
/// archive names valid, the archive path (current directory, archive name,
/// ".lvar") short enough, the source folder name valid, and the source
/// folder present in `current_dir`. True when all pass; else false with the
/// first refusal.
bool CheckProgramFields(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                        Refusal* refusal);

/// Page 2's checks in order: install folder filled (and the uninstall name
/// when uninstall information is on; the refusal names the empty one), a
/// start-up program chosen, install
/// folder and uninstall names valid (the uninstall name even when
/// uninstall information is off). True when all pass; else false with the
/// first refusal.
bool CheckInstallFields(const ProjectSettings& settings, Refusal* refusal);

}  // namespace project
