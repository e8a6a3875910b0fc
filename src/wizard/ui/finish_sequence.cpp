#include "wizard/ui/finish_sequence.h"

#include "wizard/file_utils.h"
#include "wizard/finish.h"
#include "wizard/ui/pages/list_view_rows.h"
#include "wizard/ui/win32_services.h"
#include "wizard/ui/wizard_app.h"

namespace wizard::ui {

int RunFinishSequence(WizardApp& app, HWND owner) {
  // Each list is passed only while it is an existing window.
  HWND files_list = app.LiveFilesList();
  HWND registry_list = app.LiveRegistryList();
  ListViewFileRows files(files_list);
  ListViewRegistryRows registry(registry_list);
  Win32MessageSink messages(owner);
  ShellBatchStarter starter(app.host_window);
  return RunFinish(app.settings, CurrentDirectory(), files_list ? &files : nullptr,
                   registry_list ? &registry : nullptr, true, messages, starter);
}

}  // namespace wizard::ui
