#pragma once
// A GoogleTest fixture for page tests: a fresh application object over
// default settings, a scratch current directory, recorded message boxes,
// answered modal dialogs and a wizard sheet holding the pages under test.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "gui_harness.h"
#include "pakforge/resource_text.h"
#include "pakforge/wizard_app.h"

namespace guitest {

/// Title of the saved-project picker (108), "プログラムの選択"; page 1
/// opens it as soon as its dialog exists.
inline const std::string kProjectPickerTitle =
    "\x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80\x82\xcc\x91\x49\x91\xf0";
/// Title of the source folder picker (110), "ソースフォルダの選択".
inline const std::string kSourcePickerTitle =
    "\x83\x5c\x81\x5b\x83\x58\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xcc\x91\x49\x91\xf0";
/// Title of the start-up program picker (107), "起動ファイルの選択".
inline const std::string kStartupPickerTitle =
    "\x8b\x4e\x93\xae\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x91\x49\x91\xf0";

class WizardFixture : public ::testing::Test {
 protected:
  WizardFixture() {
    app.instance = GetModuleHandleA(nullptr);
    pakforge::SetTextInstance(app.instance);
  }

  /// Opens a wizard sheet with the pages `indices` (0 to 4) in that order.
  void OpenPages(std::initializer_list<int> indices) {
    std::vector<HPROPSHEETPAGE> pages;
    for (int index : indices) pages.push_back(app.page(index).CreatePage(app.instance));
    ASSERT_TRUE(sheet.Open(pages));
  }

  /// The dialog window of page `index` (null until it was shown).
  HWND Page(int index) { return app.page(index).window(); }

  /// A source folder "src" with a "Native.ina" and the given files.
  void MakeSource(const std::vector<std::string>& files, const std::string& folder = "src") {
    ASSERT_TRUE(work.MakeFolder(folder));
    ASSERT_TRUE(work.WriteFile(folder + "\\Native.ina", NativeInaBytes()));
    for (const std::string& file : files) ASSERT_TRUE(work.WriteFile(folder + "\\" + file, "x"));
  }

  // Members are destroyed bottom-up: the sheet first, the folder last.
  WorkFolder work;
  MessageRecorder messages;
  pakforge::WizardApp app{base::SystemFileAccess(), base::SystemPathResolver(), messages};
  ModalResponder modal;
  WizardSheet sheet;
};

}  // namespace guitest
