// Runs the built pakforge-build (pakforge-build.exe under Wine) on saved
// projects and checks its exit statuses, its streams and what it leaves.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/encoding.h"
#include "base/file_access.h"
#include "base/host_path.h"
#include "base/test_temp_folder.h"
#include "process_runner.h"
#include "project/build_outputs.h"
#include "project/project_file.h"

namespace pakforge_build_test {
namespace {

using test_support::ProcessResult;
using test_support::ProgramBesideThisOne;
using test_support::RunProcess;

#ifdef _WIN32
const char kProgramName[] = "pakforge-build.exe";
const char kBuilderName[] = "Pakmak.exe";
// Windows hands the builder's complete code to the parent.
std::uint32_t StatusFor(std::uint32_t code) { return code; }
#else
const char kProgramName[] = "pakforge-build";
const char kBuilderName[] = "pakmak";
std::uint32_t StatusFor(std::uint32_t code) { return code >> 28; }
#endif

class PakforgeBuildCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = ProgramBesideThisOne(kProgramName);
    dir_.Write("src/Native.ina", std::string(192, 'N'));
    dir_.Write("src/Memo.exe", "MZ memo");
    dir_.Write("src/sub/data.dat", "data");
    settings_.Product.Assign("Kumo Soft");
    settings_.Name.Assign("Memo");
    settings_.Caption.Assign("Memo Pad");
    settings_.Output.Assign("MemoPack");
    settings_.Source.Assign("src");
    settings_.InstDir.Assign("Memo");
    settings_.Exe.Assign("Memo.exe");
    settings_.UninstFile.Assign("UnMemo");
  }

  // Saves the project (no rows: the list is built from the source folder).
  void Save() {
    ASSERT_TRUE(
        project::SaveProject(base::SystemFileAccess(), settings_, dir_.Path("Pakforge_Memo.ini"), nullptr, nullptr));
  }

  std::string Read(const std::string& relative) {
    std::ifstream in(dir_.Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Runs pakforge-build speaking Japanese, asked for as a user would.
  ProcessResult Run(const std::vector<std::string>& args) {
    ProcessResult r = RunProcess(program_, args, dir_.Path(), "cp932", false, {"LORIVANDER_LANG=ja"});
    EXPECT_TRUE(r.started) << program_;
    return r;
  }

  std::string program_;
  base::TestTempFolder dir_;
  project::ProjectSettings settings_;
};

// The archive is the one the builder makes of the folder left behind, also
// when Finish replaced descriptions of other sizes that the folder held.
TEST_F(PakforgeBuildCliTest, BuildsTheArchiveAndLeavesTheProjectAlone) {
  Save();
  dir_.Write("src/Install.inf", "old");
  dir_.Write("src/UnMemo.inf", "old");
  const std::string saved = Read("Pakforge_Memo.ini");
  const ProcessResult r = Run({"Pakforge_Memo.ini"});
  EXPECT_EQ(r.status, 0u) << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir_.Path("Memo.bat")));
  EXPECT_NE(Read("src/Install.inf"), "old");
  EXPECT_NE(r.out.find("MemoPack.lvar"), std::string::npos) << r.out;
  EXPECT_EQ(Read("Pakforge_Memo.ini"), saved);

  std::vector<std::string> args = project::BuilderArguments(settings_, true);
  args[1] = "Again.lvar";
  const ProcessResult again = RunProcess(ProgramBesideThisOne(kBuilderName), args, dir_.Path());
  ASSERT_EQ(again.status, 0u) << again.err;
  const std::string archive = Read("MemoPack.lvar");
  EXPECT_FALSE(archive.empty());
  EXPECT_EQ(archive, Read("Again.lvar"));
}

TEST_F(PakforgeBuildCliTest, JsonReportAloneOnStandardOutput) {
  Save();
  const ProcessResult r = Run({"--json", "Pakforge_Memo.ini", "--check"});
  EXPECT_EQ(r.status, 0u) << r.err;
  ASSERT_FALSE(r.out.empty());
  EXPECT_EQ(r.out.front(), '{');
  EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
  EXPECT_NE(r.out.find("\"status\": 0"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("Ok, Check Passed."), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("MemoPack.lvar")));
}

