// Every page of Setup in each language that the system's code page can
// show: each static and button text, the welcome text and the instructions
// included, must fit its control in the control's font. With PAK_SCREENSHOTS
// set, each page is also saved as <folder>\<language>\setup-page-<id>.png.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/language.h"
#include "base/resource_string_win32.h"
#include "launcher/resources/resource.h"
#include "launcher/ui/setup_app.h"
#include "text_fit.h"
#include "window_harness.h"

namespace {

/// The pages, the static the program fills and the string it fills it with.
const struct {
  UINT page;
  int control;
  UINT string_id;
} kPages[] = {
    {IDD_WELCOME, IDC_WELCOME, IDS_WELCOME},
    {IDD_TEXT, IDC_INSTRUCTION, IDS_TEXT_INSTRUCTION},
    {IDD_LICENSE, IDC_INSTRUCTION, IDS_LICENSE_INSTRUCTION},
};

TEST(TextFit, EveryTextFitsItsControlInEveryLanguage) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  int languages = 0;
  for (base::Language language : launcher::kSetupLanguages) {
    if (!base::CodePageShows(GetACP(), language)) continue;
    ++languages;
    const WORD id = base::WindowsLanguageId(language);
    const std::string tag(base::LanguageTag(language));
    const std::string shots = winharness::ScreenshotFolder(tag);
    for (const auto& page : kPages) {
      textfit::ShownDialog shown(instance, base::FindDialogTemplate(instance, page.page, id));
      ASSERT_NE(shown.dialog(), nullptr) << tag << " page " << page.page;
      std::string text = base::LoadResourceString(instance, page.string_id, 1000, id);
      ASSERT_FALSE(text.empty()) << tag << " string " << page.string_id;
      const std::size_t name = text.find("%s");
      if (name != std::string::npos) text.replace(name, 2, "KantanMemo Deluxe Edition");
      SetDlgItemTextA(shown.dialog(), page.control, text.c_str());
      EXPECT_EQ(textfit::DialogMisfits(shown.dialog()), "") << tag << " page " << page.page;
      if (!shots.empty()) {
        EXPECT_TRUE(shown.Screenshot(shots + "\\setup-page-" + std::to_string(page.page) + ".png"));
      }
    }
  }
  EXPECT_GT(languages, 0);
}

}  // namespace
