#include "wizard/ui/wizard_app.h"

#include "wizard/resources/resource.h"
#include "wizard/ui/pages/finish_page.h"
#include "wizard/ui/pages/install_page.h"
#include "wizard/ui/pages/io_page.h"

#if __has_include("wizard/ui/pages/files_page.h")
#include "wizard/ui/pages/files_page.h"
#define PAKFORGE_HAVE_FILES_PAGE 1
#endif
#if __has_include("wizard/ui/pages/registry_page.h")
#include "wizard/ui/pages/registry_page.h"
#define PAKFORGE_HAVE_REGISTRY_PAGE 1
#endif

namespace wizard::ui {

namespace {

// Shows a dialog template with nothing but the band; stands in for a page
// whose source is not in the tree yet.
class TemplateOnlyPage : public WizardPage {
 public:
  TemplateOnlyPage(WizardApp& app, int dialog_id) : WizardPage(app), dialog_id_(dialog_id) {}
  HPROPSHEETPAGE CreatePage(HINSTANCE instance) override { return MakePage(instance, dialog_id_); }
  INT_PTR OnSetActive() override {
    SetTitleAndButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return 0;
  }

 private:
  int dialog_id_;
};

}  // namespace

WizardApp::WizardApp() {
  pages_[0] = std::make_unique<IoPage>(*this);
  pages_[1] = std::make_unique<InstallPage>(*this);
#ifdef PAKFORGE_HAVE_FILES_PAGE
  pages_[2] = std::make_unique<FilesPage>(*this);
#else
  pages_[2] = std::make_unique<TemplateOnlyPage>(*this, IDD_FILES_PAGE);
#endif
#ifdef PAKFORGE_HAVE_REGISTRY_PAGE
  pages_[3] = std::make_unique<RegistryPage>(*this);
#else
  pages_[3] = std::make_unique<TemplateOnlyPage>(*this, IDD_REGISTRY_PAGE);
#endif
  pages_[4] = std::make_unique<FinishPage>(*this);
}

WizardApp::~WizardApp() = default;

WizardApp& TheApp() {
  static WizardApp app;
  return app;
}

}  // namespace wizard::ui
