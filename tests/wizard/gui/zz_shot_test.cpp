#include <gtest/gtest.h>
#include "gui_harness.h"
#include "wizard/resources/resource.h"
#include "wizard/ui/resource_text.h"
#include "wizard/ui/wizard_app.h"
#include "wizard/ui/pages/folder_chooser_dialog.h"
#include "wizard/ui/pages/registry_entry_dialog.h"
TEST(Shot, All) {
  guitest::WorkFolder work;
  wizard::ui::WizardApp app;
  app.instance = GetModuleHandleA(nullptr);
  wizard::ui::SetTextInstance(app.instance);
  work.MakeFolder("src");
  for (const char* f : {"Native.ina", "app.exe", "data.bin", "song.dat"}) work.WriteFile(std::string("src\\") + f, "x");
  app.settings.Source.Assign("src");
  app.settings.Exe.Assign("app.exe");
  guitest::MessageRecorder rec;
  guitest::WizardSheet sheet;
  sheet.Open({app.page(2).CreatePage(app.instance), app.page(3).CreatePage(app.instance)});
  guitest::PumpMessages(8000, 8000);
  sheet.PressNext();
  guitest::PumpMessages(8000, 8000);
  wizard::RegistryEntry e; e.key.Assign("Software\\Demo"); e.value.Assign("\"abc\"");
  SetTimer(nullptr, 0, 8000, [](HWND, UINT, UINT_PTR id, DWORD) { KillTimer(nullptr, id); HWND d = GetActiveWindow(); PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
  wizard::ui::RunRegistryEntryDialog(app.instance, sheet.sheet(), e);
  SetTimer(nullptr, 0, 8000, [](HWND, UINT, UINT_PTR id, DWORD) { KillTimer(nullptr, id); HWND d = GetActiveWindow(); PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
  app.settings.Folders.app_folders.Add("Data");
  wizard::ui::ChooseDestinationFolder(app.instance, sheet.sheet(), app.settings.Folders);
}
