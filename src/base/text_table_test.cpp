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

TEST(TextTableTest, FillText) {
  struct Case {
    const char* format;
    std::vector<std::string> arguments;
    const char* expected;
  } cases[] = {
      {"folder '%s' missing", {"src"}, "folder 'src' missing"},
      {"no argument", {"src"}, "no argument"},
      {"%s-%s-%s", {"a", "b"}, "a-b-%s"},                   // a "%s" beyond the arguments stays
      {"%s", {"%s"}, "%s"},                                 // an argument is not filled again
      {"%s-%s", {"%s", "b"}, "%s-b"},
      {"100%% of '%s'", {"x"}, "100%% of 'x'"},             // "%%" stays for printf-style texts
      {"%%s then %s", {"x"}, "%%s then x"},                 // "%%s" is no placeholder
      {"%d and %s", {"x"}, "%d and x"},                     // other pairs are skipped whole
      {"ends in %", {"x"}, "ends in %"},
      {"\x83\x74\x83\x48\x83\x8B\x83\x5F '%s'", {"\x83\x5C"}, "\x83\x74\x83\x48\x83\x8B\x83\x5F '\x83\x5C'"},
      {"", {"x"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FillText(c.format, c.arguments), c.expected) << c.format;
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

// A text with no byte outside ASCII counts as untranslated unless its id is
// kept; an empty text is ASCII too.
TEST(TextTableTest, UntranslatedTexts) {
  const struct {
    const char* (*table)(Id);
    std::vector<Id> kept;
    std::vector<std::string> expected;
  } cases[] = {
      {Japanese, {}, {"id 1: %u"}},
      {Japanese, {Id::kB}, {}},
      {EnglishAgreeing, {Id::kB}, {"id 0: E %s"}},
      {EnglishNotAscii, {}, {"id 0: E %s"}},
      {EnglishMissing, {Id::kA}, {"id 1: "}},
  };
  for (const auto& c : cases) EXPECT_EQ(UntranslatedTexts(c.table, Id::kCount, c.kept), c.expected);
}

}  // namespace
}  // namespace base
