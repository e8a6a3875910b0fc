// Runs the built pakmak (Pakmak.exe under Wine) on fixture folders and checks
// the complete exit status, the exact bytes it writes to standard output and
// standard error, and the bytes of the archive.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <thread>
#include <tuple>

#include "base/encoding.h"
#include "base/test_temp_folder.h"
#include "process_runner.h"

namespace pakmak_test {
namespace {

using test_support::ProcessResult;
using test_support::ProgramBesideThisOne;
using test_support::RunProcess;

using TempFolder = base::TestTempFolder;
using Bytes = std::string;

#ifdef _WIN32
const char kProgramName[] = "Pakmak.exe";
const std::string kSep = "\\";
// Windows hands the complete code to the parent.
std::uint32_t StatusFor(std::uint32_t code) { return code; }
#else
const char kProgramName[] = "pakmak";
const std::string kSep = "/";
// A POSIX status holds 8 bits: the driver step.
std::uint32_t StatusFor(std::uint32_t code) { return code >> 28; }
#endif

std::string Sjis(const char* utf8) {
  std::string out;
  EXPECT_TRUE(base::Utf8ToCp932(utf8, &out)) << utf8;
  return out;
}

std::string ErrorLine(std::uint32_t code) {
  char line[64];
  std::snprintf(line, sizeof line, "Error Code = 0x%08X\n", code);
  return line;
}

std::string NativeInfo() {
  std::string n;
  for (int i = 0; i < 192; ++i) n += static_cast<char>(i * 3 + 1);  // a longer one gets a warning
  return n;
}

const char kInstallInf[] =
    "; Memo pad for the handheld\r\n"
    "[ App Information ]\r\n"
    "Maker       = \"Kumo Soft\"\r\n"
    "Program     = Memo\r\n"
    "Version     = 1.20\r\n"
    "InstallDir  = \"?Drive?\\Program Files\\Memo\"\r\n"
    "ExeFile     = Memo.exe\r\n"
    "Uninstall   = Uninst.inf\r\n"
    "Caption     = \"Memo Pad\"\r\n"
    "Destination = STORAGE_ONLY\r\n"
    "Unload      = Memo.exe\r\n"
    "\r\n"
    "[ Copy Files ]\r\n"
    "\"?Drive?\\Program Files\\Memo\", Memo.exe\r\n"
    "\r\n"
    "[ Add Registry ]\r\n"
    "HKEY_CURRENT_USER, Software\\Kumo\\Memo, Lines, REG_DWORD, FLG_ADDREG_NOCLOBBER, 40\r\n";
const char kUninstInf[] = "[ Uninstall Information ]\r\nMaker = \"Kumo Soft\"\r\nProgram = Memo\r\n";

struct Entry {
  int kind;
  std::string name;
  Bytes content;
  bool operator<(const Entry& o) const { return std::tie(kind, name, content) < std::tie(o.kind, o.name, o.content); }
  bool operator==(const Entry& o) const { return kind == o.kind && name == o.name && content == o.content; }
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.kind << ", " << e.name << ", " << e.content.size() << " bytes}";
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}
std::uint32_t Le16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}

// A source folder with every kind of file, and the entries it must give.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = ProgramBesideThisOne(kProgramName);
    native_ = NativeInfo();
    Put("src/Native.ina", native_);
    Put("src/Install.inf", kInstallInf);
    Put("src/Uninst.inf", kUninstInf);
    Put("src/Memo.exe", "MZ placeholder program");
    Put("src/lib/Spell.DLL", "MZ placeholder library");
    Put("src/readme.txt", "Memo pad.\r\n");
    Put("src/docs/readme.txt", "More about the memo pad.\r\n");
    Put("src/docs/empty.dat", "");
  }

  void Put(const std::string& relative, const Bytes& content) { dir_.Write(relative, content); }

  Bytes Read(const std::string& relative) {
    std::ifstream in(dir_.Path(relative), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  bool Exists(const std::string& relative) { return std::filesystem::exists(dir_.Path(relative)); }

  std::vector<std::string> FilesIn(const std::string& relative) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_.Path(relative)))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs Pakmak with its texts in Japanese, asked for as a user would: a
  // process that asks for nothing gets English.
  ProcessResult Run(const std::vector<std::string>& args) {
    ProcessResult r = RunProcess(program_, args, dir_.Path(), "cp932", false, {"LORIVANDER_LANG=ja"});
    EXPECT_TRUE(r.started) << program_;
    return r;
  }

  void ExpectFailure(const std::vector<std::string>& args, std::uint32_t code, const std::string& err,
                     const std::string& out = "") {
    ProcessResult r = Run(args);
    EXPECT_EQ(StatusFor(code), r.status);
    EXPECT_EQ(err + ErrorLine(code), r.err);
    EXPECT_EQ(out, r.out);
  }

  std::vector<Entry> ExpectedEntries() {
    return {{1, "Install.inf", kInstallInf},
            {1, "Uninst.inf", kUninstInf},
            {2, "Spell.DLL", "MZ placeholder library"},
            {2, "Memo.exe", "MZ placeholder program"},
            {3, "empty.dat", ""},
            {3, "readme.txt", "More about the memo pad.\r\n"},
            {3, "readme.txt", "Memo pad.\r\n"}};
  }

  // Checks the header against the masks and destination, the entries
  // against `expected` and the checksum.
  void CheckArchive(const Bytes& a, std::uint32_t p, std::uint32_t o, std::uint32_t c, std::uint32_t destination,
                    std::vector<Entry> expected) {
    ASSERT_GT(a.size(), 257u);
    EXPECT_EQ(0x100u, Le16(a, 0));
    EXPECT_EQ(expected.size(), Le16(a, 2));
    EXPECT_EQ(p, Le32(a, 0x04));
    EXPECT_EQ(o, Le32(a, 0x94));
    EXPECT_EQ(c, Le32(a, 0xB0));
    EXPECT_EQ(destination, Le32(a, 0xDC));
    EXPECT_EQ(native_.substr(0, 136), a.substr(0x08, 136));
    EXPECT_EQ(native_.substr(136, 20), a.substr(0x98, 20));
    EXPECT_EQ(native_.substr(156, 36), a.substr(0xB4, 36));
    EXPECT_EQ(Bytes(4, '\0'), a.substr(0x90, 4));
    EXPECT_EQ(Bytes(4, '\0'), a.substr(0xAC, 4));
    EXPECT_EQ(Bytes(4, '\0'), a.substr(0xD8, 4));
    EXPECT_EQ(Bytes(32, '\0'), a.substr(0xE0, 32));

    std::vector<Entry> actual;
    std::size_t at = 256;
    while (at + 1 < a.size()) {
      ASSERT_LE(at + 13, a.size());
      std::uint32_t length = Le32(a, at);
      std::size_t n = static_cast<std::uint8_t>(a[at + 7]);
      std::uint32_t s = Le32(a, at + 9 + n);
      EXPECT_EQ(n + s + 9, length);
      EXPECT_EQ(0u, Le16(a, at + 4));
      EXPECT_EQ('\0', a[at + 8 + n]);
      ASSERT_LE(at + 13 + n + s, a.size());
      actual.push_back({a[at + 6], a.substr(at + 8, n), a.substr(at + 13 + n, s)});
      at += 4 + length;
    }
    EXPECT_EQ(a.size() - 1, at);
    char sum = 0;
    for (char b : a) sum ^= b;
    EXPECT_EQ(0, sum) << "the exclusive-or of a whole archive is 0";
    // Kinds come in order 1, 2, 3. Within a kind the order is the listing's:
    // fixed on POSIX; on Windows whatever FindFirstFileA gives.
    EXPECT_TRUE(std::is_sorted(actual.begin(), actual.end(),
                               [](const Entry& x, const Entry& y) { return x.kind < y.kind; }));
#ifdef _WIN32
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
#endif
    EXPECT_EQ(expected, actual);
  }

  TempFolder dir_;
  std::string program_;
  Bytes native_;
};

