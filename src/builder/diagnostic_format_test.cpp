#include "builder/diagnostic_format.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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

// A problem shown at the key that produced a generated line names the key
// and keeps the generated place: an extra member in jsonl, a related
// location in SARIF. The gnu line keeps its one form.
TEST(FormatTest, KeyAndGeneratedPlace) {
  inf::Diagnostic d;
  d.file = "kantan/Pakforge_Memo.ini";
  d.line = 8;
  d.end_line = 8;
  d.end_column = 4;
  d.code = 0x41242600;
  d.message = "Error: text follows a definition statement (from Ver)";
  d.section = "Property";
  d.key = "Ver";
  d.generated_file = "kantan/src/Install.inf";
  d.generated_line = 5;
  d.generated_column = 19;
  EXPECT_EQ("kantan/Pakforge_Memo.ini:8:1: error: Error: text follows a definition statement (from Ver) "
            "[0x41242600]\n",
            FormatGnu({d}));
  const std::string jsonl = FormatJsonl({d}, DiagnosticsSummary{1, 0, std::nullopt});
  const nlohmann::json first = nlohmann::json::parse(jsonl.substr(0, jsonl.find('\n')));
  EXPECT_EQ(first["key"], "Ver");
  EXPECT_EQ(first["section"], "Property");
  EXPECT_EQ(first["generated"], (nlohmann::json{{"file", "kantan/src/Install.inf"}, {"line", 5}, {"column", 19}}));
  const nlohmann::json sarif = nlohmann::json::parse(FormatSarif({d}, "pakforge-build", "1.0"));
  const nlohmann::json& result = sarif["runs"][0]["results"][0];
  EXPECT_EQ(result["properties"]["key"], "Ver");
  EXPECT_EQ(result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"], "kantan/Pakforge_Memo.ini");
  const nlohmann::json& there = result["relatedLocations"][0]["physicalLocation"];
  EXPECT_EQ(there["artifactLocation"]["uri"], "kantan/src/Install.inf");
  EXPECT_EQ(there["region"]["startLine"], 5);
  EXPECT_EQ(there["region"]["startColumn"], 19);
  // Without them, neither appears.
  d.key.clear();
  d.generated_file.clear();
  const std::string plain = FormatJsonl({d}, DiagnosticsSummary{1, 0, std::nullopt});
  EXPECT_EQ(plain.find("\"key\""), std::string::npos) << plain;
  EXPECT_EQ(plain.find("\"generated\""), std::string::npos) << plain;
  EXPECT_EQ(FormatSarif({d}, "pakmak", "1.0").find("relatedLocations"), std::string::npos);
}

}  // namespace
}  // namespace builder
