#include "project/project_pipeline.h"

#include <gtest/gtest.h>

#include "project/change_tracker.h"
#include "project/project_file.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

template <typename Field>
std::vector<Field> Column(const MemoryFileRowStore& files, Field FileRow::*column) {
  std::vector<Field> out;
  for (const FileRow& row : files.rows) out.push_back(row.*column);
  return out;
}

// A project file written by hand: rows appended in no order, as a script
// would add them.
class ProjectPipelineTest : public ::testing::Test {
 protected:
  ProjectPipelineTest() {
    for (const char* name : {"src/Native.ina", "src/Foo.exe", "src/b.dat", "src/sub/A_x.dat", "src/sub/a.bin",
                             "src/zz"}) {
      dir.MakeFile(name);
    }
  }
  bool Load(const std::string& rows) {
    const std::string text =
        "[Property]\r\nProduct=Acme\r\nName=Foo\r\nCaption=Foo Menu\r\nVer=1.0\r\nOutput=FooPack\r\n"
        "Source=src\r\nInstDir=Foo\r\nExe=foo.EXE\r\nUninstFile=UnFoo\r\n" + rows;
    return WriteTextFile(dir.fs, dir.At("Pakforge_Foo.ini"), text) &&
           LoadProject(dir.fs, dir.At("Pakforge_Foo.ini"), &project);
  }
  ListReading Read() {
    source_read = ReadSourceFolder(dir.fs, project.settings, dir.path(), &source);
    return ReadListsAsPages(project.settings, source_read ? &source : nullptr, project.files, project.registry);
  }
  bool Check(Refusal* refusal) {
    CheckRefusal checked;
    const bool passed = CheckProject(
        {dir.fs, project.settings, dir.path(), source_read ? &source : nullptr, project.files, project.registry,
         nullptr, std::string()},
        CheckStage::kAfterReading, &checked);
    *refusal = checked.page;
    return passed;
  }

  testing::FakeFolder dir;
  LoadedProject project;
  SourceIndex source;
  bool source_read = false;
};

TEST_F(ProjectPipelineTest, ListsAreReadInThePagesOrder) {
  ASSERT_TRUE(Load("[CopyFile]\r\nFile0=zz\r\nFile1=b.dat\r\nFile2=Foo.exe\r\nFile3=a.bin\r\nFile4=A_x.dat\r\n"
                   "Folder4=Music\r\nType4=Doc\r\n[Registry]\r\nRegistryKey0=HKLM,Software\\b,v,SZ,\"x\"\r\n"
                   "RegistryKey1=HKCU,Software\\a,v,SZ,\"y\"\r\nRegistryKey2=HKLM,software\\A,v,SZ,\"z\"\r\n"));
  EXPECT_EQ(project.settings.ProjectPath.Text(), dir.At("Pakforge_Foo.ini"));
  const ListReading reading = Read();
  EXPECT_FALSE(reading.rebuilt);
  EXPECT_TRUE(reading.unlisted.empty());
  // Extension, then base name, ASCII letters folded to lower case ("_" before letters).
  EXPECT_EQ(Column(project.files, &FileRow::name),
            (std::vector<std::string>{"zz", "a.bin", "A_x.dat", "b.dat", "Foo.exe"}));
  EXPECT_EQ(Column(project.files, &FileRow::startup), (std::vector<bool>{false, false, false, false, true}));
  EXPECT_EQ(Column(project.files, &FileRow::missing), (std::vector<bool>{false, false, false, false, false}));
  EXPECT_EQ(project.files.rows[2].folder, "Music");
  std::vector<std::string> keys;
  for (const RegistryRow& row : project.registry.rows) keys.push_back(RootWord(row.root) + (" " + row.key));
  EXPECT_EQ(keys, (std::vector<std::string>{"HKCU Software\\a", "HKLM software\\A", "HKLM Software\\b"}));
  Refusal refusal;
  EXPECT_TRUE(Check(&refusal)) << refusal.string_id;
}

TEST_F(ProjectPipelineTest, AnEmptyListIsRebuiltAndKeptRowsNameTheRest) {
  ASSERT_TRUE(Load(""));
  ListReading reading = Read();
  EXPECT_TRUE(reading.rebuilt);
  EXPECT_EQ(Column(project.files, &FileRow::name),
            (std::vector<std::string>{"zz", "a.bin", "A_x.dat", "b.dat", "Foo.exe"}));
  ASSERT_TRUE(Load("[CopyFile]\r\nFile0=Foo.exe\r\n"));
  reading = Read();
  EXPECT_EQ(reading.unlisted, (std::vector<std::string>{"b.dat", "zz", "a.bin", "A_x.dat"}));
}

