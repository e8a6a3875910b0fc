#include "project/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "project/file_utils.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

// A project with a bit of everything.
ProjectSettings SampleSettings() {
  ProjectSettings s = testing::FooProject();
  s.Ver.Assign("2.3");
  s.InstDir.Assign("Acme Foo");
  s.Cmd.Assign("-x");
  s.UninstFile.Assign("UnAcmeFoo");
  s.Reboot.Set(true);
  s.Dest = kLocationCardOnly;
  s.Locate = kLanguageUs;
  s.UnRegist.Set(false);
  s.SetupIniName.Assign("Foo for you");
  s.Folders.app_folders.Add("New Folder");
  s.Folders.doc_folders.Add("Mine");
  s.Folders.doc_folders.Add("Yours");
  return s;
}

// A project file on the in-memory file system, and the sample project's rows.
class ProjectFileTest : public ::testing::Test {
 protected:
  ProjectFileTest() {
    InsertFileRow(sample_files, "Foo.exe", true, "", AppRoot);
    InsertFileRow(sample_files, "song.dat", false, "Music", Doc);
    InsertFileRow(sample_files, "a.dat", false, "New Folder", AppOriginal);
    InsertFileRow(sample_files, "b.dat", false, "Mine", DocOriginal);
    sample_registry.Append({kHkcr, "Software\\Foo", "", kBinary, "0aFF"});
  }
  MemoryFileRowStore FileRows() const {
    MemoryFileRowStore rows;
    LoadCopyFileRows(testing::ParsedProject(dir.fs, path), rows);
    return rows;
  }
  MemoryRegistryRowStore RegistryRows() const {
    MemoryRegistryRowStore rows;
    LoadRegistryRows(testing::ParsedProject(dir.fs, path), rows);
    return rows;
  }
  /// The registry rows read back, one "root|key|name|type|value" line each.
  std::vector<std::string> RegistryLines() const {
    std::vector<std::string> lines;
    for (const RegistryRow& r : RegistryRows().rows) {
      lines.push_back(std::string(RootWord(r.root)) + "|" + r.key + "|" + r.name + "|" + TypeWord(r.type) + "|" +
                      r.value);
    }
    return lines;
  }
  std::string Text() const {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(dir.fs, path, &text));
    return text;
  }

  testing::FakeFolder dir;
  const std::string path = dir.At("Pakforge_Foo.ini");
  MemoryFileRowStore sample_files;
  MemoryRegistryRowStore sample_registry;
};

TEST_F(ProjectFileTest, SaveWritesSectionsInOrder) {
  // A foreign section and stale keys: the foreign one stays, ours are rewritten.
  ASSERT_TRUE(WriteTextFile(dir.fs, path, "[Property]\r\nStale=1\r\n[Mine]\r\nkeep=yes\r\n"));
  ASSERT_TRUE(SaveProject(dir.fs, SampleSettings(), path, &sample_files, &sample_registry));
  EXPECT_EQ(Text(),
            "[Mine]\r\nkeep=yes\r\n"
            "[Pakforge]\r\nVer=1.0\r\n"
            "[Property]\r\nLocate=US\r\nProduct=Acme\r\nName=Foo\r\nCaption=Foo Menu\r\nVer=2.3\r\n"
            "Output=FooPack\r\nSource=src\r\nInstDir=Acme Foo\r\nExe=Foo.exe\r\nCmd=-x\r\n"
            "Reboot=true\r\nDest=CARD\r\nUninstall=true\r\nUninstFile=UnAcmeFoo\r\nUnRegist=false\r\n"
            "[Registry]\r\nRegistryKey0=HKCR,Software\\Foo,,BINARY,0aFF\r\n"
            "[CopyFile]\r\nFile0=Foo.exe\r\nWakeup0=true\r\n"
            "File1=song.dat\r\nFolder1=Music\r\nType1=Doc\r\n"
            "File2=a.dat\r\nFolder2=New Folder\r\nType2=AppOriginal\r\n"
            "File3=b.dat\r\nFolder3=Mine\r\nType3=DocOriginal\r\n"
            "[Folder]\r\nNameApp0=New Folder\r\nName0=Mine\r\nName1=Yours\r\n"
            "[SetupIni]\r\nCreate=true\r\nName=Foo for you\r\n");
}

