#include "pakforge/pages/files_page.h"

#include <string>
#include <vector>

#include "base/text_table.h"
#include "project/file_utils.h"
#include "project/name_lines.h"
#include "project/project_file.h"
#include "project/project_pipeline.h"
#include "project/project_safety.h"
#include "pakforge/resources/resource.h"
#include "project/row_store.h"
#include "project/source_folder_rules.h"
#include "project/texts.h"
#include "pakforge/pages/folder_chooser_dialog.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/resource_text.h"
#include "pakforge/win32_services.h"
#include "pakforge/wizard_app.h"

namespace pakforge {
namespace {

// The WM_USER request for the question about files a project leaves out.
constexpr WPARAM kOfferUnlistedFiles = 1;

}  // namespace

FilesPage::FilesPage(WizardApp& app) : ListPage(app, IDD_FILES_PAGE, IDC_FILES_LIST) {}

INT_PTR FilesPage::OnInitDialog(HWND window) {
  ListPage::OnInitDialog(window);
  app_.files_list = list_;
  RECT client = {};
  GetClientRect(list_, &client);
  AddListViewColumn(list_, 0, LoadText(IDS_COL_FILE_NAME), client.right - client.left - 180);
  AddListViewColumn(list_, 1, " ", 20);
  AddListViewColumn(list_, 2, LoadText(IDS_COL_DEST), 120);
  AddListViewColumn(list_, 3, " ", 20);

  view_ = FileListView(list_);
  MemoryFileRowStore& rows = app_.file_rows;
  rows.Clear();
  const std::string& project = app_.settings.ProjectPath.Text();
  if (!project.empty()) {
    rows = app_.OpenedProject().files;
    check_unlisted_ = true;
  }
  SortFileRows(rows);
  MarkFileRows();

  std::string path;
  SetControlText(IDC_FILES_SOURCE_PATH,
                 SourcePath(&path) ? path.c_str() : LoadText(IDS_NOT_FOUND).c_str());
  EnableWindow(GetDlgItem(window, IDC_FILES_DEST), FALSE);
  SetFocus(list_);
  return 0;
}

INT_PTR FilesPage::OnSetActive() {
  SetTitleAndButtons(PSWIZB_BACK | PSWIZB_NEXT);
  if (app_.file_rows.Count() == 0 || app_.page_state.source_changed) {
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_FILES_REFRESH, BN_CLICKED), 0);
  } else {
    MarkFileRows();
    if (check_unlisted_) PostMessageA(window_, kPagePostedWork, kOfferUnlistedFiles, 0);
  }
  return 0;
}

INT_PTR FilesPage::OnUserMessage(WPARAM wparam, LPARAM) {
  if (wparam != kOfferUnlistedFiles) return FALSE;
  OfferUnlistedFiles();
  return TRUE;
}

INT_PTR FilesPage::OnCommand(int id, int, HWND control) {
  if (id == IDC_FILES_DEST) {
    OnDestinationFolder();
  } else if (id == IDC_FILES_REFRESH) {
    if (control == nullptr || MayRebuild()) RebuildFileList();
  }
  return 0;
}

INT_PTR FilesPage::OnNotify(int control_id, NMHDR* notification) {
  if (control_id != IDC_FILES_LIST) return 0;
  if (notification->code == LVN_ITEMACTIVATE) {
    if (DestinationAllowed()) {
      PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_FILES_DEST, BN_CLICKED), 0);
    }
  } else if (notification->code == LVN_ITEMCHANGED) {
    EnableWindow(GetDlgItem(window_, IDC_FILES_DEST), DestinationAllowed());
  } else if (notification->code == LVN_KEYDOWN) {
    if (reinterpret_cast<NMLVKEYDOWN*>(notification)->wVKey == VK_DELETE) RemoveMissingSelectedRows();
  }
  return 0;
}

