// Page 5 (IDD_FINISH_PAGE) in a real wizard sheet: the display name following
// the menu caption, the version line, the Setup.ini option, and the Finish
// sequence's stops (no Pakmak.exe, a too long project path, an opened
// project saved back to its own file).

#include <gtest/gtest.h>

#include "base/text_table.h"
#include "resource.h"
#include "pakforge/win32_services.h"
#include "wizard_fixture.h"

namespace guitest {
namespace {

constexpr int kInstallPage = 1;
constexpr int kFinishPage = 4;

class FinishPageTest : public WizardFixture {
 protected:
  /// Settings that pass page 2, then pages 2 and 5; page 5 is shown.
  void Open(const std::string& caption = "Menu") {
    MakeSource({"Demo.exe"});
    app.settings.Name.Assign("Demo");
    app.settings.Product.Assign("Demo Soft");
    app.settings.Caption.Assign(caption);
    app.settings.Output.Assign("DemoPack");
    app.settings.Source.Assign("src");
    OpenPages({kInstallPage, kFinishPage});
    sheet.PressNext();
    ASSERT_EQ(sheet.index(), 1);
    page = Page(kFinishPage);
    ASSERT_NE(page, nullptr);
  }
  HWND page = nullptr;
};

TEST_F(FinishPageTest, FirstVisitShowsCaptionVersionAndOptions) {
  Open();
  EXPECT_EQ(GetText(page, IDC_FINISH_NAME), "Menu");
  EXPECT_EQ(app.settings.SetupIniName.Text(), "Menu");
  EXPECT_EQ(GetText(page, IDC_FINISH_VERSION), "Pakforge.exe Ver 1.00.09J\n");
  EXPECT_TRUE(IsChecked(page, IDC_FINISH_CREATE));
  EXPECT_TRUE(IsEnabled(page, IDC_FINISH_NAME));
  EXPECT_EQ(EditLimit(page, IDC_FINISH_NAME), 64);
  EXPECT_EQ(GetText(page, IDC_FINISH_TEXT),
            Sjis("[完了] をクリックすると 'DemoPack.lvar' ファイルを作成します｡\n\n"
                 "指定されたソースフォルダ内にも必要なファイルが作成されます｡"));
  EXPECT_TRUE(sheet.BackEnabled());
  EXPECT_TRUE(sheet.FinishEnabled());
}

TEST_F(FinishPageTest, DisplayNameFollowsCaptionUntilItHasItsOwn) {
  Open();
  // Back and return with a new caption: the display name is no longer empty.
  sheet.PressBack();
  app.settings.Caption.Assign("Other");
  sheet.PressNext();
  ASSERT_EQ(sheet.index(), 1);
  EXPECT_EQ(GetText(page, IDC_FINISH_NAME), "Menu");
  // Cleared, Back stores the empty name; on return it takes the caption.
  SetText(page, IDC_FINISH_NAME, "");
  sheet.PressBack();
  EXPECT_TRUE(app.settings.SetupIniName.IsEmpty());
  sheet.PressNext();
  EXPECT_EQ(GetText(page, IDC_FINISH_NAME), "Other");
  // A name of its own is stored by Back.
  SetText(page, IDC_FINISH_NAME, "Shown");
  sheet.PressBack();
  EXPECT_EQ(app.settings.SetupIniName.Text(), "Shown");
}

TEST_F(FinishPageTest, SetupIniOptionEnablesTheName) {
  Open();
  Click(page, IDC_FINISH_CREATE);
  EXPECT_FALSE(app.settings.SetupIniCreate.On());
  EXPECT_FALSE(IsEnabled(page, IDC_FINISH_NAME));
  EXPECT_EQ(GetText(page, IDC_FINISH_NAME), "Menu");
  Click(page, IDC_FINISH_CREATE);
  EXPECT_TRUE(app.settings.SetupIniCreate.On());
  EXPECT_TRUE(IsEnabled(page, IDC_FINISH_NAME));
}

TEST_F(FinishPageTest, LongOutputNameShownWhole) {
  MakeSource({"Demo.exe"}, "other");
  app.settings.Output.Assign(std::string(100, 'o'));
  app.settings.Name.Assign("Demo");
  app.settings.Source.Assign("other");
  OpenPages({kInstallPage, kFinishPage});
  sheet.PressNext();
  ASSERT_EQ(sheet.index(), 1);
  const std::string text = GetText(Page(kFinishPage), IDC_FINISH_TEXT);
  EXPECT_NE(text.find("'" + std::string(100, 'o') + ".lvar'"), std::string::npos);
}

TEST_F(FinishPageTest, FinishWithoutPakmakSavesTheProjectOnly) {
  Open();
  ASSERT_TRUE(work.WriteFile("src\\readme.txt", "old"));
  SetText(page, IDC_FINISH_NAME, "Shown");
  messages.Answer(IDYES);
  sheet.PressFinish();
  EXPECT_TRUE(sheet.ended());
  EXPECT_EQ(messages.ids(), (std::vector<int>{IDS_FOREIGN_OUTPUTS, 45}));
  EXPECT_EQ(app.settings.SetupIniName.Text(), "Shown");
  // The project file is written before the outputs are attempted.
  bool ok = false;
  const std::string project = work.ReadFile("Pakforge_Demo.ini", &ok);
  ASSERT_TRUE(ok);
  EXPECT_NE(project.find("Name=Shown"), std::string::npos);
  EXPECT_FALSE(work.Exists("src\\Install.inf"));
  EXPECT_TRUE(work.Exists("src\\readme.txt"));
  EXPECT_FALSE(work.Exists("Setup.ini"));
  EXPECT_FALSE(work.Exists("Demo.bat"));
}

TEST_F(FinishPageTest, OtherFilesOfTheSourceFolderAreDeletedOnlyAfterYes) {
  Open();
  ASSERT_TRUE(work.WriteFiles({{"Pakmak.exe", "x"}, {"DemoPack.lvar", "old archive"},
                               {"src\\readme.txt", "author's"}, {"src\\notes.inf", "author's"},
                               {"src\\Install.inf", "old"}, {"src\\UnDemo SoftDemo.inf", "old"}}));
  // No: nothing is saved, deleted or written, and the wizard stays.
  messages.Answer(IDNO);
  sheet.PressFinish();
  EXPECT_FALSE(sheet.ended());
  ASSERT_EQ(messages.ids(), std::vector<int>{IDS_FOREIGN_OUTPUTS});
  const ShownMessage& question = messages.messages()[0];
  EXPECT_NE(question.text.find("\nnotes.inf\n"), std::string::npos) << question.text;
  EXPECT_NE(question.text.find("\nreadme.txt\n"), std::string::npos) << question.text;
  EXPECT_EQ(question.text.find("Install.inf"), std::string::npos);
  EXPECT_EQ(question.text.find("UnDemo SoftDemo.inf"), std::string::npos);
  EXPECT_EQ(question.style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(work.Exists("DemoPack.lvar"));
  EXPECT_EQ(work.ReadFile("src\\Install.inf"), "old");
  EXPECT_TRUE(work.Exists("src\\readme.txt"));
  EXPECT_FALSE(work.Exists("Pakforge_Demo.ini"));
  EXPECT_FALSE(work.Exists("Demo.bat"));

  // Yes: they are deleted as before and Finish goes on.
  messages.Clear();
  messages.Answer(IDYES);
  ASSERT_TRUE(work.MakeFolder("Demo.bat"));  // stops Finish before the build
  sheet.PressFinish();
  EXPECT_TRUE(sheet.ended());
  EXPECT_EQ(messages.ids(), (std::vector<int>{IDS_FOREIGN_OUTPUTS, 31}));
  EXPECT_FALSE(work.Exists("src\\readme.txt"));
  EXPECT_FALSE(work.Exists("src\\notes.inf"));
  EXPECT_NE(work.ReadFile("src\\Install.inf"), "old");
  EXPECT_TRUE(work.Exists("Pakforge_Demo.ini"));
}

TEST_F(FinishPageTest, TwoFilesOfOneNameStopFinishBeforeAnything) {
  Open();
  app.settings.UninstFile.Assign("Install");
  sheet.PressFinish();
  EXPECT_FALSE(sheet.ended());
  ASSERT_EQ(messages.ids(), std::vector<int>{IDS_OUTPUT_NAME_CLASH});
  EXPECT_NE(messages.messages()[0].text.find("UninstFile=Install"), std::string::npos);
  EXPECT_FALSE(work.Exists("Pakforge_Demo.ini"));
  EXPECT_FALSE(work.Exists("src\\Install.inf"));
}

TEST_F(FinishPageTest, FinishWaitsForTheBuildAndReportsItsFailure) {
  Open();
  // Not a program: the command interpreter cannot run it and says so.
  ASSERT_TRUE(work.WriteFile("Pakmak.exe", "x"));
  sheet.PressFinish();
  EXPECT_TRUE(sheet.ended());
  ASSERT_EQ(messages.ids(), std::vector<int>{IDS_BUILD_FAILED});
  const std::string empty_report = base::FillText(pakforge::LoadText(IDS_BUILD_FAILED), {""});
  EXPECT_GT(messages.messages()[0].text.size(), empty_report.size()) << messages.messages()[0].text;
  EXPECT_EQ(messages.messages()[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
  EXPECT_TRUE(work.Exists("Demo.bat"));
  EXPECT_FALSE(work.Exists("DemoPack.lvar"));
}

TEST_F(FinishPageTest, OpenedProjectIsSavedBackToItsFile) {
  Open();
  app.settings.ProjectPath.Assign(work.Full("Pakforge_Old.ini"));
  sheet.PressFinish();
  EXPECT_EQ(messages.ids(), std::vector<int>{45});
  EXPECT_TRUE(work.Exists("Pakforge_Old.ini"));
  EXPECT_FALSE(work.Exists("Pakforge_Demo.ini"));
}

TEST_F(FinishPageTest, TooLongProjectPathStopsEverything) {
  // Current directory 181 + program name 64 + 15 = 260: IDS_NAME_TOO_LONG.
  const std::string deep = work.EnterFolderOfLength(181);
  ASSERT_EQ(deep.size(), 181u);
  const std::string relative = deep.substr(work.path().size() + 1);
  ASSERT_TRUE(work.MakeFolder(relative + "\\src"));
  ASSERT_TRUE(work.WriteFile(relative + "\\src\\Demo.exe", "x"));
  ASSERT_TRUE(work.WriteFile(relative + "\\Pakmak.exe", "x"));
  app.settings.Name.Assign(std::string(64, 'n'));
  app.settings.Caption.Assign("Menu");
  app.settings.Output.Assign("Pack");
  app.settings.Source.Assign("src");
  OpenPages({kInstallPage, kFinishPage});
  sheet.PressNext();
  ASSERT_EQ(sheet.index(), 1);
  sheet.PressFinish();
  EXPECT_TRUE(sheet.ended());
  EXPECT_EQ(messages.ids(), std::vector<int>{32});
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((deep + "\\Pakforge_*").c_str(), &data);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  EXPECT_FALSE(work.Exists(relative + "\\src\\Install.inf"));
}

TEST_F(FinishPageTest, FinishRemovesOldOutputsAndWritesTheDescriptions) {
  Open();
  ASSERT_TRUE(work.WriteFiles({{"Pakmak.exe", "x"}, {"DemoPack.lvar", "old archive"}, {"src\\readme.txt", "old"},
                               {"src\\old.inf", "old"}, {"src\\Stray.INF", "old"}, {"src\\Mixed.Txt", "kept"}}));
  // A folder in place of the batch file: the batch cannot be written, so
  // nothing is started from this test, and Finish says so (IDS_OUTPUT_FAILED).
  ASSERT_TRUE(work.MakeFolder("Demo.bat"));
  messages.Answer(IDYES);
  sheet.PressFinish();
  EXPECT_TRUE(sheet.ended());
  EXPECT_EQ(messages.ids(), (std::vector<int>{IDS_FOREIGN_OUTPUTS, 31}));
  EXPECT_FALSE(work.Exists("DemoPack.lvar"));
  EXPECT_FALSE(work.Exists("src\\readme.txt"));
  EXPECT_FALSE(work.Exists("src\\old.inf"));
  EXPECT_FALSE(work.Exists("src\\Stray.INF"));  // the builder would read it as a description
  EXPECT_TRUE(work.Exists("src\\Mixed.Txt"));
  const std::string install = work.ReadFile("src\\Install.inf");
  EXPECT_EQ(install.rfind("; Menu\r\n[App Information]\r\nMaker       = \"Demo Soft\"\r\n", 0), 0u) << install;
  EXPECT_TRUE(work.Exists("src\\UnDemo SoftDemo.inf"));
  const std::string setup_ini = work.ReadFile("Setup.ini");
  EXPECT_EQ(setup_ini.rfind("[APPNAME]\r\nappname = Menu\r\nfile = DemoPack.lvar\r\n", 0), 0u) << setup_ini;
  EXPECT_TRUE(work.Exists("Pakforge_Demo.ini"));
}

}  // namespace
}  // namespace guitest
