#pragma once
// Helpers for the reader's tests: Shift-JIS texts written as UTF-8, a
// temporary folder for test files, and a statement context over a fresh
// section list.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "base/console.h"
#include "base/encoding.h"
#include "builder/inf/section_table.h"
#include "builder/inf/statement_context.h"

namespace builder::testing {

/// The Shift-JIS form of a UTF-8 text (fails the test if it has none).
inline std::string Sj(std::string_view utf8) {
  std::string out;
  EXPECT_TRUE(base::Utf8ToCp932(utf8, &out)) << utf8;
  return out;
}

/// A folder of its own under the system's temporary folder, removed again.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (std::string("inf_test_") + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  /// Writes `bytes` verbatim into `name` and answers the file's host path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

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

}  // namespace builder::testing
