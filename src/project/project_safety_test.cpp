#include "project/project_safety.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <utility>
#include <vector>

#include "base/file_access.h"
#include "base/test_temp_folder.h"
#include "project/project_file.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

// The platform's files, for the cases run in a temporary folder.
const base::FileAccess system_files = base::SystemFileAccess();

// Names that lead out of their folder, and files of Finish of one name: a
// project changed by a setting or a row ("File": its name; "Folder": its folder).
TEST(ProjectSafetyTest, NamesAndTheFilesTheyMake) {
  const struct {
    std::vector<std::pair<std::string, std::string>> changes;
    int string_id;        ///< 0: accepted
    const char* refused;  ///< the refusal's Detail()
  } cases[] = {
      {{{"File", ".profile"}}, 0, ""},
      {{{"File", "\x83\x5C\x83\x74\x83\x67.dat"}}, 0, ""},  // the trail byte 0x5C is no separator
      {{{"File", "../../canary/secret.exe"}}, kStrBadName, "File2=../../canary/secret.exe"},
      {{{"File", "sub\\x.dat"}}, kStrBadName, "File2=sub\\x.dat"},
      {{{"File", "C:x.dat"}}, kStrBadName, "File2=C:x.dat"},
      {{{"File", ".."}}, kStrBadName, "File2=.."},
      {{{"File", "a\x01.dat"}}, kStrBadName, "File2=a\x01.dat"},
      {{{"File", "\x81/x"}}, kStrBadName, "File2=\x81/x"},
      {{{"Folder", "..\\..\\Windows"}}, kStrBadName, "Folder2=..\\..\\Windows"},
      {{{"NameApp", "..\\..\\Windows"}}, kStrBadName, "NameApp0=..\\..\\Windows"},
      {{{"Name", "Pics"}, {"Name", "a/b"}}, kStrBadName, "Name1=a/b"},
      {{{"Exe", "..\\..\\..\\Windows\\x.exe"}}, kStrBadName, "Exe=..\\..\\..\\Windows\\x.exe"},
      {{{"UninstFile", "install"}}, kStrOutputNameClash, "Install.inf / UninstFile=install (install.inf)"},
      {{{"Reboot", "true"}, {"File", "InsResetFlag.EXE"}}, kStrOutputNameClash,
       "Reboot=true (InsResetFlag.txt) / File2=InsResetFlag.EXE (InsResetFlag.txt)"},
      {{{"Project", "SETUP.INI"}}, kStrOutputNameClash, "Create=true (Setup.ini) / SETUP.INI"},
      {{{"Project", "memo.BAT"}}, kStrOutputNameClash, "Name=Memo (Memo.bat) / memo.BAT"},
      {{{"Project", "MemoPack.lvar"}}, kStrOutputNameClash,
       "Output=MemoPack (MemoPack.lvar) / MemoPack.lvar"},
      {{{"Source", "MemoPack.lvar"}}, kStrOutputNameClash,
       "Source=MemoPack.lvar / Output=MemoPack (MemoPack.lvar)"},
      // A file that a row copies is never overwritten by one Finish writes.
      {{{"File", "readme.txt"}}, 0, ""},
      {{{"File", "Memo.txt"}}, kStrCopiedFileOverwritten, "File2=Memo.txt / File0=Memo.exe (Memo.txt)"},
      {{{"File", "install.INF"}}, kStrCopiedFileOverwritten, "File2=install.INF / Install.inf"},
      {{{"File", "UNMEMO.inf"}}, kStrCopiedFileOverwritten, "File2=UNMEMO.inf / UninstFile=UnMemo (UnMemo.inf)"},
      {{{"Reboot", "true"}, {"File", "insresetflag.txt"}}, kStrCopiedFileOverwritten,
       "File2=insresetflag.txt / Reboot=true (InsResetFlag.txt)"},
      {{{"Folder", "Pics"}, {"File", "Install.inf"}}, kStrCopiedFileOverwritten, "File3=Install.inf / Install.inf"},
  };
  for (const auto& c : cases) {
    ProjectSettings s;
    MemoryFileRowStore rows;
    for (auto [setting, text] : {std::pair{&s.Name, "Memo"}, {&s.Output, "MemoPack"}, {&s.Source, "src"},
                                 {&s.Exe, "Memo.exe"}, {&s.UninstFile, "UnMemo"}}) {
      setting->Assign(text);
    }
    s.SetupIniCreate.Set(true);
    std::string project = "Pakforge_Memo.ini";
    InsertFileRow(rows, "Memo.exe", true, std::string(), AppRoot);
    InsertFileRow(rows, "song.dat", false, "Music", Doc);
    for (const auto& [key, value] : c.changes) {
      if (key == "File") InsertFileRow(rows, value, false, std::string(), AppRoot);
      if (key == "Folder") InsertFileRow(rows, "x.dat", false, value, AppOriginal);
      if (key == "NameApp") s.Folders.app_folders.Add(value);
      if (key == "Name") s.Folders.doc_folders.Add(value);
      if (key == "Exe") s.Exe.Assign(value);
      if (key == "UninstFile") s.UninstFile.Assign(value);
      if (key == "Reboot") s.Reboot.Set(value == "true");
      if (key == "Source") s.Source.Assign(value);
      if (key == "Project") project = value;
    }
    const std::string label = c.changes.back().first + "=" + c.changes.back().second;
    SafetyRefusal refusal;
    EXPECT_EQ(CheckProjectNames(s, &rows, &refusal) && CheckOutputNames(s, &rows, project, &refusal),
              c.string_id == 0)
        << label;
    EXPECT_EQ(refusal.string_id, c.string_id) << label;
    EXPECT_EQ(refusal.Detail(), c.refused) << label;
  }
}

