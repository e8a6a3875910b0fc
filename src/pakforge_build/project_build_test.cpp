// pakforge-build against the wizard's Finish: for the same project the files
// and the archive are byte-identical; every refusal of the wizard's checks,
// the overrides, the check-only run and the failures of a run.

#include "pakforge_build/project_build.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>

#include <nlohmann/json.hpp>

#include "base/capturing_console.h"
#include "base/encoding.h"
#include "base/file_access.h"
#include "base/file_system.h"
#include "base/path_resolver.h"
#include "base/sjis.h"
#include "base/host_path.h"
#include "base/interrupt_cleanup.h"
#include "base/interrupting_file_system.h"
#include "base/test_temp_folder.h"
#include "builder/driver.h"
#include "builder/messages.h"
#include "builder/native_info.h"
#include "pakforge_build/wizard_messages.h"
#include "project/finish.h"
#include "project/project_file.h"
#include "project/project_pipeline.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace pakforge_build {
namespace {

// The platform's files, for the cases run in a temporary folder.
const base::FileAccess system_files = base::SystemFileAccess();

namespace fs = std::filesystem;
using ScratchFolder = base::TestTempFolder;

std::string Sjis(const char* utf8) {
  std::string out;
  EXPECT_TRUE(base::Utf8ToCp932(utf8, &out)) << utf8;
  return out;
}

// A kit path (Shift-JIS) as the file system's name.
std::string Host(const std::string& kit) { return base::HostText(kit); }

std::string Kit(const std::string& relative) {
  std::string out = relative;
  for (char& c : out) {
    if (c == '/') c = base::kPathSeparator;
  }
  return out;
}

std::string NativeInfo() { return std::string(192, '\x5A'); }

// A project as the wizard holds it at Finish, and its source folder.
struct Project {
  project::ProjectSettings settings;
  project::MemoryFileRowStore saved;  ///< rows saved in the project file
  project::MemoryFileRowStore shown;  ///< rows of the files list at Finish when none were saved
  project::MemoryRegistryRowStore registry;
  std::map<std::string, std::string> files;  ///< '/'-separated path under the project folder -> bytes
  std::string file_name;  ///< the project file's name when not the wizard's
  std::string by_hand;    ///< lines added to the saved project file, as an author writes them
  /// Texts of the saved project file replaced, each first occurrence, as an author edits them.
  std::vector<std::pair<std::string, std::string>> edits;

