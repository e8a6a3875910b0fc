// The application shell run in-process: the hidden host window, the modal
// wizard it starts, Cancel ending the program without writing anything,
// the single-instance rule, centring, and the band painted on every page.

#include <gtest/gtest.h>

#include "base/language.h"
#include "resource.h"
#include "text_fit.h"
#include "pakforge/center_window.h"
#include "pakforge/host_window.h"
#include "pakforge/resource_text.h"
#include "pakforge/run_wizard.h"
#include "wizard_fixture.h"

namespace guitest {
namespace {

/// Runs the whole program in this process and cleans up after it: the
/// window class is unregistered and the loop's WM_QUIT is taken from the
/// queue, so later tests can run their own dialogs.
int RunProgram(pakforge::WizardApp& app) {
  const int result = pakforge::RunPakforge(app, app.instance);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  UnregisterClassA(pakforge::kHostWindowClass, app.instance);
  return result;
}

/// Names of the files in `folder` (not recursive).
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

class ShellTest : public WizardFixture {};

TEST(CenteredOrigin, TruncatesTowardZero) {
  struct Case {
    int screen_w, screen_h, w, h, x, y;
  };
  const Case cases[] = {
      {1280, 1024, 276, 140, 502, 442},
      {1025, 769, 100, 100, 462, 334},
      {100, 100, 301, 201, -100, -50},  // larger than the screen
      {640, 480, 640, 480, 0, 0},
  };
  for (const Case& c : cases) {
    const POINT p = pakforge::CenteredOrigin(c.screen_w, c.screen_h, c.w, c.h);
    EXPECT_EQ(p.x, c.x) << c.w << "x" << c.h;
    EXPECT_EQ(p.y, c.y) << c.w << "x" << c.h;
  }
}

TEST(CenterWindow, KeepsTheSize) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 3, 7, 276, 140, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  pakforge::CenterWindow(window);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 276);
  EXPECT_EQ(rect.bottom - rect.top, 140);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 276) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 140) / 2);
  DestroyWindow(window);
}

