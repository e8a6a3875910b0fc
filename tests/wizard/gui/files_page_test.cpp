// Page 3 (files to copy): the list built from the source folder with its
// sorting and marks, the warnings of a rebuild and the refusals of Next,
// destination changes through the chooser, files going missing, a changed
// source folder, the rows of a saved project and the questions before a
// re-read and about files a saved project leaves out.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui_harness.h"
#include "pakforge/resources/resource.h"
#include "project/settings.h"
#include "pakforge/resource_text.h"
#include "pakforge/wizard_app.h"
#include "pakforge/wizard_page.h"

namespace {

using guitest::ModalResponder;
using guitest::Sjis;
using Rows = std::vector<std::vector<std::string>>;

// A page without controls of its own in front of page 3, so that tests can
// go back and activate page 3 again.
class BlankPage : public pakforge::WizardPage {
 public:
  explicit BlankPage(pakforge::WizardApp& app) : WizardPage(app, IDD_FINISH_PAGE) {}
  INT_PTR OnSetActive() override {
    SetTitleAndButtons(PSWIZB_NEXT);
    return 0;
  }
};

const std::string& AppFolder() {
  static const std::string text = Sjis("(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)");
  return text;
}

class FilesPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.instance = GetModuleHandleA(nullptr);
    pakforge::SetTextInstance(app.instance);
    work.MakeFolder("src");
    app.settings.Source.Assign("src");
  }

  // Opens `front`, then pages 2 and 3 of `wizard`, in `sheet` and steps on
  // to the files page; answers its list (null when the sheet did not open).
  HWND EnterFilesPage(guitest::WizardSheet& sheet, BlankPage& front, pakforge::WizardApp& wizard) {
    if (!sheet.Open({front.CreatePage(app.instance), wizard.page(2).CreatePage(app.instance),
                     wizard.page(3).CreatePage(app.instance)}))
      return nullptr;
    sheet.PressNext();
    return GetDlgItem(sheet.page(), IDC_FILES_LIST);
  }

  // Writes the files (relative to the source folder; folders are made).
  void MakeFiles(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
      std::string path = "src";
      size_t start = 0;
      for (size_t slash; (slash = file.find('\\', start)) != std::string::npos; start = slash + 1) {
        work.MakeFolder(path + "\\" + file.substr(0, slash));
      }
      const bool native = file.size() >= 10 && file.compare(file.size() - 10, 10, "Native.ina") == 0;
      ASSERT_TRUE(work.WriteFile(path + "\\" + file, native ? guitest::NativeInaBytes() : "data"));
    }
  }

  // Opens the sheet and moves on to page 3, whose activation builds the list.
  void Open() {
    ASSERT_TRUE(sheet.Open({blank.CreatePage(app.instance), app.page(2).CreatePage(app.instance),
                            app.page(3).CreatePage(app.instance)}));
    sheet.PressNext();
    ASSERT_EQ(sheet.index(), 1);
    page = sheet.page();
    list = GetDlgItem(page, IDC_FILES_LIST);
    ASSERT_EQ(app.files_list, list);
  }

  Rows Shown() const { return guitest::ListRows(list, 4); }
  std::vector<int> Ids() const { return messages.ids(); }
  static Rows AppRows(const std::vector<std::pair<std::string, std::string>>& rows) {
    Rows out;
    for (const auto& row : rows) out.push_back({row.first, row.second, AppFolder(), "A"});
    return out;
  }

  guitest::WorkFolder work;
  guitest::MessageRecorder messages;
  pakforge::WizardApp app{base::SystemFileAccess(), base::SystemPathResolver(), messages};
  BlankPage blank{app};
  guitest::WizardSheet sheet;
  HWND page = nullptr;
  HWND list = nullptr;
};

TEST_F(FilesPageTest, ListsSortedFilesWithoutGeneratedOnesAndMarksTheProgram) {
  MakeFiles({"app.exe", "data.bin", "readme.txt", "setup.INF", "Native.ina", "sub\\zz.dat",
             "sub\\b", "sub\\lib.DLL"});
  app.settings.Exe.Assign("APP.EXE");
  Open();
  // Extension, then base name; no extension first.
  EXPECT_EQ(Shown(), AppRows({{"b", ""}, {"data.bin", ""}, {"zz.dat", ""}, {"lib.DLL", ""},
                              {"app.exe", "*"}}));
  EXPECT_TRUE(Ids().empty());
  EXPECT_EQ(guitest::GetText(page, IDC_FILES_SOURCE_PATH), work.path() + "\\src\\");
  std::vector<LPARAM> low;
  for (int row = 0; row < guitest::ListCount(list); ++row) {
    const LPARAM data = guitest::ListData(list, row);
    EXPECT_EQ(data & 0xFFFF0000, project::AppRoot);
    low.push_back(data & 0xFFFF);
  }
  std::sort(low.begin(), low.end());
  EXPECT_EQ(std::unique(low.begin(), low.end()), low.end());
  EXPECT_EQ(app.settings.ScannedSource.Text(), "src");
  sheet.PressNext();
  EXPECT_EQ(sheet.index(), 2);
}

