#include "inf/inf_reader.h"

#include <gtest/gtest.h>

#include "base/capturing_console.h"
#include "base/fake_file_system.h"
#include "inf/inf_test_support.h"

namespace inf {
namespace {

using testing::Sj;
using Files = base::FakeFileSystem;

const char kCompleteApp[] =
    "[ App Information ]\r\n"
    "Maker = \"Maker Co\"\r\n"
    "Program = Prog\r\n"
    "Version = 1.2\r\n"
    "InstallDir = \"\\Program Files\\Prog\"\r\n"
    "ExeFile = prog.exe\r\n"
    "Uninstall = Uninst\r\n"
    "Caption = \"My Program\"\r\n"
    "Destination = MAINMEM_ONLY\r\n"
    "Unload = 1\r\n";

// The context report of a line error.
std::string Context(const std::string& file, const std::string& section, int line,
                    const std::string& text) {
  std::string report = Sj("発生箇所: ") + file + ", ";
  report += section.empty() ? Sj("セクション外\n") : "[ " + section + Sj(" ] セクション\n");
  return report + "\nline " + std::to_string(line) + ":\n> " + text + "\n";
}

struct ReadResult {
  std::uint32_t code;
  std::string err;
  std::string out;
};

ReadResult Read(Files& folder, const std::string& name, std::string_view content, InstallInfoState* state) {
  folder.files[name].assign(content.begin(), content.end());
  base::CapturingConsole console;
  const std::uint32_t code = ReadInstallInfoFile(folder, name, name, console, state);
  return {code, console.err, console.out};
}

TEST(ReadInstallInfoFileTest, Accepts) {
  const std::string cases[] = {
      "",
      "; comment only\n\n   \t\n;[ not a section ]\n",
      std::string(kCompleteApp) + "Icon = \"a;b\"\n[ Copy Files ]\n\\dest, prog.exe\n",
      "[ Setup Data-Files ]\n",
      // A backslash before a double-byte character escapes it whole.
      Sj(std::string(kCompleteApp) + "Icon = \"?Drive?\\Program Files\\メモ\"\n[ Copy Files ]\n"
         "\"\\Program Disk\\メモ帳\\メモ.exe\", メモ.exe\n[ Add Registry ]\n"
         "HKEY_LOCAL_MACHINE, \"Software\\メモ\", v, REG_SZ, , \"\\ソ\"\n"),
      "[ uninstall information ]\nMaker = M\nProgram = P\n"
      "[ ex-install information ]\nProgram = x\nTimeOut = 10\n"
      "[ Make Dirs ]\nd\n[ Delete Dirs ]\nd\n[ Delete Files ]\nf\n"
      "[ Add Registry ]\nHKEY_USERS, k, v\n[ Delete Registry ]\nHKEY_USERS, k\n",
  };
  for (const std::string& content : cases) {
    Files folder;
    InstallInfoState state;
    const ReadResult r = Read(folder, "Install.inf", content, &state);
    EXPECT_EQ(r.code, 0u) << content;
    EXPECT_EQ(r.err, "") << content;
    EXPECT_EQ(r.out, "");
  }
}

TEST(ReadInstallInfoFileTest, RecordsAppInformation) {
  Files folder;
  InstallInfoState state;
  ASSERT_EQ(Read(folder, "Install.inf", kCompleteApp, &state).code, 0u);
  EXPECT_TRUE(state.app_information_checked);
  EXPECT_EQ(state.uninstall_file_name, "Uninst");
  EXPECT_EQ(state.destination, 1u);
  // A later file without App Information leaves the results alone.
  ASSERT_EQ(Read(folder, "Uninst.inf", "[ Uninstall Information ]\nMaker=M\nProgram=P\n", &state).code, 0u);
  EXPECT_EQ(state.uninstall_file_name, "Uninst");
  EXPECT_EQ(state.destination, 1u);
}

TEST(ReadInstallInfoFileTest, LineErrorsWithContext) {
  struct Case {
    std::string content;
    std::uint32_t code;
    std::string message;
    std::string section;
    int line;
    std::string text;
  };
  const std::string long_line = std::string(511, ' ') + std::string(80, ' ') + "Caption My\n";
  const Case cases[] = {
      {"[ App Information ]\r\nCaption = My Program\r\n", 0x242600,
       Sj("エラー：定義文の後に文があります\n"), "App Information", 2, "Caption = My Program\n"},
      {"; head\n[ Copy Flies ]\n", 0x261100, Sj("エラー：定義されていないセクション名です\n"), "", 2,
       "[ Copy Flies ]\n"},
      {"[ Copy Files ]\n[ Copy Files ] x\n", 0x241400, Sj("エラー：セクション文の ] の後に文があります\n"), "",
       2, "[ Copy Files ] x\n"},
      {"Maker = x\n", 0x241300, Sj("エラー：セクション文は [ で始まらなければなりません\n"), "", 1,
       "Maker = x\n"},
      {"[ App Information ]\nMaker\n", 0x262400, Sj("エラー：定義文が不完全です\n"), "App Information", 2,
       "Maker\n"},
      {"[ App Information ]\nShape = round", 0x262160, Sj("エラー：キーワード Shape は未定義です\n"),
       "App Information", 2, "Shape = round"},
      {"[ App Information ]\nCaption = \"x\n", 0x253000, Sj("エラー：文字列が \" で閉じていません\n"),
       "App Information", 2, "Caption = \"x\n"},
      {"[ Make Dirs ]\nab\x81 \n", 0x211000, Sj("エラー：シフトJISコードではない文字があります\n"),
       "Make Dirs", 2, "ab\x81 \n"},
      {"[ Add Registry ]\nHKEY_LOCAL_MACHINE\n", 0x264000,
       Sj("エラー：サブキー名とレジストリ項目名の両方を省略することは出来ません\n"), "Add Registry", 2,
       "HKEY_LOCAL_MACHINE\n"},
      // A 600-byte line is read as 511 bytes and the rest: the error in the
      // second part reports the next line number.
      {"[ App Information ]\n" + long_line, 0x242500, Sj("エラー：代入演算子 = がありません\n"),
       "App Information", 3, std::string(80, ' ') + "Caption My\n"},
  };
  for (const Case& c : cases) {
    Files folder;
    InstallInfoState state;
    const ReadResult r = Read(folder, "Setup.inf", c.content, &state);
    EXPECT_EQ(r.code, c.code) << c.content;
    EXPECT_EQ(r.err, c.message + Context("Setup.inf", c.section, c.line, c.text)) << c.content;
    EXPECT_EQ(r.out, "");
  }
}

TEST(ReadInstallInfoFileTest, CheckErrorsName) {
  Files folder;
  InstallInfoState state;
  std::string content = kCompleteApp;
  content.replace(content.find("Maker"), 5, "; Maker");
  const ReadResult r = Read(folder, "Install.inf", content + "[ Copy Files ]\n", &state);
  EXPECT_EQ(r.code, 0x310001u);
  EXPECT_EQ(r.err.substr(0, Sj("エラー：必須キーワード Maker がありません\n").size()),
            Sj("エラー：必須キーワード Maker がありません\n"));
  EXPECT_NE(r.err.find("Maker       = (null)\n"), std::string::npos);
  const std::string tail = Sj("\n発生箇所: Install.inf\n");
  ASSERT_GE(r.err.size(), tail.size());
  EXPECT_EQ(r.err.substr(r.err.size() - tail.size()), tail);

  const ReadResult ex = Read(folder, "Ex.inf", "[ Ex-Install Information ]\nTimeOut = 5\n", &state);
  EXPECT_EQ(ex.code, 0x3A0001u);
}

// An invalid Destination keeps its messages and listing, with a line that
// names the key, the line it was given on and the values that would do.
TEST(ReadInstallInfoFileTest, InvalidDestinationNamesItsLine) {
  Files folder;
  InstallInfoState state;
  std::string content = kCompleteApp;
  content.replace(content.find("MAINMEM_ONLY"), 12, "BOTH");
  const ReadResult r = Read(folder, "Install.inf", content, &state);
  EXPECT_EQ(r.code, 0x310400u);
  const std::string head =
      Sj("エラー：必須キーワード Destination の値が不正です\n"
         "Destination = BOTH（9 行目）：指定できる値は MAINMEM_ONLY、STORAGE_ONLY、ALTERNATIVE のいずれかです"
         "（大文字・小文字は問いません）\n") +
      "\n[ App Information ]\n\n";
  EXPECT_EQ(r.err.substr(0, head.size()), head);
  EXPECT_NE(r.err.find("Destination = BOTH\nUnload      = 1\n" + Sj("\n発生箇所: Install.inf\n")), std::string::npos)
      << r.err;
}

// A description saved as UTF-8 is named once, with its first line that is
// not Shift-JIS as meant; a Shift-JIS one, and a reader that did not ask,
// hear nothing.
TEST(ReadInstallInfoFileTest, WarnsOfAFileSavedAsUtf8) {
  struct Case {
    const char* label;
    std::string content;
    bool ask;
    std::uint32_t code;
    int line;  // of the warning; 0 for none
  };
  const std::string copy = "[ Copy Files ]\n\\dest, a.txt\n";
  const Case cases[] = {
      {"Shift-JIS", Sj(copy + "\\dest, メモ.txt\n; 説明\n"), true, 0, 0},
      {"UTF-8 kana with a Shift-JIS reading", copy + "; read me\n\\dest, メモ.txt\n; 説明\n", true, 0, 4},
      {"not asked", copy + "\\dest, メモ.txt\n", false, 0, 0},
      {"no Shift-JIS reading (a comment)", copy + "; ノート\n", true, 0, 3},
      {"UTF-8 whose bytes are also Shift-JIS kana", copy + "\\dest, caf\xC3\xA9.txt\n", true, 0, 0},
      {"UTF-8, then a Shift-JIS line", copy + "\\dest, メモ.txt\n" + Sj("; 説明\n"), true, 0, 0},
      {"a byte-order mark fails the first line", "\xEF\xBB\xBF[ Copy Files ]\n\\dest, a.txt\n", true, 0x241300, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Files folder;
    InstallInfoState state;
    state.warn_if_utf8 = c.ask;
    const ReadResult r = Read(folder, "Install.inf", c.content, &state);
    EXPECT_EQ(r.code, c.code);
    const std::string warning =
        c.line ? Sj("警告：インストール情報ファイルが UTF-8 で保存されていますが、デバイスはシフトJISで読むため、"
                    "ASCII 以外の文字が化けます。シフトJIS（コードページ 932）で保存し直してください [ Install.inf, ") +
                     std::to_string(c.line) + Sj(" 行目 ]\n")
               : "";
    if (c.code == 0) {
      EXPECT_EQ(r.err, warning);
    } else {
      ASSERT_GE(r.err.size(), warning.size());
      EXPECT_EQ(r.err.substr(r.err.size() - warning.size()), warning) << r.err;  // after the context
    }
  }
}

// The reader tells the sink of every file that a copy line, ExeFile, Icon
// or Uninstall names, with its line, and of nothing else.
TEST(ReadInstallInfoFileTest, TellsTheSinkOfTheFilesNamed) {
  struct Recorder : NamedFileSink {
    void OnNamedFile(std::string_view name, std::string_view key, int line) override {
      seen.push_back(std::string(key) + " " + std::to_string(line) + " " + std::string(name));
    }
    std::vector<std::string> seen;
  } recorder;
  Files folder;
  InstallInfoState state;
  state.named_files = &recorder;
  std::string content = kCompleteApp;
  content.replace(content.find("prog.exe"), 8, "\"\\Program Disk\\Prog\\prog.exe\"");
  content += Sj("icon = \"\\Program Disk\\表\\ソ.ico\"\n"
                "[ Copy Files ]\n"
                "\"\\Program Disk\\Prog\", prog.exe\n"
                "\"\\Program Disk\\Prog\\readme.txt\"\n"
                "\"\\Program Disk\\Prog\\a.txt\", , COPYFLG_REPLACEONLY\n"
                "[ Make Dirs ]\n\"\\Program Disk\\Prog\\Data\"\n"
                "[ Setup Data-Files ]\nx.dat, y.dat\n");
  const ReadResult r = Read(folder, "Install.inf", content, &state);
  ASSERT_EQ(r.code, 0u) << r.err;
  EXPECT_EQ(recorder.seen, (std::vector<std::string>{"ExeFile 6 prog.exe", "Uninstall 7 Uninst",
                                                      "Icon 11 " + Sj("ソ.ico"), "Copy Files 13 prog.exe",
                                                      "Copy Files 14 readme.txt", "Copy Files 15 a.txt"}));
}

TEST(ReadInstallInfoFileTest, SecondAppInformationIsCheckedOnItsOwn) {
  Files folder;
  InstallInfoState state;
  const ReadResult r =
      Read(folder, "Install.inf", std::string(kCompleteApp) + "[ App Information ]\nMaker = M\n", &state);
  EXPECT_EQ(r.code, 0x310ABEu);
  EXPECT_EQ(state.uninstall_file_name, "");
}

TEST(ReadInstallInfoFileTest, CannotOpen) {
  Files folder;
  InstallInfoState state;
  base::CapturingConsole console;
  const std::string name = Sj("無い.inf");
  EXPECT_EQ(ReadInstallInfoFile(folder, "missing.inf", name, console, &state), 0x100000u);
  EXPECT_EQ(console.err, Sj("エラー：インストール情報ファイル 無い.inf を開けません\n"));
  // A file that fails while it is read is reported the same way.
  folder.files["bad.inf"] = {'[', ']'};
  folder.unreadable.insert("bad.inf");
  base::CapturingConsole bad;
  EXPECT_EQ(ReadInstallInfoFile(folder, "bad.inf", name, bad, &state), 0x100000u);
  EXPECT_EQ(bad.err, Sj("エラー：インストール情報ファイル 無い.inf を開けません\n"));
}

TEST(ReadInstallInfoFileTest, AddRegistryStatementContinuesInTheNextFile) {
  Files folder;
  InstallInfoState state;
  const ReadResult first = Read(folder, "A.inf",
                                "[ Add Registry ]\nHKEY_USERS, k, v\n"
                                "HKEY_USERS, k2, v2, REG_MULTI_SZ, , one,\n",
                                &state);
  ASSERT_EQ(first.code, 0u) << first.err;
  // "two" would be an unknown root key if the statement had been dropped.
  const ReadResult second = Read(folder, "B.inf", "[ Add Registry ]\ntwo\n", &state);
  EXPECT_EQ(second.code, 0u) << second.err;
  base::CapturingConsole console;
  EXPECT_FALSE(FinishInstallInfoFiles(console, &state));
  EXPECT_EQ(console.err, "");
}

TEST(ReadInstallInfoFileTest, OpenStatementAloneLeavesTheSectionEmpty) {
  Files folder;
  InstallInfoState state;
  const ReadResult r =
      Read(folder, "A.inf", "[ Add Registry ]\nHKEY_USERS, k, v, REG_SZ, ,\n", &state);
  EXPECT_EQ(r.code, 0x380000u);
}

// A file held in memory reads as the same file on disk: code, messages,
// records, and a statement left open for the next file.
TEST(ReadInstallInfoBytesTest, ReadsAsTheFileDoes) {
  std::string many_lines = "[ Make Dirs ]\n";
  while (many_lines.size() < 100000) many_lines += "d\n";
  const std::string cases[] = {
      "",
      std::string(kCompleteApp) + "[ Copy Files ]\n\\dest, prog.exe\n",
      many_lines,
      "[ App Information ]\r\nCaption = My Program\r\n",
      "[ Add Registry ]\nHKEY_USERS, k2, v2, REG_MULTI_SZ, , one,\n",
  };
  for (const std::string& content : cases) {
    Files folder;
    InstallInfoState on_disk, in_memory;
    SectionList disk_sections, memory_sections;
    on_disk.sections = &disk_sections;
    in_memory.sections = &memory_sections;
    const ReadResult r = Read(folder, "Setup.inf", content, &on_disk);
    base::CapturingConsole console;
    EXPECT_EQ(ReadInstallInfoBytes(content, "Setup.inf", console, &in_memory), r.code) << content;
    EXPECT_EQ(console.err, r.err);
    ASSERT_EQ(memory_sections.size(), disk_sections.size());
    for (std::size_t i = 0; i < disk_sections.size(); ++i)
      EXPECT_EQ(memory_sections[i].item_count, disk_sections[i].item_count);
    base::CapturingConsole finish_disk, finish_memory;
    EXPECT_EQ(FinishInstallInfoFiles(finish_memory, &in_memory), FinishInstallInfoFiles(finish_disk, &on_disk));
    EXPECT_EQ(finish_memory.err, finish_disk.err);
  }
}

TEST(FinishInstallInfoFilesTest, WarnsAboutAnOpenAddRegistryStatement) {
  Files folder;
  InstallInfoState state;
  base::CapturingConsole none;
  EXPECT_FALSE(FinishInstallInfoFiles(none, &state));  // nothing read yet

  const ReadResult r = Read(folder, "Install.inf",
                            "[ Add Registry ]\nHKEY_USERS, k, v\n"
                            "HKEY_CURRENT_USER, Soft, List, REG_MULTI_SZ, ,\n"
                            "  a, b,  ; more to come\n"
                            "[ Copy Files ]\nd\n",
                            &state);
  ASSERT_EQ(r.code, 0u) << r.err;
  base::CapturingConsole console;
  EXPECT_TRUE(FinishInstallInfoFiles(console, &state));
  EXPECT_EQ(console.err,
            Sj("警告：[ Add Registry ] セクションの定義文 HKEY_CURRENT_USER, Soft, List が"
               "カンマ(,)で終わったまま閉じられていません。この定義文は登録されません\n") +
                Context("Install.inf", "Add Registry", 4, "  a, b,  ; more to come\n"));
  EXPECT_EQ(console.out, "");
}

}  // namespace
}  // namespace inf
