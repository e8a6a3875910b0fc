#include "pakforge/wizard_app.h"

#include "project/project_file.h"
#include "pakforge/resources/resource.h"
#include "pakforge/pages/files_page.h"
#include "pakforge/pages/finish_page.h"
#include "pakforge/pages/install_page.h"
#include "pakforge/pages/io_page.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/pages/registry_page.h"
#include "pakforge/resource_text.h"

namespace pakforge {

WizardApp::WizardApp(const base::FileAccess& files, base::PathResolver& path_resolver, MessageBoxes& boxes)
    : fs(files), resolver(path_resolver), messages(boxes) {
  pages_[0] = std::make_unique<IoPage>(*this);
  pages_[1] = std::make_unique<InstallPage>(*this);
  pages_[2] = std::make_unique<FilesPage>(*this);
  pages_[3] = std::make_unique<RegistryPage>(*this);
  pages_[4] = std::make_unique<FinishPage>(*this);
}

WizardApp::~WizardApp() = default;

const LoadedProject& WizardApp::OpenedProject() {
  const std::string& path = settings.ProjectPath.Text();
  if (!opened_read_ || opened_path_ != path) {
    opened_ = LoadedProject();
    if (!path.empty()) LoadProject(fs, path, &opened_);
    opened_path_ = path;
    opened_read_ = true;
  }
  return opened_;
}

std::string WizardApp::ProjectStateNow() {
  const std::string& project = settings.ProjectPath.Text();
  MemoryFileRowStore saved_files;
  MemoryRegistryRowStore saved_registry;
  const FileRowStore* files = nullptr;
  const RegistryRowStore* registry = nullptr;
  if (LiveFilesList()) {
    files = &file_rows;
  } else if (!project.empty()) {
    // The rows as page 3 will show them.
    saved_files = OpenedProject().files;
    SortFileRows(saved_files);
    files = &saved_files;
  }
  if (LiveRegistryList()) {
    registry = &registry_rows;
  } else if (!project.empty()) {
    saved_registry = OpenedProject().registry;
    SortRegistryRows(saved_registry);
    registry = &saved_registry;
  }
  return ProjectState(settings, files, registry);
}

bool WizardApp::ConfirmClose(HWND owner) {
  if (!changes.Changed(ProjectStateNow())) return true;

  return messages.Show(owner, IDS_CONFIRM_CLOSE, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
         IDYES;
}

}  // namespace pakforge
