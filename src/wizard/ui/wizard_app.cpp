#include "wizard/ui/wizard_app.h"

#include "wizard/ui/pages/files_page.h"
#include "wizard/ui/pages/finish_page.h"
#include "wizard/ui/pages/install_page.h"
#include "wizard/ui/pages/io_page.h"
#include "wizard/ui/pages/registry_page.h"

namespace wizard::ui {

WizardApp::WizardApp() {
  pages_[0] = std::make_unique<IoPage>(*this);
  pages_[1] = std::make_unique<InstallPage>(*this);
  pages_[2] = std::make_unique<FilesPage>(*this);
  pages_[3] = std::make_unique<RegistryPage>(*this);
  pages_[4] = std::make_unique<FinishPage>(*this);
}

WizardApp::~WizardApp() = default;

WizardApp& TheApp() {
  static WizardApp app;
  return app;
}

}  // namespace wizard::ui
