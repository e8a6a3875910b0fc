#pragma once
// Files that the install descriptions name but the archive does not hold: a
// copy line's file, or the file of ExeFile, Icon or Uninstall. The device
// would fail to install such a package, yet the check passes as it always
// has; the builder warns of each once the checks have passed.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/console.h"
#include "builder/source_file.h"
#include "inf/diagnostic.h"
#include "inf/named_files.h"

namespace builder {

/// Told of the files the descriptions name while they are read (through
/// InstallInfoState::named_files), keeps those that no entry of the scan
/// holds (names compared without regard to ASCII case, as the device's file
/// system compares them).
class NamedFileCheck : public inf::NamedFileSink {
 public:
  /// Warnings kept in full; beyond them only a count, so that a hostile
  /// description cannot make memory grow with its size.
  static constexpr std::size_t kMaxKept = 100;

  explicit NamedFileCheck(const ScanResult& scan);
  /// The description whose lines follow, as messages show it.
  void StartDescription(std::string message_path) { description_ = std::move(message_path); }
  void OnNamedFile(std::string_view name, std::string_view key, int line) override;
  /// Prints a warning for each file kept, in the order they were named,
  /// then the number of any beyond them. With `diagnostics` (the
  /// diagnostics mode, whose collector is `console`), each warning stands at
  /// the line that names the file.
  void Warn(base::Console& console, inf::DiagnosticCollector* diagnostics = nullptr) const;

 private:
  struct Missing {
    std::string description, key, name;
    int line;
  };
  std::unordered_set<std::string> packed_;
  std::string description_;
  std::string folded_;  // the name being looked up, ASCII letters upper-cased
  std::vector<Missing> missing_;
  std::uint64_t more_ = 0;
};

}  // namespace builder
