#include "project/settings.h"

#include <gtest/gtest.h>

#include "base/file_access.h"
#include "base/test_temp_folder.h"
#include "project/file_utils.h"
#include "project/row_store.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

// The platform's files, for the cases run in a temporary folder.
const base::FileAccess system_files = base::SystemFileAccess();

TEST(TextSettingTest, EqualsIsFalseWhenEmptyAndFoldsOnlyAscii) {
  TextSetting s;
  EXPECT_FALSE(s.Equals("", false));
  EXPECT_FALSE(s.Equals("", true));
  s.Assign("Demo");
  EXPECT_TRUE(s.Equals("DEMO", true));
  EXPECT_FALSE(s.Equals("DEMO", false));
  // Two different kanji whose trail bytes differ only in ASCII case
  // (0x88 0x61 and 0x88 0x41) are different characters.
  s.Assign("\x88\x61");
  EXPECT_FALSE(s.Equals("\x88\x41", true));
  EXPECT_TRUE(s.Equals("\x88\x61", true));
}

TEST(TextSettingTest, SetMaximumEmptiesAndCopyTakesMaximum) {
  TextSetting a(65);
  a.Assign("abc");
  TextSetting b(11);
  b = a;
  EXPECT_EQ(b.Text(), "abc");
  EXPECT_EQ(b.Maximum(), 65);
  b.SetMaximum(101);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.Maximum(), 101);
  b.Assign("");
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_FALSE(b.IsValidFileName());
}

TEST(NameListTest, CapacityAndLongNames) {
  NameList list(50);
  EXPECT_FALSE(list.Add(std::string(260, 'a')));
  EXPECT_TRUE(list.Add(std::string(259, 'a')));
  for (int i = 1; i < 50; ++i) EXPECT_TRUE(list.Add("n" + std::to_string(i)));
  EXPECT_TRUE(list.IsFull());
  EXPECT_FALSE(list.Add("one too many"));
  EXPECT_EQ(list.Count(), 50);
  EXPECT_EQ(list.At(1), "n1");
  EXPECT_EQ(list.At(50), "");
  EXPECT_EQ(list.At(-1), "");
}

TEST(ProjectSettingsTest, DefaultsAndReset) {
  ProjectSettings s;
  EXPECT_EQ(s.Ver.Text(), "1.0");
  EXPECT_EQ(s.Dest, kLocationBoth);
  EXPECT_EQ(s.Locate, kLanguageJapanese);
  EXPECT_TRUE(s.Uninstall.On());
  EXPECT_FALSE(s.Reboot.On());
  EXPECT_TRUE(s.UnRegist.On());
  EXPECT_TRUE(s.SetupIniCreate.On());
  EXPECT_EQ(s.Product.Maximum(), 65);
  EXPECT_EQ(s.Ver.Maximum(), 11);
  EXPECT_EQ(s.Output.Maximum(), 101);
  s.Name.Assign("x");
  s.Ver.Assign("2.5");
  s.Reboot.Set(true);
  s.Locate = kLanguageUs;
  s.Dest = kLocationCardOnly;
  s.ScannedSource.Assign("src");
  s.ResetForNewProject();
  EXPECT_TRUE(s.Name.IsEmpty());
  EXPECT_EQ(s.Ver.Text(), "1.0");
  EXPECT_FALSE(s.Reboot.On());
  EXPECT_TRUE(s.ScannedSource.IsEmpty());
  EXPECT_EQ(s.Locate, kLanguageUs);  // kept
  EXPECT_EQ(s.Dest, kLocationCardOnly);
}

TEST(ProjectSettingsTest, SourceFolderPathLimit) {
  ProjectSettings s;
  std::string out = "untouched";
  s.Source.Assign("12345678");
  EXPECT_FALSE(s.SourceFolderPath(std::string(250, 'd'), &out));  // 250 + 8 + 2 = 260
  EXPECT_EQ(out, "untouched");
  ASSERT_TRUE(s.SourceFolderPath(std::string(249, 'd'), &out));
  EXPECT_EQ(out.size(), 259u);
  s.Source.Clear();
  ASSERT_TRUE(s.SourceFolderPath("cwd", &out));
  EXPECT_EQ(out, "cwd" + testing::Sep() + testing::Sep());
}

struct NameCase {
  const char* text;
  bool valid;
};

TEST(IsValidFileNameTest, Table) {
  const NameCase cases[] = {
      {"a.b", true},          {"a b", true},           {"", false},
      {"   ", false},         {" a", false},           {"a ", false},
      {".a", false},          {"a.", false},           {"a\tb", false},
      {"a\\b", false},        {"a/b", false},          {"a:b", false},
      {"a*b", false},         {"a?b", false},          {"a\"b", false},
      {"a<b", false},         {"a>b", false},          {"a|b", false},
      {"\xB1\xB2", true},     // half-width katakana
      {"\x81\x40\x88\x9F", true},  // begins with the double-byte blank
      {"\x83\x5C", true},     // "ソ": trail byte 0x5C is no backslash
      {"\x83\x7C", true},     // trail byte 0x7C is no vertical bar
      {"a\x83", false},       // a lead byte without its trail byte
      {"Kan\x81\x1Fx", false},  // the lead byte would hide a control byte
      {"\x81/x", false},       // ... or a separator
  };
  for (const NameCase& c : cases) EXPECT_EQ(IsValidFileName(c.text), c.valid) << c.text;
}