TEST_F(CliTest, NoArgumentPrintsTheUsageAndSucceeds) {
  ProcessResult r = Run({});
  EXPECT_EQ(0u, r.status);
  EXPECT_EQ("", r.err);
  EXPECT_EQ(0u, r.out.find(Sjis("Pakmak: リモートインストール用アーカイブファイル作成ツール\n"
                                "  Usage: Pakmak DIRECTORY [ ARCHIVE ] [ -p MASK ] [ -o MASK ] [ -c MASK ]\n\n")));
  const std::string last = Sjis("-c MASK: CPUタイプ情報有効マスク指定\n"
                                "  ・マスクの上位2バイトを16進数で指定する（デフォルト：-c FFC0 ）\n");
  ASSERT_GE(r.out.size(), last.size());
  EXPECT_EQ(last, r.out.substr(r.out.size() - last.size()));
  EXPECT_EQ(21, std::count(r.out.begin(), r.out.end(), '\n') - 1);  // 21 lines, one blank
}

// Pipes get the Shift-JIS bytes; PAKMAK_ENCODING=utf-8 asks for UTF-8.
TEST_F(CliTest, EncodingOverride) {
  const std::string first = "Pakmak: リモートインストール用アーカイブファイル作成ツール\n";
  const std::vector<std::string> japanese = {"LORIVANDER_LANG=ja"};
  EXPECT_EQ(0u, RunProcess(program_, {}, dir_.Path(), "utf-8", false, japanese).out.find(first));
  ProcessResult r = RunProcess(program_, {"-o", "C000"}, dir_.Path(), "UTF-8", false, japanese);
  EXPECT_EQ(std::string("エラー：インストール対象ファイル格納ディレクトリが指定されていません\n") + ErrorLine(0x18000000),
            r.err);
  r = RunProcess(program_, {"-o", "C000"}, dir_.Path(), "cp932", false, japanese);
  EXPECT_EQ(Sjis("エラー：インストール対象ファイル格納ディレクトリが指定されていません\n") + ErrorLine(0x18000000),
            r.err);
}

