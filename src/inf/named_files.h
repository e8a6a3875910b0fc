#pragma once
// The files that an install description names: the file each Copy Files
// line copies, and the files that the App Information keys ExeFile, Icon and
// Uninstall name. The reader tells a NamedFileSink of each as it reads them,
// so that a caller can compare them with the files it has.

#include <string>
#include <string_view>

namespace inf {

struct ParameterItem;

/// Receives the files a description names, one call per statement.
class NamedFileSink {
 public:
  virtual ~NamedFileSink() = default;
  /// `name` is the bare file name (Shift-JIS), `key` the section or key that
  /// names it ("Copy Files", "ExeFile", "Icon", "Uninstall") and `line` the
  /// line of the description that does.
  virtual void OnNamedFile(std::string_view name, std::string_view key, int line) = 0;
};

/// The part of a device path after its last backslash (a trail byte 0x5C of
/// a double-byte character is not one); the whole path when it has none.
std::string_view LastPathPart(std::string_view path);

/// The file a Copy Files line copies: its second parameter, or, when that
/// is omitted, the last part of the first.
std::string_view CopiedFileName(const ParameterItem& item);

/// When `key` (as written, any ASCII case) is ExeFile, Icon or Uninstall,
/// tells `sink` of the file that `value` names, its last part.
void ReportFileKey(NamedFileSink& sink, std::string_view key, std::string_view value, int line);

}  // namespace inf