TEST_F(ProjectFileTest, RoundTrip) {
  ProjectSettings saved = SampleSettings();
  MemoryFileRowStore& files = sample_files;
  files.rows[2].missing = true;  // a missing file: still saved as a wake-up row (lossy, kept)
  sample_registry.Append({kHkcu, "K", "list", kMultiSz, "\"a\",\"b\",\"c\""});
  sample_registry.Append({kHklm, "K", "a,b", kSz, "\"v\""});  // comma in the name: split on reading
  ASSERT_TRUE(SaveProject(dir.fs, saved, path, &files, &sample_registry));

  ProjectSettings loaded;
  LoadProjectSettings(loaded, testing::ParsedProject(dir.fs, path));
  for (auto member : {&ProjectSettings::Product, &ProjectSettings::Name, &ProjectSettings::Caption,
                      &ProjectSettings::Ver, &ProjectSettings::Output, &ProjectSettings::Source,
                      &ProjectSettings::InstDir, &ProjectSettings::Exe, &ProjectSettings::Cmd,
                      &ProjectSettings::UninstFile, &ProjectSettings::SetupIniName}) {
    EXPECT_EQ((loaded.*member).Text(), (saved.*member).Text());
  }
  EXPECT_EQ(loaded.Locate, kLanguageUs);
  EXPECT_EQ(loaded.Dest, kLocationCardOnly);
  EXPECT_TRUE(loaded.Reboot.On());
  EXPECT_TRUE(loaded.Uninstall.On());
  EXPECT_FALSE(loaded.UnRegist.On());
  EXPECT_TRUE(loaded.SetupIniCreate.On());
  EXPECT_EQ(loaded.Folders.app_folders.Count(), 1);
  EXPECT_EQ(loaded.Folders.app_folders.At(0), "New Folder");
  EXPECT_EQ(loaded.Folders.doc_folders.At(1), "Yours");

  MemoryFileRowStore files_back;
  files_back.Append(FileRow{"stale", "", AppRoot});
  LoadCopyFileRows(testing::ParsedProject(dir.fs, path), files_back);
  ASSERT_EQ(files_back.rows.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(files_back.rows[i].name, files.rows[i].name);
    EXPECT_EQ(files_back.rows[i].folder, files.rows[i].folder);
    EXPECT_EQ(files_back.rows[i].kind, files.rows[i].kind);
    EXPECT_EQ(files_back.rows[i].number, files.rows[i].number);
    EXPECT_FALSE(files_back.rows[i].missing);
  }
  EXPECT_TRUE(files_back.rows[2].startup);  // a missing file comes back as a wake-up row

  // "K,a,b,SZ,"v"": the name is cut at its comma and the rest slides along
  // ("b" is no type word).
  EXPECT_EQ(RegistryLines(), (std::vector<std::string>{"HKCR|Software\\Foo||BINARY|0aFF",
                                                       "HKCU|K|list|MULTI_SZ|\"a\",\"b\",\"c\"",
                                                       "HKLM|K|a|SZ|SZ,\"v\""}));
}

TEST_F(ProjectFileTest, AbsentKeysGiveDefaults) {
  ASSERT_TRUE(WriteTextFile(dir.fs, path, "[Property]\r\nName=Demo\r\nDest=main\r\nReboot=TRUE\r\n"));
  ProjectSettings s;
  s.Uninstall.Set(false);
  s.UnRegist.Set(false);
  s.Caption.Assign("was set");
  LoadProjectSettings(s, testing::ParsedProject(dir.fs, path));
  EXPECT_EQ(s.Locate, kLanguageUs);
  EXPECT_TRUE(s.Uninstall.On());
  EXPECT_TRUE(s.UnRegist.On());
  EXPECT_FALSE(s.SetupIniCreate.On());
  EXPECT_EQ(s.Dest, kLocationMainOnly);
  EXPECT_TRUE(s.Reboot.On());
  EXPECT_TRUE(s.Caption.IsEmpty());  // an empty text read clears the setting
}

