#include "project/page_fields.h"

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "project/test_support.h"

namespace project {
namespace {

std::string Sjis(const char* utf8) {
  std::string out;
  EXPECT_TRUE(base::Utf8ToCp932(utf8, &out)) << utf8;
  return out;
}

TEST(PageFieldsTest, VersionSplitAndJoin) {
  struct Case {
    const char* version;
    const char* major;
    const char* minor;
    bool has_minor;
  } cases[] = {
      {"1.0", "1", "0", true}, {"3", "3", "", false},   {"1.2.3", "1", "2", true},
      {".5", "", "5", true},   {"2.", "2", "", true},   {"", "", "", false},
  };
  for (const Case& c : cases) {
    std::string major, minor = "kept";
    bool has_minor = false;
    SplitVersion(c.version, &major, &minor, &has_minor);
    EXPECT_EQ(major, c.major) << c.version;
    EXPECT_EQ(has_minor, c.has_minor) << c.version;
    if (c.has_minor) {
      EXPECT_EQ(minor, c.minor) << c.version;
    }
  }
  EXPECT_EQ(JoinVersion("", ""), "1.0");
  EXPECT_EQ(JoinVersion("2", ""), "2.0");
  EXPECT_EQ(JoinVersion("", "5"), "1.5");
  EXPECT_EQ(JoinVersion("10", "25"), "10.25");
}

TEST(PageFieldsTest, ProgramPathFullAndShortForms) {
  EXPECT_EQ(ProgramPathText("Demo", "app.exe", false), "\\Program Disk\\Demo\\app.exe");
  EXPECT_EQ(ProgramPathText("Demo", "app.exe", true), "\\Program Disk\\...\\app.exe");
  // No program chosen yet: the full form ends in a backslash.
  EXPECT_EQ(ProgramPathText("Demo", "", false), "\\Program Disk\\Demo\\");
}

TEST(PageFieldsTest, InstallDefaultsFromProductAndName) {
  EXPECT_EQ(DefaultInstallText("", " ", "Maker", "Tool"), "Maker Tool");
  EXPECT_EQ(DefaultInstallText("Un", "", "Maker", "Tool"), "UnMakerTool");
  EXPECT_EQ(DefaultInstallText("", " ", "", "Tool"), "Tool");
  EXPECT_EQ(DefaultInstallText("Un", "", "", "Tool"), "UnTool");
  // 64 + 1 + 64 = 129 bytes are cut to the first 100.
  std::string product(64, 'p'), name(64, 'n');
  EXPECT_EQ(DefaultInstallText("", " ", product, name), product + " " + std::string(35, 'n'));
  EXPECT_EQ(DefaultInstallText("Un", "", product, name), "Un" + product + std::string(34, 'n'));
}

TEST(PageFieldsTest, InstallDefaultCutNeverSplitsADoubleByteCharacter) {
  // 32 kanji (64 bytes) + blank + 32 kanji: byte 100 would fall in the
  // middle of the 18th kanji of the name, which is left out whole.
  std::string kanji = Sjis("漢");
  std::string product, name;
  for (int i = 0; i < 32; ++i) product += kanji, name += kanji;
  std::string text = DefaultInstallText("", " ", product, name);
  EXPECT_EQ(text.size(), 99u);
  EXPECT_EQ(text, product + " " + name.substr(0, 34));
}

TEST(PageFieldsTest, ProgramFieldsCheckedInOrder) {
  testing::FakeFolder dir;
  dir.MakeFolder("src");
  dir.MakeFile("plain.bin");
  struct Case {
    TextSetting ProjectSettings::*field;
    std::string value;
    int message;  // 0: passes
    Field focus;
  };
  const Case cases[] = {
      // An empty field is named, so the page can put the focus in it.
      {&ProjectSettings::Product, "", kStrFillAll, Field::kProduct},
      {&ProjectSettings::Name, "", kStrFillAll, Field::kName},
      {&ProjectSettings::Caption, "", kStrFillAll, Field::kCaption},
      {&ProjectSettings::Output, "", kStrFillAll, Field::kOutput},
      {&ProjectSettings::Source, "", kStrFillAll, Field::kSource},
      {&ProjectSettings::Ver, "", kStrFillAll, Field::kVer},
      {&ProjectSettings::Product, " Demo", kStrBadName, Field::kProduct},
      {&ProjectSettings::Product, "Demo.", kStrBadName, Field::kProduct},
      {&ProjectSettings::Name, "a/b", kStrBadName, Field::kName},
      {&ProjectSettings::Output, "x*y", kStrBadName, Field::kOutput},
      {&ProjectSettings::Source, "a:b", kStrBadName, Field::kSource},
      {&ProjectSettings::Source, "missing", kStrFolderNotFound, Field::kSource},
      {&ProjectSettings::Source, "plain.bin", kStrFolderNotFound, Field::kSource},
      // Any characters in the caption are accepted.
      {&ProjectSettings::Caption, "a*b?", 0, Field::kNone},
  };
  for (const Case& c : cases) {
    ProjectSettings s = testing::FooProject();
    (s.*c.field).Assign(c.value);
    Refusal refusal;
    EXPECT_EQ(CheckProgramFields(dir.fs, s, dir.path(), &refusal), c.message == 0) << c.value;
    EXPECT_EQ(refusal.string_id, c.message) << c.value;
    EXPECT_EQ(refusal.field, c.focus) << c.value;
    if (c.message == kStrFolderNotFound) {
      EXPECT_EQ(refusal.argument, c.value);
    }
  }
}

TEST(PageFieldsTest, ArchivePathLengthCountsTheCurrentDirectory) {
  // 200 + 55 + 5 = 260 is refused; 54 passes that check, so the missing
  // source folder answers.
  ProjectSettings s = testing::FooProject();
  const std::string dir(200, 'd');
  testing::FakeFolder files;
  Refusal refusal;
  s.Output.Assign(std::string(55, 'o'));
  EXPECT_FALSE(CheckProgramFields(files.fs, s, dir, &refusal));
  EXPECT_EQ(refusal.string_id, kStrOutputTooLong);
  EXPECT_EQ(refusal.field, Field::kOutput);
  s.Output.Assign(std::string(54, 'o'));
  EXPECT_FALSE(CheckProgramFields(files.fs, s, dir, &refusal));
  EXPECT_EQ(refusal.string_id, kStrFolderNotFound);
}

TEST(PageFieldsTest, InstallFieldsCheckedInOrder) {
  struct Case {
    const char* inst_dir;
    const char* uninst_file;
    bool uninstall;
    const char* exe;
    const char* cmd;
    int message;  // 0: passes
    Field focus;
  };
  const Case cases[] = {
      {"", "UnDemo", true, "Tool.exe", "", kStrFillAll, Field::kInstDir},
      {"Demo", "", true, "Tool.exe", "", kStrFillAll, Field::kUninstFile},
      {"Demo", "UnDemo", true, "", "", kStrSelectExe, Field::kExe},
      {"a|b", "UnDemo", true, "Tool.exe", "", kStrBadName, Field::kInstDir},
      {"Demo", "a?b", true, "Tool.exe", "", kStrBadName, Field::kUninstFile},
      // Uninstall off: the name is still checked, then the builder's need
      // for uninstall information refuses it.
      {"Demo", "", false, "Tool.exe", "", kStrBadName, Field::kUninstFile},
      {"Demo", "UnDemo", false, "Tool.exe", "", kStrUninstallRequired, Field::kUninstall},
      // What the builder would refuse comes after the fields' own checks.
      {"Demo", "UnDemo", true, "Tool.exe", "-a \"b\"", kStrCmdQuote, Field::kCmd},
      {"Demo", "UnDemo", true, "Tool.exe", "-a b", 0, Field::kNone},
  };
  for (const Case& c : cases) {
    ProjectSettings s;
    s.InstDir.Assign(c.inst_dir);
    s.UninstFile.Assign(c.uninst_file);
    s.Uninstall.Set(c.uninstall);
    s.Exe.Assign(c.exe);
    s.Cmd.Assign(c.cmd);
    Refusal refusal;
    EXPECT_EQ(CheckInstallFields(s, &refusal), c.message == 0) << c.inst_dir << "/" << c.uninst_file;
    EXPECT_EQ(refusal.string_id, c.message) << c.inst_dir << "/" << c.uninst_file;
    EXPECT_EQ(refusal.field, c.focus) << c.inst_dir << "/" << c.uninst_file;
  }
}

}  // namespace
}  // namespace project
