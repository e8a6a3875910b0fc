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
  constexpr TextEntry<Id> kTwice[] = {{Id::kA, "a"}, {Id::kA, "a"}};
  static_assert(CoversEveryIdInOrder(kWhole, Id::kCount));
  static_assert(!CoversEveryIdInOrder(kSwapped, Id::kCount));
  static_assert(!CoversEveryIdInOrder(kShort, Id::kCount));
  static_assert(!CoversEveryIdInOrder(kTwice, Id::kCount));
}

}  // namespace
}  // namespace base