TEST_F(ProjectFileTest, MissingFileUnwritablePathAndByteOrderMark) {
  ProjectSettings s;
  s.Caption.Assign("was set");
  LoadProjectSettings(s, testing::ParsedProject(dir.fs, dir.At("none.ini")));
  EXPECT_TRUE(s.Caption.IsEmpty());
  EXPECT_FALSE(SaveProject(dir.fs, s, dir.At("no") + testing::Sep() + "p.ini", nullptr, nullptr));

  // Saved by an editor as UTF-8 with a byte-order mark: read whole, in
  // Shift-JIS ("テスト"), the first section included.
  ASSERT_TRUE(WriteTextFile(dir.fs, path,
                            "\xEF\xBB\xBF[Property]\r\nName=\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\r\n"
                            "Dest=CARD\r\n[CopyFile]\r\nFile0=a.exe\r\n"));
  LoadProjectSettings(s, testing::ParsedProject(dir.fs, path));
  EXPECT_EQ(s.Name.Text(), "\x83\x65\x83\x58\x83\x67");
  EXPECT_EQ(s.Dest, kLocationCardOnly);
  const MemoryFileRowStore files = FileRows();
  ASSERT_EQ(files.rows.size(), 1u);
  EXPECT_EQ(files.rows[0].name, "a.exe");
}

TEST_F(ProjectFileTest, Utf8WithoutByteOrderMarkIsReadAsShiftJis) {
  // "メモ帳" as a caption and "ようこそ.txt" as a file name, in UTF-8 and in
  // Shift-JIS.
  const std::string caption_utf8 = "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3";
  const std::string caption_sjis = "\x83\x81\x83\x82\x92\xA0";
  const std::string file_utf8 = "\xE3\x82\x88\xE3\x81\x86\xE3\x81\x93\xE3\x81\x9D.txt";
  const std::string file_sjis = "\x82\xE6\x82\xA4\x82\xB1\x82\xBB.txt";
  const struct {
    const char* name;
    std::string text;
    std::string caption;
    std::string file;
    // The character Shift-JIS lacks, where it stands: line, key, UTF-8,
    // as the messages name it.
    int line = 0;
    std::string key = {};
    std::string character = {};
    std::string named = {};
  } cases[] = {
      {"UTF-8 without a mark", "[Property]\nCaption=" + caption_utf8 + "\n[CopyFile]\nFile0=" + file_utf8 + "\n",
       caption_sjis, file_sjis},
      {"Shift-JIS, as the wizard writes it",
       "[Property]\r\nCaption=" + caption_sjis + "\r\n[CopyFile]\r\nFile0=" + file_sjis + "\r\n", caption_sjis,
       file_sjis},
      // An emoji is valid UTF-8 that Shift-JIS lacks: the text stays as
      // it was written.
      {"valid UTF-8 without a Shift-JIS form", "[Property]\nCaption=\xF0\x9F\x93\x9D\n[CopyFile]\nFile0=a\n",
       "\xF0\x9F\x93\x9D", "a", 2, "Caption", "\xF0\x9F\x93\x9D", "U+1F4DD"},
      // Only the first is noted; CR LF and a lone CR end one line each, and
      // a mark begins none.
      {"marked UTF-8 with the character after kana",
       "\xEF\xBB\xBF[Property]\r\nName=a\rCaption = " + caption_utf8 + "\xF0\x9F\x98\x80\r\n[CopyFile]\r\nFile0=a\xE2\x80\xBE\r\n",
       "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3\xF0\x9F\x98\x80", "a\xE2\x80\xBE", 3, "Caption", "\xF0\x9F\x98\x80", "U+1F600"},
      // The mark declares UTF-8, so a byte that is none (Shift-JIS saved
      // behind a mark, say) is noted as well; the first one counts.
      {"marked, with a byte that is no UTF-8",
       "\xEF\xBB\xBF[Property]\r\nName=a\r\nCaption=" + caption_utf8 + caption_sjis + "\r\n[CopyFile]\r\nFile0=a\r\n",
       caption_utf8 + caption_sjis, "a", 3, "Caption", "\x83", "0x83"},
      {"the character in a line that is no key=value",
       "[Property]\n; " + caption_utf8 + " \xF0\x9F\x98\x80\n[CopyFile]\nFile0=a\n", "", "a", 2, "", "\xF0\x9F\x98\x80",
       "U+1F600"},
      {"ASCII only", "[Property]\nCaption=Memo\n[CopyFile]\nFile0=a.txt\n", "Memo", "a.txt"},
      // Half-width katakana ("\xCE\xB2" is also the UTF-8 of a Greek beta,
      // which Shift-JIS has): the wizard's own Shift-JIS stays.
      {"Shift-JIS that reads as two-byte UTF-8", "[Property]\r\nCaption=\xCE\xB2\r\n[CopyFile]\r\nFile0=a\r\n",
       "\xCE\xB2", "a"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteTextFile(dir.fs, path, c.text));
    ProjectSettings s;
    base::IniFile ini;
    UnconvertibleCharacter unconvertible{9, "stale", "x", 1};
    ASSERT_TRUE(ReadProjectFile(dir.fs, path, &ini, &unconvertible));
    EXPECT_EQ(unconvertible.line, c.line) << c.name;
    EXPECT_EQ(unconvertible.key, c.key) << c.name;
    EXPECT_EQ(unconvertible.character, c.character) << c.name;
    if (c.line > 0) {
      EXPECT_EQ(CodePointText(unconvertible), c.named) << c.name;
    }
    LoadProjectSettings(s, ini);
    EXPECT_EQ(s.Caption.Text(), c.caption) << c.name;
    const MemoryFileRowStore files = FileRows();
    ASSERT_EQ(files.rows.size(), 1u) << c.name;
    EXPECT_EQ(files.rows[0].name, c.file) << c.name;
  }
}

