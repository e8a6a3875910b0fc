#pragma once
// Page 4 of the wizard (dialog 104): the registry entries that the package
// adds on the device, held as WizardApp::registry_rows and shown in the list
// IDC_REG_LIST.

#include <windows.h>

#include <string>

#include "project/settings.h"
#include "pakforge/pages/list_page.h"
#include "pakforge/project_names.h"

namespace pakforge {

/// Most rows of the registry list (a project holds at most this many).
inline constexpr int kMaxRegistryRows = 255;

/// The registry entries page: add and edit through dialog 106, copy and
/// delete rows. Publishes its list as `WizardApp::registry_list`.
class RegistryPage : public ListPage {
 public:
  explicit RegistryPage(WizardApp& app);

  /// Prepares the list, loads the project's entries, sorts them. Notes the
  /// root and type words of the project file that the wizard does not write.
  INT_PTR OnInitDialog(HWND window) override;
  /// Title and the Back, Next buttons. On the first activation after a
  /// project with words the wizard does not write, posts their message.
  INT_PTR OnSetActive() override;
  /// Shows message IDS_UNKNOWN_REGISTRY_WORDS (posted by OnSetActive) once,
  /// naming the rows, before the author can save a row read as HKLM or SZ.
  INT_PTR OnUserMessage(WPARAM wparam, LPARAM lparam) override;
  /// Refuses Next while a row fails the registry entry dialog's checks (a
  /// row loaded from a project file written by hand): the first such row
  /// is selected and its message shown.
  INT_PTR OnWizardNext() override;
  /// Add (1015), Edit (1016), Delete (1017), Copy (1018).
  INT_PTR OnCommand(int id, int code, HWND control) override;
  /// Row activation (edit), selection changes (button states) and the
  /// Delete key (deletes the selected rows, as the Delete button does).
  INT_PTR OnNotify(int control_id, NMHDR* notification) override;

 private:
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnCopy();
  /// Sorts the rows, shows them, and selects, focuses and scrolls into view
  /// the row that was at `row` before the sort.
  void ShowRow(int row);
  /// Enables Add, Edit, Delete and Copy for the rows and the selection.
  void UpdateButtons();

  /// The entry that dialog 106 edits.
  RegistryEntry entry_;
  /// The project's rows with words the wizard does not write, as
  /// UnknownRegistryWordsText lists them; emptied once shown.
  std::string unknown_words_;
};

}  // namespace pakforge