TEST(SplitPathTest, FolderBaseExtension) {
  std::string folder, base, ext;
  EXPECT_TRUE(SplitPath("dir\\sub\\name.tar.gz", &folder, &base, &ext));
  EXPECT_EQ(folder, "dir\\sub\\");
  EXPECT_EQ(base, "name.tar");
  EXPECT_EQ(ext, ".gz");
  EXPECT_FALSE(SplitPath("bare", &folder, &base, &ext));
  EXPECT_EQ(folder, "");
  EXPECT_EQ(base, "bare");
  EXPECT_EQ(ext, "");
  // "ソ" (0x83 0x5C) does not split.
  EXPECT_TRUE(SplitPath("\x83\x5C.exe", &folder, &base, &ext));
  EXPECT_EQ(folder, "");
  EXPECT_EQ(base, "\x83\x5C");
  EXPECT_EQ(ext, ".exe");
  EXPECT_FALSE(SplitPath("", &folder, &base, &ext));
  EXPECT_TRUE(SplitPath("setup.exe.bak", nullptr, nullptr, &ext));
  EXPECT_EQ(ext, ".bak");
  EXPECT_FALSE(SplitPath("dir.d\\name", nullptr, &base, &ext));  // a dot in the folder is no extension
  EXPECT_EQ(base, "name");
}

TEST(WildcardTest, WindowsStylePatterns) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.*", "noext", true},          {"*.exe", "App.EXE", true},
      {"*.exe", "app.exe.bak", false}, {"*.exe", "app.exex", false},
      {"Pakforge_*.ini", "pakforge_.ini", true},
      {"Pakforge_*.ini", "Pakforge_Demo.2.ini", true},
      {"Pakforge_*.ini", "Pakfrge_Demo.ini", false},
      {"?.txt", "\x83\x5C.txt", true},  // one double-byte character
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(FileUtilsTest, ExistenceAndListing) {
  base::TestTempFolder dir;
  dir.MakeFolder("sub");
  dir.Write("a.bin", std::string(1000, 'z'));
  EXPECT_TRUE(FileExists(system_files, dir.Path("sub")));
  EXPECT_TRUE(FileExists(system_files, dir.Path("a.bin")));
  EXPECT_TRUE(FolderExists(system_files, dir.Path("sub") + testing::Sep()));
  EXPECT_TRUE(FolderExists(system_files, dir.Path("sub")));
  EXPECT_FALSE(FolderExists(system_files, dir.Path("a.bin")));
  EXPECT_FALSE(FolderExists(system_files, dir.Path("none")));
  EXPECT_TRUE(FolderExists(system_files, testing::Sep()));

  for (int i = 0; i < 51; ++i) dir.Write("f" + std::to_string(i) + ".dat", "x");
  EXPECT_EQ(ListDirectory(system_files, dir.Path("*.dat"), true).size(), 51u);
  EXPECT_EQ(ListDirectory(system_files, dir.Path("*.*"), true).size(), 52u);
  std::vector<std::string> folders = ListDirectory(system_files, dir.Path("*.*"), false);
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0], "sub");
  EXPECT_TRUE(ListDirectory(system_files, dir.Path("missing") + testing::Sep() + "*.*", true).empty());
}

TEST(FileUtilsTest, ShiftJisNamesAndMove) {
  base::TestTempFolder dir;
  const std::string name = "\x83\x5C\x83\x74\x83\x67.txt";  // "ソフト.txt"
  ASSERT_TRUE(WriteTextFile(system_files, dir.Path(name), "abc"));
  std::vector<std::string> names = ListDirectory(system_files, dir.Path("*.txt"), true);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], name);
  std::string content;
  ASSERT_TRUE(ReadWholeFile(system_files, dir.Path(name), &content));
  EXPECT_EQ(content, "abc");
  dir.Write("b.txt", "x");
  EXPECT_FALSE(MoveFileTo(system_files, dir.Path(name), dir.Path("b.txt")));  // target exists
  EXPECT_TRUE(FileExists(system_files, dir.Path(name)));
  EXPECT_TRUE(MoveFileTo(system_files, dir.Path(name), dir.Path("c.txt")));
  EXPECT_FALSE(FileExists(system_files, dir.Path(name)));
  EXPECT_TRUE(DeleteFileAt(system_files, dir.Path("c.txt")));
  EXPECT_FALSE(DeleteFileAt(system_files, dir.Path("c.txt")));
}

