#include "inf/key_setters.h"

#include <gtest/gtest.h>

#include "base/capturing_console.h"
#include "inf/inf_test_support.h"

namespace inf {
namespace {

using testing::Sj;

TEST(AppInformationKeyTest, Version) {
  struct Case {
    std::string value;
    std::uint32_t code, major, minor;
  };
  const Case cases[] = {
      {"2", 0, 2, 0},
      {"1.2", 0, 1, 2},
      {"1.2.3", 0, 1, 2},    // text after a non-zero number is ignored
      {".5", 0, 0, 5},       // no major part: stays unset
      {"3.x", 0x21, 0, 0},   // minor part not a number
      {"y.1", 0x31, 0, 1},   // major part not a number
      {"1.99999999999", 0x22, 0, 0},
      // The minor part is read as a number: text after a non-zero one is
      // ignored, text after 0 is refused.
      {"1.0.3", 0x21, 0, 0},
      {"1.0beta", 0x21, 0, 0},
      {"1.1beta", 0, 1, 1},
      {"1.0", 0, 1, 0},
  };
  for (const Case& c : cases) {
    base::CapturingConsole console;
    AppInformationRecord record;
    EXPECT_EQ(SetAppInformationKey(&record, "version", c.value, console), c.code) << c.value;
    EXPECT_EQ(record.major_ver, c.major) << c.value;
    EXPECT_EQ(record.minor_ver, c.minor) << c.value;
  }
}

TEST(AppInformationKeyTest, VersionTwice) {
  base::CapturingConsole console;
  AppInformationRecord record;
  ASSERT_EQ(SetAppInformationKey(&record, "Version", "0.5", console), 0u);
  // A zero major part counts as unset: a second Version is accepted.
  ASSERT_EQ(SetAppInformationKey(&record, "Version", "1", console), 0u);
  EXPECT_EQ(record.major_ver, 1u);
  EXPECT_EQ(record.minor_ver, 5u);
  EXPECT_EQ(SetAppInformationKey(&record, "Version", "2.0", console), 0x10u);
  EXPECT_EQ(console.err, Sj("エラー：キーワード重複指定\nVersion の値として、既に 1.5 が設定されています\n"));
}

TEST(AppInformationKeyTest, StoresEveryKeyAnyCase) {
  base::CapturingConsole console;
  AppInformationRecord r;
  const char* keys[] = {"MAKER", "program", "InstallDir", "exefile", "Uninstall", "ICON",
                        "Caption", "wave", "SoundBmp", "commandline", "OpData", "settingdll",
                        "Destination", "UNLOAD"};
  for (const char* key : keys) {
    EXPECT_EQ(SetAppInformationKey(&r, key, std::string("v-") + key, console), 0u) << key;
  }
  EXPECT_EQ(r.maker, "v-MAKER");
  EXPECT_EQ(r.program, "v-program");
  EXPECT_EQ(r.install_dir, "v-InstallDir");
  EXPECT_EQ(r.exe_file, "v-exefile");
  EXPECT_EQ(r.uninstall, "v-Uninstall");
  EXPECT_EQ(r.icon, "v-ICON");
  EXPECT_EQ(r.caption, "v-Caption");
  EXPECT_EQ(r.wave, "v-wave");
  EXPECT_EQ(r.sound_bmp, "v-SoundBmp");
  EXPECT_EQ(r.command_line, "v-commandline");
  EXPECT_EQ(r.op_data, "v-OpData");
  EXPECT_EQ(r.setting_dll, "v-settingdll");
  EXPECT_EQ(r.destination, "v-Destination");
  EXPECT_EQ(r.unload, "v-UNLOAD");
  EXPECT_EQ(console.err, "");
}

TEST(AppInformationKeyTest, Errors) {
  const std::string max(64, 'm');
  const std::string over(65, 'm');
  const std::string long_caption(600, 'c');
  struct Case {
    std::string first_key, first_value, key, value;
    std::uint32_t code;
    std::string message;
  };
  const Case cases[] = {
      {"", "", "Maker", max, 0, ""},
      {"", "", "maker", over, 0x50,
       Sj("エラー：キーワード Maker の値の長さは、64 バイト以下でなければなりません\n")},
      {"", "", "PROGRAM", over, 0x50,
       Sj("エラー：キーワード Program の値の長さは、64 バイト以下でなければなりません\n")},
      {"", "", "Caption", long_caption, 0, ""},
      {"", "", "Colour", "red", 0x60, Sj("エラー：キーワード Colour は未定義です\n")},
      {"Caption", "First", "CAPTION", "Second", 0x40,
       Sj("エラー：キーワード重複指定\nCAPTION の値として、既に First が設定されています\n")},
      {"Icon", "", "icon", "x", 0x40,
       Sj("エラー：キーワード重複指定\nicon の値として、既に  が設定されています\n")},
  };
  for (const Case& c : cases) {
    base::CapturingConsole console;
    AppInformationRecord record;
    if (!c.first_key.empty()) {
      ASSERT_EQ(SetAppInformationKey(&record, c.first_key, c.first_value, console), 0u);
    }
    EXPECT_EQ(SetAppInformationKey(&record, c.key, c.value, console), c.code) << c.key;
    EXPECT_EQ(console.err, c.message) << c.key;
  }
}

TEST(UninstallInformationKeyTest, Table) {
  struct Case {
    std::string key, value;
    std::uint32_t code;
    std::string message;
  };
  const Case cases[] = {
      {"maker", std::string(64, 'x'), 0, ""},
      {"Program", std::string(65, 'x'), 0x20,
       Sj("エラー：キーワード Program の値の長さは、64 バイト以下でなければなりません\n")},
      {"Maker", "again", 0x10,
       Sj("エラー：キーワード重複指定\nMaker の値として、既に first が設定されています\n")},
      {"Version", "1", 0x30, Sj("エラー：キーワード Version は未定義です\n")},
  };
  for (const Case& c : cases) {
    base::CapturingConsole console;
    UninstallInformationRecord record;
    record.maker = "first";
    if (c.key == "maker") record.maker.reset();
    EXPECT_EQ(SetUninstallInformationKey(&record, c.key, c.value, console), c.code) << c.key;
    EXPECT_EQ(console.err, c.message) << c.key;
  }
}

TEST(ExInstallInformationKeyTest, Table) {
  base::CapturingConsole console;
  ExInstallInformationRecord record;
  EXPECT_EQ(SetExInstallInformationKey(&record, "program", std::string(300, 'p'), console), 0u);
  EXPECT_EQ(SetExInstallInformationKey(&record, "TimeOut", "10", console), 0u);
  EXPECT_EQ(SetExInstallInformationKey(&record, "timeout", "20", console), 0u);
  EXPECT_EQ(record.time_out, 20u);  // a later TimeOut replaces an earlier one
  EXPECT_EQ(console.err, "");

  EXPECT_EQ(SetExInstallInformationKey(&record, "TimeOut", "soon", console), 0x31u);
  EXPECT_EQ(SetExInstallInformationKey(&record, "TimeOut", "5000000000", console), 0x32u);
  console.err.clear();
  EXPECT_EQ(SetExInstallInformationKey(&record, "Program", "b", console), 0x10u);
  EXPECT_EQ(console.err, Sj("エラー：キーワード重複指定\nProgram の値として、既に ") +
                             std::string(300, 'p') + Sj(" が設定されています\n"));
  console.err.clear();
  EXPECT_EQ(SetExInstallInformationKey(&record, "Maker", "m", console), 0x30u);
  EXPECT_EQ(console.err, Sj("エラー：キーワード Maker は未定義です\n"));
}

}  // namespace
}  // namespace inf