TEST_F(PakforgeBuildCliTest, RefusalsAndFailuresEndWithTheirStatus) {
  // The command line, in the language the kit's rule chooses, then the
  // project file.
  ProcessResult r = Run({});
  EXPECT_EQ(r.status, 64u);
  std::string usage;
  ASSERT_TRUE(base::Utf8ToCp932("使い方: pakforge-build", &usage));
  EXPECT_NE(r.err.find(usage), std::string::npos) << r.err;
  const std::string english = "pakforge-build: no project file given\nUsage: pakforge-build";
  struct Case {
    std::vector<std::string> environment;
    std::string expected;
  } cases[] = {
      {{"LORIVANDER_LANG=en"}, english},
#ifdef _WIN32
      {{}, usage},  // the Japanese user interface of the test session
#else
      {{}, english},  // no preference
      {{"LANG=C.UTF-8"}, english},
      {{"LANG=ja_JP.UTF-8"}, usage},
#endif
  };
  for (const Case& c : cases) {
    r = RunProcess(program_, {}, dir_.Path(), "cp932", false, c.environment);
    EXPECT_EQ(r.status, 64u);
    EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
  }
  r = Run({"Pakforge_None.ini"});
  EXPECT_EQ(r.status, 66u);

  // A check of the wizard: its own Shift-JIS message.
  std::filesystem::remove(dir_.Path("src/Native.ina"));
  Save();
  r = Run({"Pakforge_Memo.ini"});
  EXPECT_EQ(r.status, 65u);
  std::string message;
  ASSERT_TRUE(base::Utf8ToCp932("'Native.ina' がソースフォルダの中に見つかりません。", &message));
  EXPECT_NE(r.err.find(message), std::string::npos) << r.err;

  // A registry row written by hand that the entry dialog would refuse: the
  // refusal names the row as the project file holds it.
  dir_.Write("src/Native.ina", std::string(192, 'N'));
  project::MemoryRegistryRowStore registry;
  registry.Append({project::kHklm, "Software\\Kumo", "Lines", project::kDword, "0x10"});
  ASSERT_TRUE(
      project::SaveProject(base::SystemFileAccess(), settings_, dir_.Path("Pakforge_Memo.ini"), nullptr, &registry));
  r = Run({"Pakforge_Memo.ini"});
  EXPECT_EQ(r.status, 65u);
  EXPECT_NE(r.err.find("Registry: HKLM,Software\\Kumo,Lines,DWORD,0x10"), std::string::npos) << r.err;

  // The builder refuses a Native.ina too short for the device description:
  // its complete code is printed and becomes the status as pakmak's would.
  dir_.Write("src/Native.ina", "short");
  Save();
  r = Run({"Pakforge_Memo.ini"});
  const std::size_t at = r.err.find("Error Code = 0x");
  ASSERT_NE(at, std::string::npos) << r.err;
  const std::uint32_t code =
      static_cast<std::uint32_t>(std::stoul(r.err.substr(at + 15, 8), nullptr, 16));
  EXPECT_NE(code, 0u);
  EXPECT_EQ(r.status, StatusFor(code));
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("MemoPack.lvar")));
}