TEST(RowStoreTest, InsertFileRowAndRegistryConversions) {
  MemoryFileRowStore files;
  ASSERT_TRUE(InsertFileRow(files, "app.exe", true, "", AppRoot));
  ASSERT_TRUE(InsertFileRow(files, "song.dat", false, "Music", Doc));
  ASSERT_TRUE(InsertFileRow(files, "a.dat", false, "Data", AppOriginal));
  EXPECT_EQ(files.rows[0].folder, kAppFolderText);
  EXPECT_TRUE(files.rows[0].startup);
  EXPECT_FALSE(files.rows[0].missing);
  EXPECT_EQ(files.rows[0].kind, AppRoot);
  EXPECT_FALSE(files.rows[1].startup);
  EXPECT_EQ(files.rows[1].kind, Doc);
  EXPECT_EQ(files.rows[1].number, 1u);
  EXPECT_EQ(files.rows[1].folder, "Music");
  EXPECT_EQ(files.rows[2].kind, AppOriginal);
  EXPECT_EQ(files.rows[2].number, 2u);
  // Read back as from the list's buffers: 259 bytes, no character split.
  files.rows[1].name = std::string(258, 'n') + "\x95\x5C";
  files.rows[1].folder = std::string(259, 'f');
  const std::vector<FileRow> read = ReadFileRows(&files);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].name, "app.exe");
  EXPECT_EQ(read[1].name, std::string(258, 'n'));
  EXPECT_EQ(read[1].folder, std::string(259, 'f'));

  // A folder of more than 65535 files: the running number wraps, the kind
  // stays what was asked (it once ran into the kind bits: Doc, then worse).
  MemoryFileRowStore many;
  for (int i = 0; i <= 0x10001; ++i) ASSERT_TRUE(InsertFileRow(many, "f.dat", false, "", AppRoot));
  EXPECT_EQ(many.rows[0x10000].kind, AppRoot);
  EXPECT_EQ(many.rows[0x10001].kind, AppRoot);
  EXPECT_EQ(many.rows[0x10001].number, 1u);

}

TEST(RowStoreTest, RegistrySortFollowsOneRow) {
  // By root word (so HKCU before HKLM although its number is larger), then
  // key with ASCII letters folded; equal rows keep their order.
  const std::vector<RegistryRow> rows = {{kHklm, "Software\\b", "", kSz, "1"},
                                         {kHkcu, "Software\\z", "", kSz, "2"},
                                         {kHklm, "software\\A", "", kSz, "3"},
                                         {kHklm, "Software\\b", "", kSz, "4"}};
  const struct {
    int follow;
    int after;
  } cases[] = {{0, 2}, {1, 0}, {2, 1}, {3, 3}, {-1, -1}, {4, 4}};
  for (const auto& c : cases) {
    MemoryRegistryRowStore registry;
    registry.rows = rows;
    int follow = c.follow;
    SortRegistryRows(registry, &follow);
    EXPECT_EQ(follow, c.after) << c.follow;
    std::string values;
    for (const RegistryRow& row : registry.rows) values += row.value;
    EXPECT_EQ(values, "2314");
  }
}

TEST(RowStoreTest, RegistryRowsAndEntries) {
  // A row and the dialog's entry hold the same numbers; the texts are cut
  // to each setting's maximum - 1, never inside a double-byte character;
  // the words are made for display and the project file only.
  const std::string split_key = std::string(258, 'k') + "\x95\x5C";
  const struct {
    RegistryRow row;
    int root;
    int type;
    std::string key;
    std::size_t value_length;
    std::string text;
  } cases[] = {
      {{kHkcr, "K", "n", kBinary, "0aFF"}, kHkcr, kBinary, "K", 4, "HKCR,K,n,BINARY,0aFF"},
      {{kHkcu, "K", "", kMultiSz, "\"a\""}, kHkcu, kMultiSz, "K", 3, "HKCU,K,,MULTI_SZ,\"a\""},
      {{kHklm, "K", "", kDword, "5"}, kHklm, kDword, "K", 1, "HKLM,K,,DWORD,5"},
      {{0, "K", "", 0, "v"}, kHklm, kSz, "K", 1, "HKLM,K,,SZ,v"},  // no number of its own
      {{kHkcr, std::string(300, 'k'), "", kSz, std::string(2000, 'v')}, kHkcr, kSz, std::string(259, 'k'), 1023, ""},
      {{kHklm, split_key, "", kSz, "v"}, kHklm, kSz, std::string(258, 'k'), 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row.key.substr(0, 8));
    RegistryEntry entry;
    RowToEntry(c.row, &entry);
    EXPECT_EQ(entry.root, c.root);
    EXPECT_EQ(entry.type, c.type);
    EXPECT_EQ(entry.key.Text(), c.key);
    EXPECT_EQ(entry.value.Text().size(), c.value_length);
    const RegistryRow back = EntryToRow(entry);
    EXPECT_EQ(back.root, c.root);
    EXPECT_EQ(back.type, c.type);
    EXPECT_EQ(back.key, c.key);
    if (!c.text.empty()) {
      EXPECT_EQ(RegistryRowText(c.row), c.text);
    }
  }
  // A dialog entry longer than its field holds is cut on its way into a row.
  RegistryEntry entry;
  entry.key.Assign(std::string(300, 'k'));
  entry.value.Assign(std::string(1030, 'v'));
  EXPECT_EQ(EntryToRow(entry).key.size(), 259u);
  EXPECT_EQ(EntryToRow(entry).value.size(), 1023u);
}

}  // namespace
}  // namespace project