// The language and the bytes of the messages follow LORIVANDER_LANG, the
// locale (POSIX) or the user interface language (Windows, Japanese in the
// test session), and PAKMAK_ENCODING; the error code never changes.
TEST_F(CliTest, LanguageAndEncodingOfTheMessages) {
  const std::string japanese = "エラー：インストール対象ファイル格納ディレクトリが指定されていません\n";
  const std::string english = "Error: no source folder is given\n";
  struct Case {
    std::vector<std::string> environment;
    const char* encoding;
    std::string err;
  } cases[] = {
#ifdef _WIN32
      {{}, "", Sjis(japanese.c_str())},  // the Japanese user interface of the test session
#else
      {{}, "", english},  // no preference
#endif
      {{"LORIVANDER_LANG=en"}, "", english},
      {{"LORIVANDER_LANG=ru"}, "", english},  // a language Pakmak lacks
      {{"LORIVANDER_LANG=ja"}, "cp932", Sjis(japanese.c_str())},
#ifndef _WIN32
      {{"LANG=C"}, "", english},
      {{"LANG=C.UTF-8"}, "", english},
      {{"LANG=POSIX"}, "", english},
      {{"LANG=C.UTF-8", "LORIVANDER_LANG=ja"}, "", japanese},  // UTF-8 under C.UTF-8
      {{"LANG=en_US.UTF-8"}, "", english},
      {{"LANG=ja_JP.UTF-8"}, "", japanese},  // UTF-8 on a pipe
      {{"LANG=ja_JP.UTF-8"}, "cp932", Sjis(japanese.c_str())},
      {{"LC_ALL=en_US.UTF-8", "LANG=ja_JP.UTF-8"}, "", english},
      {{"LC_MESSAGES=ja_JP.UTF-8", "LANG=en_US.UTF-8"}, "", japanese},
      {{"LORIVANDER_LANG=en", "LANG=ja_JP.UTF-8"}, "", english},
#endif
  };
  for (const Case& c : cases) {
    ProcessResult r = RunProcess(program_, {"-o", "C000"}, dir_.Path(), c.encoding, false, c.environment);
    const std::string where = c.environment.empty() ? "no variables" : c.environment[0];
    EXPECT_EQ(StatusFor(0x18000000), r.status) << where;
    EXPECT_EQ(c.err + ErrorLine(0x18000000), r.err) << where;
  }
}