INT_PTR FilesPage::OnWizardNext() {
  // The core's check of page 3, over the folder read once and the rows as
  // marked on activation.
  SourceFolderScan scan;
  const bool scanned = ScanSource(&scan);
  const ProjectSettings& s = app_.settings;
  const std::string current_dir = CurrentDirectory(app_.fs);
  const MemoryFileRowStore& rows = app_.file_rows;
  // A hand-edited project may hold paths where names belong: the message
  // and then the key that holds one, before any row is looked up.
  SafetyRefusal unsafe;
  if (!CheckProjectNames(s, &rows, &unsafe)) {
    const std::string text = LoadText(unsafe.string_id) + "\n\n" + unsafe.Detail();
    return RefuseWithText(unsafe.string_id, text.c_str(), 0);
  }
  MemoryRegistryRowStore no_registry;
  Refusal refusal;
  if (CheckFilesPage({app_.fs, s, current_dir, scanned ? &source_ : nullptr, rows, no_registry}, &refusal)) return 0;
  if (refusal.field == Field::kFileRow) ShowFirstMissingRow();
  return RefuseWithMessage(refusal.string_id, 0);
}

bool FilesPage::SourcePath(std::string* path) const {
  return app_.settings.SourceFolderPath(CurrentDirectory(app_.fs), path);
}

bool FilesPage::ShowSourcePath(std::string* path) {
  if (!SourcePath(path)) {
    SetControlText(IDC_FILES_SOURCE_PATH, LoadText(IDS_NOT_FOUND).c_str());
    return false;
  }
  SetControlText(IDC_FILES_SOURCE_PATH, path->c_str());
  if (SourcePathTooLong(*path)) {
    Warn(IDS_SOURCE_TOO_LONG);
    return false;
  }
  return true;
}

void FilesPage::RebuildFileList() {
  ProjectSettings& s = app_.settings;
  PageState& state = app_.page_state;
  check_unlisted_ = false;
  state.source_changed = state.duplicate_names = state.missing_files = false;
  s.ScannedSource.Assign(s.Source.Text());
  MemoryFileRowStore& rows = app_.file_rows;
  rows.Clear();
  view_.Show(rows);
  EnableWindow(GetDlgItem(window_, IDC_FILES_DEST), FALSE);

  SourceFolderScan scan;
  if (!ScanSource(&scan)) return;
  state.duplicate_names = scan.duplicate_names;
  RebuildFileRows(s, scan, rows);
  view_.Show(rows);

  if (rows.Count() == 0) {
    Warn(IDS_NO_FILES);
    return;
  }
  if (state.native_ina_count == 0) Warn(IDS_NO_NATIVE_INA);
  if (state.native_ina_count >= 2) Warn(IDS_MANY_NATIVE_INA);
  if (state.duplicate_names) Warn(IDS_DUPLICATE_NAMES);
  if (state.path_too_long) Warn(IDS_PATH_TOO_LONG);
  if (state.nested_folders) Warn(IDS_NESTED_FOLDERS);
}

void FilesPage::CheckSourceFolder() {
  SourceFolderScan scan;
  ScanSource(&scan);
}

bool FilesPage::ScanSource(SourceFolderScan* scan) {
  PageState& state = app_.page_state;
  state.native_ina_count = 0;
  state.nested_folders = state.path_too_long = false;
  std::string path;
  if (!ShowSourcePath(&path)) return false;
  source_.Read(app_.fs, path);
  *scan = ScanSourceFolder(source_, app_.settings.InstDir.Text());
  state.native_ina_count = scan->native_ina_count;
  state.path_too_long = scan->path_too_long;
  state.nested_folders = scan->nested_folders;
  return true;
}

bool FilesPage::ReadSource() { return ReadSourceFolder(app_.fs, app_.settings, CurrentDirectory(app_.fs), &source_); }

void FilesPage::MarkFileRows() {
  app_.page_state.missing_files =
      project::MarkFileRows(app_.file_rows, app_.settings.Exe.Text(), ReadSource() ? &source_ : nullptr);
  view_.Show(app_.file_rows);
}

bool FilesPage::DestinationAllowed() const {
  const std::vector<FileRow>& rows = app_.file_rows.rows;
  int row = NextSelectedRow(list_, -1);
  if (row < 0) return false;
  for (; row >= 0; row = NextSelectedRow(list_, row)) {
    if (row >= static_cast<int>(rows.size()) || IsProgramOrLibrary(rows[static_cast<std::size_t>(row)].name)) {
      return false;
    }
  }
  return true;
}

