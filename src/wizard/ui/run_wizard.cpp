#include "wizard/ui/run_wizard.h"

#include <commctrl.h>
#include <prsht.h>

#include "wizard/ui/wizard_app.h"

namespace wizard::ui {

void RunWizard(WizardApp& app, HWND parent, HINSTANCE instance) {
  app.instance = instance;
  HPROPSHEETPAGE pages[kPageCount] = {};
  for (int i = 0; i < kPageCount; ++i) pages[i] = app.page(i).CreatePage(instance);

  PROPSHEETHEADERA header = {};
  header.dwSize = PROPSHEETHEADERA_V1_SIZE;
  header.dwFlags = PSH_WIZARD;
  header.hwndParent = parent;
  header.hInstance = instance;
  header.pszCaption = nullptr;
  header.nPages = kPageCount;
  header.nStartPage = 0;
  header.phpage = pages;
  PropertySheetA(&header);
}

}  // namespace wizard::ui