namespace inf {
namespace {

// The keys a section lists (for editors) are exactly the ones its setter
// takes: each is stored, and an unknown one is refused with the section's
// code.
TEST(SectionKeysTest, ListsTheKeysEachSetterTakes) {
  using Setter = std::uint32_t (*)(std::string_view key, std::string_view value, base::Console& console);
  const struct {
    SectionKind kind;
    std::size_t count;
    Setter set;
    std::uint32_t unknown;
  } cases[] = {
      {SectionKind::kAppInformation, 15,
       [](std::string_view k, std::string_view v, base::Console& c) {
         AppInformationRecord record;
         return SetAppInformationKey(&record, k, v, c);
       },
       0x60},
      {SectionKind::kUninstallInformation, 2,
       [](std::string_view k, std::string_view v, base::Console& c) {
         UninstallInformationRecord record;
         return SetUninstallInformationKey(&record, k, v, c);
       },
       0x30},
      {SectionKind::kExInstallInformation, 2,
       [](std::string_view k, std::string_view v, base::Console& c) {
         ExInstallInformationRecord record;
         return SetExInstallInformationKey(&record, k, v, c);
       },
       0x30},
  };
  for (const auto& c : cases) {
    const std::vector<std::string_view> keys = SectionKeys(c.kind);
    EXPECT_EQ(keys.size(), c.count);
    for (std::string_view key : keys) {
      base::CapturingConsole console;
      EXPECT_EQ(c.set(key, "1", console), 0u) << key;
    }
    base::CapturingConsole console;
    EXPECT_EQ(c.set("Colour", "1", console), c.unknown);
  }
  EXPECT_TRUE(SectionKeys(SectionKind::kCopyFiles).empty());
}

}  // namespace
}  // namespace inf
