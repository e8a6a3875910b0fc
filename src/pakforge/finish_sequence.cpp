#include "pakforge/finish_sequence.h"

#include <string>
#include <vector>

#include "base/text_table.h"
#include "project/file_utils.h"
#include "project/finish.h"
#include "project/name_lines.h"
#include "project/project_file.h"
#include "project/project_run.h"
#include "project/texts.h"
#include "pakforge/resources/resource.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/resource_text.h"
#include "pakforge/win32_services.h"
#include "pakforge/wizard_app.h"

namespace pakforge {
namespace {

// Asks whether the source folder's other ".txt"/".inf" files may be
// deleted; goes on when there are none or the answer is Yes.
class AskForeignOutputs : public ForeignOutputPolicy {
 public:
  AskForeignOutputs(MessageBoxes& boxes, HWND owner) : boxes_(boxes), owner_(owner) {}
  ForeignOutputs Decide(const std::vector<std::string>& names) override {
    if (names.empty()) return ForeignOutputs::kRemove;
    std::string text = base::FillText(LoadText(IDS_FOREIGN_OUTPUTS), {NameLines(names)});
    const int answer =
        boxes_.ShowText(owner_, IDS_FOREIGN_OUTPUTS, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    return answer == IDYES ? ForeignOutputs::kRemove : ForeignOutputs::kStop;
  }

 private:
  MessageBoxes& boxes_;
  HWND owner_;
};

}  // namespace

FinishOutcome RunFinishSequence(WizardApp& app, HWND owner) {
  // Each list is passed only while it is an existing window.
  HWND files_list = app.LiveFilesList();
  HWND registry_list = app.LiveRegistryList();
  ProjectRun run(app.fs, CurrentDirectory(app.fs));
  run.Take(app.settings, files_list ? &app.file_rows : nullptr, registry_list ? &app.registry_rows : nullptr);
  // A control character in a value, two files of one name (a copied file
  // among them) or a folder path the batch file cannot quote: nothing is
  // done and the wizard stays open for the author to mend it.
  CheckRefusal refusal;
  if (!run.Check(CheckStage::kAtFinish, &refusal)) {
    const SafetyRefusal& unsafe = refusal.unsafe;
    app.messages.ShowText(owner, unsafe.string_id, base::FillText(LoadText(unsafe.string_id), {unsafe.Detail()}),
                          MB_OK | MB_ICONHAND);
    return FinishOutcome::kDeclined;
  }
  AskForeignOutputs foreign(app.messages, owner);
  Win32MessageSink messages(app.messages, owner);
  CapturedBatchRunner starter(owner);
  BatchFileBuild build(messages, starter, /*save=*/true);
  switch (run.Finish(foreign, build)) {
    case project::FinishResult::kDeclined:
      return FinishOutcome::kDeclined;
    case project::FinishResult::kNotWritten:
      messages.Show(kStrNotAllWritten, MessageIcon::kError, std::string());
      return FinishOutcome::kFailed;
    case project::FinishResult::kBuilt:
      return FinishOutcome::kDone;
    case project::FinishResult::kNotReady:
    case project::FinishResult::kBuildFailed:
      break;
  }
  return FinishOutcome::kFailed;
}

}  // namespace pakforge