TEST_F(CliTest, CheckOnlyWritesNothing) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"src"}, std::vector<std::string>{"src", "-o", "C000"}}) {
    ProcessResult r = Run(args);
    EXPECT_EQ(0u, r.status);
    EXPECT_EQ("Ok, Check Passed.\n", r.out);
    EXPECT_EQ("", r.err);
    EXPECT_EQ((std::vector<std::string>{"src"}), FilesIn(""));
  }
}

TEST_F(CliTest, BuildsTheArchive) {
  ProcessResult r = Run({"src", "Memo.lvar", "-p", "0000", "-o", "c000", "-c", "0000"});
  EXPECT_EQ(0u, r.status);
  EXPECT_EQ("", r.err);
  EXPECT_EQ("\n.. .. ...\n\nInstall Information File = 2, Program File = 2, Data File = 3\n", r.out);
  CheckArchive(Read("Memo.lvar"), 0, 0xC0000000, 0, 2, ExpectedEntries());
  EXPECT_EQ((std::vector<std::string>{"Memo.lvar", "src"}), FilesIn(""));
}

TEST_F(CliTest, SameFolderGivesTheSameBytesAndAnOldArchiveInsideIsData) {
  ASSERT_EQ(0u, Run({"src", "A.lvar"}).status);
  ASSERT_EQ(0u, Run({"src", "B.lvar"}).status);
  EXPECT_EQ(Read("A.lvar"), Read("B.lvar"));
  CheckArchive(Read("A.lvar"), 0xE0000000, 0xF8000000, 0xFFC00000, 2, ExpectedEntries());

  // An archive written into the source folder is not part of its own scan,
  // but a second run stores it as a data file.
  ASSERT_EQ(0u, Run({"src", "src" + kSep + "In.lvar"}).status);
  Bytes first = Read("src/In.lvar");
  EXPECT_EQ(Read("A.lvar"), first);
  ASSERT_EQ(0u, Run({"src", "src" + kSep + "In.lvar"}).status);
  std::vector<Entry> expected = ExpectedEntries();
  expected.insert(expected.begin() + 6, Entry{3, "In.lvar", first});
  CheckArchive(Read("src/In.lvar"), 0xE0000000, 0xF8000000, 0xFFC00000, 2, expected);
}

TEST_F(CliTest, CommandLineErrors) {
  const std::string bad_option = Sjis("エラー：オプション指定が間違っています\n");
  ExpectFailure({"src", "OUT", "-p"}, 0x19000000, Sjis("エラー： -p のマスク値（16進数）が指定されていません\n"));
  ExpectFailure({"src", "OUT", "-p", "-o", "1234"}, 0x12000000,
                Sjis("エラー： -p のマスク値（16進数）が指定されていません\n"));
  ExpectFailure({"-p", "E000", "src"}, 0x15000000, bad_option);
  ExpectFailure({"src", "OUT", "-P", "E000"}, 0x13000000, bad_option);
  ExpectFailure({"src", "OUT", "-p", "E00"}, 0x16300000,
                Sjis("エラー：16進データ（バイト列）の下位 4 ビットがありません\n"));
  ExpectFailure({"src", "OUT", "-c", "E00011"}, 0x16500000,
                Sjis("エラー：サイズオーバー - 指定できる最大バイト数は 2 までです\n"));
  ExpectFailure({"-o", "C000"}, 0x18000000,
                Sjis("エラー：インストール対象ファイル格納ディレクトリが指定されていません\n"));
  ExpectFailure({"s", "o", "-p", "0000", "-o", "0000", "-c", "0000", "x"}, 0x15000000, bad_option);
  ExpectFailure({"s", "o", "-p", "0000", "-o", "0000", "-c", "0000", "-c", "0000"}, 0x11000000,
                Sjis("エラー：コマンドライン引数の数が多すぎます\n"));
  EXPECT_EQ((std::vector<std::string>{"src"}), FilesIn(""));
}

