// The shared dialog procedure of the pages: which messages reach a page's
// operations and how their answers come back.

#include <gtest/gtest.h>

#include "resource.h"
#include "pakforge/wizard_page.h"
#include "wizard_fixture.h"

namespace guitest {
namespace {

constexpr int kIoPage = 0;
constexpr int kFinishPage = 4;

/// A page that records the operations called and refuses what it is told to.
class ProbePage : public pakforge::WizardPage {
 public:
  explicit ProbePage(pakforge::WizardApp& app) : WizardPage(app, IDD_FINISH_PAGE) {}
  INT_PTR OnCommand(int id, int, HWND) override { return id == IDC_FINISH_CREATE ? TRUE : FALSE; }
  INT_PTR OnKillActive() override {
    ++kill_active;
    return keep_page ? Keep() : 0;
  }
  INT_PTR OnQueryCancel() override {
    ++query_cancel;
    return keep_open ? Keep() : 0;
  }
  int kill_active = 0;
  int query_cancel = 0;
  bool keep_page = false;
  bool keep_open = false;

 private:
  INT_PTR Keep() {
    SetWindowLongPtrA(window(), DWLP_MSGRESULT, TRUE);
    return TRUE;
  }
};

class WizardPageTest : public WizardFixture {};

TEST_F(WizardPageTest, KillActiveQueryCancelAndCommandAnswersReachThePage) {
  ProbePage probe(app);
  ASSERT_TRUE(sheet.Open({probe.CreatePage(app.instance), app.page(kFinishPage).CreatePage(app.instance)}));
  HWND page = probe.window();
  ASSERT_NE(page, nullptr);

  probe.keep_page = true;
  sheet.PressNext();
  EXPECT_EQ(probe.kill_active, 1);
  EXPECT_EQ(sheet.index(), 0);
  probe.keep_page = false;

  probe.keep_open = true;
  sheet.PressCancel();
  EXPECT_EQ(probe.query_cancel, 1);
  EXPECT_FALSE(sheet.ended());
  probe.keep_open = false;
  sheet.PressCancel();
  EXPECT_TRUE(sheet.ended());

  using pakforge::WizardPage;
  EXPECT_EQ(WizardPage::PageDialogProc(page, WM_COMMAND, MAKEWPARAM(IDC_FINISH_CREATE, BN_CLICKED), 0), TRUE);
  EXPECT_EQ(WizardPage::PageDialogProc(page, WM_COMMAND, MAKEWPARAM(IDC_FINISH_NAME, EN_CHANGE), 0), FALSE);
  sheet.Close();  // before the probe page goes
}

TEST_F(WizardPageTest, DialogManagersWmUserDoesNotOpenThePicker) {
  // Page 1 opens the project picker once, from its own posted message.
  modal.Expect(kProjectPickerTitle, PressButton(IDCANCEL));
  OpenPages({kIoPage, kFinishPage});
  ASSERT_TRUE(PumpUntil([&] { return modal.pending() == 0; }));
  PumpMessages();
  // DM_GETDEFID is WM_USER: the dialog manager's question, not the page's.
  SendMessageA(Page(kIoPage), DM_GETDEFID, 0, 0);
  PumpMessages(200);
  EXPECT_TRUE(modal.unexpected().empty());
  EXPECT_EQ(modal.answered().size(), 1u);
}

}  // namespace
}  // namespace guitest
