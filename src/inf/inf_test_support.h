#pragma once
// Helpers for the reader's tests: Shift-JIS texts written as UTF-8 and a
// statement context over a fresh section list.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "base/capturing_console.h"
#include "base/encoding.h"
#include "inf/section_table.h"
#include "inf/statement_context.h"

namespace inf::testing {

/// The Shift-JIS form of a UTF-8 text (fails the test if it has none).
inline std::string Sj(std::string_view utf8) {
  std::string out;
  EXPECT_TRUE(base::Utf8ToCp932(utf8, &out)) << utf8;
  return out;
}

/// A statement context over its own section list, the current section set to
/// a freshly appended record of `kind`.
struct ContextFixture {
  explicit ContextFixture(SectionKind kind) : current(kind) {
    if (kind != SectionKind::kNone) sections.push_back(MakeSectionRecord(kind));
  }
  base::CapturingConsole console;
  SectionList sections;
  SectionKind current;
  StatementContext ctx{console, sections, current};
};

}  // namespace inf::testing
