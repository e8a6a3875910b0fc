#include "builder/diagnostic_format.h"

#include <gtest/gtest.h>

namespace builder {
namespace {

TEST(PathToUriTest, Table) {
  const std::pair<const char*, const char*> cases[] = {
      {"src/Install.inf", "src/Install.inf"},
      {"my src/Install.inf", "my%20src/Install.inf"},
      {"/tmp/a/Install.inf", "file:///tmp/a/Install.inf"},
      {"C:\\work\\src\\Install.inf", "file:///C:/work/src/Install.inf"},
      {"src\\#1\\\xE3\x83\xA1.inf", "src/%231/%E3%83%A1.inf"},
  };
  for (const auto& [path, uri] : cases) EXPECT_EQ(uri, PathToUri(path)) << path;
}

// A problem without a section leaves the key out; the gnu line has no
// other form.
TEST(FormatTest, SectionOnlyWhereThereIsOne) {
  inf::Diagnostic d;
  d.file = "src/Native.ina";
  d.code = 0x30000000;
  d.message = "Error: Can't find mandatory file [ Native.ina ].";
  EXPECT_EQ("src/Native.ina:1:1: error: Error: Can't find mandatory file [ Native.ina ]. [0x30000000]\n",
            FormatGnu({d}));
  const std::string jsonl = FormatJsonl({d}, DiagnosticsSummary{1, 0, std::nullopt});
  EXPECT_EQ(std::string::npos, jsonl.find("\"section\"")) << jsonl;
  EXPECT_NE(std::string::npos, jsonl.find("{\"summary\":{\"errors\":1,\"warnings\":0,\"archive\":null}}\n")) << jsonl;
}

}  // namespace
}  // namespace builder