TEST_F(CliTest, ScanAndCheckErrors) {
  ExpectFailure({"nothere", "X.lvar"}, 0x21000000, "Error: Can't find  a directry [ nothere ].\n");
  dir_.MakeFolder("empty");
  ExpectFailure({"empty", "X.lvar"}, 0x30000000, "Error: Can't find mandatory file [ Native.ina ].\n");

  Put("short/Install.inf", "");
  Put("short/sub/Native.ina", std::string(191, 'n'));
  ExpectFailure({"short", "X.lvar"}, 0x2A200000,
                "Error: Can't read a file [ short" + kSep + "sub" + kSep + "Native.ina ].\n" +
                    Sjis("このファイルは 191 バイトですが、ネイティブアーキテクチャ情報ファイルは 192 バイトです\n"));

  std::filesystem::remove(dir_.Path("src/Uninst.inf"));
  ExpectFailure({"src", "X.lvar"}, 0x43000000, "Error: Can't find mandatory file [ Uninst.inf ].\n");
  std::filesystem::remove(dir_.Path("src/Install.inf"));
  ExpectFailure({"src", "X.lvar"}, 0x42000000, "Error: Can't find mandatory file [ Install.inf ].\n");

  // A failing install information file: its messages, then the code.
  std::string no_maker = kInstallInf;
  no_maker.erase(no_maker.find("Maker"), no_maker.find("Program") - no_maker.find("Maker"));
  Put("src/Install.inf", no_maker);
  Put("src/Uninst.inf", kUninstInf);
  ProcessResult r = Run({"src", "X.lvar"});
  EXPECT_EQ(StatusFor(0x41310001), r.status);
  EXPECT_EQ(0u, r.err.find(Sjis("エラー：必須キーワード Maker がありません\n")));
  std::string tail(1, '\n');
  tail += Sjis("発生箇所: ") + "src" + kSep + "Install.inf\n" + ErrorLine(0x41310001);
  ASSERT_GE(r.err.size(), tail.size());
  EXPECT_EQ(tail, r.err.substr(r.err.size() - tail.size()));
  EXPECT_EQ((std::vector<std::string>{"empty", "short", "src"}), FilesIn(""));
}

// A failed build removes its temporary file and leaves an archive that was
// already there as it was.
TEST_F(CliTest, AFailedBuildKeepsTheOldArchive) {
  Put("Memo.lvar", "old archive");
  Put("src/Install.inf", "[App Information]\r\nProgram = Memo\r\n");
  ASSERT_EQ(StatusFor(0x41310ABD), Run({"src", "Memo.lvar"}).status);
  EXPECT_EQ("old archive", Read("Memo.lvar"));

  // The archive path is a folder: everything is written, the last step fails.
  Put("src/Install.inf", kInstallInf);
  dir_.MakeFolder("Taken.lvar");
  const std::string progress = "\n.. .. ...\n\nInstall Information File = 2, Program File = 2, Data File = 3\n";
  ExpectFailure({"src", "Taken.lvar"}, 0x73000000,
                Sjis("エラー：アーカイブファイルを置き換えられません [ Taken.lvar ]\n"), progress);
  ExpectFailure({"src", "no" + kSep + "Such.lvar"}, 0x51000000,
                "Error: Can't open archive file [ no" + kSep + "Such.lvar ].\n");
  EXPECT_EQ((std::vector<std::string>{"Memo.lvar", "Taken.lvar", "src"}), FilesIn(""));
  EXPECT_TRUE(FilesIn("Taken.lvar").empty());
}

