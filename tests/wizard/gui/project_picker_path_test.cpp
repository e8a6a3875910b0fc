// The saved-project picker hands back the chosen project's whole path, also
// when the working folder is long: the result must not be cut to the 100
// bytes of an ordinary picker result, or Finish would save the project to a
// different (cut) path.

#include <gtest/gtest.h>

#include "resource.h"
#include "pakforge/list_pickers.h"
#include "wizard_fixture.h"

namespace guitest {
namespace {

class ProjectPickerPathTest : public WizardFixture {};

TEST_F(ProjectPickerPathTest, LongDirectoryGivesTheWholePath) {
  const std::string deep = work.EnterFolderOfLength(200);
  ASSERT_EQ(deep.size(), 200u);
  const std::string relative = deep.substr(work.path().size() + 1);
  ASSERT_TRUE(work.WriteFile(relative + "\\Pakforge_Demo.ini", "[Property]\r\nName=Demo\r\n"));
  modal.Expect(kProjectPickerTitle, ChooseRow(IDC_PICK_LIST, "Demo", IDOK));
  EXPECT_EQ(pakforge::ProjectPicker(app, nullptr), 1);
  EXPECT_EQ(app.project_choice.Text(), deep + "\\Pakforge_Demo.ini");
  EXPECT_EQ(app.project_choice.Length(), 218);
}

}  // namespace
}  // namespace guitest
