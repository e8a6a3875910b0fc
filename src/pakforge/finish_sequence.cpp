#include "pakforge/finish_sequence.h"

#include <string>
#include <vector>

#include "base/text_table.h"
#include "project/file_utils.h"
#include "project/finish.h"
#include "project/name_lines.h"
#include "project/project_file.h"
#include "project/project_safety.h"
#include "pakforge/resources/resource.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/resource_text.h"
#include "pakforge/win32_services.h"
#include "pakforge/wizard_app.h"

namespace wizard::ui {
namespace {

// Asks whether the source folder's other ".txt"/".inf" files may be
// deleted; true when there are none or the answer is Yes.
bool MayRemoveForeignOutputs(MessageBoxes& boxes, const std::vector<std::string>& names, HWND owner) {
  if (names.empty()) return true;
  std::string text = base::FillText(LoadText(IDS_FOREIGN_OUTPUTS), {NameLines(names)});
  return boxes.ShowText(owner, IDS_FOREIGN_OUTPUTS, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

FinishOutcome RunFinishSequence(WizardApp& app, HWND owner) {
  // Each list is passed only while it is an existing window.
  HWND files_list = app.LiveFilesList();
  HWND registry_list = app.LiveRegistryList();
  ListViewFileRows files(files_list);
  ListViewRegistryRows registry(registry_list);
  const FileRowStore* file_rows = files_list ? &files : nullptr;
  const std::string current_dir = CurrentDirectory(app.fs);
  // A control character in a value, two files of one name (a copied file
  // among them) or a folder path the batch file cannot quote: nothing is
  // done and the wizard stays open for the author to mend it.
  std::string project = app.settings.ProjectPath.Text();
  if (project.empty()) DefaultProjectPath(current_dir, app.settings.Name.Text(), &project);
  std::string project_folder;
  SplitPath(project, &project_folder, nullptr, nullptr);
  SafetyRefusal unsafe;
  if (!CheckControlCharacters(app.settings, file_rows, registry_list ? &registry : nullptr, &unsafe) ||
      !CheckOutputNames(app.settings, file_rows, project.substr(project_folder.size()), &unsafe) ||
      !CheckBatchPaths(app.settings, current_dir, &unsafe)) {
    app.messages.ShowText(owner, unsafe.string_id, base::FillText(LoadText(unsafe.string_id), {unsafe.Detail()}),
                          MB_OK | MB_ICONHAND);
    return FinishOutcome::kDeclined;
  }
  std::vector<std::string> foreign;
  ListForeignOutputs(app.fs, app.settings, current_dir, file_rows, &foreign);
  if (!MayRemoveForeignOutputs(app.messages, foreign, owner)) return FinishOutcome::kDeclined;
  Win32MessageSink messages(app.messages, owner);
  CapturedBatchRunner starter(owner);
  const bool ok = RunFinish(app.fs, app.settings, current_dir, file_rows, registry_list ? &registry : nullptr, true, messages,
                     starter);
  return ok ? FinishOutcome::kDone : FinishOutcome::kFailed;
}

}  // namespace wizard::ui
