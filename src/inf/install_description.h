#pragma once
// The records that reading one install information file collects: one
// section record per section head, in file order, each with its key record
// or its item list. Unset texts are empty optionals.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace inf {

/// Kinds of the section table (kNone: outside any section).
enum class SectionKind : int {
  kNone = 0,
  kAppInformation = 1,
  kUninstallInformation = 2,
  kMakeDirs = 3,
  kDeleteDirs = 4,
  kCopyFiles = 5,
  kSetupDataFiles = 6,
  kDeleteFiles = 7,
  kAddRegistry = 8,
  kDeleteRegistry = 9,
  kExInstallInformation = 10,
};

using OptionalText = std::optional<std::string>;

/// Keys of an App Information section (MajorVer 0 means unset).
struct AppInformationRecord {
  OptionalText maker, program;
  std::uint32_t major_ver = 0, minor_ver = 0;
  OptionalText install_dir, exe_file, uninstall, icon, caption, wave, sound_bmp, command_line,
      op_data, setting_dll, destination, unload;
  /// The line on which Destination was given (0 when unknown).
  int destination_line = 0;
};

/// Keys of an Uninstall Information section.
struct UninstallInformationRecord {
  OptionalText maker, program;
};

/// Keys of an Ex-Install Information section.
struct ExInstallInformationRecord {
  OptionalText program;
  std::uint32_t time_out = 0;
};

/// One statement of a list section: up to three texts (omitted ones empty).
struct ParameterItem {
  std::string p1, p2, p3;
};

/// Data types of Add Registry values.
enum class RegistryDataType { kSz, kBinary, kDword, kMultiSz };

/// One statement of an Add Registry section. The value is the one that the
/// data type names; the others stay empty.
struct AddRegistryItem {
  std::string root_key, subkey, value_name, data_type, write_flag;
  std::string sz;                        // REG_SZ
  std::uint32_t dword = 0;               // REG_DWORD
  std::vector<unsigned char> binary;     // REG_BINARY
  std::vector<std::string> multi_sz;     // REG_MULTI_SZ
};

/// One statement of a Delete Registry section.
struct DeleteRegistryItem {
  std::string root_key, subkey, value_name;
};

using SectionData =
    std::variant<AppInformationRecord, UninstallInformationRecord, ExInstallInformationRecord,
                 std::vector<ParameterItem>, std::vector<AddRegistryItem>,
                 std::vector<DeleteRegistryItem>>;

/// One section head and what the statements after it gave.
struct SectionRecord {
  SectionKind kind = SectionKind::kNone;
  SectionData data;
  /// Statements added to a list section (also when their items are not
  /// kept).
  std::uint64_t item_count = 0;
};

/// Section records in file order.
using SectionList = std::vector<SectionRecord>;

/// A new, empty record of `kind` (kNone is not a section).
SectionRecord MakeSectionRecord(SectionKind kind);

}  // namespace inf
