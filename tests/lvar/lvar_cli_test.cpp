// Runs the built lvar (lvar.exe under Wine) and pakmak as separate processes:
// round trips through the builder, damaged archives with their exit status
// and message, hostile names with a check of the whole folder tree.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include <nlohmann/json.hpp>

#include "base/encoding.h"
#include "base/host_path.h"
#include "base/test_temp_folder.h"
#include "kit_version.h"
#include "lvar/test_archive.h"
#include "process_runner.h"

namespace lvar_cli_test {
namespace {

using TempFolder = base::TestTempFolder;
using lvar_test::FixChecksum;
using lvar_test::MakeArchive;
using lvar_test::SoundEntries;
using lvar_test::TestEntry;
using test_support::ProcessResult;
using test_support::ProgramBesideThisOne;
using test_support::RunProcess;

#ifdef _WIN32
const char kLvar[] = "lvar.exe";
const char kPakmak[] = "Pakmak.exe";
const char kSep[] = "\\";
#else
const char kLvar[] = "lvar";
const char kPakmak[] = "pakmak";
const char kSep[] = "/";
#endif

const char kInstallInf[] =
    "[ App Information ]\r\nMaker = \"Kumo Soft\"\r\nProgram = Memo\r\nVersion = 1.20\r\n"
    "InstallDir = \"?Drive?\\Program Files\\Memo\"\r\nExeFile = Memo.exe\r\nUninstall = Uninst.inf\r\n"
    "Caption = \"Memo Pad\"\r\nDestination = MAINMEM_ONLY\r\nUnload = Memo.exe\r\n"
    "[ Copy Files ]\r\n\"%INSTALL_DIR%\\Memo.exe\", Memo.exe\r\n";
const char kUninstInf[] = "[ Uninstall Information ]\r\nMaker = \"Kumo Soft\"\r\nProgram = Memo\r\n";

class LvarCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lvar_ = ProgramBesideThisOne(kLvar);
    pakmak_ = ProgramBesideThisOne(kPakmak);
  }

  // These tests read lvar's English, whatever the system's language.
  ProcessResult Lvar(const std::vector<std::string>& args) {
    ProcessResult r = RunProcess(lvar_, args, dir_.Path(), "cp932", false, {"LORIVANDER_LANG=en"});
    EXPECT_TRUE(r.started) << lvar_;
    return r;
  }
  ProcessResult Pakmak(const std::vector<std::string>& args) {
    ProcessResult r = RunProcess(pakmak_, args, dir_.Path());
    EXPECT_TRUE(r.started) << pakmak_;
    return r;
  }

