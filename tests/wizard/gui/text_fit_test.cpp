// Every page and dialog of Pakforge in each language that the system's code
// page can show: each static, button, check box, radio button and group box
// text is measured in its control's font and must fit its control, without
// being cut off or wrapped out of sight. Texts that the program puts into
// statics at run time are filled in first. With PAK_SCREENSHOTS set, each
// dialog is also saved as <folder>\<language>\pakforge-<id>.png.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/language.h"
#include "text_fit.h"
#include "window_harness.h"
#include "pakforge/resources/resource.h"
#include "pakforge/resource_text.h"

namespace {

using pakforge::LoadText;

/// The dialogs, by id, with the name their screenshot takes.
const struct {
  int id;
  const char* name;
} kDialogs[] = {
    {IDD_IO_PAGE, "101-page1"},           {IDD_INSTALL_PAGE, "102-page2"},
    {IDD_FILES_PAGE, "103-page3"},        {IDD_REGISTRY_PAGE, "104-page4"},
    {IDD_FINISH_PAGE, "105-page5"},       {IDD_REGISTRY_ENTRY, "106-registry-entry"},
    {IDD_STARTUP_PICKER, "107-startup"},  {IDD_PROJECT_PICKER, "108-project"},
    {IDD_FOLDER_CHOOSER, "109-chooser"},  {IDD_SOURCE_PICKER, "110-source"},
};

/// Texts the program shows in a static of a dialog (each is tried in turn).
const struct {
  int dialog;
  int control;
  int string_id;
} kShownTexts[] = {
    {IDD_FINISH_PAGE, IDC_FINISH_TEXT, IDS_FINISH_TEXT},
    {IDD_FINISH_PAGE, IDC_FINISH_VERSION, IDS_VERSION},
    {IDD_FILES_PAGE, IDC_FILES_SOURCE_PATH, IDS_NOT_FOUND},
    {IDD_FOLDER_CHOOSER, IDC_CHOOSER_TEXT, IDS_CHOOSER_APP_TEXT},
    {IDD_FOLDER_CHOOSER, IDC_CHOOSER_TEXT, IDS_CHOOSER_DOCS_TEXT},
};

/// `format` with a typical program name for each "%s" and "09" for "%02d".
std::string Filled(std::string text) {
  for (std::size_t at; (at = text.find("%s")) != std::string::npos;) text.replace(at, 2, "KantanMemo");
  for (std::size_t at; (at = text.find("%02d")) != std::string::npos;) text.replace(at, 4, "09");
  return text;
}

TEST(TextFit, EveryTextFitsItsControlInEveryLanguage) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  pakforge::SetTextInstance(instance);
  int languages = 0;
  for (base::Language language : project::kWizardLanguages) {
    if (!base::CodePageShows(GetACP(), language)) continue;
    ++languages;
    pakforge::SetTextLanguage(language);
    const std::string tag(base::LanguageTag(language));
    const std::string shots = winharness::ScreenshotFolder(tag);
    for (const auto& dialog : kDialogs) {
      textfit::ShownDialog shown(instance, pakforge::DialogTemplate(instance, dialog.id));
      ASSERT_NE(shown.dialog(), nullptr) << tag << " " << dialog.name;
      const std::string where = tag + " " + dialog.name + ":\n";
      for (const auto& text : kShownTexts) {
        if (text.dialog != dialog.id) continue;
        ASSERT_FALSE(LoadText(text.string_id).empty()) << where << "string " << text.string_id;
        SetDlgItemTextA(shown.dialog(), text.control, Filled(LoadText(text.string_id)).c_str());
        EXPECT_EQ(textfit::Misfit(GetDlgItem(shown.dialog(), text.control)), "") << where;
      }
      EXPECT_EQ(textfit::DialogMisfits(shown.dialog()), "") << where;
      if (!shots.empty()) {
        EXPECT_TRUE(shown.Screenshot(shots + "\\pakforge-" + dialog.name + ".png"));
      }
    }
  }
  EXPECT_GT(languages, 0);
  pakforge::SetTextLanguage(base::Language::kJapanese);
}

}  // namespace
