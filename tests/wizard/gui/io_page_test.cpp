// Page 1 (IDD_IO_PAGE) in a real wizard sheet: defaults after the project
// question, the version fields, Browse, the language list and the Next
// checks with their messages and focus.

#include <gtest/gtest.h>

#include "resource.h"
#include "wizard_fixture.h"

namespace guitest {
namespace {

constexpr int kIoPage = 0;
constexpr int kInstallPage = 1;

class IoPageTest : public WizardFixture {
 protected:
  /// Opens pages 1 and 2; the project picker is cancelled (new project).
  void OpenNewProject() {
    modal.Expect(kProjectPickerTitle, PressButton(IDCANCEL));
    OpenPages({kIoPage, kInstallPage});
    ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
    PumpMessages();
    page = Page(kIoPage);
    ASSERT_NE(page, nullptr);
  }

  /// Fills every field of page 1 with usable values.
  void FillValid() {
    SetText(page, IDC_IO_PRODUCT, "Demo Soft");
    SetText(page, IDC_IO_NAME, "Demo");
    SetText(page, IDC_IO_CAPTION, "Menu");
    SetText(page, IDC_IO_OUTPUT, "DemoPack");
    SetText(page, IDC_IO_SOURCE, "src");
  }

  HWND page = nullptr;
};

TEST_F(IoPageTest, CancelledPickerShowsTheDefaults) {
  MakeSource({});
  OpenNewProject();
  EXPECT_EQ(modal.answered().size(), 1u);
  EXPECT_TRUE(modal.unexpected().empty());
  EXPECT_EQ(sheet.index(), 0);
  for (int id : {IDC_IO_PRODUCT, IDC_IO_NAME, IDC_IO_CAPTION, IDC_IO_OUTPUT, IDC_IO_SOURCE}) {
    EXPECT_EQ(GetText(page, id), "") << id;
  }
  EXPECT_EQ(GetText(page, IDC_IO_VER_MAJOR), "1");
  EXPECT_EQ(GetText(page, IDC_IO_VER_MINOR), "0");
  EXPECT_EQ(GetText(page, IDC_IO_LVAR), ".lvar");
  EXPECT_EQ(app.settings.Ver.Text(), "1.0");
  EXPECT_TRUE(app.settings.ProjectPath.IsEmpty());

  // Input limits: the settings' maxima minus one.
  const std::pair<int, int> limits[] = {{IDC_IO_PRODUCT, 64}, {IDC_IO_NAME, 64}, {IDC_IO_CAPTION, 64},
                                        {IDC_IO_VER_MAJOR, 3}, {IDC_IO_VER_MINOR, 3},
                                        {IDC_IO_OUTPUT, 100}, {IDC_IO_SOURCE, 100}};
  for (auto [id, limit] : limits) EXPECT_EQ(EditLimit(page, id), limit) << id;

  // The language list: US (12) then Japanese (11); Japanese is selected.
  ASSERT_EQ(ComboCount(page, IDC_IO_LANGUAGE), 2);
  EXPECT_EQ(ComboText(page, IDC_IO_LANGUAGE, 0), Sjis("US版"));
  EXPECT_EQ(ComboData(page, IDC_IO_LANGUAGE, 0), 12);
  EXPECT_EQ(ComboText(page, IDC_IO_LANGUAGE, 1), Sjis("日本語版"));
  EXPECT_EQ(ComboData(page, IDC_IO_LANGUAGE, 1), 11);
  EXPECT_EQ(ComboSelection(page, IDC_IO_LANGUAGE), 1);

  // Next only; the title is IDS_TITLE.
  EXPECT_TRUE(sheet.NextEnabled());
  EXPECT_FALSE(sheet.BackEnabled());
  EXPECT_EQ(sheet.Title(), Sjis("VK-720 インストール用アーカイブ 作成支援ツール"));
}

TEST_F(IoPageTest, VersionFieldsJoinWithDefaults) {
  MakeSource({"Demo.exe"});
  OpenNewProject();
  struct Case {
    const char* major;
    const char* minor;
    const char* version;
  };
  const Case cases[] = {{"", "", "1.0"}, {"2", "", "2.0"}, {"", "5", "1.5"}, {"12", "345", "12.345"}};
  for (const Case& c : cases) {
    FillValid();
    SetText(page, IDC_IO_VER_MAJOR, c.major);
    SetText(page, IDC_IO_VER_MINOR, c.minor);
    sheet.PressNext();
    ASSERT_EQ(sheet.index(), 1) << c.major << "." << c.minor;
    EXPECT_EQ(app.settings.Ver.Text(), c.version);
    sheet.PressBack();
    ASSERT_EQ(sheet.index(), 0);
  }
  EXPECT_TRUE(messages.messages().empty());
  // The version edits take digits only.
  EXPECT_TRUE(Style(page, IDC_IO_VER_MAJOR) & ES_NUMBER);
  EXPECT_TRUE(Style(page, IDC_IO_VER_MINOR) & ES_NUMBER);
}

TEST_F(IoPageTest, NextChecksInOrderWithMessageAndFocus) {
  MakeSource({"Demo.exe"});
  OpenNewProject();
  struct Case {
    int field;             // field to change from the valid values
    const char* value;
    int message;           // expected string id
    int focus;             // expected focused control, 0: not checked
  };
  // One case per message and field: the order and the rules of the checks
  // are tested with the core's CheckProgramFields.
  const Case cases[] = {
      // An empty field: IDS_FILL_ALL, the focus in that field.
      {IDC_IO_PRODUCT, "", 13, IDC_IO_PRODUCT},
      {IDC_IO_NAME, "", 13, IDC_IO_NAME},
      {IDC_IO_CAPTION, "", 13, IDC_IO_CAPTION},
      {IDC_IO_OUTPUT, "", 13, IDC_IO_OUTPUT},
      {IDC_IO_SOURCE, "", 13, IDC_IO_SOURCE},
      {IDC_IO_PRODUCT, " Demo", 38, IDC_IO_PRODUCT},
      {IDC_IO_NAME, "a/b", 38, IDC_IO_NAME},
      {IDC_IO_OUTPUT, "x*y", 38, IDC_IO_OUTPUT},
      {IDC_IO_SOURCE, "a:b", 38, IDC_IO_SOURCE},
      {IDC_IO_SOURCE, "missing", 4, IDC_IO_SOURCE},
  };
  for (const Case& c : cases) {
    FillValid();
    SetText(page, c.field, c.value);
    messages.Clear();
    sheet.PressNext();
    EXPECT_EQ(sheet.index(), 0) << c.field << " '" << c.value << "'";
    ASSERT_EQ(messages.ids(), std::vector<int>{c.message}) << c.field << " '" << c.value << "'";
    EXPECT_TRUE(messages.messages()[0].style & MB_ICONHAND);
    if (c.focus) {
      EXPECT_EQ(FocusedId(), c.focus) << c.value;
      const auto selection = EditSelection(page, c.focus);
      EXPECT_EQ(selection.first, 0);
      EXPECT_EQ(selection.second, static_cast<int>(std::string(c.value).size()));
    }
    // The fields keep what was typed.
    EXPECT_EQ(GetText(page, c.field), c.value);
  }
  // With several fields empty the focus goes to the first of the page.
  FillValid();
  SetText(page, IDC_IO_SOURCE, "");
  SetText(page, IDC_IO_OUTPUT, "");
  SetText(page, IDC_IO_NAME, "");
  SetFocus(GetDlgItem(page, IDC_IO_SOURCE));
  messages.Clear();
  sheet.PressNext();
  EXPECT_EQ(messages.ids(), std::vector<int>{13});
  EXPECT_EQ(FocusedId(), IDC_IO_NAME);

  // IDS_FOLDER_NOT_FOUND names the folder.
  FillValid();
  SetText(page, IDC_IO_SOURCE, "missing");
  messages.Clear();
  sheet.PressNext();
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_NE(messages.messages()[0].text.find("'missing'"), std::string::npos);

  // Any characters in the caption are accepted.
  FillValid();
  SetText(page, IDC_IO_CAPTION, "a*b?");
  messages.Clear();
  sheet.PressNext();
  EXPECT_EQ(sheet.index(), 1);
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(app.settings.Caption.Text(), "a*b?");
  EXPECT_EQ(app.settings.Product.Text(), "Demo Soft");
  EXPECT_EQ(app.settings.Name.Text(), "Demo");
  EXPECT_EQ(app.settings.Output.Text(), "DemoPack");
  EXPECT_EQ(app.settings.Source.Text(), "src");
}

TEST_F(IoPageTest, OutputNameTooLongForTheCurrentDirectory) {
  // Current directory of 200 bytes: 200 + 55 + 5 = 260 is refused, 54 passes
  // that check (the missing source folder then answers).
  const std::string deep = work.EnterFolderOfLength(200);
  ASSERT_EQ(deep.size(), 200u);
  OpenNewProject();
  FillValid();
  SetText(page, IDC_IO_SOURCE, "nosuch");
  SetText(page, IDC_IO_OUTPUT, std::string(55, 'o'));
  sheet.PressNext();
  EXPECT_EQ(messages.ids(), std::vector<int>{33});
  EXPECT_EQ(FocusedId(), IDC_IO_OUTPUT);
  messages.Clear();
  SetText(page, IDC_IO_OUTPUT, std::string(54, 'o'));
  sheet.PressNext();
  EXPECT_EQ(messages.ids(), std::vector<int>{4});
  EXPECT_EQ(sheet.index(), 0);
}

TEST_F(IoPageTest, SourceChangedComparesWithoutLetterCase) {
  MakeSource({"Demo.exe"});
  OpenNewProject();
  struct Case {
    const char* scanned;
    int changed;
  };
  for (const Case& c : {Case{"SRC", 0}, Case{"src", 0}, Case{"other", 1}, Case{"", 1}}) {
    app.settings.ScannedSource.Assign(c.scanned);
    FillValid();
    sheet.PressNext();
    ASSERT_EQ(sheet.index(), 1);
    EXPECT_EQ(app.page_state.source_changed, c.changed != 0) << c.scanned;
    sheet.PressBack();
  }
}

TEST_F(IoPageTest, BrowseFillsTheFieldAndEmptiesTheStartupProgram) {
  MakeSource({"Demo.exe"});
  ASSERT_TRUE(work.MakeFolder("other"));
  OpenNewProject();
  app.settings.Exe.Assign("Demo.exe");

  // Typing a folder name does not touch the start-up program.
  SetText(page, IDC_IO_SOURCE, "other");
  EXPECT_EQ(app.settings.Exe.Text(), "Demo.exe");

  // A cancelled picker changes nothing.
  modal.Expect(kSourcePickerTitle, PressButton(IDCANCEL));
  Command(page, IDC_IO_BROWSE);
  ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
  PumpMessages();
  EXPECT_EQ(GetText(page, IDC_IO_SOURCE), "other");
  EXPECT_EQ(app.settings.Exe.Text(), "Demo.exe");

  // Choosing "src": the field shows it, Exe is emptied, Source waits for Next.
  std::vector<std::string> rows;
  modal.Expect(kSourcePickerTitle, [&](HWND dialog) {
    rows = ListColumn(GetDlgItem(dialog, IDC_PICK_LIST));
    ChooseRow(IDC_PICK_LIST, "src", IDOK)(dialog);
  });
  Command(page, IDC_IO_BROWSE);
  ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
  PumpMessages();
  EXPECT_EQ(rows, (std::vector<std::string>{"other", "src"}));
  EXPECT_EQ(GetText(page, IDC_IO_SOURCE), "src");
  EXPECT_TRUE(app.settings.Exe.IsEmpty());
  EXPECT_TRUE(app.settings.Source.IsEmpty());
  EXPECT_TRUE(modal.unexpected().empty());
}

TEST_F(IoPageTest, LanguageListStoresItemData) {
  MakeSource({});
  OpenNewProject();
  SelectCombo(page, IDC_IO_LANGUAGE, 0);
  EXPECT_EQ(app.settings.Locate, 12);
  SelectCombo(page, IDC_IO_LANGUAGE, 1);
  EXPECT_EQ(app.settings.Locate, 11);
}

class IoPageProjectTest : public IoPageTest {
 protected:
  /// Writes Pakforge_Demo.ini with `version` (and `more` lines after its
  /// [Property] keys) and opens it from the picker; `refused`: the picker
  /// is expected once more, and cancelled.
  void OpenProject(const std::string& version, const std::string& more = "", bool refused = false) {
    ASSERT_TRUE(work.WriteFile("Pakforge_Demo.ini",
                               "[Property]\r\nLocate=US\r\nProduct=Demo Soft\r\nName=Demo\r\n"
                               "Caption=Menu\r\nVer=" + version +
                                   "\r\nOutput=Pack\r\nSource=src\r\n" + more));
    modal.Expect(kProjectPickerTitle, ChooseRow(IDC_PICK_LIST, "Demo", IDOK));
    if (refused) modal.Expect(kProjectPickerTitle, PressButton(IDCANCEL));
    OpenPages({kIoPage, kInstallPage});
    ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
    PumpMessages();
    page = Page(kIoPage);
    ASSERT_NE(page, nullptr);
  }
};

TEST_F(IoPageProjectTest, OpenedProjectFillsTheFields) {
  MakeSource({});
  OpenProject("1.2.3");
  EXPECT_EQ(app.settings.ProjectPath.Text(), work.Full("Pakforge_Demo.ini"));
  EXPECT_EQ(GetText(page, IDC_IO_PRODUCT), "Demo Soft");
  EXPECT_EQ(GetText(page, IDC_IO_NAME), "Demo");
  EXPECT_EQ(GetText(page, IDC_IO_CAPTION), "Menu");
  EXPECT_EQ(GetText(page, IDC_IO_OUTPUT), "Pack");
  EXPECT_EQ(GetText(page, IDC_IO_SOURCE), "src");
  EXPECT_EQ(GetText(page, IDC_IO_VER_MAJOR), "1");
  EXPECT_EQ(GetText(page, IDC_IO_VER_MINOR), "2");
  EXPECT_EQ(ComboSelection(page, IDC_IO_LANGUAGE), 0);  // US
  EXPECT_EQ(app.settings.Locate, 12);
  // The list of page 3 counts as built from this folder.
  EXPECT_EQ(app.settings.ScannedSource.Text(), "src");
  EXPECT_FALSE(app.page_state.source_changed);
  EXPECT_EQ(app.page_state.native_ina_count, 1);
  EXPECT_FALSE(app.page_state.missing_files);
  // A file the wizard wrote itself gets no review message.
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(IoPageProjectTest, HandWrittenWordsAndNamesAreToldOnceWhenOpened) {
  MakeSource({});
  OpenProject("1.2", "Dest=MAIN_ONLY\r\n[CopyFiles]\r\nFile0=a.dat\r\n");
  // One message lists both: the word read as another, and the section not
  // read with the name one edit away.
  ASSERT_EQ(messages.ids(), std::vector<int>{IDS_PROJECT_FILE_REVIEW});
  const std::string& text = messages.messages()[0].text;
  EXPECT_NE(text.find("MAIN_ONLY"), std::string::npos) << text;
  EXPECT_NE(text.find("CopyFiles"), std::string::npos) << text;
  EXPECT_NE(text.find("CopyFile]"), std::string::npos) << text;
  // The pages then show what the wizard read.
  EXPECT_EQ(app.settings.Dest, project::kLocationBoth);
}

TEST_F(IoPageProjectTest, Utf8WithACharacterShiftJisLacksIsToldAndNotOpened) {
  MakeSource({});
  // Kana and an emoji, as an editor saves them in UTF-8 (line 10): the file
  // is not opened, so no garbled text reaches the pages (nor, by Finish, the
  // file), and the picker is offered again; cancelled, a new project starts.
  OpenProject("1.2", "[CopyFiles]\r\nFile0=\xE3\x83\xA1\xF0\x9F\x98\x80\r\n", true);
  ASSERT_EQ(messages.ids(), std::vector<int>{IDS_UNCONVERTIBLE_IN_VALUE});
  const std::string& text = messages.messages()[0].text;
  EXPECT_NE(text.find(" 10 "), std::string::npos) << text;
  EXPECT_NE(text.find(" File0 "), std::string::npos) << text;
  EXPECT_NE(text.find("U+1F600"), std::string::npos) << text;
  EXPECT_TRUE(modal.unexpected().empty());
  EXPECT_TRUE(app.settings.ProjectPath.IsEmpty());
  EXPECT_EQ(GetText(page, IDC_IO_NAME), "");
  EXPECT_EQ(GetText(page, IDC_IO_PRODUCT), "");
}

TEST_F(IoPageProjectTest, VersionWithoutDotLeavesTheMinorField) {
  MakeSource({});
  OpenProject("3");
  EXPECT_EQ(GetText(page, IDC_IO_VER_MAJOR), "3");
  // The minor field keeps what it showed before the project was read: the
  // "0" that the page's first activation filled in from the default "1.0".
  EXPECT_EQ(GetText(page, IDC_IO_VER_MINOR), "0");
}

}  // namespace
}  // namespace guitest