TEST_F(ProjectFileTest, LongValuesAreCutToTheSettingMaximum) {
  ASSERT_TRUE(WriteTextFile(dir.fs, path,
                            "[Property]\r\nName=" + std::string(80, 'n') + "\r\nVer=" + std::string(20, '1') +
                                "\r\nSource=" + std::string(150, 's') + "\r\n"));
  ProjectSettings s;
  LoadProjectSettings(s, testing::ParsedProject(dir.fs, path));
  EXPECT_EQ(s.Name.Length(), 64);
  EXPECT_EQ(s.Ver.Length(), 10);
  EXPECT_EQ(s.Source.Length(), 100);
}

TEST_F(ProjectFileTest, FileRowsStopAtTheFirstGapAndKinds) {
  ASSERT_TRUE(WriteTextFile(dir.fs, path,
                            "[CopyFile]\r\nFile0=a\r\nFolder0=X\r\nOriginal0=TRUE\r\nType0=Doc\r\n"
                            "File1=b\r\nFolder1=Y\r\nType1=apporiginal\r\nWakeup1=True\r\n"
                            "File3=d\r\n"));
  MemoryFileRowStore files = FileRows();
  ASSERT_EQ(files.rows.size(), 2u);
  EXPECT_EQ(files.rows[0].kind, DocOriginal);  // Original wins over Type
  EXPECT_EQ(files.rows[1].kind, AppOriginal);
  EXPECT_TRUE(files.rows[1].startup);
  // A folder with an unknown type reads as Doc.
  ASSERT_TRUE(WriteTextFile(dir.fs, path, "[CopyFile]\r\nFile0=a\r\nFolder0=X\r\nType0=odd\r\n"));
  LoadCopyFileRows(testing::ParsedProject(dir.fs, path), files);
  ASSERT_EQ(files.rows.size(), 1u);
  EXPECT_EQ(files.rows[0].kind, Doc);
  // Without a project file the list is emptied.
  LoadCopyFileRows(testing::ParsedProject(dir.fs, ""), files);
  EXPECT_TRUE(files.rows.empty());
}

TEST_F(ProjectFileTest, ThreeHundredFileRowsComeBack) {
  ProjectSettings s;
  MemoryFileRowStore files;
  for (int i = 0; i < 300; ++i) InsertFileRow(files, "f" + std::to_string(i) + ".dat", false, "", AppRoot);
  ASSERT_TRUE(SaveProject(dir.fs, s, path, &files, nullptr));
  const MemoryFileRowStore back = FileRows();
  ASSERT_EQ(back.rows.size(), 300u);
  EXPECT_EQ(back.rows[299].name, "f299.dat");
}

