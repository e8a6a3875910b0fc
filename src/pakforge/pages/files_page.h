#pragma once
// Page 3 of the wizard (dialog 103): the files of the source folder (and of
// its direct sub-folders) that the package copies, with their destination
// folders, held as WizardApp::file_rows and shown in the list IDC_FILES_LIST.

#include <windows.h>

#include <string>
#include <vector>

#include "project/source_folder_rules.h"
#include "pakforge/pages/list_page.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/project_names.h"

namespace pakforge {

/// The files page. Publishes its list as `WizardApp::files_list`.
class FilesPage : public ListPage {
 public:
  explicit FilesPage(WizardApp& app);

  /// Prepares the list, loads the project's rows, sorts and marks them.
  /// Rows from a project are checked once, on the first activation, for
  /// source folder files they leave out.
  INT_PTR OnInitDialog(HWND window) override;
  /// Title and buttons; then a rebuild (posted) when the list is empty or
  /// the source folder changed, else a new marking.
  INT_PTR OnSetActive() override;
  /// Destination folder (1029) and rebuild (1031). A click on the rebuild
  /// button asks first when a row has a chosen destination; the rebuild the
  /// page posts itself comes without a control and does not ask.
  INT_PTR OnCommand(int id, int code, HWND control) override;
  /// Rescans the source folder and refuses Next while a rule of the core's
  /// CheckFilesPage is broken; for missing files the first missing row
  /// is selected and shown.
  INT_PTR OnWizardNext() override;
  /// Row activation, selection changes and the Delete key of the list.
  INT_PTR OnNotify(int control_id, NMHDR* notification) override;
  /// The question about files a loaded project leaves out (posted by the
  /// first activation).
  INT_PTR OnUserMessage(WPARAM wparam, LPARAM lparam) override;

  /// Empties the list and lists the source folder again (command 1031),
  /// with its warnings.
  void RebuildFileList();
  /// Scans the source folder for the rules checked on Next, leaving the
  /// list alone.
  void CheckSourceFolder();
  /// Sets every row's start-up and missing facts, which the list shows as
  /// "*" and "x" (updates PageState::missing_files).
  void MarkFileRows();

 private:
  /// Shows the source folder path and scans it, storing the counts of
  /// "Native.ina" files, too long paths and nested folders into the settings
  /// (all 0 first); false, with nothing scanned, when it cannot be scanned.
  bool ScanSource(SourceFolderScan* scan);
  /// The source folder path (ending in a separator); false when too long.
  bool SourcePath(std::string* path) const;
  /// Shows the source folder path, or IDS_NOT_FOUND, in IDC_FILES_SOURCE_PATH; answers
  /// false (after warning 34 when the path is too long to scan).
  bool ShowSourcePath(std::string* path);
  /// True when at least one row is selected and none is a program or
  /// library (".exe", ".dll").
  bool DestinationAllowed() const;
  void OnDestinationFolder();
  void Warn(int string_id);
  /// True when no row has a chosen destination or the user agrees that a
  /// rebuild may reset them.
  bool MayRebuild();
  /// Names the source folder files that no row lists and, when the user
  /// agrees, adds them as a rebuild would.
  void OfferUnlistedFiles();
  /// Removes the selected rows whose file is not in the source folder.
  void RemoveMissingSelectedRows();
  /// Selects the first missing row alone and scrolls it into view.
  void ShowFirstMissingRow();

  /// Reads the source folder into `source_`; false when it cannot be read.
  bool ReadSource();

  /// The rows came from a project and have not been checked for files
  /// they leave out.
  bool check_unlisted_ = false;
  /// The source folder as the last operation read it.
  SourceIndex source_;
  /// The list control showing WizardApp::file_rows.
  FileListView view_;
};

}  // namespace pakforge
