// The diagnostics mode against the default mode on the same folders: the
// first problem and its code agree, every other problem is found too, in
// order, and each report parses as what it claims to be.

#include "builder/folder_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/capturing_console.h"
#include "base/test_temp_folder.h"
#include "builder/diagnostic_format.h"
#include "builder/driver.h"
#include "builder/native_info.h"

namespace builder {
namespace {

using json = nlohmann::json;
using TempFolder = base::TestTempFolder;

const std::map<std::string, std::string> kGoodFolder = {
    {"Install.inf",
     "[App Information]\r\n"                   // 1
     "Maker = Kumo\r\n"                        // 2
     "Program = Memo\r\n"                      // 3
     "Version = 1.2\r\n"                       // 4
     "InstallDir = \"\\Program Files\\Memo\"\r\n"
     "ExeFile = Memo.exe\r\n"                  // 6
     "Uninstall = Uninst.inf\r\n"              // 7
     "Caption = Memo\r\n"                      // 8
     "Destination = ALTERNATIVE\r\n"           // 9
     "Unload = Memo.exe\r\n"                   // 10
     "\r\n"
     "[Copy Files]\r\n"                        // 12
     "\"\\Program Files\\Memo\", Memo.exe\r\n"  // 13
     "\r\n"
     "[Add Registry]\r\n"                      // 15
     "HKEY_CURRENT_USER, Software\\Kumo, Lines, REG_DWORD, FLG_ADDREG_NOCLOBBER, 40\r\n"},
    {"Uninst.inf", "[Uninstall Information]\r\nMaker = Kumo\r\nProgram = Memo\r\n"},
    {"Memo.exe", "MZ"},
    {"Native.ina", std::string(archive::kNativeInfoSize, 'n')},
};

// A folder: the good one with `file`'s `find` replaced by `replace` (the
// file left out when `replace` is null).
struct Fault {
  const char* name;
  const char* file;
  const char* find;
  const char* replace;
  int line;  // where the diagnostics place a problem the default mode gives no line
};

void WriteFolder(const TempFolder& folder, const std::vector<Fault>& faults) {
  std::map<std::string, std::string> files = kGoodFolder;
  for (const Fault& f : faults) {
    if (!f.replace) {
      files.erase(f.file);
      continue;
    }
    std::string& text = files[f.file];
    const std::size_t at = text.find(f.find);
    ASSERT_NE(std::string::npos, at) << f.name;
    text.replace(at, std::string(f.find).size(), f.replace);
  }
  for (const auto& [name, bytes] : files) folder.Write(name, bytes);
}

struct PakmakRun {
  BuildErrorCode code = 0;
  base::CapturingConsole console{base::Language::kEnglish};
  base::CapturingConsole report{base::Language::kEnglish};
};

void RunPakmak(std::vector<std::string> args, PakmakRun* run) {
  BuildEnvironment env{{run->console, base::SystemFileSystem(), base::SystemFolderLister()}, &run->report};
  run->code = RunBuild(args, env);
}

std::vector<json> ParseLines(const std::string& text) {
  std::vector<json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
  return lines;
}

// The line the default mode's context report names, or 0 when it names
// none (a problem found at the end of a file or across files).
int DefaultLine(const std::string& err) {
  const std::size_t at = err.find("\nline ");
  return at == std::string::npos ? 0 : std::stoi(err.substr(at + 6));
}

// One fault of each kind of check, alone in the folder.
TEST(DiagnosticsModeTest, FirstProblemIsTheDefaultModesWithItsCodeAndLine) {
  const std::string native = kGoodFolder.at("Native.ina");
  const Fault cases[] = {
      {"not Shift-JIS", "Install.inf", "Caption = Memo", "Caption = M\x82\x7F", 0},
      {"string not closed", "Install.inf", "Caption = Memo", "Caption = \"Memo", 0},
      {"incomplete section head", "Install.inf", "[App Information]", "[App Information", 0},
      {"unknown section", "Install.inf", "[Copy Files]", "[Copy Filez]", 0},
      {"text after a definition", "Install.inf", "Caption = Memo", "Caption = Memo Pad", 0},
      {"no assignment", "Install.inf", "Caption = Memo", "Caption Memo", 0},
      {"unknown keyword", "Install.inf", "Caption = Memo", "Captoin = Memo", 0},
      {"key given twice", "Install.inf", "Program = Memo\r\n", "Program = Memo\r\nProgram = Memo\r\n", 0},
      {"not a number", "Install.inf", "Version = 1.2", "Version = x.2", 0},
      {"no comma in a list", "Install.inf", "Memo\", Memo.exe", "Memo\" Memo.exe", 0},
      {"Add Registry root key", "Install.inf", "HKEY_CURRENT_USER,", "HKEY_NOWHERE,", 0},
      {"mandatory key missing", "Install.inf", "Maker = Kumo\r\n", "", 1},
      {"empty list section", "Install.inf", "\"\\Program Files\\Memo\", Memo.exe\r\n", "", 12},
      {"uninstall record", "Uninst.inf", "Program = Memo\r\n", "", 1},
      {"no Install.inf", "Install.inf", "", nullptr, 1},
      {"no uninstall file", "Install.inf", "Uninstall = Uninst.inf", "Uninstall = Gone.inf", 1},
      {"no Native.ina", "Native.ina", "", nullptr, 1},
      {"short Native.ina", "Native.ina", native.c_str(), "nn", 1},
  };
  for (const Fault& fault : cases) {
    SCOPED_TRACE(fault.name);
    TempFolder src;
    WriteFolder(src, {fault});
    PakmakRun normal, diagnostics;
    RunPakmak({src.Path()}, &normal);
    RunPakmak({src.Path(), "--diagnostics=jsonl"}, &diagnostics);
    ASSERT_NE(0u, normal.code);
    EXPECT_EQ(normal.code, diagnostics.code);
    EXPECT_EQ("", diagnostics.console.err);
    const std::vector<json> lines = ParseLines(diagnostics.report.out);
    ASSERT_GE(lines.size(), 2u) << diagnostics.report.out;
    EXPECT_EQ(CodeText(normal.code), lines[0]["code"]);
    EXPECT_EQ("error", lines[0]["severity"]);
    const int line = DefaultLine(normal.console.err);
    EXPECT_EQ(line ? line : fault.line, lines[0]["line"]) << normal.console.err;
    EXPECT_GE(lines.back()["summary"]["errors"].get<int>(), 1);
  }
}

// Two files with independent faults: every one is reported, the default
// mode's first first, then by file and line; a bad section head drops its
// section, so the bad lines inside it are not reported.
TEST(DiagnosticsModeTest, ReportsEveryIndependentProblemInOrder) {
  TempFolder src;
  WriteFolder(src, {{"a", "Install.inf", "Program = Memo", "Program = Memo Pad", 0},
                    {"b", "Install.inf", "[Copy Files]\r\n", "[Make Dirs]\r\n[Copy Filez]\r\nnot, a, list, at, all\r\n", 0},
                    {"c", "Install.inf", "HKEY_CURRENT_USER,", "HKEY_NOWHERE,", 0},
                    {"d", "Uninst.inf", "Maker = Kumo\r\n", "", 0},
                    {"e", "Uninst.inf", "Program = Memo\r\n", "Program = Memo\r\n[Delete Files]\r\n", 0}});
  PakmakRun run;
  RunPakmak({src.Path(), "--diagnostics=gnu"}, &run);
  const std::string dir = src.Path() + base::kPathSeparator;
  // FILE:LINE:COLUMN: error: MESSAGE [0xCODE], FILE in the folder as given.
  std::vector<std::string> places;
  std::istringstream in(run.report.out);
  for (std::string line; std::getline(in, line);) {
    ASSERT_EQ(0u, line.rfind(dir, 0)) << line;
    std::istringstream fields(line.substr(dir.size()));
    std::string file, line_number, column, severity;
    std::getline(fields, file, ':');
    std::getline(fields, line_number, ':');
    std::getline(fields, column, ':');
    std::getline(fields, severity, ':');
    EXPECT_EQ(" error", severity) << line;
    EXPECT_GE(std::stoi(column), 1);
    const std::size_t code_at = line.rfind(" [0x");
    ASSERT_NE(std::string::npos, code_at) << line;
    EXPECT_EQ(line.size(), code_at + 13) << line;
    places.push_back(file + ":" + line_number + line.substr(code_at));
  }
  EXPECT_EQ((std::vector<std::string>{
                "Install.inf:3 [0x41242600]",   // text after Program's value: the default mode's error
                "Install.inf:12 [0x41330000]",  // empty Make Dirs, found when its section ends
                "Install.inf:13 [0x41261100]",  // unknown section; its lines are skipped
                "Install.inf:18 [0x41244300]",  // unknown Add Registry root key
                "Uninst.inf:1 [0x41320001]",    // Maker missing
                "Uninst.inf:3 [0x41370000]",    // empty Delete Files
            }),
            places)
      << run.report.out;
  EXPECT_EQ(0x41242600u, run.code);
  // App Information, whose Program statement failed, is not reported as
  // lacking Program; the failed Add Registry statement leaves no "empty
  // section" behind.
}

const Fault kDoubleByteValue = {"text after a double-byte value", "Install.inf", "Caption = Memo",
                                "Caption = \x82\xA0\x82\xA0 x", 0};
// An Add Registry statement left open by a trailing comma: a warning.
const Fault kOpenStatement = {"open statement", "Install.inf", "FLG_ADDREG_NOCLOBBER, 40\r\n",
                              "FLG_ADDREG_NOCLOBBER, 40\r\n"
                              "HKEY_CURRENT_USER, Software\\Kumo, Names, REG_MULTI_SZ, FLG_ADDREG_NOCLOBBER, a,\r\n", 0};

// Each report parses with a real parser and says where: columns count a
// double-byte character as one, texts are UTF-8.
TEST(DiagnosticsModeTest, ReportsParseAndPlaceProblemsByCharacter) {
  TempFolder src;
  WriteFolder(src, {kDoubleByteValue, kOpenStatement});
  const std::string archive = src.Path("out.lvar");
  const std::string install = src.Path() + base::kPathSeparator + "Install.inf";

  PakmakRun gnu;
  RunPakmak({"--diagnostics=gnu", src.Path(), archive}, &gnu);
  EXPECT_EQ(0x41242600u, gnu.code);
  EXPECT_EQ(install + ":8:14: error: Error: text follows a definition statement (put the value in double quotes) "
                      "[0x41242600]\n" +
                install + ":17:1: warning: Warning: the [ Add Registry ] definition statement HKEY_CURRENT_USER, "
                          "Software\\Kumo, Names ends with a comma (,) and is left open; it is not added [0x80000000]\n",
            gnu.report.out);
  EXPECT_FALSE(std::filesystem::exists(archive)) << "no archive after an error";

  PakmakRun jsonl;
  RunPakmak({src.Path(), archive, "--diagnostics=jsonl"}, &jsonl);
  const std::vector<json> lines = ParseLines(jsonl.report.out);
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ((json{{"file", install}, {"line", 8}, {"column", 14}, {"end_line", 8}, {"end_column", 15},
                  {"severity", "error"}, {"code", "0x41242600"},
                  {"message", "Error: text follows a definition statement (put the value in double quotes)"},
                  {"section", "App Information"}}),
            lines[0]);
  EXPECT_EQ("warning", lines[1]["severity"]);
  EXPECT_EQ("Add Registry", lines[1]["section"]);
  EXPECT_EQ((json{{"summary", {{"errors", 1}, {"warnings", 1}, {"archive", nullptr}}}}), lines[2]);

  PakmakRun sarif;
  RunPakmak({src.Path(), "--diagnostics=sarif"}, &sarif);
  EXPECT_EQ(0x41242600u, sarif.code);
  const json log = json::parse(sarif.report.out);
  EXPECT_EQ("2.1.0", log["version"]);
  EXPECT_TRUE(log["$schema"].is_string());
  ASSERT_EQ(1u, log["runs"].size());
  const json& run = log["runs"][0];
  EXPECT_EQ("pakmak", run["tool"]["driver"]["name"]);
  std::vector<std::string> rule_ids;
  for (const json& rule : run["tool"]["driver"]["rules"]) {
    rule_ids.push_back(rule["id"]);
    EXPECT_TRUE(rule["shortDescription"]["text"].is_string());
  }
  EXPECT_EQ((std::vector<std::string>{"0x41242600", "0x80000000"}), rule_ids);
  ASSERT_EQ(2u, run["results"].size());
  for (const json& result : run["results"]) {
    EXPECT_NE(rule_ids.end(), std::find(rule_ids.begin(), rule_ids.end(), result["ruleId"]));
    EXPECT_TRUE(result["level"] == "error" || result["level"] == "warning");
    EXPECT_TRUE(result["message"]["text"].is_string());
    const json& location = result["locations"][0]["physicalLocation"];
    // An absolute folder gives a file: URI (its form on each system: PathToUriTest).
    EXPECT_EQ(PathToUri(src.Path("Install.inf")), location["artifactLocation"]["uri"]);
    EXPECT_GE(location["region"]["startLine"].get<int>(), 1);
  }
  EXPECT_EQ(14, run["results"][0]["locations"][0]["physicalLocation"]["region"]["startColumn"]);

  // Japanese messages arrive as UTF-8.
  PakmakRun japanese;
  japanese.console = base::CapturingConsole(base::Language::kJapanese);
  RunPakmak({src.Path(), "--diagnostics=jsonl"}, &japanese);
  EXPECT_EQ("エラー：定義文の後に文があります （値を二重引用符 \" で囲んでください）",
            ParseLines(japanese.report.out)[0]["message"]);
}

// Warnings alone: the archive is written, in both modes, unless
// --warnings=error makes them a failure with its own code.
// Each kind of warning alone: an Add Registry statement left open, a copy
// line naming a file the folder lacks, a Native.ina longer than the device
// writes, a description saved as UTF-8.
TEST(DiagnosticsModeTest, WarningsAloneAndWarningsAsErrors) {
  const Fault kWarnings[] = {
      kOpenStatement,
      {"copied file missing", "Install.inf", "\r\n\r\n[Add Registry]",
       "\r\n\"\\Program Files\\Memo\", Gone.txt\r\n\r\n[Add Registry]", 0},
      {"long Native.ina", "Native.ina", "n", "nn", 0},
      {"UTF-8 description", "Install.inf", "Caption = Memo", "Caption = \"\u30e1\u30e2\u5e33\"", 0},
  };
  for (const Fault& warning : kWarnings) {
    SCOPED_TRACE(warning.name);
    TempFolder src;
    WriteFolder(src, {warning});
    const std::string archive = src.Path("out.lvar");
    struct Case {
      std::vector<std::string> options;
      BuildErrorCode code;
    };
    const Case cases[] = {
        {{}, 0},
        {{"--warnings=error"}, inf::kWarningsFailedCode},
        {{"--diagnostics=jsonl"}, 0},
        {{"--diagnostics=jsonl", "--warnings=error"}, inf::kWarningsFailedCode},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.options.empty() ? "default" : c.options.back());
      std::filesystem::remove(archive);
      std::vector<std::string> args = {src.Path(), archive};
      args.insert(args.end(), c.options.begin(), c.options.end());
      PakmakRun run;
      RunPakmak(args, &run);
      EXPECT_EQ(c.code, run.code);
      EXPECT_EQ(c.code == 0, std::filesystem::exists(archive));
      const bool diagnostics = c.options.size() && c.options[0] == "--diagnostics=jsonl";
      if (diagnostics) {
        const std::vector<json> lines = ParseLines(run.report.out);
        ASSERT_EQ(2u, lines.size()) << run.report.out;
        EXPECT_EQ("0x80000000", lines[0]["code"]);
        EXPECT_EQ("warning", lines[0]["severity"]);
        EXPECT_EQ(c.code ? json(nullptr) : json(archive), lines[1]["summary"]["archive"]);
        EXPECT_EQ("", run.console.err);
      } else if (c.code) {
        const std::string tail =
            "Error: the check gave warnings, and --warnings=error makes them errors\nError Code = 0x80000000\n";
        EXPECT_EQ(tail, run.console.err.substr(run.console.err.size() - std::min(tail.size(), run.console.err.size())));
      }
    }
  }
}

// A program that builds in its own process gives full paths and names them
// as its user knows them: the archive is the command line's, byte for byte,
// and every message names the folder and the archive as given.
TEST(InProcessBuildTest, SameArchiveAsTheCommandLineWithTheNamesGiven) {
  struct Case {
    const char* what;
    const char* folder;  // inside the temporary folder
    bool fails;
  } cases[] = {
      {"a good folder", "src", false},
      {"a folder that is not there", "absent", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    dir.MakeFolder("src");
    for (const auto& [name, bytes] : kGoodFolder) dir.Write("src/" + std::string(name), bytes);
    PakmakRun command_line;
    RunPakmak({dir.Path(c.folder), dir.Path("Cli.lvar"), "-p", "0000", "-o", "c000", "-c", "0000"}, &command_line);
    PakmakRun in_process;
    BuildOptions options;
    options.directory = dir.Path(c.folder);
    options.archive = dir.Path("Own.lvar");
    options.platform_mask = 0;
    options.os_version_mask = 0xC0000000;
    options.cpu_type_mask = 0;
    options.directory_shown = c.folder;
    options.archive_shown = "Own.lvar";
    BuildEnvironment env{{in_process.console, base::SystemFileSystem(), base::SystemFolderLister()}};
    in_process.code = Build(options, env);
    EXPECT_EQ(in_process.code, command_line.code);
    EXPECT_EQ(in_process.code != 0, c.fails);
    // The command line's texts with its paths written as the names given.
    auto named = [&](std::string text) {
      for (const auto& [path, shown] : {std::pair{dir.Path(c.folder), std::string(c.folder)},
                                        std::pair{dir.Path("Cli.lvar"), std::string("Own.lvar")}}) {
        for (std::size_t at = text.find(path); at != std::string::npos; at = text.find(path, at + shown.size()))
          text.replace(at, path.size(), shown);
      }
      return text;
    };
    EXPECT_EQ(in_process.console.out, named(command_line.console.out));
    EXPECT_EQ(in_process.console.err, named(command_line.console.err));
    EXPECT_EQ(in_process.console.err.find(dir.Path()), std::string::npos) << in_process.console.err;
    if (c.fails) continue;
    std::string own, cli;
    ASSERT_TRUE(base::ReadWholeFile(base::SystemFileSystem(), dir.Path("Own.lvar"), &own));
    ASSERT_TRUE(base::ReadWholeFile(base::SystemFileSystem(), dir.Path("Cli.lvar"), &cli));
    EXPECT_EQ(own, cli);
  }
}

}  // namespace
}  // namespace builder
