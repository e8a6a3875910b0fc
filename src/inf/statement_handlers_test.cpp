#include "inf/statement_handlers.h"

#include <gtest/gtest.h>

#include "inf/inf_reader.h"
#include "inf/inf_test_support.h"

namespace inf {
namespace {

using testing::ContextFixture;
using testing::Sj;

struct LineCase {
  SectionKind section;
  std::string line;
  std::uint32_t code;  // with the line stage
  std::string message;
};

void RunLineCases(const std::vector<LineCase>& cases) {
  for (const LineCase& c : cases) {
    ContextFixture f(c.section);
    HandlerStates h;
    EXPECT_EQ(ProcessLine(c.line, h, f.ctx), c.code) << c.line;
    EXPECT_EQ(f.console.err, c.message) << c.line;
  }
}

TEST(SectionHeadTest, Heads) {
  struct Case {
    std::string line;
    SectionKind kind;
  };
  const Case cases[] = {
      {"[App Information]\n", SectionKind::kAppInformation},
      {"[  app   information ] ; comment\n", SectionKind::kAppInformation},
      {"[ UNINSTALL INFORMATION ]", SectionKind::kUninstallInformation},
      {"[ Make Dirs ]\n", SectionKind::kMakeDirs},
      {"[ Delete Dirs ]\n", SectionKind::kDeleteDirs},
      {"[ Copy Files ]\n", SectionKind::kCopyFiles},
      {"[ Setup Data-Files ]\n", SectionKind::kSetupDataFiles},
      {"[ Delete Files ]\n", SectionKind::kDeleteFiles},
      {"[ Add Registry ]\n", SectionKind::kAddRegistry},
      {"[ Delete Registry ]\n", SectionKind::kDeleteRegistry},
      {"[ Ex-Install Information ]\n", SectionKind::kExInstallInformation},
  };
  for (const Case& c : cases) {
    ContextFixture f(SectionKind::kCopyFiles);  // a head leaves any section
    HandlerStates h;
    EXPECT_EQ(ProcessLine(c.line, h, f.ctx), 0u) << c.line;
    EXPECT_EQ(f.current, c.kind) << c.line;
    ASSERT_EQ(f.sections.size(), 2u) << c.line;
    EXPECT_EQ(f.sections.back().kind, c.kind) << c.line;
    EXPECT_EQ(f.console.err, "");
  }
}

TEST(SectionHeadTest, Errors) {
  const std::string incomplete = Sj("エラー：セクション文が不完全です\n");
  RunLineCases({
      {SectionKind::kNone, "Maker = x\n", 0x41300, Sj("エラー：セクション文は [ で始まらなければなりません\n")},
      {SectionKind::kNone, "[ Copy Files ] extra\n", 0x41400, Sj("エラー：セクション文の ] の後に文があります\n")},
      {SectionKind::kNone, "[ Copy Files\n", 0x61200, incomplete},
      {SectionKind::kNone, "[\n", 0x61200, incomplete},
      {SectionKind::kNone, "[ ]\n", 0x61200, incomplete},
      {SectionKind::kNone, "[ Copy Flies ]\n", 0x61100, Sj("エラー：定義されていないセクション名です\n")},
      {SectionKind::kNone, "[ \"Copy Files\" ]\n", 0x61100, Sj("エラー：定義されていないセクション名です\n")},
      {SectionKind::kNone, "[ Copy Files ; ]\n", 0x31200, incomplete},
  });
}

TEST(SectionHeadTest, VeryLongNameIsUndefined) {
  // The words of a head are joined with blanks: a 511-byte line of
  // single-character tokens makes a name of about a thousand bytes, which is
  // held whole and is simply not in the table.
  ContextFixture f(SectionKind::kNone);
  HandlerStates h;
  std::string line = "[";
  while (line.size() < 508) line += "a,";
  line += "]";
  ASSERT_LE(line.size(), 511u);
  EXPECT_EQ(ProcessLine(line, h, f.ctx), 0x61100u);
  EXPECT_EQ(f.console.err, Sj("エラー：定義されていないセクション名です\n"));
  EXPECT_EQ(ProcessLine("[ Make Dirs ]", h, f.ctx), 0u);
  EXPECT_EQ(f.current, SectionKind::kMakeDirs);
}

TEST(DefinitionTest, StoresValues) {
  ContextFixture f(SectionKind::kAppInformation);
  HandlerStates h;
  for (const char* line : {"Caption = \"My Program\"\n", "Maker=\"\\\"B\\\"\"\n",
                           "Program = \"a;b\" ; trailing comment\n", "Icon = icon.bmp\n", "\n",
                           "; only a comment\n", "Version = 1.20\n"}) {
    ASSERT_EQ(ProcessLine(line, h, f.ctx), 0u) << line;
  }
  const auto& r = std::get<AppInformationRecord>(f.sections.back().data);
  EXPECT_EQ(r.caption, "My Program");
  EXPECT_EQ(r.maker, "\"B\"");
  EXPECT_EQ(r.program, "a;b");
  EXPECT_EQ(r.icon, "icon.bmp");
  EXPECT_EQ(r.major_ver, 1u);
  EXPECT_EQ(r.minor_ver, 20u);
  EXPECT_EQ(f.console.err, "");
}

TEST(DefinitionTest, Errors) {
  const std::string after = Sj("エラー：定義文の後に文があります\n");
  const std::string incomplete = Sj("エラー：定義文が不完全です\n");
  RunLineCases({
      {SectionKind::kAppInformation, "Caption = My Program\n", 0x42600, after},
      {SectionKind::kAppInformation, "Caption My\n", 0x42500, Sj("エラー：代入演算子 = がありません\n")},
      {SectionKind::kAppInformation, "Maker\n", 0x62400, incomplete},
      {SectionKind::kAppInformation, "Maker = ; nothing\n", 0x32400, incomplete},
      {SectionKind::kAppInformation, "Caption = \"open\n", 0x53000, Sj("エラー：文字列が \" で閉じていません\n")},
      {SectionKind::kAppInformation, "Shape = round\n", 0x62160, Sj("エラー：キーワード Shape は未定義です\n")},
      {SectionKind::kUninstallInformation, "Shape = round\n", 0x62230, Sj("エラー：キーワード Shape は未定義です\n")},
      {SectionKind::kExInstallInformation, "TimeOut = x\n", 0x62331,
       Sj("エラー：数値以外の値 x が指定されています\n")},
  });
}

TEST(ParameterListTest, ListSectionItems) {
  struct Case {
    SectionKind section;
    std::string line;
    ParameterItem item;
  };
  const Case cases[] = {
      {SectionKind::kMakeDirs, "\"\\Program Files\\App\"\n", {"\\Program Files\\App", "", ""}},
      {SectionKind::kDeleteDirs, "dir\n", {"dir", "", ""}},
      {SectionKind::kDeleteFiles, "a.txt\n", {"a.txt", "", ""}},
      {SectionKind::kCopyFiles, "\\dest\n", {"\\dest", "", "COPYFLG_NO_OVERWRITE"}},
      {SectionKind::kCopyFiles, "?Drive?\\d, app.exe\n", {"?Drive?\\d", "app.exe", "COPYFLG_NO_OVERWRITE"}},
      {SectionKind::kCopyFiles, "d, , COPYFLG_REPLACEONLY\n", {"d", "", "COPYFLG_REPLACEONLY"}},
      {SectionKind::kCopyFiles, "d, n, \"\"\n", {"d", "n", "COPYFLG_NO_OVERWRITE"}},
      {SectionKind::kCopyFiles, "=, <\n", {"=", "<", "COPYFLG_NO_OVERWRITE"}},
      {SectionKind::kSetupDataFiles, "a, b\n", {"a", "b", ""}},
  };
  for (const Case& c : cases) {
    ContextFixture f(c.section);
    HandlerStates h;
    ASSERT_EQ(ProcessLine(c.line, h, f.ctx), 0u) << c.line;
    const auto& items = std::get<std::vector<ParameterItem>>(f.sections.back().data);
    ASSERT_EQ(items.size(), 1u) << c.line;
    EXPECT_EQ(items[0].p1, c.item.p1) << c.line;
    EXPECT_EQ(items[0].p2, c.item.p2) << c.line;
    EXPECT_EQ(items[0].p3, c.item.p3) << c.line;
    EXPECT_EQ(h.parameter_list.state(), 0);
  }
}

TEST(ParameterListTest, Errors) {
  const std::string count = Sj("エラー：定義文のパラメータに過不足があります\n");
  const std::string comma = Sj("エラー：パラメータがカンマ(,)で区切られていません\n");
  const std::string after = Sj("エラー：定義文の後に文があります\n");
  RunLineCases({
      {SectionKind::kCopyFiles, ", a\n", 0x43A00, Sj("エラー：第1パラメータは省略できません\n")},
      {SectionKind::kCopyFiles, "a b\n", 0x43B00, comma},
      {SectionKind::kCopyFiles, "a, b c\n", 0x43C00, comma},
      {SectionKind::kCopyFiles, "a, b, ,\n", 0x43D00, Sj("エラー：第3パラメータの値が不適切(,)です\n")},
      {SectionKind::kCopyFiles, "a, b, COPYFLG_REPLACEONLY x\n", 0x43E00, after},
      {SectionKind::kCopyFiles, "a, b, COPYFLG_REPLACEONLY,\n", 0x43E00, after},
      {SectionKind::kCopyFiles, "a, b, copyflg_replaceonly\n", 0x63300,
       Sj("エラー：キーワード copyflg_replaceonly は未定義です\n")},
      {SectionKind::kCopyFiles, "a,\n", 0x63400, count},
      {SectionKind::kCopyFiles, "a, b,\n", 0x63400, count},
      {SectionKind::kMakeDirs, "a, b\n", 0x63100, count},
      {SectionKind::kDeleteDirs, "a,\n", 0x63200, count},
      {SectionKind::kSetupDataFiles, "a\n", 0x63500, count},
      {SectionKind::kSetupDataFiles, "a, b, c\n", 0x63500, count},
      {SectionKind::kDeleteFiles, "a, , c ; comment\n", 0x33600, count},
  });
}

}  // namespace
}  // namespace inf
