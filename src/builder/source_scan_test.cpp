#include "builder/source_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "base/capturing_console.h"
#include "base/fake_folder_lister.h"
#include "base/test_temp_folder.h"
#include "builder/driver.h"
#include "builder/named_file_check.h"
#include "builder/native_info.h"

namespace builder {
namespace {

using TempFolder = base::TestTempFolder;

std::string NativeInfo(char fill, std::size_t size = archive::kNativeInfoSize) { return std::string(size, fill); }

const char kInstallInf[] =
    "[App Information]\r\n"
    "Maker = Kumo\r\nProgram = Memo\r\nVersion = 1.2\r\nInstallDir = \"\\Program Files\\Memo\"\r\n"
    "ExeFile = Memo.exe\r\nUninstall = Uninst.inf\r\nCaption = Memo\r\nDestination = ALTERNATIVE\r\n"
    "Unload = Memo.exe\r\n";
const char kUninstInf[] = "[Uninstall Information]\r\nMaker = Kumo\r\nProgram = Memo\r\n";

std::vector<std::string> Names(const SourceFileList& list) {
  std::vector<std::string> names;
  for (const SourceFile& f : list) names.push_back(f.name);
  return names;
}

struct Scan {
  explicit Scan(const TempFolder& folder) {
    code = ScanSourceFolder(base::SystemFolderLister(), base::SystemFileSystem(), folder.Path(), "SRC", console, &result);
  }
  BuildErrorCode code;
  // In English, as the messages read here; pakmak's CLI tests pin their Japanese.
  base::CapturingConsole console{base::Language::kEnglish};
  ScanResult result;
};

TEST(ScanSourceFolderTest, SortsFilesByKindDepthFirst) {
  TempFolder src;
  src.Write("b.txt", "b");
  src.Write("a.EXE", "a");
  src.Write("Install.inf", "");
  src.Write("sub/Native.INA", NativeInfo('n'));
  src.Write("sub/deeper/readme.txt", "r");
  src.Write("sub/tool.Dll", "t");
  src.Write("Other.ina", "o");
  src.Write("SETUP.Inf", "");
  src.MakeFolder("folder.inf");
  src.Write("folder.inf/x.vb", "");
  src.Write("noext", "");
  Scan scan(src);
  ASSERT_EQ(0u, scan.code) << scan.console.err;
  EXPECT_TRUE(scan.result.native_info_found);
  // Folders are walked where they stand in the sorted listing.
  EXPECT_EQ((std::vector<std::string>{"Install.inf", "SETUP.Inf"}),
            Names(scan.result.List(archive::EntryKind::kInstallInfo)));
  EXPECT_EQ((std::vector<std::string>{"a.EXE", "x.vb", "tool.Dll"}),
            Names(scan.result.List(archive::EntryKind::kProgram)));
  EXPECT_EQ((std::vector<std::string>{"b.txt", "noext", "Other.ina", "readme.txt"}),
            Names(scan.result.List(archive::EntryKind::kData)));
  const SourceFile& readme = scan.result.List(archive::EntryKind::kData)[3];
  EXPECT_EQ(src.Path("sub/deeper/readme.txt"), readme.HostPath());
  EXPECT_EQ(std::string("SRC") + base::kPathSeparator + "sub" + base::kPathSeparator + "deeper" +
                base::kPathSeparator + "readme.txt",
            readme.MessagePath());
  EXPECT_EQ(1u, readme.size);
  EXPECT_EQ('n', scan.result.header.bytes()[0x08]);
}

TEST(ScanSourceFolderTest, NativeInfoBlocksAndTheLastOneWins) {
  TempFolder src;
  std::string native;
  for (int i = 0; i < 200; ++i) native += static_cast<char>(i);
  src.Write("A/Native.ina", NativeInfo('x'));
  src.Write("B/native.ina", native);
  Scan scan(src);
  ASSERT_EQ(0u, scan.code);
  const auto& h = scan.result.header.bytes();
  EXPECT_EQ(0, h[0x08]);
  EXPECT_EQ(135, h[0x08 + 135]);
  EXPECT_EQ(136, h[0x98]);
  EXPECT_EQ(155, h[0x98 + 19]);
  EXPECT_EQ(156, h[0xB4]);
  EXPECT_EQ(191, h[0xB4 + 35]);
  EXPECT_EQ(0, h[0x90]);
  EXPECT_TRUE(scan.result.List(archive::EntryKind::kData).empty());
}

TEST(ScanSourceFolderTest, WarnsOfALongOrPlaceholderNativeInfo) {
  const std::string at = std::string(" [ SRC") + base::kPathSeparator + "Native.ina ]";
  const std::string marker = kPlaceholderMarker;
  struct Case { std::string content, err; };
  const Case cases[] = {
      {NativeInfo('x'), ""},
      {NativeInfo('x', 300), "Warning: The device description holds 300 bytes, not 192: only the first 192 are "
                             "used. Was it made by Devprobe on the device?" + at + "\n"},
      {marker + NativeInfo('\0', archive::kNativeInfoSize - marker.size()),
       "Warning: The device description is the example's placeholder, not one made by Devprobe on the device" +
           at + ".\n"},
  };
  for (const Case& c : cases) {
    TempFolder src;
    src.Write("Native.ina", c.content);
    Scan scan(src);
    EXPECT_EQ(0u, scan.code);
    EXPECT_EQ(c.err, scan.console.err);
  }
}

TEST(ScanSourceFolderTest, Errors) {
  const std::string sep(1, base::kPathSeparator);
  {
    TempFolder src;
    Scan scan(src);
    EXPECT_EQ(0u, scan.code);
    EXPECT_FALSE(scan.result.native_info_found);
  }
  {
    TempFolder src;
    src.Write("Native.ina", NativeInfo('x', 191));
    Scan scan(src);
    EXPECT_EQ(0x2200000u, scan.code);
    EXPECT_EQ("Error: Can't read a file [ SRC" + sep + "Native.ina ].\n"
              "The file holds 191 bytes; a device description has 192.\n", scan.console.err);
  }
  {
    TempFolder src;
    src.Write("a/b/NATIVE.INA", "");
    Scan scan(src);
    EXPECT_EQ(0xA200000u, scan.code);
    EXPECT_EQ("Error: Can't read a file [ SRC" + sep + "a" + sep + "b" + sep + "NATIVE.INA ].\n"
              "The file holds 0 bytes; a device description has 192.\n", scan.console.err);
  }
  {
    TempFolder src;
    base::CapturingConsole console;
    ScanResult result;
    EXPECT_EQ(0x1000000u, ScanSourceFolder(base::SystemFolderLister(), base::SystemFileSystem(), src.Path("missing"),
                                           "SRC", console, &result));
    EXPECT_EQ("Error: Can't find  a directry [ SRC ].\n", console.err);
  }
}

// Only regular files become entries: anything else, or an entry that cannot
// be examined, stops the scan with its path before anything is opened.
TEST(ScanSourceFolderTest, RefusesWhatIsNotARegularFile) {
  const std::string sep(1, base::kPathSeparator);
  const std::string fifo = "Error: Not a regular file (FIFO, socket or device); move it out of the source folder [ SRC" + sep;
  const std::string cannot = "Error: Can't examine an entry of the folder [ SRC" + sep;
  struct Case {
    const char* name;
    base::FileKind kind;
    bool examined;
    bool in_sub;
    BuildErrorCode code;
    std::string err;
  };
  const Case cases[] = {
      {"pipe.dat", base::FileKind::kOther, true, false, 0x5000000, fifo + "pipe.dat ].\n"},
      {"Native.ina", base::FileKind::kOther, true, false, 0x5000000, fifo + "Native.ina ].\n"},
      {"Install.inf", base::FileKind::kOther, true, true, 0xD000000, fifo + "sub" + sep + "Install.inf ].\n"},
      {"gone.inf", base::FileKind::kRegular, false, false, 0x6000000, cannot + "gone.inf ].\n"},
      {"deep", base::FileKind::kRegular, false, true, 0xE000000, cannot + "sub" + sep + "deep ].\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    base::FakeFileSystem files;
    base::FakeFolderLister lister(files);
    const std::string sub = base::JoinPath("root", "sub");
    files.folders = {"root", sub};
    files.files[base::JoinPath("root", "a.txt")];
    const std::string path = base::JoinPath(c.in_sub ? sub : "root", c.name);
    if (c.kind == base::FileKind::kOther) {
      files.others.insert(path);
    } else {
      files.files[path];
    }
    if (!c.examined) lister.unexamined.insert(path);
    base::CapturingConsole console(base::Language::kEnglish);
    ScanResult result;
    EXPECT_EQ(c.code, ScanSourceFolder(lister, files, "root", "SRC", console, &result));
    EXPECT_EQ(c.err, console.err);
  }
}

#ifndef _WIN32
TEST(ScanSourceFolderTest, NamesAreConvertedToShiftJisOrRefused) {
  TempFolder src;
  src.Write("\xE3\x83\xA1\xE3\x83\xA2.txt", "m");  // "メモ.txt"
  {
    Scan scan(src);
    ASSERT_EQ(0u, scan.code);
    EXPECT_EQ((std::vector<std::string>{"\x83\x81\x83\x82.txt"}), Names(scan.result.List(archive::EntryKind::kData)));
  }
  src.Write("sub/caf\xC3\xA9.txt", "c");  // "é" has no Shift-JIS form
  Scan scan(src);
  EXPECT_EQ(0xC000000u, scan.code);
  // Shown as the host wrote it, on a UTF-8 console and on a Shift-JIS one.
  for (bool utf8 : {true, false})
    EXPECT_EQ("Error: A file name has no Shift-JIS form; rename the file [ SRC/sub/caf\xC3\xA9.txt ].\n",
              base::ShownText(scan.console.err, utf8));
}

// A link is taken as what it leads to only inside the source folder; one
// that leads outside, or back to a folder that holds it, stops the scan
// before anything is read through it.
TEST(ScanSourceFolderTest, FollowsLinksOnlyInsideTheSourceFolder) {
  TempFolder outside;
  outside.Write("passwd", NativeInfo('p'));
  const std::string away = "../../" + std::filesystem::path(outside.Path()).filename().string() + "/passwd";
  const std::string out = "Error: A link leads outside the source folder [ SRC/";
  struct Case { const char* link; std::string target; BuildErrorCode code; std::string err; std::size_t data; };
  const Case cases[] = {
      {"Native.ina", outside.Path("passwd"), 0x7000000, out + "Native.ina ].\n", 0},
      {"Help.memo", outside.Path("passwd"), 0x7000000, out + "Help.memo ].\n", 0},
      {"sub/Help.memo", away, 0xF000000, out + "sub/Help.memo ].\n", 0},
      {"docs", outside.Path(), 0x7000000, out + "docs ].\n", 0},
      {"sub/up", "..", 0xF000000, "Error: A link leads back to a folder that holds it [ SRC/sub/up ].\n", 0},
      {"Help.memo", "real/data.txt", 0, "", 2},  // packed as its target
      {"mirror", "real", 0, "", 2},              // walked as the folder it leads to
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    TempFolder src;
    src.Write("real/data.txt", "d");
    src.MakeFolder("sub");
    std::filesystem::create_symlink(c.target, src.Path(c.link));
    Scan scan(src);
    EXPECT_EQ(c.code, scan.code);
    EXPECT_EQ(c.err, scan.console.err);
    EXPECT_EQ(c.data, c.code ? c.data : scan.result.List(archive::EntryKind::kData).size());  // data files of a pass
  }
}
#endif

// The archive stores bare names and the device ignores letter case: two
// files whose names differ only in ASCII letter case, in whatever folders,
// are refused with both paths. The same name twice stays two entries.
TEST(ScanSourceFolderTest, RefusesNamesThatDifferOnlyInLetterCase) {
  const std::string sep(1, base::kPathSeparator);
  struct Case {
    std::vector<const char*> files;
    BuildErrorCode code;
    std::string first, second;  // the paths named, below SRC
  };
  const Case cases[] = {
      {{"README.TXT", "sub/readme.txt"}, 0xB000000, "README.TXT", "sub" + sep + "readme.txt"},
      {{"a/Data.bin", "b/c/DATA.bin"}, 0xB000000, "a" + sep + "Data.bin", "b" + sep + "c" + sep + "DATA.bin"},
      {{"Install.inf", "old/install.INF"}, 0xB000000, "Install.inf", "old" + sep + "install.INF"},
      {{"Install.inf", "install.INF"}, 0x3000000, "Install.inf", "install.INF"},  // one folder (POSIX)
      {{"readme.txt", "docs/readme.txt", "x/Readme.txt"}, 0xB000000, "docs" + sep + "readme.txt",
       "x" + sep + "Readme.txt"},
      {{"readme.txt", "docs/readme.txt"}, 0, "", ""},
      {{"Native.ina", "sub/NATIVE.INA"}, 0, "", ""},  // not entries
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files[1]);
    base::FakeFileSystem files;
    base::FakeFolderLister lister(files);
    files.folders.insert("root");
    for (const char* name : c.files) {
      std::string path = "root";
      std::string rest = name;
      for (std::size_t slash; (slash = rest.find('/')) != std::string::npos; rest.erase(0, slash + 1)) {
        path = base::JoinPath(path, rest.substr(0, slash));
        files.folders.insert(path);
      }
      files.files[base::JoinPath(path, rest)].assign(archive::kNativeInfoSize, 'n');
    }
    base::CapturingConsole console(base::Language::kEnglish);
    ScanResult result;
    EXPECT_EQ(c.code, ScanSourceFolder(lister, files, "root", "SRC", console, &result));
    auto message = [&](const std::string& a, const std::string& b) {
      return "Error: Two file names differ only in letter case. The archive stores names without their folders, "
             "so the device cannot tell them apart: rename one of them [ SRC" + sep + a + " ] [ SRC" + sep + b +
             " ].\n";
    };
    if (c.code) {
      // Two names of one folder that fold alike may be listed either way round.
      EXPECT_TRUE(console.err == message(c.first, c.second) || console.err == message(c.second, c.first))
          << console.err;
    } else {
      EXPECT_EQ("", console.err);
    }
  }
}

struct InfRun {
  explicit InfRun(const TempFolder& src, base::Language language = base::Language::kJapanese) : console(language) {
    Scan scan(src);
    EXPECT_EQ(0u, scan.code);
    code = ReadInstallInfoFiles(base::SystemFileSystem(), scan.result, console, &state);
  }
  BuildErrorCode code;
  base::CapturingConsole console;
  inf::InstallInfoState state;
};

TEST(ReadInstallInfoFilesTest, MandatoryFiles) {
  {
    TempFolder src;
    src.Write("Install.inf", kInstallInf);
    src.Write("a/UNINST.INF", kUninstInf);  // met before Install.inf: counts
    InfRun run(src);
    EXPECT_EQ(0u, run.code) << run.console.err;
    EXPECT_EQ(3u, run.state.destination);
  }
  {
    TempFolder src;
    src.Write("Install.inf", kInstallInf);
    InfRun run(src);
    EXPECT_EQ(0x3000000u, run.code);
    EXPECT_EQ("Error: Can't find mandatory file [ Uninst.inf ].\n", run.console.err);
  }
  {
    // The message names the file that the Uninstall key gives.
    TempFolder src;
    std::string install = kInstallInf;
    src.Write("Install.inf", install.replace(install.find("Uninst.inf"), 10, "MemoUninst.inf"));
    src.Write("Uninst.inf", kUninstInf);
    InfRun run(src);
    EXPECT_EQ(0x3000000u, run.code);
    EXPECT_EQ("Error: Can't find mandatory file [ MemoUninst.inf ].\n", run.console.err);
  }
  {
    TempFolder src;
    src.Write("Uninst.inf", kUninstInf);
    InfRun run(src);
    EXPECT_EQ(0x2000000u, run.code);
    EXPECT_EQ("Error: Can't find mandatory file [ Install.inf ].\n", run.console.err);
  }
  {
    // Without an App Information section no uninstall file is needed.
    TempFolder src;
    src.Write("INSTALL.INF", "; only a comment\r\n");
    InfRun run(src);
    EXPECT_EQ(0u, run.code) << run.console.err;
    EXPECT_EQ(0u, run.state.destination);
  }
}

TEST(ReadInstallInfoFilesTest, EveryInfFileIsChecked) {
  TempFolder src;
  src.Write("Install.inf", kInstallInf);
  src.Write("Uninst.inf", kUninstInf);
  src.Write("sub/extra.inf", "[No Such Section]\r\n");
  InfRun run(src);
  EXPECT_EQ(0x1261100u, run.code);
  EXPECT_NE(std::string::npos, run.console.err.find("extra.inf")) << run.console.err;
}

// Once the checks have passed, each file that a copy line, ExeFile, Icon or
// Uninstall names but the archive will not hold is named with its
// description and line; the run still passes. A run that fails says only
// why it failed.
TEST(ReadInstallInfoFilesTest, WarnsOfNamedFilesTheArchiveLacks) {
  const std::string install =
      "[App Information]\r\nMaker = Kumo\r\nProgram = Memo\r\nVersion = 1.2\r\n"
      "InstallDir = \"\\Program Files\\Memo\"\r\nExeFile = \"\\Program Disk\\Memo\\Memo.exe\"\r\n"
      "Uninstall = Uninst.inf\r\nIcon = Memo.ico\r\nCaption = Memo\r\nDestination = ALTERNATIVE\r\nUnload = 1\r\n"
      "[Copy Files]\r\n\"\\Program Disk\\Memo\", Memo.exe\r\n\"\\Program Disk\\Memo\\Data\\Shop.txt\"\r\n";
  const std::string at = std::string(" [ SRC") + base::kPathSeparator + "Install.inf, line ";
  const std::string copy = "Warning: A copy line names a file that is not packed into the archive, so the device "
                           "cannot install it" + at;
  auto key = [&](const char* name) {
    return std::string("Warning: The key ") + name + " names a file that is not packed into the archive" + at;
  };
  struct Case {
    const char* label;
    std::vector<const char*> files;
    BuildErrorCode code;
    std::string err;
  };
  const Case cases[] = {
      {"all there, in any case and folder", {"Uninst.inf", "Memo.exe", "Memo.ico", "data/SHOP.TXT"}, 0, ""},
      {"a copied file missing", {"Uninst.inf", "Memo.exe", "Memo.ico"}, 0, copy + "14: Shop.txt ].\n"},
      {"the program missing", {"Uninst.inf", "Memo.ico", "Shop.txt"}, 0,
       key("ExeFile") + "6: Memo.exe ].\n" + copy + "13: Memo.exe ].\n"},
      {"the icon names a folder", {"Uninst.inf", "Memo.exe", "Shop.txt", "Memo.ico/inner.txt"}, 0,
       key("Icon") + "8: Memo.ico ].\n"},
      {"a failed run", {"Memo.ico"}, 0x3000000, "Error: Can't find mandatory file [ Uninst.inf ].\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempFolder src;
    src.Write("Install.inf", install);
    for (const char* name : c.files)
      src.Write(name, std::string(name) == "Uninst.inf" ? std::string(kUninstInf) : NativeInfo('n'));
    InfRun run(src, base::Language::kEnglish);
    EXPECT_EQ(c.code, run.code);
    EXPECT_EQ(c.err, run.console.err);
  }

  // Beyond the first warnings, only their number: memory stays bounded. The
  // program, the icon and both copy lines are missing here too.
  std::string many = install;
  const std::size_t extra = NamedFileCheck::kMaxKept + 5;
  for (std::size_t i = 0; i < extra; ++i) many += "\\d, f" + std::to_string(i) + ".txt\r\n";
  TempFolder src;
  src.Write("Install.inf", many);
  src.Write("Uninst.inf", kUninstInf);
  InfRun run(src, base::Language::kEnglish);
  EXPECT_EQ(0u, run.code);
  const std::string last = "Warning: 9 more files that the install information files name are not packed into "
                           "the archive.\n";
  ASSERT_GE(run.console.err.size(), last.size());
  EXPECT_EQ(last, run.console.err.substr(run.console.err.size() - last.size()));
  EXPECT_EQ(NamedFileCheck::kMaxKept + 1,
            static_cast<std::size_t>(std::count(run.console.err.begin(), run.console.err.end(), '\n')));
}

// Puts `text` into the fake file at `path`.
void PutFile(base::FakeFileSystem& files, const std::string& path, const std::string& text) {
  files.files[path].assign(text.begin(), text.end());
}

// Fills the fake folder "src" of the race tests: the device description,
// both descriptions, a data file, and one file in the sub-folder `sub`.
void PutRaceSource(base::FakeFileSystem& files, const std::string& sub) {
  PutFile(files, base::JoinPath("src", "Native.ina"), NativeInfo('n'));
  PutFile(files, base::JoinPath("src", "Install.inf"), kInstallInf);
  PutFile(files, base::JoinPath("src", "Uninst.inf"), kUninstInf);
  PutFile(files, base::JoinPath("src", "data.dat"), "inside!!");
  PutFile(files, base::JoinPath(sub, "b.dat"), "inside too");
}

// A run over a fake source folder in which one entry is swapped at the
// first call after the folder's listing: the race of a process that writes
// into the folder while pakmak reads it. Whatever the run does, nothing from
// the folder outside reaches the archive, and the outside stays untouched.
TEST(BuildRacesTest, AnEntrySwappedAfterTheListingNeverPacksOutsideContent) {
  const auto at = [](std::initializer_list<const char*> names) {
    std::string path;
    for (const char* name : names) path = path.empty() ? name : base::JoinPath(path, name);
    return path;
  };
  using Files = base::FakeFileSystem;
  struct Case {
    const char* name;
    void (*swap)(Files&);
    bool refused;  // else the run packs what was listed
  };
  const Case cases[] = {
      {"Native.ina for a link to an outside file",
       [](Files& f) { f.SwapForLink(base::JoinPath("src", "Native.ina"), base::JoinPath("outside", "Native.ina")); },
       true},
      {"a sub-folder for a link to an outside folder",
       [](Files& f) {
         f.MoveTree(base::JoinPath("src", "sub"), "away");
         f.links[base::JoinPath("src", "sub")] = base::JoinPath("outside", "dir");
       },
       true},
      {"a data file for a link to a same-size outside file",
       [](Files& f) { f.SwapForLink(base::JoinPath("src", "data.dat"), base::JoinPath("outside", "data.dat")); },
       true},
      {"a data file for a same-size outside file moved over it",
       [](Files& f) { f.Replace(base::JoinPath("outside", "data.dat"), base::JoinPath("src", "data.dat")); }, true},
      {"the whole source folder, for a link to an outside folder",
       [](Files& f) {
         f.MoveTree("src", "away");
         f.links["src"] = "outside";
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Files files;
    base::FakeFolderLister lister(files);
    files.folders = {"src", at({"src", "sub"}), "outside", at({"outside", "dir"})};
    PutRaceSource(files, at({"src", "sub"}));
    PutFile(files, at({"outside", "Native.ina"}), "OUTSIDE" + NativeInfo('s', archive::kNativeInfoSize - 7));
    PutFile(files, at({"outside", "Install.inf"}), kInstallInf);
    PutFile(files, at({"outside", "Uninst.inf"}), kUninstInf);
    PutFile(files, at({"outside", "data.dat"}), "OUTSIDE!");
    PutFile(files, at({"outside", "dir", "b.dat"}), "OUTSIDE b!");
    PutFile(files, at({"outside", "dir", "c.dat"}), "OUTSIDE c!");
    // What lies outside once the swap is made: the run must leave it so.
    const auto outside = [&files] {
      std::map<std::string, Files::Bytes> kept;
      for (const auto& [path, bytes] : files.files)
        if (path.rfind("outside", 0) == 0) kept.emplace(path, bytes);
      return kept;
    };
    std::map<std::string, Files::Bytes> outside_before;
    bool listed = false, swapped = false;
    files.before_each = [&](const std::string& call, const std::string& path) {
      if (listed && !swapped) {
        swapped = true;
        c.swap(files);
        outside_before = outside();
      }
      if (call == "list" && path == "src") listed = true;
    };
    base::CapturingConsole console(base::Language::kEnglish);
    BuildEnvironment env{{console, files, lister}};
    const BuildErrorCode code = RunBuild({"src", "out.lvar"}, env);
    EXPECT_TRUE(swapped);
    const auto archive = files.files.find("out.lvar");
    if (archive != files.files.end()) {
      const std::string bytes(archive->second.begin(), archive->second.end());
      EXPECT_EQ(std::string::npos, bytes.find("OUTSIDE"));
      EXPECT_EQ(std::string::npos, bytes.find(NativeInfo('s', 16)));
    }
    if (c.refused) {
      EXPECT_NE(0u, code);
      EXPECT_EQ(files.files.end(), archive);
      EXPECT_NE(std::string::npos, console.err.find("replaced, removed or made into a link")) << console.err;
    } else {
      EXPECT_EQ(0u, code) << console.err;
    }
    EXPECT_EQ(outside_before, outside());
  }
}


// Listings a caller holds, by folder below the source folder.
class Held : public base::HeldListings {
 public:
  const std::vector<base::DirEntry>* Listing(const std::string& relative) const override {
    const auto found = listings.find(relative);
    return found == listings.end() ? nullptr : &found->second;
  }
  std::map<std::string, std::vector<base::DirEntry>> listings;
};

// A build of a folder held open by the caller, with the listings it holds:
// the folders held are not listed again, the archive is the same as when
// every folder is listed, and a file changed since it was listed is still
// caught when it is opened through the handle.
TEST(BuildRacesTest, HeldListingsStandInForListingButNotForTheChecks) {
  using Files = base::FakeFileSystem;
  struct Case {
    const char* name;
    std::vector<std::string> held;  // folders whose listings are handed over
    void (*change)(Files&);         // after the listings were taken; null: none
    std::size_t listed;             // folders the build lists
  };
  const std::string sub = base::JoinPath("src", "sub");
  const Case cases[] = {
      {"nothing held", {}, nullptr, 3},
      {"the source folder held", {""}, nullptr, 2},
      {"every folder but the deepest held", {"", "sub"}, nullptr, 1},
      {"a data file replaced since", {"", "sub"},
       [](Files& f) {
         f.files[base::JoinPath("src", "new.dat")] = {'o', 't', 'h', 'e', 'r', '!', '!', '!'};
         f.Replace(base::JoinPath("src", "new.dat"), base::JoinPath("src", "data.dat"));
       },
       1},
      {"a description rewritten to another size", {"", "sub"},
       [](Files& f) { f.files[base::JoinPath("src", "Install.inf")].push_back(' '); }, 1},
      {"a file of a sub-folder removed", {"", "sub"},
       [](Files& f) { f.Remove(base::JoinPath(base::JoinPath("src", "sub"), "b.dat")); }, 1},
  };
  std::string whole;  // the archive of the first case, every folder listed
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Files files;
    base::FakeFolderLister lister(files);
    files.folders = {"src", sub, base::JoinPath(sub, "deep")};
    PutRaceSource(files, sub);
    PutFile(files, base::JoinPath(base::JoinPath(sub, "deep"), "c.dat"), "deepest");
    Held held;
    for (const std::string& relative : c.held) {
      ASSERT_TRUE(lister.List(relative.empty() ? "src" : base::JoinPath("src", relative), &held.listings[relative]));
    }
    if (c.change) c.change(files);
    std::unique_ptr<base::Folder> source = lister.OpenFolder("src");
    ASSERT_TRUE(source);
    lister.listed.clear();
    base::CapturingConsole console(base::Language::kEnglish);
    BuildEnvironment env{{console, files, lister}};
    env.source = source.get();
    env.listings = &held;
    BuildOptions options;
    options.directory = "src";
    options.archive = "out.lvar";
    const BuildErrorCode code = Build(options, env);
    EXPECT_EQ(lister.listed.size(), c.listed);
    const auto archive = files.files.find("out.lvar");
    if (c.change) {
      EXPECT_NE(0u, code);
      EXPECT_EQ(files.files.end(), archive);
      EXPECT_NE(std::string::npos, console.err.find("replaced, removed or made into a link")) << console.err;
      continue;
    }
    ASSERT_EQ(0u, code) << console.err;
    ASSERT_NE(files.files.end(), archive);
    const std::string bytes(archive->second.begin(), archive->second.end());
    if (whole.empty()) whole = bytes;
    EXPECT_EQ(whole, bytes);
  }
}

}  // namespace
}  // namespace builder
