#include "project/inf_writer.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "project/file_utils.h"
#include "project/test_support.h"

namespace project {
namespace {

// Joins lines, each ended by CR LF.
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// The worked example: menu caption Foo Menu, uninstall file UnFoo, one
// program Foo.exe (marked "*"), one data file in Music, one registry row.
struct Example {
  Example() {
    InsertFileRow(files, "Foo.exe", true, "", AppRoot);
    InsertFileRow(files, "song.dat", false, "Music", Doc);
    registry.Append({kHklm, "Software\\Foo", "Path", kSz, "\"abc\""});
  }
  ProjectSettings s = testing::FooProject();
  MemoryFileRowStore files;
  MemoryRegistryRowStore registry;
};

// The example's install description up to its destination line, and its
// copy lines of the listed files up to the registry section.
const std::string kExampleHead = Lines({"; Foo Menu", "[App Information]", "Maker       = \"Acme\"",
                                        "Program     = \"Foo\"", "Version     = 1.0",
                                        "InstallDir  = \"?Drive?\\Program Files\\Foo\"",
                                        "ExeFile     = \"\\Program Disk\\Foo\\Foo.exe\""});
const std::string kExampleCopies =
    Lines({"\"%INSTALL_DIR%\\Foo.inf\" , \"Foo.txt\", COPYFLG_REPLACEONLY",
           "\"%INSTALL_DIR%\\Foo.exe\" , \"Foo.exe\", COPYFLG_REPLACEONLY",
           "\"?Drive?\\My Documents\\Music\\song.dat\" , \"song.dat\", COPYFLG_REPLACEONLY", "", "[Add Registry]"});

TEST(InstallInfTest, WorkedExample) {
  Example e;
  EXPECT_EQ(InstallInfText(e.s, &e.files, &e.registry),
            kExampleHead +
                Lines({"Destination = ALTERNATIVE", "Unload      = 1", "Uninstall   = \"UnFoo.inf\"",
                       "Caption     = \"Foo Menu\"", "", "[Copy Files]",
                       "\"?Drive?\\Program Files\\UnFoo.inf\" , \"UnFoo.inf\", COPYFLG_REPLACEONLY"}) +
                kExampleCopies +
                Lines({"HKEY_LOCAL_MACHINE, \"Software\\Foo\", \"Path\", REG_SZ, FLG_ADDREG_REPLACEONLY, \"abc\"",
                       "; End"}));
}

TEST(InstallInfTest, UninstallOffRebootCommandLineAndLocations) {
  Example e;
  e.s.Uninstall.Set(false);
  e.s.Reboot.Set(true);
  e.s.Cmd.Assign("/q");
  e.s.Dest = kLocationCardOnly;
  e.registry.Clear();
  e.registry.Append({kHkcu, "K", "", kDword, "5"});
  e.registry.Append({kHkcr, "K", "", kMultiSz, "\"a\",\"b\""});
  e.registry.Append({kHklm, "K", "", kBinary, "0aFF"});
  std::string text = InstallInfText(e.s, &e.files, &e.registry);
  EXPECT_EQ(text, kExampleHead +
                      Lines({"Destination = STORAGE_ONLY", "Unload      = 0", "Caption     = \"Foo Menu\"",
                             "CommandLine = \"/q\"", "", "[Copy Files]",
                             "\"\\Windows\\InsResetFlag.txt\" , \"InsResetFlag.txt\", COPYFLG_REPLACEONLY"}) +
                      kExampleCopies +
                      Lines({"HKEY_CURRENT_USER, \"K\", , REG_DWORD, FLG_ADDREG_REPLACEONLY, 5",
                             "HKEY_CLASSES_ROOT, \"K\", , REG_MULTI_SZ, FLG_ADDREG_REPLACEONLY, \"a\",\"b\"",
                             "HKEY_LOCAL_MACHINE, \"K\", , REG_BINARY, FLG_ADDREG_REPLACEONLY, 0aFF", "; End"}));
  e.s.Dest = kLocationMainOnly;
  EXPECT_NE(InstallInfText(e.s, &e.files, &e.registry).find("Destination = MAINMEM_ONLY\r\n"),
            std::string::npos);
}

TEST(InstallInfTest, OwnFoldersMakeDirsAndCopyLines) {
  ProjectSettings s;
  s.InstDir.Assign("App");
  s.UninstFile.Assign("UnApp");
  MemoryFileRowStore files;
  InsertFileRow(files, "1.dat", false, "Data", AppOriginal);
  InsertFileRow(files, "2.dat", false, "data", AppOriginal);
  InsertFileRow(files, "3.dat", false, "Data", AppOriginal);
  InsertFileRow(files, "4.dat", false, "Mine", DocOriginal);
  InsertFileRow(files, "Tool.EXE", false, "", AppRoot);
  InsertFileRow(files, "setup.exe.bak", false, "", AppRoot);
  std::string text = InstallInfText(s, &files, nullptr);
  std::string expected_tail = Lines({
      "",
      "[Make Dirs]",
      "\"%INSTALL_DIR%\\Data\"",
      "\"?Drive?\\My Documents\\Mine\"",
      "",
      "[Copy Files]",
      "\"?Drive?\\Program Files\\UnApp.inf\" , \"UnApp.inf\", COPYFLG_REPLACEONLY",
      "\"%INSTALL_DIR%\\Data\\1.dat\" , \"1.dat\", COPYFLG_REPLACEONLY",
      "\"%INSTALL_DIR%\\data\\2.dat\" , \"2.dat\", COPYFLG_REPLACEONLY",
      "\"%INSTALL_DIR%\\Data\\3.dat\" , \"3.dat\", COPYFLG_REPLACEONLY",
      "\"?Drive?\\My Documents\\Mine\\4.dat\" , \"4.dat\", COPYFLG_REPLACEONLY",
      "\"%INSTALL_DIR%\\Tool.inf\" , \"Tool.txt\", COPYFLG_REPLACEONLY",
      "\"%INSTALL_DIR%\\Tool.EXE\" , \"Tool.EXE\", COPYFLG_REPLACEONLY",
      "\"%INSTALL_DIR%\\setup.exe.bak\" , \"setup.exe.bak\", COPYFLG_REPLACEONLY",
      "; End"});
  ASSERT_GE(text.size(), expected_tail.size());
  EXPECT_EQ(text.substr(text.size() - expected_tail.size()), expected_tail);

  std::string uninstall = UninstallInfText(s, &files, nullptr);
  EXPECT_NE(uninstall.find(Lines({"[Delete Dirs]", "\"?Drive?\\Program Files\\App\\Data\"",
                                  "\"?Drive?\\Program Files\\App\"", "", "; End"})),
            std::string::npos);
}

TEST(InstallInfTest, NoOwnFoldersMeansNoMakeDirs) {
  Example e;
  std::string text = InstallInfText(e.s, &e.files, nullptr);
  EXPECT_EQ(text.find("[Make Dirs]"), std::string::npos);
  EXPECT_NE(text.find("Caption     = \"Foo Menu\"\r\n\r\n[Copy Files]\r\n"), std::string::npos);
  EXPECT_EQ(text.find("[Add Registry]"), std::string::npos);
}

TEST(InstallInfTest, LongDescriptionIsWrittenWhole) {
  Example e;
  e.files.Clear();
  for (int i = 0; i < 3000; ++i) InsertFileRow(e.files, "file" + std::to_string(i) + ".dat", false, "", AppRoot);
  std::string text = InstallInfText(e.s, &e.files, nullptr);
  EXPECT_GT(text.size(), 131072u);
  EXPECT_EQ(text.substr(text.size() - 7), "; End\r\n");
  testing::FakeFolder dir;
  dir.MakeFolder("src");
  ASSERT_TRUE(WriteInstallInf(dir.fs, e.s, dir.path(), &e.files, nullptr));
  std::string written;
  ASSERT_TRUE(ReadWholeFile(dir.fs, dir.At("src") + testing::Sep() + "Install.inf", &written));
  EXPECT_EQ(written, text);
}

TEST(UninstallInfTest, ExampleWithDeleteRegistry) {
  Example e;
  e.s.UnRegist.Set(false);
  e.registry.Clear();
  e.registry.Append({kHklm, "Software\\A", "x", kSz, "\"1\""});
  e.registry.Append({kHklm, "software\\a\\B", "", kSz, "\"1\""});
  e.registry.Append({kHkcu, "Software\\A", "", kSz, "\"1\""});
  e.registry.Append({kHklm, "Software\\A", "", kSz, "\"1\""});
  e.registry.Append({kHklm, "Software\\AB", "", kSz, "\"1\""});
  EXPECT_EQ(UninstallInfText(e.s, &e.files, &e.registry),
            Lines({"; Foo Menu",
                   "[Uninstall Information]",
                   "Maker   = \"Acme\"",
                   "Program = \"Foo\"",
                   "",
                   "[Delete Files]",
                   "\"?Drive?\\Program Files\\UnFoo.inf\"",
                   "\"?Drive?\\My Documents\\Music\\song.dat\"",
                   "",
                   "[Delete Dirs]",
                   "\"?Drive?\\Program Files\\Foo\"",
                   "",
                   "[Delete Registry]",
                   "HKEY_LOCAL_MACHINE, \"Software\\A\"",
                   "HKEY_CURRENT_USER, \"Software\\A\"",
                   "HKEY_LOCAL_MACHINE, \"Software\\A\"",
                   "HKEY_LOCAL_MACHINE, \"Software\\AB\"",
                   "; End"}));
  e.s.UnRegist.Set(true);
  std::string kept = UninstallInfText(e.s, &e.files, &e.registry);
  EXPECT_EQ(kept.find("[Delete Registry]"), std::string::npos);
  EXPECT_EQ(kept.substr(kept.size() - 9), "\r\n; End\r\n");
}

// Each line that a setting or row produced names it, and its key is found
// in the project file: a problem in the line is shown where the author
// wrote it. Lines of fixed text name nothing; the texts are unchanged.
TEST(InstallInfTest, EachLineNamesTheProjectKeyBehindIt) {
  Example e;
  e.s.Reboot.Set(true);
  e.s.Cmd.Assign("-q");
  e.s.UnRegist.Set(false);
  e.s.Folders.app_folders.Add("Pics");
  InsertFileRow(e.files, "pic.dat", false, "Pics", AppOriginal);
  e.registry.Append({kHkcu, "Software\\Foo\\Sub", "", kDword, "7"});
  base::IniFile ini;
  ini.Parse("[Property]\nProduct=Acme\nName=Foo\nCaption=Foo Menu\nInstDir=Foo\nExe=Foo.exe\nCmd=-q\n"
            "Reboot=true\nDest=ALTERNATIVE\nUninstall=true\nUninstFile=UnFoo\n[Registry]\n"
            "RegistryKey0=HKLM,Software\\Foo,Path,SZ,\"abc\"\nRegistryKey1=HKCU,Software\\Foo\\Sub,,DWORD,7\n"
            "[CopyFile]\nFile0=Foo.exe\nFile1=song.dat\nFolder1=Music\nFile2=PIC.dat\nFolder2=Pics\n"
            "Type2=AppOriginal\n[Folder]\nNameApp0=Pics\n");
  struct Case {
    const char* line_start;  // the first line that begins so
    const char* key;         // null: no key produced it
    bool held = true;        // the project file holds the key
  };
  const Case install[] = {
      {"; Foo Menu", "Caption"},
      {"[App Information]", nullptr},
      {"Maker", "Product"},
      {"Program", "Name"},
      {"Version", "Ver", false},
      {"InstallDir", "InstDir"},
      {"ExeFile", "Exe"},
      {"Destination", "Dest"},
      {"Unload", "Uninstall"},
      {"Uninstall ", "UninstFile"},
      {"Caption", "Caption"},
      {"CommandLine", "Cmd"},
      {"\"%INSTALL_DIR%\\Pics\"", "NameApp0"},
      {"\"?Drive?\\Program Files\\UnFoo.inf\"", "UninstFile"},
      {"\"\\Windows\\InsResetFlag.txt\"", "Reboot"},
      {"\"%INSTALL_DIR%\\Foo.inf\"", "File0"},
      {"\"%INSTALL_DIR%\\Foo.exe\"", "File0"},
      {"\"?Drive?\\My Documents\\Music\\song.dat\"", "File1"},
      {"\"%INSTALL_DIR%\\Pics\\pic.dat\"", "File2"},
      {"HKEY_LOCAL_MACHINE", "RegistryKey0"},
      {"HKEY_CURRENT_USER", "RegistryKey1"},
      {"; End", nullptr},
  };
  const Case uninstall[] = {
      {"; Foo Menu", "Caption"},
      {"Maker", "Product"},
      {"Program", "Name"},
      {"[Delete Files]", nullptr},
      {"\"?Drive?\\Program Files\\UnFoo.inf\"", "UninstFile"},
      {"\"?Drive?\\My Documents\\Music\\song.dat\"", "File1"},
      {"\"?Drive?\\Program Files\\Foo\\Pics\"", "NameApp0"},
      {"\"?Drive?\\Program Files\\Foo\"", "InstDir"},
      {"HKEY_LOCAL_MACHINE", "RegistryKey0"},
      {"HKEY_CURRENT_USER", "RegistryKey1"},
  };
  const auto check = [&ini](const std::string& text, const OriginMap& origins, const auto& cases) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find("\r\n", start);
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    for (const Case& c : cases) {
      std::size_t line = 0;
      while (line < lines.size() && lines[line].rfind(c.line_start, 0) != 0) ++line;
      ASSERT_LT(line, lines.size()) << c.line_start;
      const LineOrigin* origin = origins.Find(line + 1);
      if (!c.key) {
        EXPECT_EQ(origin, nullptr) << c.line_start;
        continue;
      }
      ASSERT_NE(origin, nullptr) << c.line_start;
      std::string key;
      std::size_t at = 0;
      EXPECT_EQ(LocateOrigin(ini, *origin, &key, &at), c.held) << c.line_start;
      EXPECT_EQ(key, c.key) << c.line_start;
      EXPECT_EQ(at, ini.LineOf(origin->section, c.key)) << c.line_start;
    }
  };
  OriginMap origins;
  const std::string text = InstallInfText(e.s, &e.files, &e.registry, &origins);
  EXPECT_EQ(text, InstallInfText(e.s, &e.files, &e.registry));
  check(text, origins, install);
  OriginMap uninstall_origins;
  const std::string uninstall_text = UninstallInfText(e.s, &e.files, &e.registry, &uninstall_origins);
  EXPECT_EQ(uninstall_text, UninstallInfText(e.s, &e.files, &e.registry));
  check(uninstall_text, uninstall_origins, uninstall);
  // A row the project file does not hold (a list rebuilt from the folder)
  // has no key.
  std::string key;
  std::size_t at = 0;
  EXPECT_FALSE(LocateOrigin(ini, LineOrigin{"CopyFile", "", "other.dat"}, &key, &at));
}

TEST(KeyIsBelowTest, Table) {
  struct Case {
    const char* previous;
    const char* key;
    bool below;
  } cases[] = {
      {"Software\\Foo", "Software\\Foo", true},    {"Software\\Foo", "software\\foo\\Bar", true},
      {"Software\\Foo", "Software\\Foobar", false}, {"Software\\Foo", "Software", false},
      {"", "anything", false},                      {"", "", true},
      {"\x83\x5C", "\x83\x5C\\x", true},
      // Two katakana whose trail bytes differ only in ASCII letter case.
      {"Software\\\x83\x41", "Software\\\x83\x61\\x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyIsBelow(c.previous, c.key), c.below) << c.previous << " " << c.key;
}

// A row of the start-up program (or not), in the source folder (or not).
FileRow ProgramRow(bool startup, bool missing) {
  FileRow row;
  row.name = "Foo.exe";
  row.startup = startup;
  row.missing = missing;
  return row;
}

TEST(MenuFileTest, ThreeForms) {
  Example e;
  EXPECT_EQ(MenuFileText(e.s, ProgramRow(false, false)), Lines({"[Foo Menu]", "menu:", "no"}));
  EXPECT_EQ(MenuFileText(e.s, ProgramRow(false, true)), Lines({"[Foo Menu]", "menu:", "no"}));
  // A missing start-up program is shown "x", not "*", and is no menu entry.
  EXPECT_EQ(MenuFileText(e.s, ProgramRow(true, true)), Lines({"[Foo Menu]", "menu:", "no"}));
  EXPECT_EQ(MenuFileText(e.s, ProgramRow(true, false)),
            Lines({"[Foo Menu]", "menu:", "yes", "appname:", "Foo Menu", "uninstl:", "yes", "unloadfile:",
                   "Storage Card\\Program Files\\UnFoo.inf"}));
  e.s.Uninstall.Set(false);
  EXPECT_EQ(MenuFileText(e.s, ProgramRow(true, false)),
            Lines({"[Foo Menu]", "menu:", "yes", "appname:", "Foo Menu", "uninstl:", "no"}));
}

TEST(WritersTest, FilesInTheSourceFolder) {
  testing::FakeFolder dir;
  dir.MakeFolder("src");
  Example e;
  e.s.Reboot.Set(true);
  InsertFileRow(e.files, "Tool.EXE", false, "", AppRoot);
  std::string src = dir.At("src") + testing::Sep();
  ASSERT_TRUE(WriteInstallInf(dir.fs, e.s, dir.path(), &e.files, &e.registry));
  ASSERT_TRUE(WriteUninstallInf(dir.fs, e.s, dir.path(), &e.files, &e.registry));
  ASSERT_TRUE(WriteMenuFiles(dir.fs, e.s, dir.path(), &e.files));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.fs, src + "InsResetFlag.txt", &text));
  EXPECT_EQ(text, "Reboot!");
  ASSERT_TRUE(ReadWholeFile(dir.fs, src + "Install.inf", &text));
  EXPECT_EQ(text, InstallInfText(e.s, &e.files, &e.registry));
  ASSERT_TRUE(ReadWholeFile(dir.fs, src + "UnFoo.inf", &text));
  EXPECT_EQ(text, UninstallInfText(e.s, &e.files, &e.registry));
  ASSERT_TRUE(ReadWholeFile(dir.fs, src + "Tool.txt", &text));
  EXPECT_EQ(text, Lines({"[Foo Menu]", "menu:", "no"}));
  ASSERT_TRUE(ReadWholeFile(dir.fs, src + "Foo.txt", &text));
  EXPECT_EQ(text, MenuFileText(e.s, ProgramRow(true, false)));
  EXPECT_FALSE(FileExists(dir.fs, src + "song.txt"));

  // A missing source folder: every writer fails.
  e.s.Source.Assign("absent");
  EXPECT_FALSE(WriteInstallInf(dir.fs, e.s, dir.path(), &e.files, &e.registry));
  EXPECT_FALSE(WriteUninstallInf(dir.fs, e.s, dir.path(), &e.files, &e.registry));
  EXPECT_FALSE(WriteMenuFiles(dir.fs, e.s, dir.path(), &e.files));
  // A list without programs writes nothing and succeeds.
  MemoryFileRowStore data_only;
  InsertFileRow(data_only, "a.dat", false, "", AppRoot);
  EXPECT_TRUE(WriteMenuFiles(dir.fs, e.s, dir.path(), &data_only));
}

TEST(WritersTest, UnwritableResetFlagFailsTheStep) {
  testing::FakeFolder dir;
  dir.MakeFolder("src/InsResetFlag.txt");  // a folder where the flag file should go
  Example e;
  e.s.Reboot.Set(true);
  EXPECT_FALSE(WriteInstallInf(dir.fs, e.s, dir.path(), &e.files, &e.registry));
  EXPECT_TRUE(FileExists(dir.fs, dir.At("src") + testing::Sep() + "Install.inf"));  // written all the same
  e.s.Reboot.Set(false);
  EXPECT_TRUE(WriteInstallInf(dir.fs, e.s, dir.path(), &e.files, &e.registry));
}

TEST(WritersTest, PathLimits) {
  testing::FakeFolder dir;
  ProjectSettings s;
  s.Source.Assign("s");
  s.UninstFile.Assign(std::string(10, 'u'));
  // Source folder path = dir + 3 bytes; Install.inf needs that + 20 < 260.
  EXPECT_FALSE(WriteInstallInf(dir.fs, s, std::string(237, 'd'), nullptr, nullptr));
  EXPECT_FALSE(WriteUninstallInf(dir.fs, s, std::string(243, 'd'), nullptr, nullptr));
}

}  // namespace
}  // namespace project