// Control characters in any value of the project, and the paths that the
// batch file quotes: each refusal names the key and shows the character.
TEST(ProjectSafetyTest, ControlCharactersAndBatchPaths) {
  const struct {
    const char* key;
    std::string value;
    int string_id;        ///< 0: accepted
    const char* refused;  ///< the refusal's Detail()
  } cases[] = {
      {"Caption", std::string("Memo\0Pad", 8), kStrControlCharacter, "Caption=Memo\\x00Pad"},
      {"Caption", "Memo\tPad", kStrControlCharacter, "Caption=Memo\\x09Pad"},
      {"Cmd", "-q\x7F", kStrControlCharacter, "Cmd=-q\\x7F"},
      {"Ver", "1.0\x1A", kStrControlCharacter, "Ver=1.0\\x1A"},
      {"SetupIniName", "Memo\x1B[2J", kStrControlCharacter, "[SetupIni] Name=Memo\\x1B[2J"},
      {"Caption", "\x83\x5C\x83\x74 50%", 0, ""},  // no trail byte is a control character
      {"NameApp", "Pics\x01", kStrControlCharacter, "NameApp0=Pics\\x01"},
      {"Registry", "line\x0B" "break", kStrControlCharacter, "Registry=HKLM,Software\\Kumo,v,SZ,line\\x0Bbreak"},
      {"dir", "/work/inj\" & calc.exe & \"x", kStrBatchPathUnsafe, "/work/inj\" & calc.exe & \"x"},
      {"dir", "/work/two\nlines", kStrBatchPathUnsafe, "/work/two\\x0Alines"},
      {"dir", "/work/50%off", 0, ""},  // doubled in the batch file instead
      {"Output", "Memo\"Pack", kStrBatchPathUnsafe, "Memo\"Pack"},
  };
  for (const auto& c : cases) {
    ProjectSettings s;
    MemoryFileRowStore rows;
    MemoryRegistryRowStore registry;
    s.Source.Assign("src");
    s.Output.Assign("MemoPack");
    std::string dir = "/work/memo";
    const std::string key = c.key;
    if (key == "Caption") s.Caption.Assign(c.value);
    if (key == "Cmd") s.Cmd.Assign(c.value);
    if (key == "Ver") s.Ver.Assign(c.value);
    if (key == "SetupIniName") s.SetupIniName.Assign(c.value);
    if (key == "NameApp") s.Folders.app_folders.Add(c.value);
    if (key == "Registry") registry.Append({kHklm, "Software\\Kumo", "v", kSz, c.value});
    if (key == "dir") dir = c.value;
    if (key == "Output") s.Output.Assign(c.value);
    SafetyRefusal refusal;
    EXPECT_EQ(CheckControlCharacters(s, &rows, &registry, &refusal) && CheckBatchPaths(s, dir, &refusal),
              c.string_id == 0)
        << key;
    EXPECT_EQ(refusal.string_id, c.string_id) << key;
    EXPECT_EQ(refusal.Detail(), c.refused) << key;
  }
}

TEST(ProjectSafetyTest, ManyProgramRowsAreCheckedInLinearTime) {
  // 16,000 program rows, each a menu file of its own, and two alike at the
  // end. Comparing every pair took seconds; the index takes milliseconds
  // (the bound leaves room for a loaded machine and the sanitizers).
  ProjectSettings s;
  for (auto [setting, text] : {std::pair{&s.Name, "Memo"}, {&s.Output, "MemoPack"}, {&s.Source, "src"}}) {
    setting->Assign(text);
  }
  MemoryFileRowStore rows;
  for (int i = 0; i < 16000; ++i) InsertFileRow(rows, "p" + std::to_string(i) + ".exe", false, std::string(), AppRoot);
  InsertFileRow(rows, "P15999.EXE", false, std::string(), AppRoot);
  const auto start = std::chrono::steady_clock::now();
  SafetyRefusal refusal;
  EXPECT_FALSE(CheckOutputNames(s, &rows, "Pakforge_Memo.ini", &refusal));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(refusal.Detail(), "File15999=p15999.exe (p15999.txt) / File16000=P15999.EXE (P15999.txt)");
}

TEST(ProjectSafetyTest, ProjectFileLargerThanTheWizardWrites) {
  base::TestTempFolder dir;
  const std::string path = dir.Write("Pakforge_Big.ini", "[Property]\r\nName=Big\r\n");
  std::filesystem::resize_file(path, kMaxProjectFileSize + 1);  // sparse: no disk is used
  EXPECT_TRUE(ProjectFileTooLarge(system_files, path));
  ProjectSettings settings;  // not read, and not written over
  LoadProjectSettings(settings, testing::ParsedProject(system_files, path));
  EXPECT_EQ(settings.Name.Text(), "");
  EXPECT_FALSE(SaveProject(system_files, settings, path, nullptr, nullptr));
  EXPECT_EQ(std::filesystem::file_size(path), kMaxProjectFileSize + 1);
}

}  // namespace
}  // namespace project
