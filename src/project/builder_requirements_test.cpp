#include "project/builder_requirements.h"

#include <gtest/gtest.h>

#include "project/texts.h"

namespace project {
namespace {

TEST(BuilderRefusalTest, QuoteInCommandLineThenUninstallOff) {
  struct Case {
    const char* cmd;
    bool uninstall;
    int expected;
  } cases[] = {
      {"", true, 0},
      {"/s -x 'a b' %1", true, 0},
      {"\x83\x5c\x83\x74\x83\x67", true, 0},  // kana whose trail bytes are 0x5C, 0x74, 0x67
      {"\"", true, kStrCmdQuote},
      {"/f \"a b\"", true, kStrCmdQuote},
      {"\x83\x5c\"", true, kStrCmdQuote},
      {"", false, kStrUninstallRequired},
      {"a\"b", false, kStrCmdQuote},  // the first refusal is named
  };
  for (const Case& c : cases) {
    ProjectSettings s;
    s.Cmd.Assign(c.cmd);
    s.Uninstall.Set(c.uninstall);
    EXPECT_EQ(BuilderRefusal(s), c.expected) << c.cmd << " " << c.uninstall;
  }
}

}  // namespace
}  // namespace project