TEST_F(ProjectFileTest, RegistryRowsShortAndCapped) {
  std::string text = "[Registry]\r\nRegistryKey0=hkcr,Software\\A\r\n";
  for (int i = 1; i < 260; ++i) text += "RegistryKey" + std::to_string(i) + "=HKCU,K" + std::to_string(i) + "\r\n";
  ASSERT_TRUE(WriteTextFile(dir.fs, path, text));
  const MemoryRegistryRowStore registry = RegistryRows();
  ASSERT_EQ(registry.rows.size(), 255u);
  EXPECT_EQ(registry.rows[0].root, kHklm);  // lower-case hkcr is not HKCR
  EXPECT_EQ(registry.rows[0].key, "Software\\A");
  EXPECT_EQ(registry.rows[0].name, "");
  EXPECT_EQ(registry.rows[0].type, kSz);
  EXPECT_EQ(registry.rows[0].value, "");
}

TEST_F(ProjectFileTest, RegistryWordsNotWrittenByTheWizardAreNotedAndReadAsBefore) {
  ASSERT_TRUE(WriteTextFile(dir.fs, path,
                            "[Registry]\r\nRegistryKey0=HKEY_CURRENT_USER,K,c,DWORD,5\r\n"
                            "RegistryKey1=HKCR,K,v,REG_DWORD,5\r\nRegistryKey2=HKCUx,K,v,dword,5\r\n"
                            "RegistryKey3=HKCU,K,v,MULTI_SZ,\"a\"\r\nRegistryKey4=HKLM,K\r\n"));
  MemoryRegistryRowStore rows;
  std::vector<UnknownRegistryWord> unknown;
  LoadRegistryRows(testing::ParsedProject(dir.fs, path), rows, &unknown);
  EXPECT_EQ(RegistryLines(), (std::vector<std::string>{"HKLM|K|c|DWORD|5", "HKCR|K|v|SZ|5", "HKCU|K|v|SZ|5",
                                                       "HKCU|K|v|MULTI_SZ|\"a\"", "HKLM|K||SZ|"}));
  std::vector<std::string> noted;
  for (const UnknownRegistryWord& u : unknown) {
    noted.push_back(std::to_string(u.row) + (u.type ? " type " : " root ") + u.word);
  }
  EXPECT_EQ(noted, (std::vector<std::string>{"0 root HKEY_CURRENT_USER", "1 type REG_DWORD", "2 root HKCUx",
                                             "2 type dword", "4 type "}));
}

TEST_F(ProjectFileTest, LongRegistryRowIsSavedWhole) {
  ProjectSettings s;
  MemoryRegistryRowStore registry;
  RegistryRow row{kHklm, std::string(259, 'k'), std::string(259, 'n'), kSz,
                  "\"" + std::string(1021, 'v') + "\""};
  registry.Append(row);
  ASSERT_TRUE(SaveProject(dir.fs, s, path, nullptr, &registry));
  const MemoryRegistryRowStore back = RegistryRows();
  ASSERT_EQ(back.rows.size(), 1u);
  EXPECT_EQ(back.rows[0].key, row.key);
  EXPECT_EQ(back.rows[0].name, row.name);
  EXPECT_EQ(back.rows[0].value, row.value);
}

TEST_F(ProjectFileTest, StrayLeadByteAtAFieldEndDoesNotShiftTheFields) {
  // Key and value name end in a lead byte without its trail byte (as a cut
  // in the middle of a double-byte character leaves them).
  MemoryRegistryRowStore registry;
  registry.Append({kHkcr, "Software\\Fo\x9B", "Na\x83", kDword, "12"});
  ASSERT_TRUE(SaveProject(dir.fs, ProjectSettings(), path, nullptr, &registry));
  EXPECT_EQ(RegistryLines(), std::vector<std::string>{"HKCR|Software\\Fo|Na|DWORD|12"});
}

