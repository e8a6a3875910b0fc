#include "wizard/project_safety.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/test_temp_folder.h"
#include "wizard/project_file.h"
#include "wizard/texts.h"

namespace wizard {
namespace {

struct Project {
  ProjectSettings settings;
  MemoryFileRowStore rows;
};

Project Memo() {
  Project p;
  ProjectSettings& s = p.settings;
  s.Name.Assign("Memo");
  s.Output.Assign("MemoPack");
  s.Source.Assign("src");
  s.Exe.Assign("Memo.exe");
  s.UninstFile.Assign("UnMemo");
  s.SetupIniCreate.Set(true);
  InsertFileRow(p.rows, "Memo.exe", true, std::string(), AppRoot);
  InsertFileRow(p.rows, "song.dat", false, "Music", Doc);
  return p;
}

struct Case {
  const char* label;
  std::function<void(Project&)> change;
  const char* what;   ///< the refusal's subject; null: accepted
  const char* other;  ///< the other file of a clash
};

TEST(ProjectSafetyTest, NamesThatWouldLeaveTheirFolder) {
  const Case cases[] = {
      {"a plain project", [](Project&) {}, nullptr, nullptr},
      {"a file beginning with a dot", [](Project& p) { InsertFileRow(p.rows, ".profile", false, "", AppRoot); },
       nullptr, nullptr},
      {"a Japanese file", [](Project& p) { InsertFileRow(p.rows, "\x83\x5C\x83\x74\x83\x67.dat", false, "", AppRoot); },
       nullptr, nullptr},
      {"a row with a path", [](Project& p) { InsertFileRow(p.rows, "../../canary/secret.exe", false, "", AppRoot); },
       "File2=../../canary/secret.exe", nullptr},
      {"a row with a backslash", [](Project& p) { InsertFileRow(p.rows, "sub\\x.dat", false, "", AppRoot); },
       "File2=sub\\x.dat", nullptr},
      {"a row with a drive", [](Project& p) { InsertFileRow(p.rows, "C:x.dat", false, "", AppRoot); },
       "File2=C:x.dat", nullptr},
      {"a row that is ..", [](Project& p) { InsertFileRow(p.rows, "..", false, "", AppRoot); }, "File2=..", nullptr},
      {"a row with a control byte", [](Project& p) { InsertFileRow(p.rows, "a\x01.dat", false, "", AppRoot); },
       "File2=a\x01.dat", nullptr},
      {"a lead byte before a slash", [](Project& p) { InsertFileRow(p.rows, "\x81/x", false, "", AppRoot); },
       "File2=\x81/x", nullptr},
      {"a row's folder", [](Project& p) { InsertFileRow(p.rows, "x.dat", false, "..\\..\\Windows", AppOriginal); },
       "Folder2=..\\..\\Windows", nullptr},
      {"an own folder of the install folder", [](Project& p) { p.settings.Folders.app_folders.Add("..\\..\\Windows"); },
       "NameApp0=..\\..\\Windows", nullptr},
      {"an own folder of My Documents",
       [](Project& p) {
         p.settings.Folders.doc_folders.Add("Pics");
         p.settings.Folders.doc_folders.Add("a/b");
       },
       "Name1=a/b", nullptr},
      {"the start-up program", [](Project& p) { p.settings.Exe.Assign("..\\..\\..\\Windows\\x.exe"); },
       "Exe=..\\..\\..\\Windows\\x.exe", nullptr},
  };
  for (const Case& c : cases) {
    Project p = Memo();
    c.change(p);
    SafetyRefusal refusal;
    EXPECT_EQ(CheckProjectNames(p.settings, &p.rows, &refusal), c.what == nullptr) << c.label;
    if (c.what) {
      EXPECT_EQ(refusal.string_id, kStrBadName) << c.label;
      EXPECT_EQ(refusal.what, c.what) << c.label;
    }
  }
}

TEST(ProjectSafetyTest, FilesOfFinishThatWouldShareAName) {
  const Case cases[] = {
      {"a plain project", [](Project&) {}, nullptr, nullptr},
      {"the uninstall description on Install.inf", [](Project& p) { p.settings.UninstFile.Assign("install"); },
       "Install.inf", "UninstFile=install (install.inf)"},
      {"... but no uninstall description is written",
       [](Project& p) {
         p.settings.UninstFile.Assign("Install");
         p.settings.Uninstall.Set(false);
       },
       nullptr, nullptr},
      {"a menu file on the reset flag",
       [](Project& p) {
         p.settings.Reboot.Set(true);
         InsertFileRow(p.rows, "InsResetFlag.EXE", false, "", AppRoot);
       },
       "Reboot=true (InsResetFlag.txt)", "File2=InsResetFlag.EXE (InsResetFlag.txt)"},
      {"... with no reset", [](Project& p) { InsertFileRow(p.rows, "InsResetFlag.exe", false, "", AppRoot); },
       nullptr, nullptr},
      {"an uninstall description named as a program",
       [](Project& p) { p.settings.UninstFile.Assign("Memo"); }, nullptr, nullptr},
      {"the project file named Setup.ini", [](Project& p) { p.settings.ProjectPath.Assign("SETUP.INI"); },
       "Create=true (Setup.ini)", "SETUP.INI"},
      {"... when no Setup.ini is written",
       [](Project& p) {
         p.settings.ProjectPath.Assign("Setup.ini");
         p.settings.SetupIniCreate.Set(false);
       },
       nullptr, nullptr},
      {"the project file named as the batch file", [](Project& p) { p.settings.ProjectPath.Assign("memo.BAT"); },
       "Name=Memo (Memo.bat)", "memo.BAT"},
      {"the project file named as the archive", [](Project& p) { p.settings.ProjectPath.Assign("MemoPack.lvar"); },
       "Output=MemoPack (MemoPack.lvar)", "MemoPack.lvar"},
      {"the archive on the source folder", [](Project& p) { p.settings.Source.Assign("MemoPack.lvar"); },
       "Source=MemoPack.lvar", "Output=MemoPack (MemoPack.lvar)"},
  };
  for (const Case& c : cases) {
    Project p = Memo();
    p.settings.ProjectPath.Assign("Pakforge_Memo.ini");
    c.change(p);
    SafetyRefusal refusal;
    EXPECT_EQ(CheckOutputNames(p.settings, &p.rows, p.settings.ProjectPath.Text(), &refusal), c.what == nullptr)
        << c.label;
    if (c.what) {
      EXPECT_EQ(refusal.string_id, kStrOutputNameClash) << c.label;
      EXPECT_EQ(refusal.Detail(), std::string(c.what) + " / " + c.other) << c.label;
    }
  }
}

TEST(ProjectSafetyTest, ProjectFileLargerThanTheWizardWrites) {
  base::TestTempFolder dir;
  const std::string path = dir.Write("Pakforge_Big.ini", "[Property]\r\nName=Big\r\n");
  std::filesystem::resize_file(path, kMaxProjectFileSize);  // sparse: no disk is used
  EXPECT_FALSE(ProjectFileTooLarge(path));
  std::filesystem::resize_file(path, kMaxProjectFileSize + 1);
  EXPECT_TRUE(ProjectFileTooLarge(path));
  // Not read, and not written over.
  ProjectSettings settings;
  LoadProjectSettings(settings, path);
  EXPECT_EQ(settings.Name.Text(), "");
  EXPECT_FALSE(SaveProject(settings, path, nullptr, nullptr));
  EXPECT_EQ(std::filesystem::file_size(path), kMaxProjectFileSize + 1);
}

}  // namespace
}  // namespace wizard