TEST_F(ProjectPipelineTest, EveryPageRefusesInTurnNamingTheRow) {
  struct Case {
    const char* label;
    std::string rows;
    void (*change)(testing::FakeFolder&, ProjectSettings&);
    int string_id;
    Field field;
    int row;
  } cases[] = {
      {"page 1 first", "[Registry]\r\nRegistryKey0=HKLM,K,v,DWORD,x\r\n",
       [](testing::FakeFolder&, ProjectSettings& s) { s.Caption.Clear(); }, kStrFillAll, Field::kCaption, -1},
      {"page 2", "", [](testing::FakeFolder&, ProjectSettings& s) { s.Exe.Clear(); }, kStrSelectExe,
       Field::kExe, -1},
      {"page 3, the missing row", "[CopyFile]\r\nFile0=gone.dat\r\nFile1=zz\r\n", nullptr, kStrMissingFiles,
       Field::kFileRow, 1},
      {"page 4, the sorted row", "[Registry]\r\nRegistryKey0=HKLM,K2,v,SZ,\"ok\"\r\nRegistryKey1=HKLM,K1,v,DWORD,0x1\r\n",
       nullptr, kStrBadDword, Field::kRegistryRow, 0},
      {"page 4, no value", "[Registry]\r\nRegistryKey0=HKCU,K,v,SZ,\r\n", nullptr, kStrKeyValueRequired,
       Field::kRegistryRow, 0},
      // Last: the file it adds stays.
      {"page 3, duplicate names", "", [](testing::FakeFolder& d, ProjectSettings&) { d.MakeFile("src/sub/ZZ"); },
       kStrDuplicateNames, Field::kNone, -1},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Load(c.rows)) << c.label;
    if (c.change) c.change(dir, project.settings);
    Read();
    Refusal refusal;
    EXPECT_FALSE(Check(&refusal)) << c.label;
    EXPECT_EQ(refusal.string_id, c.string_id) << c.label;
    EXPECT_EQ(refusal.field, c.field) << c.label;
    EXPECT_EQ(refusal.row, c.row) << c.label;
  }
}

TEST_F(ProjectPipelineTest, RegistryWordsTheWizardDoesNotWriteAreRefusedNamingTheRows) {
  const struct {
    const char* rows;
    const char* listed;  // null: no refusal
  } cases[] = {
      {"[Registry]\r\nRegistryKey0=HKCU,K,c,DWORD,5\r\nRegistryKey1=HKCR,K,v,BINARY,0a\r\n", nullptr},
      {"[Registry]\r\nRegistryKey0=HKEY_CURRENT_USER,K,c,DWORD,5\r\n", "RegistryKey0: \"HKEY_CURRENT_USER\""},
      {"[Registry]\r\nRegistryKey0=HKLM,K,v,SZ,\"a\"\r\nRegistryKey1=hklm,K,v,REG_DWORD,5\r\n"
       "RegistryKey2=HKLM,K,v,Sz,\"b\"\r\n",
       "RegistryKey1: \"hklm\", \"REG_DWORD\"\nRegistryKey2: \"Sz\""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Load(c.rows)) << c.rows;
    Refusal refusal;
    EXPECT_EQ(CheckRegistryWords(project.unknown_words, &refusal), c.listed == nullptr) << c.rows;
    EXPECT_EQ(refusal.string_id, c.listed ? kStrUnknownRegistryWords : 0) << c.rows;
    EXPECT_EQ(refusal.argument, c.listed ? c.listed : "") << c.rows;
  }
}

TEST_F(ProjectPipelineTest, AFileThatCannotBeReadLoadsAsAnEmptyOne) {
  // What an empty file gives: the settings' defaults, no rows.
  dir.MakeFile("Pakforge_Empty.ini", "");
  LoadedProject empty;
  ASSERT_TRUE(LoadProject(dir.fs, dir.At("Pakforge_Empty.ini"), &empty));
  dir.MakeFolder("Pakforge_Folder.ini");
  for (const char* name : {"Pakforge_Missing.ini", "Pakforge_Folder.ini"}) {
    // Loaded over a project that held rows and settings of its own.
    ASSERT_TRUE(Load("[CopyFile]\r\nFile0=zz\r\n[Registry]\r\nRegistryKey0=HKCU,K,c,DWORD,5\r\n"));
    EXPECT_FALSE(LoadProject(dir.fs, dir.At(name), &project)) << name;
    EXPECT_EQ(project.settings.ProjectPath.Text(), dir.At(name));
    EXPECT_EQ(ProjectState(project.settings, &project.files, &project.registry),
              ProjectState(empty.settings, &empty.files, &empty.registry))
        << name;
    EXPECT_EQ(project.files.Count(), 0) << name;
    EXPECT_EQ(project.registry.Count(), 0) << name;
    EXPECT_TRUE(project.settings.Uninstall.On()) << name;
  }
}

TEST(StartupProgramRowTest, OnlyARowOfTheApplicationFolderItself) {
  MemoryFileRowStore rows;
  InsertFileRow(rows, "Memo.exe", false, std::string(), AppRoot);
  InsertFileRow(rows, "Tool.exe", false, "Tools", AppOriginal);
  InsertFileRow(rows, "Doc.exe", false, "Text", Doc);
  const struct {
    const char* exe;
    bool passes;
  } cases[] = {{"Memo.exe", true}, {"MEMO.EXE", true}, {"", true},        {"Memo.ex", false},
               {"Tool.exe", false}, {"Doc.exe", false}, {"Memo.exe ", false}};
  for (const auto& c : cases) {
    ProjectSettings s;
    s.Exe.Assign(c.exe);
    Refusal refusal;
    EXPECT_EQ(CheckStartupProgramRow(s, rows, &refusal), c.passes) << c.exe;
    EXPECT_EQ(refusal.string_id, c.passes ? 0 : kStrSelectExe) << c.exe;
    EXPECT_EQ(refusal.field, c.passes ? Field::kNone : Field::kExe) << c.exe;
  }
}

}  // namespace
}  // namespace project
