#include "base/text_table.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(TextTableTest, PrintfArguments) {
  struct Case {
    const char* format;
    std::vector<std::string> expected;
  } cases[] = {
      {"no conversion\n", {}},
      {"100%% done", {}},
      {"%-23s \"%s\"\n", {"s", "s"}},
      {"Error Code = 0x%08X\n", {"X"}},
      {"(%llu; at most 65535)", {"llu"}},
      {"%*d|%.*s", {"*", "d", "*", "s"}},
      {"-%c %04X", {"c", "X"}},
      {"\x83G\x83\x89\x81[ %u", {"u"}},  // Shift-JIS trail bytes are never '%'
      {"ends in %", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(PrintfArguments(c.format), c.expected) << c.format;
}

enum class Id { kA, kB, kCount };

TEST(TextTableTest, CoversEveryIdInOrder) {
  constexpr TextEntry<Id> kWhole[] = {{Id::kA, "a"}, {Id::kB, "b"}};
  constexpr TextEntry<Id> kSwapped[] = {{Id::kB, "b"}, {Id::kA, "a"}};
  constexpr TextEntry<Id> kShort[] = {{Id::kA, "a"}};
  static_assert(CoversEveryIdInOrder(kWhole, Id::kCount));
  static_assert(!CoversEveryIdInOrder(kSwapped, Id::kCount));
  static_assert(!CoversEveryIdInOrder(kShort, Id::kCount));
}

const char* Japanese(Id id) { return id == Id::kA ? "\x83G %s" : "%u"; }
const char* EnglishAgreeing(Id id) { return id == Id::kA ? "E %s" : "%u"; }
const char* EnglishWrongArgument(Id id) { return id == Id::kA ? "E %d" : "%u"; }
const char* EnglishNotAscii(Id id) { return id == Id::kA ? "E %s" : "\x83G %u"; }
const char* EnglishMissing(Id id) { return id == Id::kA ? "E %s" : ""; }

TEST(TextTableTest, TableDisagreements) {
  EXPECT_EQ(TableDisagreements(Japanese, EnglishAgreeing, Id::kCount), std::vector<std::string>{});
  EXPECT_EQ(TableDisagreements(Japanese, EnglishWrongArgument, Id::kCount),
            std::vector<std::string>{"id 0: other arguments: E %d"});
  EXPECT_EQ(TableDisagreements(Japanese, EnglishNotAscii, Id::kCount),
            std::vector<std::string>{"id 1: not ASCII: \x83G %u"});
  EXPECT_EQ(TableDisagreements(Japanese, EnglishMissing, Id::kCount), std::vector<std::string>{"id 1: no text"});
}

}  // namespace
}  // namespace base