void FilesPage::OnDestinationFolder() {
  FolderChooser& chooser = app_.settings.Folders;
  const int result = ChooseDestinationFolder(instance_, window_, chooser, app_.messages);
  if (result < kChooserAppFolder || result > kChooserAppOwn) return;
  FileRowKind kind = AppRoot;
  if (result == kChooserDocFixed) kind = Doc;
  if (result == kChooserDocOwn) kind = DocOriginal;
  if (result == kChooserAppOwn) kind = AppOriginal;
  const std::string folder = result == kChooserAppFolder ? std::string(kAppFolderText) : chooser.result.Text();
  std::vector<FileRow>& rows = app_.file_rows.rows;
  for (int row = NextSelectedRow(list_, -1); row >= 0; row = NextSelectedRow(list_, row)) {
    if (row >= static_cast<int>(rows.size())) break;
    FileRow& file = rows[static_cast<std::size_t>(row)];
    file.kind = kind;
    file.folder = folder;
  }
  view_.Show(app_.file_rows);
}

void FilesPage::Warn(int string_id) { app_.messages.Show(window_, string_id, MB_ICONEXCLAMATION); }

bool FilesPage::MayRebuild() {
  if (!HasChosenDestination(app_.file_rows)) return true;
  return app_.messages.Show(window_, IDS_REREAD_FILES, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void FilesPage::OfferUnlistedFiles() {
  if (!check_unlisted_) return;
  check_unlisted_ = false;
  const ProjectSettings& s = app_.settings;
  if (!ReadSource()) return;
  MemoryFileRowStore& rows = app_.file_rows;
  const std::vector<std::string> names = UnlistedFiles(rows, ScanSourceFolder(source_, s.InstDir.Text()).files);
  if (names.empty()) return;
  const std::string text = base::FillText(LoadText(IDS_UNLISTED_FILES), {NameLines(names)});
  if (app_.messages.ShowText(window_, IDS_UNLISTED_FILES, text, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  for (const std::string& name : names) {
    if (!InsertFileRow(rows, name, s.Exe.Equals(name, true), std::string(), AppRoot)) break;
  }
  SortFileRows(rows);
  MarkFileRows();
}

void FilesPage::RemoveMissingSelectedRows() {
  const bool read = ReadSource();
  std::vector<FileRow>& rows = app_.file_rows.rows;
  std::vector<bool> remove(rows.size(), false);
  bool any = false;
  for (int row = NextSelectedRow(list_, -1); row >= 0 && row < static_cast<int>(rows.size());
       row = NextSelectedRow(list_, row)) {
    if (!read || !source_.Contains(rows[static_cast<std::size_t>(row)].name)) remove[static_cast<std::size_t>(row)] = any = true;
  }
  if (!any) return;
  // The rows kept renumbered by their new places, so running numbers stay
  // unique and rows added later cannot repeat one; those selected stay so.
  std::vector<FileRow> kept;
  std::vector<std::uint16_t> selected;
  for (std::size_t at = 0; at < rows.size(); ++at) {
    if (remove[at]) continue;
    const bool was_selected =
        SendMessageA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(at), LVIS_SELECTED) & LVIS_SELECTED;
    kept.push_back(rows[at]);
    kept.back().number = static_cast<std::uint16_t>(kept.size() - 1);
    if (was_selected) selected.push_back(kept.back().number);
  }
  rows = std::move(kept);
  view_.Show(app_.file_rows, &selected);
  MarkFileRows();
  EnableWindow(GetDlgItem(window_, IDC_FILES_DEST), DestinationAllowed());
}

void FilesPage::ShowFirstMissingRow() {
  EveryFileRow(&app_.file_rows, [this](int index, const FileRow& row) {
    if (!row.missing) return true;
    SelectListViewRow(list_, index);
    SetFocus(list_);
    return false;
  });
}

}  // namespace pakforge
