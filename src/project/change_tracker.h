#pragma once
// Whether the author changed anything since the wizard opened or a project
// was loaded, so that closing the wizard can ask before work is lost.

#include <string>

#include "project/row_store.h"
#include "project/settings.h"

namespace project {

/// Everything of the project that the author edits and Finish would save,
/// as one comparable text: the settings the project file keeps, the own
/// folders of the destination chooser, and the rows of both lists (file
/// rows by name, folder, side and kind; the marks are recomputed by the
/// files page and do not count; the lists sort themselves, so the order of
/// the rows does not count either). Page state, the opened project's path
/// and the chooser's mode are not the author's work and are left out. A
/// null store counts as an empty list.
std::string ProjectState(const ProjectSettings& settings, const FileRowStore* files,
                         const RegistryRowStore* registry);

/// Remembers the project's state at a starting point (the wizard opened,
/// a project loaded) and the edits of fields whose text is not yet in the
/// settings (the pages store their fields on Next).
class ChangeTracker {
 public:
  /// Takes `state` as the starting point and forgets the edits noted.
  void Start(std::string state);
  /// Notes that the author edited a field of a page.
  void NoteEdit() { edited_ = started_; }
  /// True when a field was edited since the start, or `state` differs from
  /// the starting one. Before any start nothing counts as changed.
  bool Changed(const std::string& state) const;

 private:
  bool started_ = false;
  bool edited_ = false;
  std::string start_;
};

}  // namespace project