  std::string Read(const std::string& relative) {
    std::ifstream in(dir_.Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // The bytes of the file at `path` (a wide path on Windows, so that any
  // name opens whatever the code page).
  static std::string ReadAt(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Every file and folder under the test folder with its size, sorted.
  std::vector<std::string> Tree() {
    std::vector<std::string> tree;
    const std::filesystem::path root = dir_.Path();
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
      std::string line = std::filesystem::relative(e.path(), root).generic_string();
      if (e.is_regular_file()) {
        line += ' ';
        line += std::to_string(e.file_size());
      }
      tree.push_back(line);
    }
    std::sort(tree.begin(), tree.end());
    return tree;
  }

  // Builds src/ into `archive` with pakmak.
  void Build(const std::string& folder, const std::string& archive) {
    ProcessResult r = Pakmak({folder, archive, "-p", "0000", "-o", "C000", "-c", "0000"});
    ASSERT_EQ(0u, r.status) << r.err;
  }

  // Extracts with --native-ina, rebuilds with pakmak and compares the bytes.
  void ExpectRoundTrip(const std::string& archive, const std::string& folder, const std::string& written) {
    ProcessResult r = Lvar({"verify", archive});
    EXPECT_EQ(0u, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find(": sound: ")) << r.out;
    r = Lvar({"list", archive});
    EXPECT_EQ(0u, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find("install information")) << r.out;
    r = Lvar({"extract", "--native-ina", archive, folder});
    ASSERT_EQ(0u, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.out.find("\n" + written + " written into " + folder + "\n")) << r.out;
    EXPECT_NE(std::string::npos, r.out.find("rebuild: pakmak " + folder + " ARCHIVE -p 0000 -o C000 -c 0000"))
        << r.out;
    Build(folder, "again.lvar");
    EXPECT_EQ(Read(archive), Read("again.lvar"));
    EXPECT_EQ(0u, Lvar({"diff", archive, "again.lvar"}).status);
    std::filesystem::remove(dir_.Path("again.lvar"));
  }

  TempFolder dir_;
  std::string lvar_, pakmak_;
};

// lvar speaks English unless LORIVANDER_LANG, the locale (POSIX) or the
// user interface language (Windows, Japanese in the test session) asks for
// Japanese; a UTF-8 locale gets UTF-8 on a pipe.
TEST_F(LvarCliTest, LanguageOfTheTexts) {
  const std::string english = "lvar: unknown command bogus\n(lvar --help shows the usage)\n";
  const std::string japanese = "lvar: 不明なコマンド bogus\n（使い方は lvar --help で表示されます）\n";
  std::string japanese_sjis;
  ASSERT_TRUE(base::Utf8ToCp932(japanese, &japanese_sjis));
  struct Case {
    std::vector<std::string> environment;
    std::string err;
  } cases[] = {
      {{"LORIVANDER_LANG=en"}, english},
      {{"LORIVANDER_LANG=ja"}, japanese_sjis},
#ifdef _WIN32
      {{}, japanese_sjis},
#else
      {{}, english},
      {{"LANG=C"}, english},
      {{"LANG=en_US.UTF-8"}, english},
      {{"LANG=ja_JP.UTF-8"}, japanese},
#endif
  };
  for (const Case& c : cases) {
    ProcessResult r = RunProcess(lvar_, {"bogus"}, dir_.Path(), "cp932", false, c.environment);
    EXPECT_EQ(2u, r.status);
    EXPECT_EQ(c.err, r.err) << (c.environment.empty() ? "no variables" : c.environment[0]);
  }
}

TEST_F(LvarCliTest, ArchivesMadeByTheBuilderRoundTrip) {
  std::string native;
  for (int i = 0; i < 192; ++i) native += static_cast<char>(i * 7 + 3);
  dir_.Write("src/Native.ina", native);
  dir_.Write("src/Install.inf", kInstallInf);
  dir_.Write("src/Uninst.inf", kUninstInf);
  dir_.Write("src/Memo.exe", "MZ program");
  dir_.Write("src/b.txt", "");
  dir_.Write("src/data.bin", std::string("\0\1\2\377", 4));
  Build("src", "Memo.lvar");
  ExpectRoundTrip("Memo.lvar", "memo", "6 files");  // five entries and Native.ina

  std::filesystem::copy(LVAR_DEMO_DIR, dir_.Path("demo"), std::filesystem::copy_options::recursive);
  Build("demo", "Demo.lvar");
  ExpectRoundTrip("Demo.lvar", "demo-out", "6 files");

  ProcessResult r = Lvar({"plan", "Demo.lvar"});
  EXPECT_EQ(0u, r.status) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("destination:       ALTERNATIVE (code 3)")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("\nwarnings: none\n")) << r.out;
  r = Lvar({"diff", "Memo.lvar", "Demo.lvar"});
  EXPECT_EQ(1u, r.status);
  EXPECT_NE(std::string::npos, r.out.find("header destination (0xDC): 1 -> 3")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("+ Shopping.txt (data, 16 bytes)")) << r.out;
  dir_.Write("one.lvar", MakeArchive({{1, "Install.inf", "; one"}}));
  r = Lvar({"extract", "one.lvar", "one"});
  EXPECT_NE(std::string::npos, r.out.find("\n1 file written into one\n")) << r.out;
}

// Each damaged archive: its own exit status and a message with the offset.
TEST_F(LvarCliTest, DamagedArchivesGiveTheirStatusAndOffset) {
  const std::string sound = MakeArchive(SoundEntries());
  struct Case {
    const char* what;
    std::string bytes;
    std::uint32_t status;
    const char* says;
  };
  std::string cut = sound.substr(0, 300), long_length = sound, checksum = sound, kinds = sound;
  long_length[256] += 1;  // the first entry's length field
  FixChecksum(&long_length);
  checksum.back() ^= 1;
  const Case cases[] = {
      {"not an archive", "MZ\x90", 4, ": offset 0x00000000: not an archive: the header length field"},
      {"truncated", cut, 5, "ends at offset 0x0000012C inside the content of the entry at offset 0x00000100"},
      {"length too long", long_length, 6, ": offset 0x00000100: the length field of the entry at offset 0x00000100"},
      {"checksum", checksum, 7, "the checksum byte at offset"},
  };
  for (const Case& c : cases) {
    dir_.Write("bad.lvar", c.bytes);
    ProcessResult r = Lvar({"verify", "bad.lvar"});
    EXPECT_EQ(c.status, r.status) << c.what;
    EXPECT_EQ(0u, r.err.find("lvar: bad.lvar: ")) << r.err;
    EXPECT_NE(std::string::npos, r.err.find(c.says)) << c.what << ": " << r.err;
    EXPECT_EQ("", r.out);
    EXPECT_EQ(2u, Lvar({"diff", "bad.lvar", "bad.lvar"}).status) << c.what;
  }
  std::vector<TestEntry> twice = SoundEntries();
  twice[4].name = "A.txt";  // b.txt becomes a.txt in another letter case
  dir_.Write("twice.lvar", MakeArchive(twice));
  ProcessResult r = Lvar({"verify", "twice.lvar"});
  EXPECT_EQ(7u, r.status);
  EXPECT_NE(std::string::npos, r.err.find("are named a.txt and A.txt, one name when letter case is ignored")) << r.err;
  r = Lvar({"list", "--json", "bad.lvar"});
  EXPECT_EQ(7u, r.status);
  EXPECT_NE(std::string::npos, r.out.find("\"fault\":\"unsound\"")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("{\"offset\":256,\"kind\":1,\"kind_word\":\"install information\","
                                          "\"size\":")) << r.out;
  EXPECT_EQ(3u, Lvar({"verify", "missing.lvar"}).status);
  EXPECT_EQ(2u, Lvar({"verify"}).status);
  EXPECT_EQ(2u, Lvar({"frobnicate", "x"}).status);
  r = Lvar({"--help"});
  EXPECT_EQ(0u, r.status);
  EXPECT_NE(std::string::npos, r.out.find("lvar extract [--force] [--rename] [--native-ina] ARCHIVE [DIR]"));
  EXPECT_EQ(PAK_KIT_NAME " " PAK_KIT_VERSION "\n", Lvar({"--version"}).out);
}

// A fault of the archive reads in lvar's language; the JSON document keeps
// its English message, so scripts read the same whatever the language.
TEST_F(LvarCliTest, FaultsInTheLanguageOfTheTexts) {
  std::string checksum = MakeArchive(SoundEntries());
  checksum.back() ^= 1;
  dir_.Write("bad.lvar", checksum);
  dir_.Write("none.lvar", MakeArchive(SoundEntries(), 0));
  std::string japanese;
  // オフセット 0x...: オフセット ... のチェックサムバイトは
  ASSERT_TRUE(base::Utf8ToCp932("\xE3\x81\xAE\xE3\x83\x81\xE3\x82\xA7\xE3\x83\x83\xE3\x82\xAF\xE3\x82\xB5"
                                "\xE3\x83\xA0\xE3\x83\x90\xE3\x82\xA4\xE3\x83\x88\xE3\x81\xAF", &japanese));
  const struct {
    const char* language;
    std::vector<std::string> args;
    std::uint32_t status;
    std::string err, out;
  } cases[] = {
      {"LORIVANDER_LANG=ja", {"verify", "bad.lvar"}, 7, japanese, ""},
      {"LORIVANDER_LANG=en", {"verify", "bad.lvar"}, 7, "the checksum byte at offset", ""},
      {"LORIVANDER_LANG=ja", {"verify", "--json", "bad.lvar"}, 7, japanese, "\"message\":\"the checksum byte at offset"},
      // 0 (なし)
      {"LORIVANDER_LANG=ja", {"list", "none.lvar"}, 0, "", " 0 (\x82\xC8\x82\xB5)\n"},
      {"LORIVANDER_LANG=en", {"list", "none.lvar"}, 0, "", " 0 (none)\n"},
  };
  for (const auto& c : cases) {
    ProcessResult r = RunProcess(lvar_, c.args, dir_.Path(), "cp932", false, {c.language});
    EXPECT_EQ(c.status, r.status) << c.language;
    EXPECT_NE(std::string::npos, r.err.find(c.err)) << c.language << ": " << r.err;
    EXPECT_NE(std::string::npos, r.out.find(c.out)) << c.language << ": " << r.out;
  }
}

// Every --json document parses, with its members in their order, whatever
// the names in the archive and the bytes of its path.
TEST_F(LvarCliTest, JsonDocumentsParseWithTheirMembersInOrder) {
  using Json = nlohmann::ordered_json;
  std::vector<TestEntry> odd = SoundEntries();
  odd.push_back({3, "a\x01z", "control"});
  odd.push_back({3, "bad\x81", "half"});  // a lead byte without its trail byte: no UTF-8 form
  dir_.Write("s.lvar", MakeArchive(SoundEntries()));
  dir_.Write("odd.lvar", MakeArchive(odd));
  dir_.Write("bad.lvar", "MZ\x90");
  const std::vector<std::string> plan = {"archive",      "destination",     "destination_code", "install_dir",
                                         "folders",      "files",           "registry",         "startup_program",
                                         "menu_caption", "uninstall",       "warnings",         "status"};
  const struct {
    std::vector<std::string> args;
    std::uint32_t status;
    std::vector<std::string> members;
  } cases[] = {
      {{"list", "--json", "odd.lvar"}, 0, {"archive", "header", "entries", "status"}},
      {{"list", "--json", "bad.lvar"}, 4, {"archive", "status"}},
      {{"verify", "--json", "odd.lvar"}, 0, {"archive", "entries", "size", "checksum", "status"}},
      {{"verify", "--json", "bad.lvar"}, 4, {"archive", "status"}},
      {{"diff", "--json", "s.lvar", "odd.lvar"}, 1, {"a", "b", "identical", "header", "entries", "order_differs"}},
      {{"plan", "--json", "s.lvar"}, 0, plan},
#ifndef _WIN32
      // A path that is not UTF-8 (Windows passes paths as text).
      {{"list", "--json", "\xFF.lvar"}, 0, {"archive", "header", "entries", "status"}},
#endif
  };
#ifndef _WIN32
  dir_.Write("\xFF.lvar", MakeArchive(SoundEntries()));
#endif
  for (const auto& c : cases) {
    const ProcessResult r = Lvar(c.args);
    EXPECT_EQ(c.status, r.status) << c.args[0] << " " << c.args[2] << ": " << r.err;
    const Json json = Json::parse(r.out, nullptr, false);
    ASSERT_TRUE(json.is_object()) << r.out;
    std::vector<std::string> members;
    for (const auto& [key, value] : json.items()) members.push_back(key);
    EXPECT_EQ(c.members, members) << r.out;
  }

  Json list = Json::parse(Lvar({"list", "--json", "odd.lvar"}).out, nullptr, false);
  ASSERT_EQ(8u, list["entries"].size()) << list;
  EXPECT_EQ(Json::parse(R"({"offset":256,"kind":1,"kind_word":"install information","size":)" +
                        std::to_string(list["entries"][0]["size"].get<unsigned>()) + R"(,"name":"Install.inf"})"),
            list["entries"][0]);
  EXPECT_EQ("a\x01z", list["entries"][6]["name"]);
  EXPECT_TRUE(list["entries"][7]["name"].is_null()) << list;
  EXPECT_EQ("62616481", list["entries"][7]["name_sjis_hex"]);
  EXPECT_EQ(Json::parse(R"({"ok":true})"), list["status"]);
  const Json diff = Json::parse(Lvar({"diff", "--json", "s.lvar", "odd.lvar"}).out, nullptr, false);
  EXPECT_EQ(Json::parse(R"([{"change":"added","name":"a\u0001z","b":{"kind":3,"size":7}},)"
                        R"({"change":"added","name":null,"name_sjis_hex":"62616481","b":{"kind":3,"size":4}}])"),
            diff["entries"]);
#ifndef _WIN32
  EXPECT_EQ("\xEF\xBF\xBD.lvar", Json::parse(Lvar({"list", "--json", "\xFF.lvar"}).out, nullptr, false)["archive"]);
#endif
}

// A hostile archive is refused before anything is written: the whole tree
// is the same afterwards.
TEST_F(LvarCliTest, HostileNamesWriteNothingAnywhere) {
  dir_.MakeFolder("inside/out");
  // A name, and the name of a later entry when it is refused as a pair.
  const std::pair<std::string, std::string> names[] = {
      {"..\\x", ""}, {"..", ""}, {"C:x", ""}, {"a/b", ""}, {"\\x", ""}, {"a\x01z", ""}, {"CON", ""}, {"x.", ""},
      {"\x87\x54.txt", "\xFA\x4A.txt"},  // one host name: both codes of the Roman numeral one
      {"ok.txt", "OK.TXT"}};
  for (const auto& [name, twin] : names) {
    std::vector<TestEntry> entries = SoundEntries();
    entries.push_back({3, name, "evil"});
    if (!twin.empty()) entries.push_back({3, twin, "twice"});
    dir_.Write("inside/h.lvar", MakeArchive(entries));
    const std::vector<std::string> before = Tree();
    for (const char* dir : {"out", "new"}) {
      ProcessResult r = Lvar({"extract", "inside" + std::string(kSep) + "h.lvar", "inside" + std::string(kSep) + dir});
      EXPECT_EQ(8u, r.status) << name << ": " << r.err;
      EXPECT_NE(std::string::npos, r.err.find("refused")) << r.err;
      EXPECT_EQ(before, Tree()) << name;
    }
  }
  ProcessResult r = Lvar({"extract", "--rename", "inside" + std::string(kSep) + "h.lvar"});
  EXPECT_EQ(0u, r.status) << r.err;
  EXPECT_EQ("twice", Read("h/OK (2).TXT"));
  EXPECT_EQ(8u, Lvar({"extract", "--rename", "inside" + std::string(kSep) + "h.lvar"}).status) << "not empty";
  EXPECT_EQ(9u, Lvar({"extract", "--rename", "--force", "inside" + std::string(kSep) + "h.lvar"}).status)
      << "never replaces a file";

  // Without DIR, an archive name that gives the parent or the current folder
  // is refused, and the message asks for DIR.
  for (const char* archive : {"...lvar", "..lvar"}) {
    dir_.Write(std::string("inside/") + archive, MakeArchive(SoundEntries()));
    const std::vector<std::string> before = Tree();
    // Run in inside/, whose parent is the test folder that Tree() covers.
    r = RunProcess(lvar_, {"extract", "--force", archive}, dir_.Path("inside"), "cp932", false, {"LORIVANDER_LANG=en"});
    EXPECT_EQ(8u, r.status) << archive;
    EXPECT_NE(std::string::npos, r.err.find("name the folder: lvar extract ARCHIVE DIR")) << r.err;
    EXPECT_EQ(before, Tree()) << archive;
  }
}

TEST_F(LvarCliTest, ShiftJisNamesBecomeHostNames) {
  std::vector<TestEntry> entries = SoundEntries();
  entries.push_back({3, "\x83\x81\x83\x82.txt", "memo"});  // "メモ.txt"
  dir_.Write("j.lvar", MakeArchive(entries));
  ProcessResult r = Lvar({"extract", "j.lvar", "j"});
  ASSERT_EQ(0u, r.status) << r.err;
  EXPECT_EQ("memo", ReadAt(std::filesystem::path(dir_.Path()) / "j" / std::filesystem::path(u8"メモ.txt")));
  r = Lvar({"list", "--json", "j.lvar"});
  EXPECT_NE(std::string::npos, r.out.find("\"name\":\"\xE3\x83\xA1\xE3\x83\xA2.txt\"")) << r.out;
}

// Japanese names are Shift-JIS in the archive whatever the system's code
// page: pakmak packs them, lvar lists and verifies the archive and extracts
// them under the same names. Under Wine this runs with an English code page
// too (tests/lvar/CMakeLists.txt).
TEST_F(LvarCliTest, JapaneseNamesWhateverTheSystemCodePage) {
  namespace fs = std::filesystem;
  const fs::path root = dir_.Path();
  const fs::path welcome = fs::path(u8"ようこそ.note");
  const fs::path data = fs::path(u8"データ");
  const fs::path memo = fs::path(u8"メモ.txt");
  fs::create_directories(root / "src" / data);
  const std::pair<fs::path, std::string> files[] = {
      {root / "src" / "Native.ina", std::string(192, 'N')},
      {root / "src" / "Install.inf", kInstallInf},
      {root / "src" / "Uninst.inf", kUninstInf},
      {root / "src" / "Memo.exe", "MZ program"},
      {root / "src" / welcome, "welcome"},
      {root / "src" / data / memo, "memo"},
  };
  for (const auto& [path, bytes] : files) std::ofstream(path, std::ios::binary) << bytes;
  Build("src", "jp.lvar");

  ProcessResult r = Lvar({"verify", "jp.lvar"});
  EXPECT_EQ(0u, r.status) << r.err;
  r = Lvar({"list", "--json", "jp.lvar"});
  EXPECT_EQ(0u, r.status) << r.err;
  for (const char* name : {"\"name\":\"ようこそ.note\"", "\"name\":\"メモ.txt\""})
    EXPECT_NE(std::string::npos, r.out.find(name)) << r.out;
  r = Lvar({"extract", "jp.lvar", "out"});
  ASSERT_EQ(0u, r.status) << r.err;
  EXPECT_EQ("welcome", ReadAt(root / "out" / welcome));
  EXPECT_EQ("memo", ReadAt(root / "out" / memo));  // entries carry no folders
}

// Japanese names given on the command line reach pakmak and lvar as written
// whatever the system's code page: a source folder named in full-width
// letters and kana beside a folder of the ASCII look-alike name, which must
// not stand in for it, an archive and an output folder named in Japanese.
// Under Wine this runs with an English code page too.
TEST_F(LvarCliTest, JapaneseNamesOnTheCommandLine) {
  namespace fs = std::filesystem;
  const fs::path root = dir_.Path();
  const fs::path source = root / fs::path(u8"ＡＢＣソース");
  fs::create_directories(source);
  fs::create_directories(root / "ABC");
  const std::pair<fs::path, std::string> files[] = {
      {source / "Native.ina", std::string(192, 'N')}, {source / "Install.inf", kInstallInf},
      {source / "Uninst.inf", kUninstInf},           {source / "Memo.exe", "MZ program"},
      {root / "ABC" / "Native.ina", std::string(192, 'N')}, {root / "ABC" / "Install.inf", kInstallInf},
      {root / "ABC" / "Uninst.inf", kUninstInf},           {root / "ABC" / "Memo.exe", "MZ look-alike"},
  };
  for (const auto& [path, bytes] : files) std::ofstream(path, std::ios::binary) << bytes;
  // The names as this system's programs take them: UTF-8 on POSIX, code
  // page 932 on Windows.
  const auto host = [](std::u8string_view utf8) {
    std::string kit;
    EXPECT_TRUE(base::Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()), &kit));
    return base::HostText(kit);
  };
  Build(host(u8"ＡＢＣソース"), host(u8"アーカイブ.lvar"));
  ASSERT_TRUE(fs::exists(root / fs::path(u8"アーカイブ.lvar")));
  ProcessResult r = Lvar({"verify", host(u8"アーカイブ.lvar")});
  EXPECT_EQ(0u, r.status) << r.err;
  r = Lvar({"extract", host(u8"アーカイブ.lvar"), host(u8"出力")});
  ASSERT_EQ(0u, r.status) << r.err;
  EXPECT_EQ("MZ program", ReadAt(root / fs::path(u8"出力") / "Memo.exe"));
}

}  // namespace
}  // namespace lvar_cli_test