TEST_F(CliTest, AnAddRegistryStatementLeftOpenIsAWarning) {
  Put("src/Install.inf", std::string(kInstallInf) + "HKEY_CURRENT_USER, Software\\Kumo\\Memo, Font, , , \r\n");
  ProcessResult r = Run({"src"});
  EXPECT_EQ(0u, r.status);
  EXPECT_EQ("Ok, Check Passed.\n", r.out);
  EXPECT_EQ(0u, r.err.find(Sjis("警告：[ Add Registry ] セクションの定義文 HKEY_CURRENT_USER, ")));
}

// A description that names a file the folder lacks, or that is saved as
// UTF-8, passes as before with a warning after the check; two names that
// differ only in letter case are refused, naming both.
TEST_F(CliTest, WarningsAfterTheCheckAndNamesThatDifferInCase) {
  const std::string copy_line = "\"?Drive?\\Program Files\\Memo\", Memo.exe\r\n";
  std::string missing = kInstallInf;
  missing.insert(missing.find(copy_line) + copy_line.size(), "\"?Drive?\\Program Files\\Memo\", Notes.txt\r\n");
  std::string utf8 = kInstallInf;
  utf8.replace(utf8.find("Memo Pad"), 8, "メモ帳");
  struct Case {
    const char* label;
    std::string install, extra;  // Install.inf, and a file added below src
    std::uint32_t code;
    std::string err;
  };
  const Case cases[] = {
      {"a copy line names a missing file", missing, "", 0,
       "Warning: A copy line names a file that is not packed into the archive, so the device cannot install it "
       "[ src" + kSep + "Install.inf, line 15: Notes.txt ].\n"},
      {"saved as UTF-8", utf8, "", 0,
       "Warning: The install information file is saved as UTF-8, but the device reads Shift-JIS, so its non-ASCII "
       "text would be garbled. Save it as Shift-JIS (code page 932) [ src" + kSep + "Install.inf, line 9 ].\n"},
      {"names that differ in case", kInstallInf, "src/lib/README.TXT", 0x2B000000,
       "Error: Two file names differ only in letter case. The archive stores names without their folders, so the "
       "device cannot tell them apart: rename one of them [ src" + kSep + "docs" + kSep + "readme.txt ] [ src" +
           kSep + "lib" + kSep + "README.TXT ].\n" + ErrorLine(0x2B000000)},
  };
#ifdef _WIN32
  // On Windows the listing's order is the file system's: either file may be
  // met first.
  auto swapped = [](std::string err) {
    const std::string a = "[ src" + kSep + "docs" + kSep + "readme.txt ]", b = "[ src" + kSep + "lib" + kSep + "README.TXT ]";
    const std::size_t at = err.find(a);
    if (at != std::string::npos && err.compare(at + a.size() + 1, b.size(), b) == 0)
      err.replace(at, a.size() + 1 + b.size(), b + " " + a);
    return err;
  };
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Put("src/Install.inf", c.install);
    if (!c.extra.empty()) Put(c.extra, "x");
    ProcessResult r = RunProcess(program_, {"src"}, dir_.Path(), "", false, {"LORIVANDER_LANG=en"});
    EXPECT_EQ(StatusFor(c.code), r.status);
#ifdef _WIN32
    if (r.err == swapped(c.err)) r.err = c.err;
#endif
    EXPECT_EQ(c.err, r.err);
    EXPECT_EQ(c.code ? "" : "Ok, Check Passed.\n", r.out);
    if (!c.extra.empty()) std::filesystem::remove(dir_.Path(c.extra));
  }
}