TEST_F(ShellTest, CancelEndsTheProgramWithoutWritingAnything) {
  MakeSource({"Demo.exe"});
  ASSERT_TRUE(work.WriteFile("Pakmak.exe", "x"));
  const std::vector<std::string> before = FilesIn(work.path());
  const std::vector<std::string> source_before = FilesIn(work.Full("src"));

  HWND host = nullptr;
  bool host_hidden = false, host_centred = false, owned_by_host = false, sheet_centred = false;
  int page_index = -1;
  std::string host_title;
  modal.Expect(kProjectPickerTitle, PressButton(IDCANCEL));
  modal.Expect(Sjis("VK-720 インストール用アーカイブ 作成支援ツール"), [&](HWND wizard_sheet) {
    host = FindWindowA(pakforge::kHostWindowClass, nullptr);
    host_hidden = host && !IsWindowVisible(host);
    host_title = WindowText(host);
    RECT rect;
    GetWindowRect(host, &rect);
    host_centred = rect.right - rect.left == 276 && rect.bottom - rect.top == 140 &&
                   rect.left == (GetSystemMetrics(SM_CXSCREEN) - 276) / 2 &&
                   rect.top == (GetSystemMetrics(SM_CYSCREEN) - 140) / 2;
    owned_by_host = GetWindow(wizard_sheet, GW_OWNER) == host;
    GetWindowRect(wizard_sheet, &rect);
    sheet_centred =
        rect.left == (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2 &&
        rect.top == (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
    HWND current = PropSheet_GetCurrentPageHwnd(wizard_sheet);
    page_index = static_cast<int>(PropSheet_HwndToIndex(wizard_sheet, current));
    PropSheet_PressButton(wizard_sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(RunProgram(app), 0);
  EXPECT_EQ(modal.pending(), 0u);
  EXPECT_TRUE(modal.unexpected().empty());
  EXPECT_NE(host, nullptr);
  EXPECT_TRUE(host_hidden);
  EXPECT_TRUE(host_centred);
  EXPECT_TRUE(owned_by_host);
  EXPECT_TRUE(sheet_centred);
  EXPECT_EQ(page_index, 0);
  EXPECT_EQ(host_title, Sjis("VK-720 インストール用アーカイブ 作成支援ツール"));
  // The host window is gone and nothing was written.
  EXPECT_EQ(FindWindowA(pakforge::kHostWindowClass, nullptr), nullptr);
  EXPECT_EQ(FilesIn(work.path()), before);
  EXPECT_EQ(FilesIn(work.Full("src")), source_before);
  EXPECT_TRUE(messages.messages().empty());
}

class CloseQuestionTest : public ShellTest {
 protected:
  /// Opens the five pages; the project picker chooses `project` (empty:
  /// cancelled, a new project).
  void OpenWizard(const std::string& project) {
    if (project.empty()) {
      modal.Expect(kProjectPickerTitle, PressButton(IDCANCEL));
    } else {
      modal.Expect(kProjectPickerTitle, ChooseRow(IDC_PICK_LIST, project, IDOK));
    }
    OpenPages({0, 1, 2, 3, 4});
    ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
    PumpMessages();
  }

  /// Presses Cancel answering `answer` to a question; true when one was asked.
  bool CancelAsks(int answer) {
    messages.Clear();
    messages.SetAnswer(answer);
    sheet.PressCancel();
    if (messages.ids().empty()) return false;
    EXPECT_EQ(messages.ids(), std::vector<int>{IDS_CONFIRM_CLOSE});
    EXPECT_EQ(messages.messages()[0].text,
              Sjis("変更した内容は保存されていません。ウィザードを終了しますか？"));
    EXPECT_EQ(messages.messages()[0].style, UINT{MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2});
    return true;
  }

  /// A project as Finish saves it, with rows in both lists, and its source
  /// folder.
  void SaveProject() {
    MakeSource({"Demo.exe", "song.dat"});
    ASSERT_TRUE(work.WriteFile(
        "Pakforge_Demo.ini",
        "[Property]\r\nLocate=JP\r\nProduct=Maker\r\nName=Demo\r\nCaption=Demo\r\nVer=1.0\r\n"
        "Output=Demo\r\nSource=src\r\nInstDir=Demo\r\nExe=Demo.exe\r\nUninstFile=UnMakerDemo\r\n"
        "[Registry]\r\nRegistryKey0=HKLM,Software\\Z,,SZ,\"z\"\r\n"
        "RegistryKey1=HKCU,Software\\A,Count,DWORD,1\r\n"
        "[CopyFile]\r\nFile0=Native.ina\r\nFile1=Demo.exe\r\nWakeup1=true\r\n"
        "File2=song.dat\r\nFolder2=Music\r\nType2=Doc\r\n"
        "[SetupIni]\r\nCreate=true\r\nName=Demo\r\n"));
  }
};

TEST_F(CloseQuestionTest, NewProjectClosesAtOnceUntilAFieldIsTyped) {
  MakeSource({"Demo.exe"});
  OpenWizard("");
  EXPECT_FALSE(CancelAsks(IDYES));
  EXPECT_TRUE(sheet.ended());
}

TEST_F(CloseQuestionTest, TypedFieldAsksAndNoKeepsTheWizard) {
  MakeSource({"Demo.exe"});
  OpenWizard("");
  SetText(Page(0), IDC_IO_PRODUCT, "Maker");
  EXPECT_TRUE(CancelAsks(IDNO));
  EXPECT_FALSE(sheet.ended());
  EXPECT_EQ(GetText(Page(0), IDC_IO_PRODUCT), "Maker");
  EXPECT_TRUE(CancelAsks(IDYES));
  EXPECT_TRUE(sheet.ended());
}

TEST_F(CloseQuestionTest, LoadedProjectWalkedThroughUnchangedClosesAtOnce) {
  SaveProject();
  OpenWizard("Demo");
  for (int page = 1; page <= 4; ++page) {
    sheet.PressNext();
    ASSERT_EQ(sheet.index(), page) << "messages: " << messages.ids().size();
  }
  EXPECT_TRUE(messages.ids().empty());
  sheet.PressBack();
  EXPECT_FALSE(CancelAsks(IDNO));
  EXPECT_TRUE(sheet.ended());
}

TEST_F(CloseQuestionTest, LoadedProjectAsksAfterARowIsDeleted) {
  SaveProject();
  OpenWizard("Demo");
  for (int page = 1; page <= 3; ++page) sheet.PressNext();
  ASSERT_EQ(sheet.index(), 3);
  SelectRows(app.registry_list, {0});
  Command(Page(3), IDC_REG_DELETE);
  EXPECT_TRUE(CancelAsks(IDNO));
  EXPECT_FALSE(sheet.ended());
}

TEST_F(CloseQuestionTest, LoadedProjectAsksAfterACheckBoxOfAnotherPage) {
  SaveProject();
  OpenWizard("Demo");
  sheet.PressNext();
  ASSERT_EQ(sheet.index(), 1);
  Click(Page(1), IDC_INST_REBOOT);
  sheet.PressBack();
  EXPECT_TRUE(CancelAsks(IDNO));
  EXPECT_FALSE(sheet.ended());
}

// The sheet's buttons and a message box's buttons read in the chosen
// language whatever the system's, each word fitting its button.
TEST_F(ShellTest, ButtonsSpeakTheChosenLanguage) {
  const struct {
    base::Language language;
    const char* picker_title;
    std::vector<std::string> sheet, box;
  } cases[] = {
      {base::Language::kEnglish, "Select a Program", {"< &Back", "&Next >", "Finish", "Cancel"}, {"&Yes", "&No"}},
      {base::Language::kJapanese, "\xE3\x83\x97\xE3\x83\xAD\xE3\x82\xB0\xE3\x83\xA9\xE3\x83\xA0\xE3\x81\xAE"
                                  "\xE9\x81\xB8\xE6\x8A\x9E",  // プログラムの選択
       {"< \xE6\x88\xBB\xE3\x82\x8B(&B)", "\xE6\xAC\xA1\xE3\x81\xB8(&N) >", "\xE5\xAE\x8C\xE4\xBA\x86",
        "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB"},  // < 戻る 次へ > 完了 キャンセル
       {"\xE3\x81\xAF\xE3\x81\x84(&Y)", "\xE3\x81\x84\xE3\x81\x84\xE3\x81\x88(&N)"}},  // はい いいえ
  };
  MakeSource({"Demo.exe"});
  for (const auto& c : cases) {
    if (!base::CodePageShows(GetACP(), c.language)) continue;
    pakforge::SetTextLanguage(c.language);
    const std::string tag(base::LanguageTag(c.language));
    std::vector<std::string> sheet_words, box_words;
    std::string misfits;
    auto read = [&](HWND window, std::initializer_list<int> ids, std::vector<std::string>* words) {
      for (int id : ids) {
        words->push_back(WindowText(GetDlgItem(window, id)));
        if (IsWindowVisible(GetDlgItem(window, id))) misfits += textfit::Misfit(GetDlgItem(window, id));
      }
    };
    modal.Expect(c.language == base::Language::kJapanese ? Sjis(c.picker_title) : c.picker_title,
                 PressButton(IDCANCEL));
    modal.Expect(pakforge::LoadText(IDS_TITLE), [&](HWND wizard_sheet) {
      read(wizard_sheet, {0x3023, 0x3024, 0x3025, IDCANCEL}, &sheet_words);
      PropSheet_PressButton(wizard_sheet, PSBTN_CANCEL);
    });
    pakforge::RunWizard(app, nullptr, app.instance);
    pakforge::SystemMessageBoxes system_boxes;  // the real message box
    modal.Expect(pakforge::LoadText(IDS_MESSAGE_CAPTION), [&](HWND box) {
      read(box, {IDYES, IDNO}, &box_words);
      PressButton(IDNO)(box);
    });
    EXPECT_EQ(system_boxes.Show(nullptr, IDS_CONFIRM_CLOSE, MB_YESNO | MB_ICONQUESTION), IDNO) << tag;
    std::vector<std::string> sheet, box;
    for (const std::string& word : c.sheet) sheet.push_back(Sjis(word.c_str()));
    for (const std::string& word : c.box) box.push_back(Sjis(word.c_str()));
    EXPECT_EQ(sheet_words, sheet) << tag;
    EXPECT_EQ(box_words, box) << tag;
    EXPECT_EQ(misfits, "") << tag;
    EXPECT_EQ(modal.pending(), 0u) << tag;
    EXPECT_TRUE(modal.unexpected().empty()) << tag;
  }
  pakforge::SetTextLanguage(base::Language::kJapanese);
}

TEST_F(ShellTest, SecondInstanceOpensNothing) {
  // Another copy's host window: a window of the same class.
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = app.instance;
  window_class.lpszClassName = pakforge::kHostWindowClass;
  ASSERT_NE(RegisterClassA(&window_class), 0);
  HWND other = CreateWindowExA(0, pakforge::kHostWindowClass, "", WS_DLGFRAME | WS_SYSMENU, 0, 0, 276,
                               140, nullptr, nullptr, app.instance, nullptr);
  ASSERT_NE(other, nullptr);
  const int result = pakforge::RunPakforge(app, app.instance);
  PumpMessages(60, 1500);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(modal.answered().empty());
  EXPECT_TRUE(modal.unexpected().empty());
  EXPECT_TRUE(IsWindow(other));
  EXPECT_FALSE(IsWindowVisible(other));
  DestroyWindow(other);
  UnregisterClassA(pakforge::kHostWindowClass, app.instance);
}

TEST_F(ShellTest, EveryPagePaintsTheBand) {
  MakeSource({"Demo.exe"});
  app.settings.Name.Assign("Demo");
  app.settings.Source.Assign("src");
  OpenPages({1, 4});
  HWND page = Page(1);
  ASSERT_NE(page, nullptr);
  RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages();
  RECT client;
  GetClientRect(page, &client);
  HDC dc = GetDC(page);
  const COLORREF band = RGB(0x80, 0x80, 0x00);  // colour value 0x008080
  EXPECT_EQ(GetPixel(dc, 0, 0), band);
  EXPECT_EQ(GetPixel(dc, 9, client.bottom / 2), band);
  EXPECT_EQ(GetPixel(dc, 5, client.bottom - 1), band);
  EXPECT_NE(GetPixel(dc, 10, client.bottom / 2), band);
  ReleaseDC(page, dc);
}

}  // namespace
}  // namespace guitest
