// The diagnostics mode against the default mode on the same folders: the
// first problem and its code agree, every other problem is found too, in
// order, and each report parses as what it claims to be.

#include "builder/folder_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

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
    {"Native.ina", std::string(kNativeInfoSize, 'n')},
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
  BuildEnvironment env{run->console, base::SystemFolderLister(), base::SystemFileSystem(), &run->report};
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

}  // namespace
}  // namespace builder
