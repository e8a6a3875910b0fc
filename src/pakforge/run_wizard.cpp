#include "pakforge/run_wizard.h"

#include <commctrl.h>
#include <prsht.h>

#include "pakforge/center_window.h"
#include "pakforge/wizard_app.h"
#include "pakforge/wizard_page.h"

namespace pakforge {
namespace {

// Centres the sheet on the screen once it has its size, as the pickers are
// centred: left to itself it opens at the hidden host window's position,
// below and right of the centre. Its buttons take the chosen language's
// words at once.
int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED) {
    CenterWindow(sheet);
    SetSheetButtonWords(sheet);
  }
  return 0;
}

}  // namespace

void RunWizard(WizardApp& app, HWND parent, HINSTANCE instance) {
  app.instance = instance;
  HPROPSHEETPAGE pages[kPageCount] = {};
  for (int i = 0; i < kPageCount; ++i) pages[i] = app.page(i).CreatePage(instance);

  PROPSHEETHEADERA header = {};
  header.dwSize = PROPSHEETHEADERA_V1_SIZE;
  header.dwFlags = PSH_WIZARD | PSH_USECALLBACK;
  header.hwndParent = parent;
  header.hInstance = instance;
  header.pszCaption = nullptr;
  header.nPages = kPageCount;
  header.nStartPage = 0;
  header.phpage = pages;
  header.pfnCallback = SheetCallback;
  PropertySheetA(&header);
}

}  // namespace pakforge