#ifdef _WIN32
TEST_F(CliTest, ShiftJisNamesAreStoredAsTheyAre) {
  // The ANSI code page is 932 here: narrow paths are Shift-JIS.
  const std::string memo = "\x83\x81\x83\x82.txt";  // "メモ.txt"
  std::ofstream(dir_.Path() + "\\src\\docs\\" + memo, std::ios::binary) << "memo";
  ASSERT_EQ(0u, Run({"src", "J.lvar"}).status);
  std::vector<Entry> expected = ExpectedEntries();
  expected.push_back({3, memo, "memo"});
  CheckArchive(Read("J.lvar"), 0xE0000000, 0xF8000000, 0xFFC00000, 2, expected);
}
#else
TEST_F(CliTest, NamesOnDiskAreStoredAsShiftJis) {
  Put("src/\xE3\x83\xA1\xE3\x83\xA2.txt", "memo");  // "メモ.txt"
  ASSERT_EQ(0u, Run({"src", "J.lvar"}).status);
  std::vector<Entry> expected = ExpectedEntries();
  expected.push_back({3, "\x83\x81\x83\x82.txt", "memo"});
  CheckArchive(Read("J.lvar"), 0xE0000000, 0xF8000000, 0xFFC00000, 2, expected);

  Put("src/docs/caf\xC3\xA9.txt", "x");  // no Shift-JIS form
  ExpectFailure({"src", "J.lvar"}, 0x2C000000,
                Sjis("エラー：ファイル名をシフトJISで表せません。ファイル名を変えてください [ ") + "src/docs/caf\xC3\xA9.txt ]\n");
  std::filesystem::remove(dir_.Path("src/docs/caf\xC3\xA9.txt"));

  // A UTF-8 terminal shows such a name as the host wrote it too, never its
  // bytes read as Shift-JIS.
  for (const std::string name : {"caf\xC3\xA9.txt", "note\xF0\x9F\x93\x9D.dat"}) {
    Put("src/docs/" + name, "x");
    ProcessResult r = RunProcess(program_, {"src", "J.lvar"}, dir_.Path(), "", false, {"LANG=en_US.UTF-8"});
    EXPECT_EQ(StatusFor(0x2C000000), r.status) << name;
    EXPECT_EQ("Error: A file name has no Shift-JIS form; rename the file [ src/docs/" + name + " ].\n" + ErrorLine(0x2C000000), r.err);
    std::filesystem::remove(dir_.Path("src/docs/" + name));
  }
}

// An entry that cannot be examined (a link to nothing) is a scan error with
// its path, not an empty file; the old archive stays.
TEST_F(CliTest, AnEntryThatCannotBeExaminedFailsTheScanAndKeepsTheOldArchive) {
  Put("Memo.lvar", "old archive");
  std::filesystem::create_symlink("nowhere", dir_.Path("src/link.bin"));
  for (const char* archive : {"Memo.lvar", ""}) {
    std::vector<std::string> args = {"src"};
    if (*archive) args.push_back(archive);
    ExpectFailure(args, 0x26000000, Sjis("エラー：フォルダ内のエントリを調べられません [ src/link.bin ]\n"));
  }
  EXPECT_EQ("old archive", Read("Memo.lvar"));
  EXPECT_EQ((std::vector<std::string>{"Memo.lvar", "src"}), FilesIn(""));
}

// A FIFO anywhere in the folder is refused at once, in check-only runs as
// well, instead of blocking on it; nothing is left behind.
TEST_F(CliTest, AFifoIsRefusedBeforeAnythingIsOpened) {
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"src/pipe.dat", 0x25000000}, {"src/docs/extra.inf", 0x2D000000}, {"src/lib/Native.ina", 0x2D000000}};
  for (const auto& [fifo, code] : cases) {
    SCOPED_TRACE(fifo);
    ASSERT_EQ(0, mkfifo(dir_.Path(fifo).c_str(), 0600));
    const std::string err =
        Sjis("エラー：通常のファイルではありません（FIFO、ソケットまたはデバイス）。ソースフォルダの外へ移してください [ ") + fifo + " ]\n";
    ExpectFailure({"src"}, code, err);
    ExpectFailure({"src", "Memo.lvar"}, code, err);
    EXPECT_EQ((std::vector<std::string>{"src"}), FilesIn(""));
    std::filesystem::remove(dir_.Path(fifo));
  }
}