TEST_F(FilesPageTest, RebuildWarningsAndNextRefusals) {
  // Each fault of the source folder shows its warning on a rebuild and
  // refuses Next with its error; the rules themselves are tested with the
  // core's ScanSourceFolder.
  struct Case {
    const char* label;
    std::vector<std::string> files;
    std::string inst_dir;
    std::vector<int> warnings;
    int next_error;  // 0: Next passes
    std::vector<std::string> names;
  };
  const std::string long_name = std::string(124, 'n') + ".dat";  // 12 + 100 + 128 + 20 = 260
  const Case cases[] = {
      {"two Native.ina", {"Native.ina", "sub\\Native.ina", "a.dat"}, "", {IDS_MANY_NATIVE_INA},
       IDS_MANY_NATIVE_INA, {"a.dat"}},
      {"duplicate", {"Native.ina", "a.dat", "sub\\A.dat"}, "", {IDS_DUPLICATE_NAMES},
       IDS_DUPLICATE_NAMES, {"a.dat", "A.dat"}},
      {"nested", {"Native.ina", "a.dat", "sub\\c.dat", "sub\\deep\\b.dat"}, "",
       {IDS_NESTED_FOLDERS}, IDS_NESTED_FOLDERS, {"a.dat", "c.dat"}},
      {"path too long", {"Native.ina", long_name}, std::string(100, 'i'), {IDS_PATH_TOO_LONG},
       IDS_PATH_TOO_LONG, {long_name}},
      {"nothing to copy", {"Native.ina", "readme.txt"}, "", {IDS_NO_FILES}, 0, {}},
      {"all at once", {"a.dat", "sub\\a.dat", "sub\\deep\\x.dat"}, "",
       {IDS_NO_NATIVE_INA, IDS_DUPLICATE_NAMES, IDS_NESTED_FOLDERS}, IDS_NO_NATIVE_INA,
       {"a.dat", "a.dat"}},
  };
  for (const Case& c : cases) {
    guitest::WorkFolder folder;
    pakforge::WizardApp wizard{base::SystemFileAccess(), base::SystemPathResolver(), messages};
    wizard.instance = app.instance;
    BlankPage front(wizard);
    folder.MakeFolder("src");
    wizard.settings.Source.Assign("src");
    wizard.settings.InstDir.Assign(c.inst_dir);
    for (const std::string& file : c.files) {
      const size_t slash = file.rfind('\\');
      if (slash != std::string::npos) {
        folder.MakeFolder("src\\" + file.substr(0, file.find('\\')));
        folder.MakeFolder("src\\" + file.substr(0, slash));
      }
      folder.WriteFile("src\\" + file, guitest::NativeInaBytes());
    }
    messages.Clear();
    guitest::WizardSheet wizard_sheet;
    HWND files = EnterFilesPage(wizard_sheet, front, wizard);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(guitest::ListColumn(files, 0), c.names) << c.label;
    EXPECT_EQ(messages.ids(), c.warnings) << c.label;
    for (const auto& shown : messages.messages()) {
      EXPECT_EQ(shown.style & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION)) << c.label;
    }
    messages.Clear();
    wizard_sheet.PressNext();
    if (c.next_error == 0) {
      EXPECT_TRUE(messages.ids().empty()) << c.label;
      EXPECT_EQ(wizard_sheet.index(), 2) << c.label;
    } else {
      EXPECT_EQ(messages.ids(), std::vector<int>{c.next_error}) << c.label;
      ASSERT_FALSE(messages.messages().empty());
      EXPECT_EQ(messages.messages()[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
      EXPECT_EQ(wizard_sheet.index(), 1) << c.label;
    }
  }
}

TEST_F(FilesPageTest, DestinationChangesKeepRunningNumbersAndSkipPrograms) {
  MakeFiles({"Native.ina", "app.exe", "song.dat"});
  Open();
  const int app_row = guitest::FindListRow(list, "app.exe");
  const int song = guitest::FindListRow(list, "song.dat");
  const LPARAM running = guitest::ListData(list, song) & 0xFFFF;

  guitest::SelectRowsNow(list, {app_row, song});
  EXPECT_FALSE(guitest::IsEnabled(page, IDC_FILES_DEST));
  {
    ModalResponder none;  // activation must not open the chooser
    guitest::ActivateRow(list, song);
    EXPECT_TRUE(none.unexpected().empty());
  }

  guitest::SelectRowsNow(list, {song});
  EXPECT_TRUE(guitest::IsEnabled(page, IDC_FILES_DEST));
  const std::string chooser = Sjis("インストール先フォルダの選択");
  // Each step answers the chooser: to the documents side or not, a new
  // folder added (its proposed name kept) or not, then the row named or
  // numbered is chosen; no row at all cancels.
  struct Step {
    bool docs, add;
    const char* row_name;
    int row;
    std::string folder, side;
    LPARAM kind;
    void operator()(HWND d) const {
      HWND l = GetDlgItem(d, IDC_CHOOSER_LIST);
      if (!row_name && row < 0) return guitest::CommandNow(d, IDC_CHOOSER_CANCEL);
      if (docs) SendDlgItemMessageA(d, IDC_CHOOSER_DOCS, BM_CLICK, 0, 0);
      if (add) {
        guitest::CommandNow(d, IDC_CHOOSER_ADD);
        SendMessageA(l, LVM_CANCELEDITLABEL, 0, 0);
      }
      guitest::SelectRowsNow(l, {row_name ? guitest::FindListRow(l, row_name) : row});
      guitest::CommandNow(d, IDC_CHOOSER_SELECT);
    }
  };
  const Step steps[] = {
      {true, false, "Music", 0, "Music", "D", project::Doc},
      {false, true, nullptr, 1, "New Folder", "A", project::AppOriginal},
      {true, true, nullptr, 6, "New Folder", "D", project::DocOriginal},
      {false, false, nullptr, 0, AppFolder(), "A", project::AppRoot},
      {false, false, nullptr, -1, AppFolder(), "A", project::AppRoot},
  };
  for (const Step& step : steps) {
    ModalResponder responder;
    responder.Expect(chooser, step);
    guitest::CommandNow(page, IDC_FILES_DEST);
    EXPECT_EQ(responder.pending(), 0u);
    EXPECT_EQ(guitest::ListText(list, song, 2), step.folder);
    EXPECT_EQ(guitest::ListText(list, song, 3), step.side);
    EXPECT_EQ(guitest::ListData(list, song), running | step.kind);
  }
  EXPECT_EQ(app.settings.Folders.app_folders.Count(), 1);
  EXPECT_EQ(app.settings.Folders.doc_folders.Count(), 1);

  // A new source folder on page 1: the next activation rebuilds the list
  // and every destination choice is gone.
  guitest::SelectRowsNow(list, {song});
  ModalResponder responder;
  responder.Expect(chooser, steps[0]);
  guitest::CommandNow(page, IDC_FILES_DEST);
  EXPECT_EQ(guitest::ListText(list, song, 2), "Music");
  work.MakeFolder("other");
  work.WriteFile("other\\Native.ina", guitest::NativeInaBytes());
  work.WriteFile("other\\song.dat", "x");
  sheet.PressNext();
  app.settings.Source.Assign("other");
  app.page_state.source_changed = true;
  sheet.PressBack();
  EXPECT_EQ(Shown(), AppRows({{"song.dat", ""}}));
  EXPECT_FALSE(app.page_state.source_changed);
  EXPECT_EQ(app.settings.ScannedSource.Text(), "other");
}

TEST_F(FilesPageTest, MissingFilesAreMarkedOnActivationAndRefuseNext) {
  MakeFiles({"Native.ina", "app.exe", "data.bin"});
  app.settings.Exe.Assign("app.exe");
  Open();
  sheet.PressNext();
  ASSERT_EQ(sheet.index(), 2);
  work.Remove("src\\data.bin");
  work.Remove("src\\app.exe");
  sheet.PressBack();
  // The start-up program that went missing shows "x", not "*".
  EXPECT_EQ(Shown(), AppRows({{"data.bin", "x"}, {"app.exe", "x"}}));
  sheet.PressNext();
  EXPECT_EQ(Ids(), std::vector<int>{IDS_MISSING_FILES});
  EXPECT_EQ(sheet.index(), 1);

  // Restored while the page stays shown: still refused until activation.
  MakeFiles({"data.bin", "app.exe"});
  messages.Clear();
  sheet.PressNext();
  EXPECT_EQ(Ids(), std::vector<int>{IDS_MISSING_FILES});
  sheet.PressBack();
  sheet.PressNext();
  EXPECT_EQ(Shown(), AppRows({{"data.bin", ""}, {"app.exe", "*"}}));
  messages.Clear();
  sheet.PressNext();
  EXPECT_TRUE(Ids().empty());
  EXPECT_EQ(sheet.index(), 2);
}

TEST_F(FilesPageTest, LoadsTheRowsOfASavedProjectWithoutRebuilding) {
  MakeFiles({"Native.ina", "app.exe", "song.dat", "extra.dat"});
  ASSERT_TRUE(work.WriteFile("Pakforge_Demo.ini",
                             "[CopyFile]\r\nFile0=app.exe\r\nWakeup0=true\r\n"
                             "File1=song.dat\r\nFolder1=Music\r\nType1=Doc\r\n"
                             "File2=gone.dat\r\nFolder2=Mine\r\nType2=AppOriginal\r\n"));
  app.settings.ProjectPath.Assign(work.Full("Pakforge_Demo.ini"));
  app.settings.Exe.Assign("app.exe");
  Open();
  EXPECT_EQ(Shown(), (Rows{{"gone.dat", "x", "Mine", "A"},
                           {"song.dat", "", "Music", "D"},
                           {"app.exe", "*", AppFolder(), "A"}}));
  EXPECT_EQ(guitest::ListData(list, 1) & 0xFFFF0000, project::Doc);
  EXPECT_EQ(guitest::ListData(list, 0) & 0xFFFF0000, project::AppOriginal);
  EXPECT_TRUE(app.page_state.missing_files);
  // The file added since is only named (the recorder answers neither Yes
  // nor No), not listed.
  EXPECT_EQ(Ids(), std::vector<int>{IDS_UNLISTED_FILES});
}

TEST_F(FilesPageTest, ListsThreeHundredFiles) {
  std::vector<std::string> files = {"Native.ina"};
  for (int i = 0; i < 300; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.dat", 299 - i);
    files.push_back(name);
  }
  MakeFiles(files);
  Open();
  ASSERT_EQ(guitest::ListCount(list), 300);
  EXPECT_EQ(guitest::ListText(list, 0, 0), "f000.dat");
  EXPECT_EQ(guitest::ListText(list, 299, 0), "f299.dat");
  EXPECT_TRUE(Ids().empty());
}

TEST_F(FilesPageTest, RereadAsksFirstWhenADestinationWasChosen) {
  MakeFiles({"Native.ina", "song.dat", "a.dat"});
  // Without chosen destinations a click re-reads at once.
  Open();
  guitest::Command(page, IDC_FILES_REFRESH);
  EXPECT_TRUE(Ids().empty());
  guitest::SelectRows(list, {guitest::FindListRow(list, "song.dat")});
  ModalResponder responder;
  responder.Expect(Sjis("インストール先フォルダの選択"), [](HWND d) {
    SendDlgItemMessageA(d, IDC_CHOOSER_DOCS, BM_CLICK, 0, 0);
    HWND l = GetDlgItem(d, IDC_CHOOSER_LIST);
    guitest::SelectRowsNow(l, {guitest::FindListRow(l, "Music")});
    guitest::CommandNow(d, IDC_CHOOSER_SELECT);
  });
  guitest::Command(page, IDC_FILES_DEST);
  const Rows chosen = {{"a.dat", "", AppFolder(), "A"}, {"song.dat", "", "Music", "D"}};
  ASSERT_EQ(Shown(), chosen);

  messages.Answer(IDNO);
  guitest::Command(page, IDC_FILES_REFRESH);
  EXPECT_EQ(Ids(), std::vector<int>{IDS_REREAD_FILES});
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(Shown(), chosen);

  messages.Answer(IDYES);
  guitest::Command(page, IDC_FILES_REFRESH);
  EXPECT_EQ(Ids(), (std::vector<int>{IDS_REREAD_FILES, IDS_REREAD_FILES}));
  EXPECT_EQ(Shown(), AppRows({{"a.dat", ""}, {"song.dat", ""}}));
}

TEST_F(FilesPageTest, NextShowsTheMissingRowAndDeleteRemovesOnlyMissingRows) {
  std::vector<std::string> files = {"Native.ina"};
  for (int i = 0; i < 300; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.dat", i);
    files.push_back(name);
  }
  MakeFiles(files);
  Open();
  sheet.PressNext();
  work.Remove("src\\f280.dat");
  sheet.PressBack();
  guitest::SelectRows(list, {0});
  sheet.PressNext();
  EXPECT_EQ(Ids(), std::vector<int>{IDS_MISSING_FILES});
  ASSERT_EQ(sheet.index(), 1);
  EXPECT_EQ(guitest::SelectedRows(list), std::vector<int>{280});
  const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  const int shown = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_LE(top, 280);
  EXPECT_GT(top + shown, 280);

  // Delete takes the missing row of the selection and keeps the present one.
  guitest::SelectRows(list, {5, 280});
  SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
  guitest::PumpMessages();
  EXPECT_EQ(guitest::ListCount(list), 299);
  EXPECT_EQ(guitest::FindListRow(list, "f280.dat"), -1);
  EXPECT_EQ(guitest::FindListRow(list, "f005.dat"), 5);
  EXPECT_EQ(guitest::SelectedRows(list), std::vector<int>{5});
  ASSERT_EQ(app.file_rows.Count(), 299);  // the rows the list shows
  EXPECT_EQ(app.file_rows.rows[5].name, "f005.dat");
  EXPECT_FALSE(app.page_state.missing_files);
  std::vector<LPARAM> low;
  for (int row = 0; row < guitest::ListCount(list); ++row) low.push_back(guitest::ListData(list, row) & 0xFFFF);
  std::sort(low.begin(), low.end());
  EXPECT_EQ(std::unique(low.begin(), low.end()), low.end());
  messages.Clear();
  sheet.PressNext();
  EXPECT_TRUE(Ids().empty());
  EXPECT_EQ(sheet.index(), 2);
}

TEST_F(FilesPageTest, AReopenedProjectOffersTheFilesAddedSinceOnce) {
  for (const int answer : {IDNO, IDYES}) {
    guitest::WorkFolder folder;
    pakforge::WizardApp wizard{base::SystemFileAccess(), base::SystemPathResolver(), messages};
    wizard.instance = app.instance;
    BlankPage front(wizard);
    folder.MakeFolder("src");
    folder.MakeFolder("src\\sub");
    for (const char* file : {"Native.ina", "app.exe", "song.dat", "new.dat", "sub\\more.dat", "readme.txt"}) {
      folder.WriteFile(std::string("src\\") + file, guitest::NativeInaBytes());
    }
    folder.WriteFile("Pakforge_Demo.ini",
                     "[CopyFile]\r\nFile0=app.exe\r\nWakeup0=true\r\n"
                     "File1=SONG.DAT\r\nFolder1=Music\r\nType1=Doc\r\n");
    wizard.settings.Source.Assign("src");
    wizard.settings.Exe.Assign("app.exe");
    wizard.settings.ProjectPath.Assign(folder.Full("Pakforge_Demo.ini"));
    messages.Clear();
    messages.Answer(answer);
    guitest::WizardSheet wizard_sheet;
    HWND files = EnterFilesPage(wizard_sheet, front, wizard);
    ASSERT_NE(files, nullptr);
    ASSERT_EQ(messages.ids(), std::vector<int>{IDS_UNLISTED_FILES}) << answer;
    const std::string& text = messages.messages()[0].text;
    EXPECT_NE(text.find("new.dat\nmore.dat"), std::string::npos) << text;
    EXPECT_EQ(text.find("song.dat"), std::string::npos) << text;
    EXPECT_EQ(text.find("readme.txt"), std::string::npos) << text;
    EXPECT_EQ(messages.messages()[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    Rows expected = {{"SONG.DAT", "", "Music", "D"}, {"app.exe", "*", AppFolder(), "A"}};
    if (answer == IDYES) {
      expected.insert(expected.begin(), {{"more.dat", "", AppFolder(), "A"}, {"new.dat", "", AppFolder(), "A"}});
    }
    EXPECT_EQ(guitest::ListRows(files, 4), expected) << answer;
    // Asked once: coming back to the page keeps the list without a question.
    wizard_sheet.PressNext();
    wizard_sheet.PressBack();
    EXPECT_EQ(messages.ids(), std::vector<int>{IDS_UNLISTED_FILES}) << answer;
    EXPECT_EQ(guitest::ListRows(files, 4), expected) << answer;
  }
}

}  // namespace
