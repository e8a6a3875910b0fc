#include "project/name_lines.h"

#include <gtest/gtest.h>

namespace project {
namespace {

// `count` names "f1.txt", "f2.txt", ...
std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back("f" + std::to_string(i) + ".txt");
  return names;
}

TEST(NameLinesTest, ListsTwentyNamesAndCountsTheRest) {
  std::string twenty;
  for (int i = 1; i <= 20; ++i) twenty += (i > 1 ? "\n" : "") + ("f" + std::to_string(i) + ".txt");
  const struct {
    int count;
    std::string lines;
  } cases[] = {
      {0, ""},
      {1, "f1.txt"},
      {2, "f1.txt\nf2.txt"},
      {20, twenty},
      {21, twenty + "\n... (+1)"},
      {125, twenty + "\n... (+105)"},
  };
  for (const auto& c : cases) EXPECT_EQ(NameLines(Names(c.count)), c.lines) << c.count;
}

}  // namespace
}  // namespace project