TEST(ReadFieldTest, FieldsRoomAndDoubleByteCharacters) {
  std::string_view rest = "HKCU,So\x83\x2C,name\r\nmore";
  std::string out;
  ReadField(&rest, &out, 5);
  EXPECT_EQ(out, "HKCU");
  ReadField(&rest, &out, 260);
  EXPECT_EQ(out, "So\x83\x2C");  // 0x2C as a trail byte is no comma
  ReadField(&rest, &out, 260);
  EXPECT_EQ(out, "name");
  EXPECT_TRUE(rest.empty());  // CR ended the row
  ReadField(&rest, &out, 260);
  EXPECT_EQ(out, "");

  rest = "TOOLONG,next";
  ReadField(&rest, &out, 5);
  EXPECT_EQ(out, "TOOL");
  ReadField(&rest, &out, 50);
  EXPECT_EQ(out, "next");

  rest = "ab\x88\x9F" "cd,x";  // room for 3: the double-byte character does not fit
  ReadField(&rest, &out, 4);
  EXPECT_EQ(out, "ab");
  EXPECT_EQ(rest, "x");

  ReadLastField("a,b,c\x1Azzz", &out, 1024);
  EXPECT_EQ(out, "a,b,c");
  ReadLastField("abcdef", &out, 4);
  EXPECT_EQ(out, "abc");
}

TEST(ProjectPickerTest, RenamingAndListing) {
  testing::FakeFolder dir;
  dir.MakeFile("Pakfrge_Demo.ini");
  dir.MakeFile("Pakfrge_Old.ini");
  dir.MakeFile("Pakforge_Demo.ini");
  dir.MakeFile("Pakforge_.ini");
  dir.MakeFile("Pakforge_Demo.2.ini");
  dir.MakeFile("Pakforge_x.txt");
  RenameOldProjectFiles(dir.fs, dir.path());
  EXPECT_TRUE(FileExists(dir.fs, dir.At("Pakfrge_Demo.ini")));  // target existed
  EXPECT_FALSE(FileExists(dir.fs, dir.At("Pakfrge_Old.ini")));
  EXPECT_TRUE(FileExists(dir.fs, dir.At("Pakforge_Old.ini")));
  std::vector<std::string> names = ListProjectNames(dir.fs, dir.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"", "Demo", "Demo.2", "Old"}));
  EXPECT_EQ(ProjectPathFor(dir.path(), "Demo"), dir.At("Pakforge_Demo.ini"));
  EXPECT_TRUE(ListProjectNames(dir.fs, std::string(245, 'd')).empty());

  std::string path;
  EXPECT_FALSE(DefaultProjectPath(std::string(200, 'd'), std::string(45, 'n'), &path));  // 260
  ASSERT_TRUE(DefaultProjectPath("cwd", "Demo.2", &path));
  EXPECT_EQ(path, "cwd" + testing::Sep() + "Pakforge_Demo.2.ini");
}

}  // namespace
}  // namespace project

namespace project {
namespace {

TEST_F(ProjectFileTest, QuotesAndBlanksAtTheEndsSurvive) {
  ProjectSettings saved;
  saved.Cmd.Assign("\"a b\" \"c d\"");
  saved.Caption.Assign(" lead and trail ");
  saved.SetupIniName.Assign("'q'");
  saved.Product.Assign("\"half");  // not enclosed: written as it is
  MemoryFileRowStore files;
  InsertFileRow(files, "'x'", false, "\"Own\"", AppOriginal);
  ASSERT_TRUE(SaveProject(dir.fs, saved, path, &files, nullptr));
  EXPECT_TRUE(Text().find("Product=\"half\r\n") != std::string::npos);
  ProjectSettings loaded;
  LoadProjectSettings(loaded, testing::ParsedProject(dir.fs, path));
  EXPECT_EQ(loaded.Cmd.Text(), saved.Cmd.Text());
  EXPECT_EQ(loaded.Caption.Text(), saved.Caption.Text());
  EXPECT_EQ(loaded.SetupIniName.Text(), "'q'");
  EXPECT_EQ(loaded.Product.Text(), "\"half");
  const MemoryFileRowStore back = FileRows();
  ASSERT_EQ(back.rows.size(), 1u);
  EXPECT_EQ(back.rows[0].name, "'x'");
  EXPECT_EQ(back.rows[0].folder, "\"Own\"");
}

}  // namespace
}  // namespace project
