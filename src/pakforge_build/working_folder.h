#pragma once
// The process's current folder, entered for a while.

#include <string>

namespace pakforge_build {

/// Enters the folder `kit_path` (a kit path) for the life of the object and
/// then goes back to the folder it came from. Nothing is entered when the
/// way back cannot be kept.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string& kit_path);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  /// Whether the folder was entered.
  bool entered() const { return entered_; }

 private:
#ifdef _WIN32
  std::string saved_;  // in the host's own form
#else
  int saved_ = -1;  // the folder come from, held open
#endif
  bool entered_ = false;
};

}  // namespace pakforge_build