  void AddRow(const std::string& name, const std::string& folder = std::string(),
              std::uint32_t kind = project::AppRoot) {
    project::InsertFileRow(saved, name, settings.Exe.Equals(name, true), folder, kind);
  }
  void AddRegistry(int root, const std::string& key, const std::string& name, int type,
                   const std::string& value) {
    project::RegistryEntry entry;
    entry.root = root;
    entry.key.Assign(key);
    entry.name.Assign(name);
    entry.type = type;
    entry.value.Assign(value);
    registry.Append(project::EntryToRow(entry));
  }
  std::string ProjectName() const {
    return file_name.empty() ? "Pakforge_" + settings.Name.Text() + ".ini" : file_name;
  }
};

Project BaseProject() {
  Project p;
  project::ProjectSettings& s = p.settings;
  s.Product.Assign("Kumo Soft");
  s.Name.Assign("Memo");
  s.Caption.Assign("Memo Pad");
  s.Ver.Assign("1.20");
  s.Output.Assign("MemoPack");
  s.Source.Assign("src");
  s.InstDir.Assign("Memo");
  s.Exe.Assign("Memo.exe");
  s.UninstFile.Assign("UnMemo");
  s.SetupIniName.Assign("Memo");
  p.files = {{"src/Native.ina", NativeInfo()},
             {"src/Memo.exe", "MZ memo"},
             {"src/data.bin", std::string("\x00\x01\x02", 3)},
             {"src/sub/pic.dat", "picture"}};
  p.AddRow("Memo.exe");
  p.AddRow("data.bin", "Music", project::Doc);
  p.AddRow("pic.dat", "Pics", project::AppOriginal);
  p.settings.Folders.app_folders.Add("Pics");
  return p;
}

// Creates the folder at the kit path `path` and those above it.
void MakeFolders(const std::string& path) {
  const std::size_t cut = path.find_last_of(base::kPathSeparator);
  if (cut != std::string::npos && cut > 0 && !project::FolderExists(system_files, path.substr(0, cut))) {
    MakeFolders(path.substr(0, cut));
  }
  base::SystemFileSystem().CreateFolder(Host(path));
}

void Lay(const ScratchFolder& dir, const Project& p) {
  for (const auto& [path, bytes] : p.files) {
    const std::string kit = dir.Path(Kit(path));
    MakeFolders(kit.substr(0, kit.find_last_of(base::kPathSeparator)));
    ASSERT_TRUE(project::WriteTextFile(system_files, kit, bytes)) << path;
  }
  ASSERT_TRUE(project::SaveProject(system_files, p.settings, dir.Path(p.ProjectName()), &p.saved, &p.registry));
  std::string saved;
  ASSERT_TRUE(project::ReadWholeFile(system_files, dir.Path(p.ProjectName()), &saved));
  for (const auto& [from, to] : p.edits) {
    const std::size_t at = saved.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    saved.replace(at, from.size(), to);
  }
  ASSERT_TRUE(project::WriteTextFile(system_files, dir.Path(p.ProjectName()), saved + p.by_hand));
}

// Every file under `folder` (kit paths): '/'-separated relative path -> bytes.
void Walk(const std::string& folder, const std::string& prefix, std::map<std::string, std::string>* tree) {
  const std::string all = base::JoinPath(folder, "*.*");
  for (const std::string& name : project::ListDirectory(system_files, all, true)) {
    std::string bytes;
    EXPECT_TRUE(project::ReadWholeFile(system_files, base::JoinPath(folder, name), &bytes)) << name;
    (*tree)[prefix + name] = bytes;
  }
  for (const std::string& name : project::ListDirectory(system_files, all, false)) {
    Walk(base::JoinPath(folder, name), prefix + name + "/", tree);
  }
}

std::map<std::string, std::string> Tree(const ScratchFolder& dir) {
  std::map<std::string, std::string> tree;
  Walk(dir.Path(), "", &tree);
  return tree;
}

// A file written through a temporary name ("~" and digits) and left behind.
bool IsTemporary(const std::string& tree_path) {
  const std::size_t slash = tree_path.rfind('/');
  return tree_path.compare(slash == std::string::npos ? 0 : slash + 1, 1, "~") == 0;
}

// The wizard's road: save, open the saved project as the pages do (page 3
// sorts, marks or rebuilds its list, page 4 sorts its list), Finish's
// files, then the batch file's builder run from the project folder.
// Answers the builder's code.
builder::BuildErrorCode WizardFinish(const ScratchFolder& dir, const Project& p) {
  Lay(dir, p);
  dir.Write("Pakmak.exe", "x");
  project::LoadedProject opened;
  EXPECT_TRUE(project::LoadProject(system_files, dir.Path(p.ProjectName()), &opened));
  project::SourceIndex source;
  EXPECT_TRUE(project::ReadSourceFolder(system_files, p.settings, dir.Path(), &source));
  project::ReadListsAsPages(p.settings, &source, opened.files, opened.registry);
  if (p.saved.Count() == 0) {
    // The rebuilt list in the order the test expects the page to show.
    std::vector<std::string> names;
    for (const project::FileRow& row : opened.files.rows) names.push_back(row.name);
    std::vector<std::string> shown;
    for (const project::FileRow& row : p.shown.rows) shown.push_back(row.name);
    EXPECT_EQ(names, shown);
  }
  project::testing::RecordingMessages messages;
  project::testing::RecordingStarter starter;
  EXPECT_TRUE(project::MakeProjectFiles(system_files, p.settings, dir.Path(), &opened.files, &opened.registry, false,
                                       messages, starter));
  // The recording starter runs nothing, so Finish's only message is its
  // report that no archive was made; the builder runs below instead.
  EXPECT_EQ(messages.ids, std::vector<int>{project::kStrBuildFailed});
  EXPECT_EQ(starter.started.size(), 1u);
  fs::remove(Host(dir.Path("Pakmak.exe")));
  const std::unique_ptr<base::EnteredFolder> here = base::SystemFileSystem().EnterFolder(Host(dir.Path()));
  EXPECT_TRUE(here);
  base::CapturingConsole console(base::Language::kEnglish);
  builder::BuildEnvironment env{{console, base::SystemFileSystem(), base::SystemFolderLister()}};
  return builder::RunBuild({Host(p.settings.Source.Text()), Host(p.settings.Output.Text() + ".lvar"),
                            "-p", "0000", "-o", "c000", "-c", "0000"},
                           env);
}

struct Result {
  int status = -1;
  std::string out, err, json;
};

Result Build(const ScratchFolder& dir, const std::string& project, std::vector<std::string> args = {}) {
  args.insert(args.begin(), Host(dir.Path(project)));
  Options options;
  std::string error;
  EXPECT_TRUE(ParseOptions(args, &options, &error)) << error;
  Result result;
  base::CapturingConsole console(base::Language::kEnglish);
  RunEnvironment env{{console, base::SystemFileSystem(), base::SystemFolderLister()}, base::SystemPathResolver(),
                     &result.json};
  result.status = RunProjectBuild(options, env);
  result.out = console.out;
  result.err = console.err;
  return result;
}

void ExpectSameAsWizard(Project p, const char* label, bool builds = true) {
  ScratchFolder wizard_dir, cli_dir;
  const builder::BuildErrorCode code = WizardFinish(wizard_dir, p);
  EXPECT_EQ(code == 0, builds) << label << std::hex << code;
  Lay(cli_dir, p);
  const Result result = Build(cli_dir, p.ProjectName());
  EXPECT_EQ(result.status, code ? builder::ExitStatusFor(code) : 0) << label << result.err;

  std::map<std::string, std::string> expected = Tree(wizard_dir);
  std::map<std::string, std::string> got = Tree(cli_dir);
  // The batch file names its own folder.
  const std::string batch = p.settings.Name.Text() + ".bat";
  ASSERT_TRUE(expected.count(batch)) << label;
  std::string& text = expected[batch];
  text.replace(text.find(wizard_dir.Path()), wizard_dir.Path().size(), cli_dir.Path());
  EXPECT_EQ(expected.count(p.settings.Output.Text() + ".lvar"), code ? 0u : 1u) << label;
  ASSERT_EQ(got.size(), expected.size()) << label;
  for (const auto& [path, bytes] : expected) {
    ASSERT_TRUE(got.count(path)) << label << ": " << path;
    EXPECT_TRUE(got[path] == bytes) << label << ": " << path << " differs";
  }
}

TEST(ProjectBuildTest, SameFilesAndArchiveAsTheWizard) {
  {
    // Every flag that changes a text on: reset, registry deletion on
    // uninstall, card only; registry rows of each type and root.
    Project p = BaseProject();
    p.settings.Reboot.Set(true);
    p.settings.UnRegist.Set(false);
    p.settings.Dest = project::kLocationCardOnly;
    p.settings.Cmd.Assign("-q");
    p.files["src/Tool.EXE"] = "MZ tool";
    p.AddRow("Tool.EXE");
    p.AddRegistry(project::kHklm, "Software\\Kumo\\Memo", "Title", project::kSz, "\"Memo\"");
    p.AddRegistry(project::kHkcu, "Software\\Kumo\\Memo", "Lines", project::kDword, "40");
    p.AddRegistry(project::kHkcr, ".memo", "", project::kSz, "\"MemoFile\"");
    p.AddRegistry(project::kHkcu, "Software\\Kumo\\Memo", "Recent", project::kMultiSz, "\"a\",\"b\"");
    p.AddRegistry(project::kHklm, "Software\\Kumo\\Memo", "Key", project::kBinary, "0aFF");
    ExpectSameAsWizard(p, "flags on");
  }
  {
    // Japanese names everywhere, no saved rows (the list is rebuilt and
    // sorted), main memory only, US device, no Setup.ini.
    Project p;
    project::ProjectSettings& s = p.settings;
    s.Product.Assign(Sjis("雲ソフト"));
    s.Name.Assign(Sjis("メモ"));
    s.Caption.Assign(Sjis("かんたんメモ"));
    s.Output.Assign(Sjis("メモ"));
    s.Source.Assign(Sjis("ソース"));
    s.InstDir.Assign(Sjis("雲ソフト メモ"));
    // The program keeps an ASCII name: in the quoted ExeFile value the
    // builder takes the byte after a backslash as it is, so a double-byte
    // character right after "\\" upsets its Shift-JIS scan.
    s.Exe.Assign("Memo.exe");
    s.UninstFile.Assign(Sjis("Unメモ"));
    s.SetupIniCreate.Set(false);
    s.Dest = project::kLocationMainOnly;
    s.Locate = project::kLanguageUs;
    const std::string src = Sjis("ソース") + "/";
    p.files = {{src + "Native.ina", NativeInfo()},
               {src + "Memo.exe", "MZ"},
               {src + Sjis("データ.dat"), "data"},
               {src + Sjis("絵/写真.dat"), "photo"},
               {src + "Zeta.BIN", "z"},
               {src + "alpha", "a"}};
    // Page 3's order: extension, then base name, ignoring letter case.
    for (const char* name : {"alpha", "Zeta.BIN", "データ.dat", "写真.dat", "Memo.exe"}) {
      project::InsertFileRow(p.shown, Sjis(name), Sjis(name) == s.Exe.Text(), "", project::AppRoot);
    }
    ExpectSameAsWizard(p, "Japanese, rebuilt list");
  }
  {
    // More than 255 files, saved rows, both places.
    Project p = BaseProject();
    for (int i = 0; i < 300; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%03d.dat", i);
      p.files[std::string("src/") + name] = name;
      p.AddRow(name);
    }
    ExpectSameAsWizard(p, "300 files");
  }
}

TEST(ProjectBuildTest, BuilderFailureCodeComesThrough) {
  // The wizard only looks for Native.ina; the builder refuses one that is
  // too short to hold the device description.
  Project p = BaseProject();
  p.files["src/Native.ina"] = "short";
  ExpectSameAsWizard(p, "short Native.ina", false);
  ScratchFolder dir;
  Lay(dir, p);
  const Result result = Build(dir, p.ProjectName());
  EXPECT_NE(result.status, 0);
  EXPECT_NE(result.err.find("Error Code = 0x"), std::string::npos) << result.err;
}

TEST(ProjectBuildTest, EveryRefusalOfTheWizard) {
  struct Case {
    const char* label;
    void (*change)(Project&);
    int message;
    std::vector<std::string> args;
    /// What the refusal says besides the wizard's text: the project file
    /// (Pakforge_Memo.ini), the key's line, the key and its value.
    std::string detail = std::string();
  };
  const Case cases[] = {
      {"empty caption", [](Project& p) { p.settings.Caption.Clear(); }, project::kStrFillAll, {},
       "Pakforge_Memo.ini:7: Caption="},
      {"bad product", [](Project& p) { p.settings.Product.Assign("a/b"); }, project::kStrBadName, {},
       "Pakforge_Memo.ini:5: Product=a/b"},
      {"no source folder", [](Project& p) { p.settings.Source.Assign("missing"); },
       project::kStrFolderNotFound, {}, "Pakforge_Memo.ini:10: Source=missing"},
      {"no program", [](Project& p) { p.settings.Exe.Clear(); }, project::kStrSelectExe, {},
       "Pakforge_Memo.ini:12: Exe="},
      {"no install folder", [](Project& p) { p.settings.InstDir.Clear(); }, project::kStrFillAll, {},
       "Pakforge_Memo.ini:11: InstDir="},
      {"no uninstall name", [](Project& p) { p.settings.UninstFile.Clear(); }, project::kStrFillAll, {},
       "Pakforge_Memo.ini:17: UninstFile="},
      {"a start-up program among no rows", [](Project& p) { p.settings.Exe.Assign("Mem.exe"); },
       project::kStrSelectExe, {},
       "the start-up program Mem.exe is not among the files copied into the application folder"},
      {"a start-up program in an own folder", [](Project& p) { p.settings.Exe.Assign("pic.dat"); },
       project::kStrSelectExe, {}, "Pakforge_Memo.ini:12: Exe=pic.dat"},
      {"a start-up program key missing",
       [](Project& p) { p.edits = {{"Exe=Memo.exe\r\n", ""}}; }, project::kStrSelectExe, {},
       "Pakforge_Memo.ini: the key Exe is not set"},
      {"bad install folder", [](Project& p) { p.settings.InstDir.Assign("a|b"); },
       project::kStrBadName, {}, "Pakforge_Memo.ini:11: InstDir=a|b"},
      {"uninstall off", [](Project& p) { p.settings.Uninstall.Set(false); },
       project::kStrUninstallRequired, {}, "Pakforge_Memo.ini:16: Uninstall=false"},
      {"quote in the command line", [](Project& p) { p.settings.Cmd.Assign("-f \"x\""); },
       project::kStrCmdQuote, {}, "Pakforge_Memo.ini:13: Cmd=-f \"x\""},
      {"archive name too long", [](Project&) {}, project::kStrOutputTooLong,
       {"--output", std::string(101, 'o')}, "--output " + std::string(101, 'o') + " (replaces Output)"},
      {"no Native.ina", [](Project& p) { p.files.erase("src/Native.ina"); }, project::kStrNoNativeIna,
       {}},
      {"two Native.ina", [](Project& p) { p.files["src/sub/Native.ina"] = NativeInfo(); },
       project::kStrManyNativeIna, {}},
      {"row file gone", [](Project& p) { p.AddRow("gone.dat"); }, project::kStrMissingFiles, {}},
      {"duplicate", [](Project& p) { p.files["src/sub/DATA.bin"] = "x"; },
       project::kStrDuplicateNames, {}},
      {"device path too long",
       [](Project& p) {
         p.settings.InstDir.Assign(std::string(100, 'i'));
         p.files["src/" + std::string(124, 'n') + ".dat"] = "x";
       },
       project::kStrPathTooLong, {}},
      {"nested", [](Project& p) { p.files["src/sub/deep/x.dat"] = "x"; }, project::kStrNestedFolders,
       {}},
      {"registry value empty",
       [](Project& p) { p.AddRegistry(project::kHklm, "Software\\Kumo", "v", project::kSz, ""); },
       project::kStrKeyValueRequired, {}},
      {"registry DWORD",
       [](Project& p) { p.AddRegistry(project::kHklm, "Software\\Kumo", "v", project::kDword, "0x1"); },
       project::kStrBadDword, {}},
      {"a row with a path", [](Project& p) { p.AddRow("../../canary/secret.exe"); }, project::kStrBadName, {},
       "Pakforge_Memo.ini:28: File3=../../canary/secret.exe"},
      {"the project file named Setup.ini", [](Project& p) { p.file_name = "Setup.ini"; },
       project::kStrOutputNameClash, {}},
      {"an empty source folder name", [](Project& p) { p.settings.Source.Clear(); }, project::kStrFillAll, {}},
      {"a control character in the caption", [](Project& p) { p.settings.Caption.Assign(std::string("Memo\0", 5)); },
       project::kStrControlCharacter, {}},
      {"a row copying the menu file's name", [](Project& p) { p.files["src/memo.TXT"] = "own"; p.AddRow("memo.TXT"); },
       project::kStrCopiedFileOverwritten, {}},
      {"a root the wizard does not write",
       [](Project& p) { p.by_hand = "[Registry]\r\nRegistryKey0=HKEY_CURRENT_USER,Software\\Kumo,Count,DWORD,5\r\n"; },
       project::kStrUnknownRegistryWords, {}},
  };
  for (const Case& c : cases) {
    Project p = BaseProject();
    c.change(p);
    ScratchFolder dir;
    Lay(dir, p);
    const Result result = Build(dir, p.ProjectName(), c.args);
    EXPECT_EQ(result.status, kExitRefused) << c.label;
    const std::string message =
        WizardMessage(base::Language::kEnglish, c.message,
                      c.message == 4 ? "missing"
                      : c.message == project::kStrUnknownRegistryWords ? "RegistryKey0: \"HKEY_CURRENT_USER\""
                      : c.message == project::kStrControlCharacter     ? "Caption=Memo\\x00"
                                                                       : "");
    ASSERT_FALSE(message.empty()) << c.label;
    EXPECT_NE(result.err.find(message), std::string::npos) << c.label << ": " << result.err;
    EXPECT_NE(result.err.find(c.detail), std::string::npos) << c.label << ": " << result.err;
    // Nothing of Finish is written.
    EXPECT_FALSE(fs::exists(Host(dir.Path(Kit("src/Install.inf"))))) << c.label;
    EXPECT_FALSE(fs::exists(Host(dir.Path("Memo.bat")))) << c.label;
  }
}

TEST(ProjectBuildTest, HandWrittenWordsAreRefusedAndUnreadNamesWarnedOf) {
  // Each word that the wizard would read as another word is refused, with
  // its line, the words written and the word read; names that are not read
  // are warned of, with a known name one edit away.
  const struct {
    const char* label;
    std::vector<std::pair<std::string, std::string>> edits;
    std::string by_hand;
    int status;
    std::vector<std::string> said;
  } cases[] = {
      {"Dest", {{"Dest=ALTERNATIVE", "Dest=MAIN_ONLY"}}, "", kExitRefused,
       {"Pakforge_Memo.ini:15: Dest=MAIN_ONLY is not a value that Pakforge writes; write one of MAIN, CARD, "
        "ALTERNATIVE (Pakforge would read it as ALTERNATIVE)"}},
      {"UnRegist and Reboot", {{"UnRegist=true", "UnRegist=no"}, {"Reboot=false", "Reboot=yes"}}, "", kExitRefused,
       {":14: Reboot=yes", "(Pakforge would read it as false)", ":18: UnRegist=no", "(Pakforge would read it as true)"}},
      {"Type of a row", {{"Type1=Doc", "Type1=App"}}, "", kExitRefused,
       {":24: Type1=App is not a value that Pakforge writes; write one of Doc, AppOriginal, DocOriginal"}},
      {"Create", {{"Create=true", "Create=no"}}, "", kExitRefused, {"Create=no", "write one of true, false"}},
      {"a misspelt section", {{"[CopyFile]", "[CopyFiles]"}}, "", kExitOk,
       {"warning: ", ":19: the section [CopyFiles] is not read by Pakforge; did you mean [CopyFile]?"}},
      {"a misspelt key and a second section", {{"[SetupIni]\r\n", "[SetupIni]\r\nCrate=true\r\n"}},
       "[Property]\r\nDest=CARD\r\n",
       kExitOk,
       {"the section [Property] is not read by Pakforge", "the key Crate is not read by Pakforge; did you mean Create?"}},
      // Saved as UTF-8 with an emoji after kana: refused at its line rather
      // than read with every Japanese text garbled.
      {"a character Shift-JIS lacks", {{"Caption=Memo Pad", "Caption=\xE3\x83\xA1\xE3\x83\xA2\xF0\x9F\x98\x80"}},
       "", kExitRefused,
       {"Pakforge_Memo.ini:7: the value of Caption holds the character U+1F600, which Shift-JIS lacks, so this file "
        "saved as UTF-8 cannot be read; replace the character, or save the file as Shift-JIS"}},
      {"a character Shift-JIS lacks outside a value", {{"[Pakforge]", "\xEF\xBB\xBF[Pakforge]"}},
       "; \xE2\x80\xBE\r\n", kExitRefused, {": this line holds the character U+203E, which Shift-JIS lacks"}},
      // Shift-JIS behind a UTF-8 mark: the mark is not believed silently.
      {"a byte that is no UTF-8 behind the mark",
       {{"[Pakforge]", "\xEF\xBB\xBF[Pakforge]"}, {"Caption=Memo Pad", "Caption=\x83\x81\x83\x82"}}, "",
       kExitRefused,
       {"Pakforge_Memo.ini:7: this line holds the byte 0x83, which is not UTF-8, though the file begins with the "
        "UTF-8 byte-order mark, so this file cannot be read; save the file as UTF-8 again, or as Shift-JIS"}},
  };
  for (const auto& c : cases) {
    Project p = BaseProject();
    p.edits = c.edits;
    p.by_hand = c.by_hand;
    ScratchFolder dir;
    Lay(dir, p);
    const Result result = Build(dir, p.ProjectName(), {"--check"});
    EXPECT_EQ(result.status, c.status) << c.label << ": " << result.err;
    for (const std::string& text : c.said) {
      EXPECT_NE(result.err.find(text), std::string::npos) << c.label << ": " << text << "\n" << result.err;
    }
  }
}

TEST(ProjectBuildTest, OverridesLeaveTheProjectFileAlone) {
  Project p = BaseProject();
  for (auto [path, bytes] : Project(p).files) p.files["other/" + path.substr(4)] = bytes;
  ScratchFolder dir;
  Lay(dir, p);
  const std::string saved = Tree(dir)[p.ProjectName()];
  // A trailing ".lvar" (any case) is the extension, not part of the name.
  const Result result = Build(dir, p.ProjectName(), {"--source", "other", "--output", "Other.LVAR"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto tree = Tree(dir);
  EXPECT_TRUE(tree.count("Other.lvar"));
  EXPECT_FALSE(tree.count("MemoPack.lvar"));
  EXPECT_TRUE(tree.count("other/Install.inf"));
  EXPECT_FALSE(tree.count("src/Install.inf"));
  EXPECT_NE(tree.at("Memo.bat").find("Pakmak \"other\" \"Other.lvar\""), std::string::npos);
  EXPECT_EQ(tree.at(p.ProjectName()), saved);
  EXPECT_NE(result.out.find("Other.lvar"), std::string::npos) << result.out;
  // The separator that tab completion adds is the folder's own; a second
  // one is not.
  EXPECT_EQ(Build(dir, p.ProjectName(), {"--source", "other/", "--check"}).status, 0);
  const Result twice = Build(dir, p.ProjectName(), {"--source", "other//", "--check"});
  EXPECT_EQ(twice.status, kExitRefused);
  EXPECT_NE(twice.err.find("--source other/ (replaces Source)"), std::string::npos) << twice.err;
}

TEST(ProjectBuildTest, CheckOnlyWritesNoArchive) {
  Project p = BaseProject();
  ScratchFolder dir;
  Lay(dir, p);
  Result result = Build(dir, p.ProjectName(), {"--check"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(fs::exists(Host(dir.Path("MemoPack.lvar"))));
  // The last good archive survives a check.
  ASSERT_TRUE(project::WriteTextFile(system_files, dir.Path("MemoPack.lvar"), "the last archive"));
  result = Build(dir, p.ProjectName(), {"--check"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Tree(dir)["MemoPack.lvar"], "the last archive");
  EXPECT_NE(result.out.find("Check passed: 6 entries (+ Native.ina) in 1 sub-folder\n"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("Ok, Check Passed."), std::string::npos) << result.out;
  // --json: the builder's lines move to standard error, the report is JSON.
  result = Build(dir, p.ProjectName(), {"--check", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.json.front(), '{');
  EXPECT_NE(result.json.find("\"check_only\": true"), std::string::npos) << result.json;
  EXPECT_NE(result.json.find("\"status\": 0"), std::string::npos) << result.json;
}

TEST(ProjectBuildTest, ReportAndWarnings) {
  Project p = BaseProject();
  p.files["src/extra.dat"] = "not in a row";
  ScratchFolder dir;
  Lay(dir, p);
  const Result result = Build(dir, p.ProjectName(), {"--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("warning: 'extra.dat'"), std::string::npos) << result.err;
  const std::uint64_t size = fs::file_size(Host(dir.Path("MemoPack.lvar")));
  EXPECT_NE(result.json.find("\"archive_size\": " + std::to_string(size)), std::string::npos)
      << result.json;
  // Memo.exe, data.bin, extra.dat, Install.inf, UnMemo.inf, Memo.txt, pic.dat: the
  // entries; Native.ina goes into the header.
  EXPECT_NE(result.json.find("\"files\": 7,\n  \"native_ina\": true,"), std::string::npos) << result.json;
  const nlohmann::ordered_json report = nlohmann::ordered_json::parse(result.json, nullptr, false);
  ASSERT_TRUE(report.is_object()) << result.json;
  std::vector<std::string> members;
  for (const auto& [key, value] : report.items()) members.push_back(key);
  const std::vector<std::string> expected = {"project", "folder",     "check_only", "written",  "deleted",
                                             "archive", "archive_size", "files",    "native_ina", "folders",
                                             "warnings", "errors",    "builder_code", "status"};
  EXPECT_EQ(members, expected);
  ASSERT_EQ(report["warnings"].size(), 1u) << result.json;
  EXPECT_EQ(report["warnings"][0].get<std::string>().rfind("'extra.dat'", 0), 0u) << result.json;
  EXPECT_EQ(report["archive"], "MemoPack.lvar");
  EXPECT_EQ(report["archive_size"], size);
  EXPECT_EQ(report["errors"], nlohmann::ordered_json::array());
}

// --json changes where the builder's lines go, not their language.
TEST(ProjectBuildTest, JsonKeepsTheBuildersLanguage) {
  Project p = BaseProject();
  // A device description longer than the device's: the builder warns.
  p.files["src/Native.ina"] = NativeInfo() + "more";
  ScratchFolder dir;
  Lay(dir, p);
  const std::string english = builder::MessageText(base::Language::kEnglish, builder::Message::kNativeInfoTooLong);
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, std::vector<std::string>{"--json"}}) {
    const Result result = Build(dir, p.ProjectName(), args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find(english.substr(0, english.find('%'))), std::string::npos) << result.err;
  }
}

// The builder is handed the folder, not a command line: a source folder
// whose name begins with "-" is a folder, not an option.
TEST(ProjectBuildTest, SourceFolderNamedLikeAnOptionIsBuilt) {
  Project p = BaseProject();
  p.settings.Source.Assign("-x");
  std::map<std::string, std::string> moved;
  for (const auto& [path, content] : p.files) moved["-x" + path.substr(3)] = content;
  p.files = moved;
  ScratchFolder dir;
  Lay(dir, p);
  const Result result = Build(dir, p.ProjectName(), {});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(fs::exists(Host(dir.Path("MemoPack.lvar"))));
}

// The report carries every warning the run printed, the builder's too, each
// as its line without the line end.
TEST(ProjectBuildTest, ReportCarriesTheBuildersWarnings) {
  Project p = BaseProject();
  std::string placeholder = NativeInfo();
  placeholder.replace(0, sizeof builder::kPlaceholderMarker - 1, builder::kPlaceholderMarker);
  p.files["src/Native.ina"] = placeholder;
  ScratchFolder dir;
  Lay(dir, p);
  const Result result = Build(dir, p.ProjectName(), {"--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  base::CapturingConsole expected(base::Language::kEnglish);
  Say(expected, base::Stream::kErr, builder::Message::kNativeInfoPlaceholder, Kit("src/Native.ina").c_str());
  std::string warning = expected.err;
  EXPECT_NE(result.err.find(warning), std::string::npos) << result.err;  // printed as ever
  warning.pop_back();
  EXPECT_EQ(nlohmann::ordered_json::parse(result.json, nullptr, false)["warnings"],
            nlohmann::ordered_json::array({warning}))
      << result.json;
}

TEST(ProjectBuildTest, ForeignTextFilesStopTheRunUnlessCleanIsGiven) {
  Project p = BaseProject();
  p.files["src/readme.txt"] = "the author's own";
  p.files["src/UnMemo.inf"] = "an old uninstall description";
  ScratchFolder dir;
  Lay(dir, p);
  Result result = Build(dir, p.ProjectName());
  EXPECT_EQ(result.status, kExitForeignFiles);
  EXPECT_NE(result.err.find("readme.txt"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("UnMemo.inf"), std::string::npos) << result.err;  // its own output
  EXPECT_TRUE(fs::exists(Host(dir.Path(Kit("src/readme.txt")))));
  EXPECT_FALSE(fs::exists(Host(dir.Path(Kit("src/Install.inf")))));
  result = Build(dir, p.ProjectName(), {"--clean", "--json"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(fs::exists(Host(dir.Path(Kit("src/readme.txt")))));
  // Each deleted file is named: only the foreign one, the others are written again.
  EXPECT_EQ(nlohmann::ordered_json::parse(result.json, nullptr, false)["deleted"],
            nlohmann::ordered_json::array({dir.Path(Kit("src/readme.txt"))}))
      << result.json;
  EXPECT_TRUE(fs::exists(Host(dir.Path("MemoPack.lvar"))));
}

// What each source folder is left holding, with --clean and without: a
// file a row copies is never deleted nor written over; Finish's own names
// and ".inf" files compare ignoring letter case, ".txt" exactly.
TEST(ProjectBuildTest, CopiedFilesAreNeverDeleted) {
  const std::string description = "[Uninstall Information]\r\nMaker = \"Kumo\"\r\nProgram = \"Extra\"\r\n";
  const struct Case {
    const char* label;
    const char* file;   ///< in src/, holding "the author's own"
    bool row;           ///< a row copies it
    int status;         ///< without --clean
    int clean_status;   ///< with --clean
    bool kept;          ///< without --clean
    bool clean_kept;    ///< with --clean
  } cases[] = {
      {"a row's .txt", "readme.txt", true, kExitOk, kExitOk, true, true},
      {"a row's .INF", "Extra.INF", true, kExitOk, kExitOk, true, true},
      {"a row's file named as the menu file", "Memo.txt", true, kExitRefused, kExitRefused, true, true},
      {"a row's file named as the description", "install.INF", true, kExitRefused, kExitRefused, true, true},
      {"a foreign .txt", "readme.txt", false, kExitForeignFiles, kExitOk, true, false},
      {"a foreign .INF", "Old.INF", false, kExitForeignFiles, kExitOk, true, false},
      {"a stray description of Finish's own name", "install.INF", false, kExitOk, kExitOk, false, false},
      {"a .TXT is data", "README.TXT", false, kExitOk, kExitOk, true, true},
  };
  for (const Case& c : cases) {
    for (const bool clean : {false, true}) {
      const std::string label = std::string(c.label) + (clean ? " --clean" : "");
      Project p = BaseProject();
      const std::string path = std::string("src/") + c.file;
      // An ".inf" is read by the builder as a description: a sound one.
      const std::string name = c.file;
      const bool inf = base::EqualsIgnoreAsciiCase(name.substr(name.size() - 4), ".inf");
      const std::string own = inf ? description : "the author's own";
      p.files[path] = own;
      if (c.row) p.AddRow(c.file);
      ScratchFolder dir;
      Lay(dir, p);
      const Result result = Build(dir, p.ProjectName(), clean ? std::vector<std::string>{"--clean"}
                                                              : std::vector<std::string>{});
      EXPECT_EQ(result.status, clean ? c.clean_status : c.status) << label << result.err;
      const auto tree = Tree(dir);
      const bool kept = clean ? c.clean_kept : c.kept;
      EXPECT_EQ(tree.count(path), kept ? 1u : 0u) << label;
      if (kept) {
        EXPECT_EQ(tree.at(path), own) << label;
      }
      const bool built = result.status == kExitOk;
      EXPECT_EQ(tree.count("MemoPack.lvar"), built ? 1u : 0u) << label;
      if (built) {
        // The copy line names the file, and the folder holds it.
        EXPECT_EQ(tree.at("src/Install.inf").find(c.file) != std::string::npos, c.row) << label;
      } else {
        EXPECT_FALSE(tree.count("src/Install.inf")) << label;  // refused before anything is written
      }
      // The refusals name the file.
      if (result.status == kExitRefused) {
        EXPECT_NE(result.err.find(WizardMessage(base::Language::kEnglish, project::kStrCopiedFileOverwritten)),
                  std::string::npos) << label << result.err;
      }
      if (result.status != kExitOk) {
        EXPECT_NE(result.err.find(c.file), std::string::npos) << label << result.err;
      }
    }
  }
}

// The last good archive stays until a new one is complete: a failing build
// keeps it, a good one replaces it.
TEST(ProjectBuildTest, TheLastArchiveStaysUntilTheNewOneIsComplete) {
  Project p = BaseProject();
  p.files["src/Native.ina"] = "short";  // the builder refuses it
  ScratchFolder dir;
  Lay(dir, p);
  ASSERT_TRUE(project::WriteTextFile(system_files, dir.Path("MemoPack.lvar"), "the last archive"));
  Result result = Build(dir, p.ProjectName());
  EXPECT_NE(result.status, 0);
  EXPECT_EQ(Tree(dir)["MemoPack.lvar"], "the last archive");
  ASSERT_TRUE(project::WriteTextFile(system_files, dir.Path(Kit("src/Native.ina")), NativeInfo()));
  result = Build(dir, p.ProjectName());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(Tree(dir)["MemoPack.lvar"], "the last archive");
  for (const auto& [path, bytes] : Tree(dir)) EXPECT_FALSE(IsTemporary(path)) << path;
}

// The platform's lister, counting the listings made by path and through
// folder handles, and calling `before_open` before a file is opened
// through a handle as listed.
class WatchedLister : public base::FolderLister {
 public:
  std::vector<std::string> listed, listed_by_handle;
  std::function<void(base::Folder& folder, const std::string& host_name)> before_open;

  bool List(const std::string& folder, std::vector<base::DirEntry>* entries) override {
    listed.push_back(folder);
    return inner_.List(folder, entries);
  }
  std::string ResolvedPath(const std::string& path) override { return inner_.ResolvedPath(path); }
  base::ListingOrder Order() const override { return inner_.Order(); }
  std::unique_ptr<base::Folder> OpenFolder(const std::string& path) override {
    std::unique_ptr<base::Folder> folder = inner_.OpenFolder(path);
    return folder ? std::make_unique<Watched>(std::move(folder), *this) : nullptr;
  }

 private:
  class Watched : public base::Folder {
   public:
    Watched(std::unique_ptr<base::Folder> inner, WatchedLister& lister) : inner_(std::move(inner)), lister_(lister) {}
    const std::string& path() const override { return inner_->path(); }
    std::string ResolvedPath() override { return inner_->ResolvedPath(); }
    bool List(std::vector<base::DirEntry>* entries) override {
      lister_.listed_by_handle.push_back(inner_->path());
      return inner_->List(entries);
    }
    bool Examine(const std::string& name, base::DirEntry* entry) override { return inner_->Examine(name, entry); }
    std::unique_ptr<base::Folder> OpenFolder(const base::DirEntry& entry, base::FolderOpen* result) override {
      std::unique_ptr<base::Folder> folder = inner_->OpenFolder(entry, result);
      return folder ? std::make_unique<Watched>(std::move(folder), lister_) : nullptr;
    }
    std::unique_ptr<base::InputFile> OpenListed(const base::DirEntry& entry, base::FolderOpen* result) override {
      if (lister_.before_open) lister_.before_open(*inner_, entry.host_name);
      return inner_->OpenListed(entry, result);
    }
    bool Stat(const std::string& name, base::FileInfo* info) override { return inner_->Stat(name, info); }
    std::unique_ptr<base::InputFile> OpenInput(const std::string& name) override { return inner_->OpenInput(name); }
    std::unique_ptr<base::OutputFile> CreateNew(const std::string& name) override { return inner_->CreateNew(name); }
    bool Replace(const std::string& from, const std::string& to) override { return inner_->Replace(from, to); }
    bool Remove(const std::string& name) override { return inner_->Remove(name); }
    bool Sync() override { return inner_->Sync(); }

   private:
    std::unique_ptr<base::Folder> inner_;
    WatchedLister& lister_;
  };
  base::FolderLister& inner_ = base::SystemFolderLister();
};

// The builder packs the source folder as Finish left it without listing it
// again: the folder is listed once, before the checks. A file that is no
// longer the one Finish wrote when the builder opens it still stops the
// build, and no archive is made.
TEST(ProjectBuildTest, TheBuilderTakesTheFolderAsFinishLeftIt) {
  struct Case {
    const char* name;
    const char* replaced;  // a file put in place of this one as the builder opens it
    const char* content;   // the replacement's bytes (empty: that of the file replaced)
  } cases[] = {
      {"nothing changed", nullptr, ""},
      {"the Install.inf written replaced by a copy", "Install.inf", ""},
      {"the Install.inf written grown", "Install.inf", "[App Information]\r\n; more\r\n"},
      {"a data file replaced", "data.bin", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder dir;
    const Project p = BaseProject();
    Lay(dir, p);
    WatchedLister lister;
    bool swapped = false;
    lister.before_open = [&](base::Folder& folder, const std::string& host_name) {
      if (c.replaced == nullptr || swapped || host_name != c.replaced) return;
      swapped = true;
      std::string bytes = c.content;
      if (bytes.empty()) {
        std::unique_ptr<base::InputFile> old = folder.OpenInput(host_name);
        ASSERT_TRUE(old);
        char buffer[4096];
        for (std::size_t got = 0; old->Read(buffer, sizeof buffer, &got) && got > 0;) bytes.append(buffer, got);
      }
      ASSERT_TRUE(base::WriteWholeFileIn(folder, host_name, bytes, 99));
    };
    Options options;
    options.project = Host(dir.Path(p.ProjectName()));
    base::CapturingConsole console(base::Language::kEnglish);
    RunEnvironment env{{console, base::SystemFileSystem(), lister}, base::SystemPathResolver()};
    const int status = RunProjectBuild(options, env);
    if (lister.Order() != nullptr) {
      // Where the lister gives no order of names (Windows), the source
      // folder is listed again through its handle after Finish instead.
      EXPECT_TRUE(lister.listed_by_handle.empty());
      EXPECT_EQ(std::count(lister.listed.begin(), lister.listed.end(), Host(dir.Path("src"))), 1);
    }
    if (c.replaced == nullptr) {
      EXPECT_EQ(status, kExitOk) << console.err;
      EXPECT_EQ(Tree(dir).count("MemoPack.lvar"), 1u);
      continue;
    }
    EXPECT_TRUE(swapped);
    EXPECT_NE(status, kExitOk);
    EXPECT_NE(console.err.find("replaced, removed or made into a link"), std::string::npos) << console.err;
    EXPECT_EQ(Tree(dir).count("MemoPack.lvar"), 0u);
  }
}

TEST(ProjectBuildTest, MissingOrUnreadableProjectFile) {
  ScratchFolder dir;
  dir.MakeFolder("Pakforge_Folder.ini");
  for (const char* name : {"Pakforge_None.ini", "Pakforge_Folder.ini"}) {
    const Result result = Build(dir, name);
    EXPECT_EQ(result.status, kExitNoProject) << name;
    EXPECT_NE(result.err.find("cannot read the project file"), std::string::npos) << result.err;
  }
}

#ifndef _WIN32
// A link at an output's name is replaced, never followed; a source folder
// that leads out is refused before anything is written or deleted.
TEST(ProjectBuildTest, LinksNeverLeadOutOfTheProjectFolder) {
  const struct {
    const char* link;    ///< in the project folder
    const char* target;  ///< relative to the project folder
    int status;
  } cases[] = {
      {"Setup.ini", "../out/victim.txt", kExitOk},
      {"Memo.bat", "../out/new.bat", kExitOk},  // a link to nothing yet
      {"src", "../out/src", kExitRefused},
      {"src", ".", kExitRefused},  // the project folder itself
      {"src", "real", kExitOk},
  };
  for (const auto& c : cases) {
    ScratchFolder top;
    const Project p = BaseProject();
    for (const auto& [path, bytes] : p.files) top.Write("project/" + path, bytes);
    ASSERT_TRUE(
        project::SaveProject(system_files, p.settings, top.Path("project/" + p.ProjectName()), &p.saved, &p.registry));
    top.Write("out/victim.txt", "the author's own");
    top.Write("out/src/readme.txt", "the author's own");
    if (std::string(c.link) == "src") {
      fs::copy(top.Path("project/src"), top.Path(std::string("project/") + c.target), fs::copy_options::recursive);
      fs::remove_all(top.Path("project/src"));
    }
    fs::create_symlink(c.target, top.Path(std::string("project/") + c.link));
    Options options;
    options.project = top.Path("project/" + p.ProjectName());
    options.clean = true;
    base::CapturingConsole console(base::Language::kEnglish);
    RunEnvironment env{{console, base::SystemFileSystem(), base::SystemFolderLister()}, base::SystemPathResolver()};
    const std::string label = std::string(c.link) + " -> " + c.target;
    EXPECT_EQ(RunProjectBuild(options, env), c.status) << label << console.err;
    std::map<std::string, std::string> left;
    Walk(top.Path("out"), "", &left);
    EXPECT_EQ(left["victim.txt"], "the author's own") << label;
    EXPECT_EQ(left.count("new.bat") + left.count("src/Install.inf"), 0u) << label;
    EXPECT_EQ(left.count("src/readme.txt"), 1u) << label;  // --clean never reaches it
    if (c.status == kExitRefused) {
      EXPECT_NE(console.err.find(WizardMessage(base::Language::kEnglish, project::kStrSourceOutside)), std::string::npos) << label;
    } else if (std::string(c.link) != "src") {
      EXPECT_FALSE(fs::is_symlink(top.Path(std::string("project/") + c.link))) << label;  // now the file
    }
  }
}

// A project folder whose path would end the batch file's quotes or line is
// refused before anything is written.
TEST(ProjectBuildTest, FolderPathsTheBatchFileCannotQuote) {
  for (const char* folder : {"inj\" & touch pwned & \"x", "two\nlines"}) {
    ScratchFolder top;
    Project p = BaseProject();
    for (const auto& [path, bytes] : p.files) top.Write(std::string(folder) + "/" + path, bytes);
    const std::string project = top.Path(std::string(folder) + "/" + p.ProjectName());
    ASSERT_TRUE(project::SaveProject(system_files, p.settings, project, &p.saved, &p.registry));
    Options options;
    options.project = project;
    base::CapturingConsole console(base::Language::kEnglish);
    RunEnvironment env{{console, base::SystemFileSystem(), base::SystemFolderLister()}, base::SystemPathResolver()};
    EXPECT_EQ(RunProjectBuild(options, env), kExitRefused) << folder;
    EXPECT_NE(console.err.find(WizardMessage(base::Language::kEnglish, project::kStrBatchPathUnsafe).substr(0, 30)),
              std::string::npos) << console.err;
    if (std::string(folder) == "two\nlines") {
      EXPECT_NE(console.err.find("two\\x0Alines"), std::string::npos) << console.err;
    }
    EXPECT_FALSE(fs::exists(top.Path(std::string(folder) + "/Memo.bat")));
    EXPECT_FALSE(fs::exists(top.Path(std::string(folder) + "/src/Install.inf")));
  }
}

// An interruption while a file is written leaves no temporary file: not in
// the source folder (it would be packed next time), not beside the archive.
TEST(ProjectBuildTest, AnInterruptionLeavesNoTemporaryFile) {
  for (const char* written : {"Install.inf", "Memo.txt", "Setup.ini", "MemoPack.lvar"}) {
    ScratchFolder dir;
    const Project p = BaseProject();
    Lay(dir, p);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      base::InstallInterruptCleanup();
      base::InterruptingFileSystem files(base::SystemFileSystem(), written, SIGINT);
      base::InterruptingFolderLister lister(base::SystemFolderLister(), written, SIGINT);
      Options options;
      options.project = Host(dir.Path(p.ProjectName()));
      base::CapturingConsole console(base::Language::kEnglish);
      RunEnvironment env{{console, files, lister}, base::SystemPathResolver()};
      _exit(RunProjectBuild(options, env));
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << written;
    for (const auto& [path, bytes] : Tree(dir)) EXPECT_FALSE(IsTemporary(path)) << written << path;
  }
}

// The current folder, removed, has no name: nor has a relative project path.
TEST(ProjectBuildTest, CurrentFolderThatCannotBeNamed) {
  ScratchFolder dir;
  dir.MakeFolder("gone");
  const std::unique_ptr<base::EnteredFolder> inside = base::SystemFileSystem().EnterFolder(Host(dir.Path("gone")));
  fs::remove(dir.Path("gone"));
  Options options;
  options.project = "Pakforge_Memo.ini";
  base::CapturingConsole console(base::Language::kEnglish);
  RunEnvironment env{{console, base::SystemFileSystem(), base::SystemFolderLister()}, base::SystemPathResolver()};
  EXPECT_EQ(RunProjectBuild(options, env), kExitNotWritten);
  EXPECT_NE(console.err.find("current folder"), std::string::npos) << console.err;
}
#endif

// The diagnostics mode: every problem at the place the author wrote it. A
// problem of the project file stands at its key; one the builder finds in a
// written description stands at the key that produced the line, the
// generated line beside it. The report is parsed as JSON lines.
TEST(ProjectBuildTest, DiagnosticsShowEveryProblemAtItsKey) {
  struct Expected {
    std::string file_end;  // how the file's path ends
    int line;              // 0: any
    std::string key;       // empty: none
    std::string severity;
    std::string code;      // empty: any
    std::string says;      // a part of the message
    int generated_line;    // 0: none
  };
  const int warnings_failed = builder::ExitStatusFor(inf::kWarningsFailedCode);
  const struct {
    const char* label;
    std::vector<std::pair<std::string, std::string>> edits;
    std::vector<std::string> args;
    int status;
    std::vector<Expected> said;  // in this order (the first error, then by line), among the others
    int errors;
    bool written;  // Install.inf was written
    bool archive;
    std::string removed = {};  // a file of the source folder taken away
  } cases[] = {
      {"a fault of the project file and one of the description it gives",
       {{"Cmd=", "Cmnd="}, {"Ver=1.20", "Ver=1.20 beta"}},
       {},
       builder::ExitStatusFor(0x41242600),
       {{"Pakforge_Memo.ini", 13, "Cmnd", "warning", "0x80000000", "did you mean Cmd?", 0},
        {"Pakforge_Memo.ini", 8, "Ver", "error", "0x41242600", "(from Ver)", 5}},
       1, true, false},
      {"every word refused, nothing written",
       {{"Reboot=false", "Reboot=yes"}, {"Dest=ALTERNATIVE", "Dest=MAIN_ONLY"}, {"HKCU,", "HKEY_CURRENT_USER,"}},
       {},
       kExitRefused,
       {{"Pakforge_Memo.ini", 14, "Reboot", "error", "", "Reboot=yes", 0},
        {"Pakforge_Memo.ini", 15, "Dest", "error", "", "Dest=MAIN_ONLY", 0},
        {"Pakforge_Memo.ini", 0, "RegistryKey0", "error", "", "HKEY_CURRENT_USER", 0}},
       3, false, false},
      {"an empty field",
       {{"InstDir=Memo", "InstDir="}},
       {},
       kExitRefused,
       {{"Pakforge_Memo.ini", 11, "InstDir", "error", "", "", 0}},
       1, false, false},
      {"the first refusal of each page",
       {{"Product=Kumo Soft", "Product="}, {"InstDir=Memo", "InstDir="}, {"Lines,DWORD,40", "Lines,DWORD,x"}},
       {},
       kExitRefused,
       {{"Pakforge_Memo.ini", 5, "Product", "error", "", "", 0},
        {"Pakforge_Memo.ini", 11, "InstDir", "error", "", "", 0},
        {"Pakforge_Memo.ini", 20, "RegistryKey0", "error", "", "DWORD", 0},
        {"Pakforge_Memo.ini", 24, "File1", "error", "", "data.bin", 0}},
       4, false, false, "src/data.bin"},
      {"a character Shift-JIS lacks",
       {{"Caption=Memo Pad", "Caption=\xE3\x83\xA1\xF0\x9F\x98\x80"}, {"Reboot=false", "Reboot=yes"}},
       {},
       kExitRefused,
       {{"Pakforge_Memo.ini", 7, "Caption", "error", "", "holds the character U+1F600", 0}},
       1, false, false},
      {"a file in no row", {}, {}, kExitOk,
       {{Kit("src/extra.dat"), 1, "", "warning", "0x80000000", "extra.dat", 0}}, 0, true, true},
      {"a file in no row, warnings as errors", {}, {"--warnings=error"}, warnings_failed,
       {{Kit("src/extra.dat"), 1, "", "warning", "0x80000000", "extra.dat", 0}}, 0, true, false},
  };
  for (const auto& c : cases) {
    Project p = BaseProject();
    p.AddRegistry(project::kHkcu, "Software\\Kumo", "Lines", project::kDword, "40");
    p.edits = c.edits;
    if (std::string(c.label).find("no row") != std::string::npos) p.files["src/extra.dat"] = "not in a row";
    p.files.erase(c.removed);
    ScratchFolder dir;
    Lay(dir, p);
    std::vector<std::string> args = c.args;
    args.push_back("--diagnostics=jsonl");
    const Result result = Build(dir, p.ProjectName(), args);
    EXPECT_EQ(result.status, c.status) << c.label << "\n" << result.json;
    EXPECT_EQ(result.out, "") << c.label;
    EXPECT_EQ(result.err, "") << c.label;
    std::vector<nlohmann::json> lines;
    for (std::size_t start = 0; start < result.json.size();) {
      const std::size_t end = result.json.find('\n', start);
      ASSERT_NE(end, std::string::npos) << c.label;
      lines.push_back(nlohmann::json::parse(result.json.substr(start, end - start)));
      start = end + 1;
    }
    ASSERT_FALSE(lines.empty()) << c.label;
    const nlohmann::json summary = lines.back()["summary"];
    EXPECT_EQ(summary["errors"], c.errors) << c.label;
    EXPECT_EQ(summary["archive"].is_string(), c.archive) << c.label;
    EXPECT_EQ(fs::exists(Host(dir.Path("MemoPack.lvar"))), c.archive) << c.label;
    EXPECT_EQ(fs::exists(Host(dir.Path(Kit("src/Install.inf")))), c.written) << c.label;
    std::size_t next = 0;
    for (const Expected& e : c.said) {
      const auto matches = [&e](const nlohmann::json& d) {
        const std::string file = d.value("file", "");
        return file.size() >= e.file_end.size() && file.compare(file.size() - e.file_end.size(), std::string::npos,
                                                                e.file_end) == 0 &&
               (e.line == 0 || d["line"] == e.line) && d.value("key", "") == e.key && d["severity"] == e.severity &&
               (e.code.empty() || d["code"] == e.code) &&
               d["message"].get<std::string>().find(e.says) != std::string::npos;
      };
      while (next + 1 < lines.size() && !matches(lines[next])) ++next;
      ASSERT_LT(next + 1, lines.size()) << c.label << ": " << e.key << e.says << "\n" << result.json;
      const nlohmann::json& d = lines[next++];
      EXPECT_EQ(d.contains("generated"), e.generated_line != 0) << c.label;
      if (e.generated_line) {
        EXPECT_EQ(d["generated"]["line"], e.generated_line) << c.label;
        const std::string there = d["generated"]["file"];
        EXPECT_NE(there.find(Kit("src/Install.inf")), std::string::npos) << there;
      }
    }
  }
}

// The same problems as gnu lines and as a SARIF log, whose result at the
// project key keeps the generated line as a related location.
TEST(ProjectBuildTest, DiagnosticsInGnuAndSarif) {
  Project p = BaseProject();
  p.edits = {{"Ver=1.20", "Ver=1.20 beta"}};
  ScratchFolder dir;
  Lay(dir, p);
  const Result gnu = Build(dir, p.ProjectName(), {"--diagnostics=gnu"});
  EXPECT_NE(gnu.json.find(dir.Path(p.ProjectName()) + ":8:1: error: "), std::string::npos) << gnu.json;
  EXPECT_NE(gnu.json.find(" (from Ver) [0x41242600]\n"), std::string::npos) << gnu.json;
  const Result sarif = Build(dir, p.ProjectName(), {"--diagnostics=sarif"});
  EXPECT_EQ(sarif.status, gnu.status);
  const nlohmann::json log = nlohmann::json::parse(sarif.json);
  EXPECT_EQ(log["version"], "2.1.0");
  EXPECT_EQ(log["runs"][0]["tool"]["driver"]["name"], "pakforge-build");
  bool found = false;
  for (const nlohmann::json& result : log["runs"][0]["results"]) {
    if (result["ruleId"] != "0x41242600") continue;
    found = true;
    EXPECT_EQ(result["locations"][0]["physicalLocation"]["region"]["startLine"], 8);
    EXPECT_EQ(result["properties"]["key"], "Ver");
    EXPECT_EQ(result["relatedLocations"][0]["physicalLocation"]["region"]["startLine"], 5);
  }
  EXPECT_TRUE(found) << sarif.json;
}

// Without --diagnostics, --warnings=error fails a run that warned, and the
// last archive stays.
TEST(ProjectBuildTest, WarningsAsErrors) {
  Project p = BaseProject();
  p.files["src/extra.dat"] = "not in a row";
  ScratchFolder dir;
  Lay(dir, p);
  const Result kept = Build(dir, p.ProjectName());
  ASSERT_EQ(kept.status, 0) << kept.err;
  const std::string archive = Host(dir.Path("MemoPack.lvar"));
  const auto built = fs::last_write_time(archive);
  const Result held = Build(dir, p.ProjectName(), {"--warnings=error"});
  EXPECT_EQ(held.status, builder::ExitStatusFor(inf::kWarningsFailedCode)) << held.err;
  EXPECT_NE(held.err.find("--warnings=error"), std::string::npos) << held.err;
  EXPECT_EQ(fs::last_write_time(archive), built);
  EXPECT_EQ(held.out.find("Archive "), std::string::npos) << held.out;
}

TEST(ProjectBuildTest, CommandLine) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
  } cases[] = {
      {{"p.ini"}, true},
      {{"p.ini", "--source", "s", "--output", "o", "--check", "--clean", "--json"}, true},
      {{"--help"}, true},
      {{"--version"}, true},
      {{}, false},
      {{"p.ini", "q.ini"}, false},
      {{"p.ini", "--source"}, false},
      {{"p.ini", "--bogus"}, false},
      {{"p.ini", "--diagnostics=sarif", "--warnings=error"}, true},
      {{"p.ini", "--diagnostics=gnu", "--check", "--clean"}, true},
      {{"p.ini", "--diagnostics=xml"}, false},
      {{"p.ini", "--diagnostics"}, false},
      {{"p.ini", "--warnings=all"}, false},
      {{"p.ini", "--json", "--diagnostics=jsonl"}, false},
  };
  for (const Case& c : cases) {
    Options options;
    std::string error;
    EXPECT_EQ(ParseOptions(c.args, &options, &error), c.ok) << c.args.size();
    EXPECT_EQ(error.empty(), c.ok);
  }
}

}  // namespace
}  // namespace pakforge_build
