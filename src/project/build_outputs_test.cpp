#include "project/build_outputs.h"

#include <gtest/gtest.h>

#include "project/file_utils.h"
#include "project/source_index.h"
#include "project/test_support.h"
#include "project/texts.h"

namespace project {
namespace {

TEST(EstimateTest, CountsTwoLevelsAndSkipsNativeIna) {
  testing::FakeFolder dir;
  const std::string source_path = dir.At("src") + testing::Sep();
  const auto estimate = [&] {
    SourceIndex source;
    source.Read(dir.fs, source_path);
    return EstimateArchiveSize(source);
  };
  dir.MakeFile("src/Native.ina", std::string(500, 'n'));
  EXPECT_EQ(estimate(), 0u);
  dir.MakeFile("src/a.bin", std::string(1000, 'a'));
  EXPECT_EQ(estimate(), 1017u);  // 5 + 1000 + 12
  dir.MakeFile("src/sub/NATIVE.INA", "x");
  dir.MakeFile("src/sub/Native.ina.bak", "xy");
  dir.MakeFile("src/sub/deeper/hidden.bin", std::string(100, 'h'));
  EXPECT_EQ(estimate(), 1017u + 14u + 2u + 12u);
}

TEST(SetupIniTest, FiguresAndPlaces) {
  ProjectSettings s;
  s.Output.Assign("FooPack");
  s.SetupIniName.Assign("Foo");
  EXPECT_EQ(SetupIniText(s, 0),
            "[APPNAME]\r\nappname = Foo\r\nfile = FooPack.lvar\r\n[REGISTRY]\r\nbyte = 65536\r\n"
            "[RAM]\r\nbyte = 256\r\n[PLACE]\r\ndrive = 3\r\n");
  struct Case {
    std::uint32_t ram;
    const char* registry;
  } cases[] = {{327684, "byte = 65536\r\n[RAM]"}, {327685, "byte = 65537\r\n[RAM]"},
               {400000, "byte = 80000\r\n[RAM]"}, {4000000000u, "byte = 800000000\r\n[RAM]\r\nbyte = 4000000000\r\n"}};
  for (const Case& c : cases)
    EXPECT_NE(SetupIniText(s, c.ram - 256).find(c.registry), std::string::npos) << c.ram;
  s.Dest = kLocationMainOnly;
  EXPECT_NE(SetupIniText(s, 0).find("drive = 1\r\n"), std::string::npos);
  s.Dest = kLocationCardOnly;
  EXPECT_NE(SetupIniText(s, 0).find("drive = 2\r\n"), std::string::npos);
  s.SetupIniName.Clear();
  EXPECT_NE(SetupIniText(s, 0).find("\r\nappname = \r\n"), std::string::npos);
}

TEST(SetupIniTest, WrittenIntoTheCurrentDirectory) {
  testing::FakeFolder dir;
  ProjectSettings s;
  s.Source.Assign("src");
  s.Output.Assign("o");
  ASSERT_TRUE(WriteSetupIni(dir.fs, s, dir.path(), 1017));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.fs, dir.At("Setup.ini"), &text));
  EXPECT_EQ(text, SetupIniText(s, 1017));
  EXPECT_FALSE(WriteSetupIni(dir.fs, s, std::string(250, 'd'), 1017));
  EXPECT_FALSE(WriteSetupIni(dir.fs, s, dir.At("absent"), 1017));  // the write itself fails
}

TEST(BatchTest, TextPathAndStart) {
  testing::FakeFolder dir;
  ProjectSettings s;
  s.Name.Assign("Foo");
  s.Source.Assign("src");
  s.Output.Assign("FooPack");
  EXPECT_EQ(BatchText(s, "C:\\work"),
            "cd \"C:\\work\"\r\nPakmak \"src\" \"FooPack.lvar\" -p 0000 -o c000 -c 0000\r\n");
  s.Output.Assign("100%");
  s.Source.Assign("%PATH%");
  EXPECT_EQ(BatchText(s, "C:\\50%"),
            "cd \"C:\\50%%\"\r\nPakmak \"%%PATH%%\" \"100%%.lvar\" -p 0000 -o c000 -c 0000\r\n");

  // A double quote or a control character would end the quotes or the
  // line: the batch file is not written.
  using namespace std::string_view_literals;
  for (std::string_view bad : {"a\"b"sv, "a\r\nb"sv, "a\tb"sv, "a\0b"sv, "a\x7F"sv}) {
    EXPECT_FALSE(IsBatchSafe(bad)) << bad;
  }
  EXPECT_TRUE(IsBatchSafe("C:\\\x83\x5C\x83\x74 50% & ^!"));  // within quotes, "%" doubled
  for (const char* bad : {"Pack\"&calc&\"", "Pack\r\ncalc"}) {
    ProjectSettings unsafe = s;
    unsafe.Output.Assign(bad);
    std::string path;
    EXPECT_FALSE(WriteBatchFile(dir.fs, unsafe, dir.path(), &path)) << bad;
    EXPECT_FALSE(FileExists(dir.fs, dir.At("Foo.bat"))) << bad;
  }

  std::string path;
  ASSERT_TRUE(WriteBatchFile(dir.fs, s, dir.path(), &path));
  EXPECT_EQ(path, dir.At("Foo.bat"));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.fs, dir.At("Foo.bat"), &text));
  EXPECT_EQ(text, BatchText(s, dir.path()));

  // Too long a path: nothing written, failure.
  s.Name.Assign(std::string(55, 'n'));
  EXPECT_FALSE(WriteBatchFile(dir.fs, s, std::string(200, 'd'), &path));
  // A batch that cannot be written is a failure.
  s.Name.Assign("Foo");
  EXPECT_FALSE(WriteBatchFile(dir.fs, s, dir.At("absent"), &path));
}

TEST(BatchTest, ReportTellsWhatBecameOfTheBuild) {
  testing::FakeFolder dir;
  ProjectSettings s;
  s.Output.Assign("FooPack");
  const std::string long_output = std::string(kBuildOutputShown - 1, 'e') + "\x83\x41";  // split kana
  using O = BuildRun::Outcome;
  struct Case {
    O outcome;
    unsigned long exit_code;
    std::string output;
    bool archive;
    int id;
    std::vector<std::string> arguments;
  } cases[] = {
      {O::kEnded, 0, "done", true, kStrBuildDone, {"FooPack.lvar", "1,234,567"}},
      {O::kEnded, 0, "no archive", false, kStrBuildFailed, {"no archive"}},
      {O::kEnded, 0x41242600, "Error Code", true, kStrBuildFailed, {"Error Code"}},
      {O::kEnded, 1, long_output, false, kStrBuildFailed, {std::string(kBuildOutputShown - 1, 'e') + "..."}},
      {O::kNotStarted, 0, "no interpreter", true, kStrBuildFailed, {"no interpreter"}},
      {O::kStillRunning, 0, "half", true, kStrBuildRunning, {"300"}},
  };
  for (const Case& c : cases) {
    dir.files.files.erase(dir.At("FooPack.lvar"));
    if (c.archive) dir.MakeFile("FooPack.lvar", std::string(1234567, 'a'));
    BuildRun run;
    run.outcome = c.outcome;
    run.exit_code = c.exit_code;
    run.output = c.output;
    run.waited_seconds = 300;
    testing::RecordingMessages messages;
    ReportBuild(dir.fs, s, dir.path(), run, messages);
    EXPECT_EQ(messages.ids, std::vector<int>{c.id}) << c.output;
    EXPECT_EQ(messages.arguments, std::vector<std::vector<std::string>>{c.arguments}) << c.output;
  }
}

}  // namespace
}  // namespace project