// The diagnostics report is UTF-8 on standard output whatever the console's
// encoding, one JSON object a line, the Japanese texts converted; the
// problem of the written Install.inf stands at the project's key.
TEST_F(PakforgeBuildCliTest, DiagnosticsReportIsUtf8JsonOnStandardOutput) {
  settings_.Ver.Assign("1.0 beta");
  Save();
  {
    std::ofstream project(dir_.Path("Pakforge_Memo.ini"), std::ios::binary | std::ios::app);
    project << "Crate=true\r\n";
  }
  ProcessResult r = Run({"Pakforge_Memo.ini", "--diagnostics=jsonl"});
  EXPECT_EQ(r.status, StatusFor(0x41242600)) << r.out;
  EXPECT_EQ(r.err, "");
  std::vector<nlohmann::json> lines;
  for (std::size_t start = 0; start < r.out.size();) {
    const std::size_t end = r.out.find('\n', start);
    ASSERT_NE(end, std::string::npos) << r.out;
    lines.push_back(nlohmann::json::parse(r.out.substr(start, end - start)));
    start = end + 1;
  }
  ASSERT_GE(lines.size(), 3u) << r.out;
  EXPECT_EQ(lines[0]["severity"], "warning");
  EXPECT_EQ(lines[0]["key"], "Crate");
  const nlohmann::json& error = lines[lines.size() - 2];
  EXPECT_EQ(error["file"], "Pakforge_Memo.ini");
  EXPECT_EQ(error["key"], "Ver");
  EXPECT_EQ(error["code"], "0x41242600");
  EXPECT_NE(error["message"].get<std::string>().find("(Ver から)"), std::string::npos) << error;
  EXPECT_EQ(error["generated"]["file"], base::JoinPath("src", "Install.inf"));
  EXPECT_EQ(lines.back()["summary"]["errors"], 1);

  // Warnings alone fail the run with --warnings=error: no archive.
  settings_.Ver.Assign("1.0");
  Save();
  {
    std::ofstream project(dir_.Path("Pakforge_Memo.ini"), std::ios::binary | std::ios::app);
    project << "Crate=true\r\n";
  }
  r = Run({"Pakforge_Memo.ini", "--diagnostics=sarif", "--warnings=error"});
  EXPECT_EQ(r.status, StatusFor(0x80000000)) << r.out;
  const nlohmann::json log = nlohmann::json::parse(r.out);
  EXPECT_EQ(log["runs"][0]["results"][0]["level"], "warning");
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("MemoPack.lvar")));
  r = Run({"Pakforge_Memo.ini", "--diagnostics=sarif"});
  EXPECT_EQ(r.status, 0u) << r.out;
  EXPECT_TRUE(std::filesystem::exists(dir_.Path("MemoPack.lvar")));
}

// The longest names the wizard's length sums allow are saved and built: a
// project file whose folder, program name and 15 make 259, an archive path of
// 259 characters. The temporary files written on the way are no longer than
// the files they become, so Windows' path limit holds for them too.
TEST_F(PakforgeBuildCliTest, NamesAtTheLengthLimitsAreSavedAndBuilt) {
  constexpr std::size_t kLongest = 259;
  const std::string name(64, 'm');
  const std::size_t folder_length = kLongest - 15 - name.size();
  ASSERT_LT(dir_.Path().size() + 1, folder_length) << dir_.Path();
  const std::string leaf(folder_length - dir_.Path().size() - 1, 'f');
  const std::string folder = dir_.Path(leaf);
  ASSERT_EQ(folder.size(), folder_length);
  dir_.Write(leaf + "/src/Native.ina", std::string(192, 'N'));
  dir_.Write(leaf + "/src/Memo.exe", "MZ memo");
  const std::string output(kLongest - folder_length - 1 - 5, 'o');
  settings_.Name.Assign(name);
  settings_.Output.Assign(output);
  const std::string project = base::JoinPath(folder, "Pakforge_" + name + ".ini");
  ASSERT_TRUE(project::SaveProject(base::SystemFileAccess(), settings_, project, nullptr, nullptr));

  const ProcessResult r = RunProcess(program_, {"Pakforge_" + name + ".ini"}, folder);
  EXPECT_EQ(r.status, 0u) << r.err;
  const std::string archive = base::JoinPath(folder, output + ".lvar");
  ASSERT_EQ(archive.size(), kLongest);
  EXPECT_TRUE(std::filesystem::exists(archive));
  EXPECT_TRUE(std::filesystem::exists(base::JoinPath(folder, name + ".bat")));
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    EXPECT_NE(entry.path().filename().string().front(), '~') << entry.path().string();
}

}  // namespace
}  // namespace pakforge_build_test