// Standard output piped into a program that has ended: the write error is
// reported and the temporary archive removed, instead of the build being
// killed by SIGPIPE and leaving it behind.
TEST_F(CliTest, ALostStandardOutputFailsTheBuildAndLeavesNothing) {
  ProcessResult r = RunProcess(program_, {"src", "Memo.lvar"}, dir_.Path(), "cp932", true);
  EXPECT_EQ(StatusFor(0x74000000), r.status);
  EXPECT_EQ("Error: Can't write to standard output.\n" + ErrorLine(0x74000000), r.err);
  EXPECT_EQ((std::vector<std::string>{"src"}), FilesIn(""));
}
#endif

#ifndef _WIN32
// Another process writes into the source folder while pakmak runs: it swaps
// a link to a file outside over a data file and over Native.ina, and a link
// to a folder outside over a sub-folder, putting each back at once, again
// and again. A run may be refused; none may pack anything from outside, and
// the outside folder is never changed.
TEST_F(CliTest, EntriesSwappedWhileItRunsNeverBringOutsideContent) {
  Put("src/docs/data.dat", "inside, sixteen.");
  // Packed before data.dat, so that the swaps have time to land between
  // the listing and the copy.
  Put("src/docs/big.bin", std::string(4 << 20, 'b'));
  Put("outside/data.dat", "OUTSIDE-sixteen.");
  Put("outside/Native.ina", "OUTSIDE" + std::string(185, 's'));
  Put("outside/dir/readme.txt", "OUTSIDE of the folder.");
  const std::string src = dir_.Path("src"), out = dir_.Path("outside");
  std::atomic<bool> stop{false};
  std::thread swapper([&] {
    // Renames a link to `target` over `name` of the source folder, then,
    // a moment later, puts the entry kept aside back over the link.
    const auto swap = [&](const std::string& name, const std::string& target, bool folder) {
      // Kept aside beside the source folder, not in it, where a listing
      // would meet them.
      const std::string at = src + "/" + name, kept = src + ".kept", link = src + ".link";
      if (::symlink(target.c_str(), link.c_str()) != 0) return;
      if (::rename(at.c_str(), kept.c_str()) == 0) {
        ::rename(link.c_str(), at.c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (folder) ::unlink(at.c_str());  // a folder cannot be renamed over a link
        ::rename(kept.c_str(), at.c_str());
      }
      ::unlink(link.c_str());
    };
    while (!stop) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      swap("docs/data.dat", out + "/data.dat", false);
      swap("Native.ina", out + "/Native.ina", false);
      swap("docs", out + "/dir", true);
    }
  });
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int runs = 0, built = 0;
  while (std::chrono::steady_clock::now() < end) {
    const ProcessResult r = RunProcess(program_, {"src", "race.lvar"}, dir_.Path(""));
    ASSERT_TRUE(r.started);
    ++runs;
    if (r.status == 0) {
      ++built;
      EXPECT_EQ(std::string::npos, Read("race.lvar").find("OUTSIDE")) << "run " << runs;
    }
    EXPECT_EQ(std::string::npos, r.out.find("OUTSIDE"));
  }
  stop = true;
  swapper.join();
  EXPECT_GT(runs, 1);
  EXPECT_EQ("OUTSIDE-sixteen.", Read("outside/data.dat"));
  EXPECT_EQ("OUTSIDE" + std::string(185, 's'), Read("outside/Native.ina"));
  EXPECT_EQ(std::vector<std::string>{"readme.txt"}, FilesIn("outside/dir"));
  std::cout << runs << " runs, " << built << " archives built\n";
}
#endif

}  // namespace
}  // namespace pakmak_test
