#include "builder/command_line.h"

#include <gtest/gtest.h>

#include "base/capturing_console.h"
#include "base/encoding.h"
#include "builder/mask_value.h"
#include "kit_version.h"

namespace builder {
namespace {

// Expected texts are written readably here and converted with a checked
// conversion, so the escaped bytes of the program are verified independently.
std::string Sjis(const char* utf8) {
  std::string out;
  EXPECT_TRUE(base::Utf8ToCp932(utf8, &out)) << utf8;
  return out;
}

const char kInvalidChar[] = "エラー：16進数に変換できない不正な文字があります\n";
const char kLowNibble[] = "エラー：16進データ（バイト列）の下位 4 ビットがありません\n";
const char kWrongLength[] = "エラー：16進データの指定に過不足があります\n";
const char kSizeOver[] = "エラー：サイズオーバー - 指定できる最大バイト数は 2 までです\n";
const char kBadOption[] = "エラー：オプション指定が間違っています\n";

struct MaskCase {
  const char* text;
  BuildErrorCode code;
  std::uint16_t value;
  const char* message;
};

TEST(ParseMaskValueTest, Table) {
  const MaskCase cases[] = {
      {"E000", 0, 0xE000, ""},
      {"e000", 0, 0xE000, ""},
      {"c000", 0, 0xC000, ""},
      {"0000", 0, 0x0000, ""},
      {"aBcD", 0, 0xABCD, ""},
      {"", 0x100000, 0, kWrongLength},
      {"E0", 0x100000, 0, kWrongLength},
      {"E00", 0x300000, 0, kLowNibble},
      {"E0001", 0x300000, 0, kLowNibble},
      {"E00011", 0x500000, 0, kSizeOver},
      {"G000", 0x200000, 0, kInvalidChar},
      {"EG00", 0x400000, 0, kInvalidChar},
      {"E 00", 0x400000, 0, kInvalidChar},
  };
  for (const MaskCase& c : cases) {
    SCOPED_TRACE(c.text);
    base::CapturingConsole console;
    std::uint16_t value = 0x5555;
    EXPECT_EQ(c.code, ParseMaskValue(c.text, console, &value));
    if (c.code == 0) {
      EXPECT_EQ(c.value, value);
    }
    EXPECT_EQ(Sjis(c.message), console.err);
    EXPECT_EQ("", console.out);
  }
}

struct CommandLineCase {
  std::vector<std::string> args;
  BuildErrorCode code;
  const char* message;  // standard error, UTF-8
};

TEST(ParseCommandLineTest, Errors) {
  const CommandLineCase cases[] = {
      {{"SRC", "OUT", "-p"}, 0x9000000, "エラー： -p のマスク値（16進数）が指定されていません\n"},
      {{"SRC", "OUT", "-p", "-o", "1234"}, 0x2000000,
       "エラー： -p のマスク値（16進数）が指定されていません\n"},
      {{"-p", "E000", "SRC"}, 0x5000000, kBadOption},
      {{"SRC", "OUT", "-P", "E000"}, 0x3000000, kBadOption},
      {{"SRC", "-"}, 0x3000000, kBadOption},
      {{"SRC", "OUT", "-pp", "E000"}, 0x4000000, kBadOption},
      {{"SRC", "OUT", "E000"}, 0x5000000, kBadOption},
      {{"SRC", "OUT", "-p", "E00"}, 0x6300000, kLowNibble},
      {{"SRC", "OUT", "-c", "E0"}, 0x6100000, kWrongLength},
      {{"SRC", "OUT", "-o", "E00011"}, 0x6500000, kSizeOver},
      {{"SRC", "OUT", "-o", "G000"}, 0x6200000, kInvalidChar},
      {{"SRC", "OUT", "-o", "EG00"}, 0x6400000, kInvalidChar},
      {{"-o", "C000"}, 0x8000000,
       "エラー：インストール対象ファイル格納ディレクトリが指定されていません\n"},
      {{""}, 0x8000000, "エラー：インストール対象ファイル格納ディレクトリが指定されていません\n"},
      {{"S", "O", "-p", "0000", "-o", "0000", "-c", "0000", "-p", "1111"}, 0x1000000,
       "エラー：コマンドライン引数の数が多すぎます\n"},
      {{"SRC", "--diagnostics=xml"}, 0xA000000,
       "エラー：--diagnostics の値が正しくありません。gnu、jsonl、sarif のいずれかを指定してください\n"},
      {{"--diagnostics", "SRC"}, 0xA000000,
       "エラー：--diagnostics の値が正しくありません。gnu、jsonl、sarif のいずれかを指定してください\n"},
      {{"SRC", "--warnings=all"}, 0xB000000, "エラー：--warnings の値が正しくありません。指定できる値は error だけです\n"},
      {{"SRC", "--diagnosticsx=gnu"}, 0x3000000, kBadOption},
      // An earlier error wins over the argument count.
      {{"S", "O", "x", "4", "5", "6", "7", "8", "9", "10"}, 0x5000000, kBadOption},
  };
  for (const CommandLineCase& c : cases) {
    std::string joined;
    for (const std::string& a : c.args) joined += "[" + a + "]";
    SCOPED_TRACE(joined);
    base::CapturingConsole console;
    BuildOptions options;
    EXPECT_EQ(c.code, ParseCommandLine(c.args, console, &options));
    EXPECT_EQ(Sjis(c.message), console.err);
    EXPECT_EQ("", console.out);
  }
}

struct OptionsCase {
  std::vector<std::string> args;
  std::string directory, archive;
  std::uint32_t platform, os_version, cpu_type;
};

TEST(ParseCommandLineTest, Accepted) {
  const OptionsCase cases[] = {
      {{"SRC"}, "SRC", "", 0xE0000000, 0xF8000000, 0xFFC00000},
      {{"SRC", "OUT", "-p", "0000", "-o", "c000", "-c", "0000"}, "SRC", "OUT", 0, 0xC0000000, 0},
      {{"SRC", "-o", "C000"}, "SRC", "", 0xE0000000, 0xC0000000, 0xFFC00000},
      // A later option replaces an earlier one.
      {{"S", "O", "-p", "1234", "-c", "0000", "-p", "abcd"}, "S", "O", 0xABCD0000, 0xF8000000, 0},
      {{"S", "O", "-p", "0001", "-o", "0002", "-c", "0003"}, "S", "O", 0x00010000, 0x00020000, 0x00030000},
  };
  for (const OptionsCase& c : cases) {
    base::CapturingConsole console;
    BuildOptions options;
    ASSERT_EQ(0u, ParseCommandLine(c.args, console, &options)) << console.err;
    EXPECT_EQ(c.directory, options.directory);
    EXPECT_EQ(c.archive, options.archive);
    EXPECT_EQ(c.platform, options.platform_mask);
    EXPECT_EQ(c.os_version, options.os_version_mask);
    EXPECT_EQ(c.cpu_type, options.cpu_type_mask);
    EXPECT_EQ("", console.err);
    EXPECT_EQ("", console.out);
  }
}

// The long options stand anywhere and take no position.
TEST(ParseCommandLineTest, DiagnosticsAndWarningsOptions) {
  base::CapturingConsole console;
  BuildOptions options;
  ASSERT_EQ(0u, ParseCommandLine({"--diagnostics=sarif", "SRC", "--warnings=error", "OUT", "-p", "0000"}, console,
                                 &options));
  EXPECT_EQ(DiagnosticsFormat::kSarif, options.diagnostics);
  EXPECT_TRUE(options.warnings_as_errors);
  EXPECT_EQ("SRC", options.directory);
  EXPECT_EQ("OUT", options.archive);
  EXPECT_EQ(0u, options.platform_mask);
  ASSERT_EQ(0u, ParseCommandLine({"SRC", "--diagnostics=gnu"}, console, &options));
  EXPECT_EQ(DiagnosticsFormat::kGnu, options.diagnostics);
  EXPECT_FALSE(options.warnings_as_errors);
  ASSERT_EQ(0u, ParseCommandLine({"SRC"}, console, &options));
  EXPECT_EQ(DiagnosticsFormat::kNone, options.diagnostics);
}

TEST(ParseCommandLineTest, NineArgumentsPassTheCountTenDoNot) {
  base::CapturingConsole console;
  BuildOptions options;
  // Nine arguments pass the count; this line then lacks the last value.
  EXPECT_EQ(0x9000000u,
            ParseCommandLine({"S", "O", "-p", "0001", "-o", "0002", "-c", "0003", "-c"}, console, &options));
  EXPECT_EQ(0x1000000u, ParseCommandLine({"S", "O", "-p", "0001", "-o", "0002", "-c", "0003", "-c", "0004"},
                                         console, &options));
}

TEST(ParseCommandLineTest, NoArgumentPrintsUsage) {
  base::CapturingConsole console;
  BuildOptions options;
  EXPECT_EQ(kUsageShown, ParseCommandLine({}, console, &options));
  EXPECT_EQ("", console.err);
  const char* expected =
      "Pakmak: リモートインストール用アーカイブファイル作成ツール\n"
      "  Usage: Pakmak DIRECTORY [ ARCHIVE ] [ -p MASK ] [ -o MASK ] [ -c MASK ]\n\n"
      "DIRECTORY: インストール対象ファイル格納ディレクトリ指定\n"
      "  ・下記ファイルが格納されているディレクトリを指定する\n"
      "      1. ネイティブアーキテクチャ情報ファイル（Native.ina ファイル）\n"
      "         （ターゲットマシンで Devprobe を実行して作成するファイル）\n"
      "      2. インストール情報ファイル（Install.inf ファイルなど）\n"
      "      3. プログラムファイル（EXE, DLL ファイルなど）\n"
      "      4. その他データファイル（BMP, WAV ファイルなど）\n"
      "  ・指定ディレクトリ下のファイルを元に、アーカイブファイルが作成される\n"
      "  ・ディレクトリ中にサブディレクトリがあっても構わない（ネスト可能）\n"
      "  ・この指定を省略すると、本メッセージが出力される\n"
      "ARCHIVE: アーカイブファイル名指定\n"
      "  ・作成するアーカイブファイルの名称を指定する（名称は自由）\n"
      "  ・指定を省略すると、アーカイブファイルを作成しない（各種チェックのみ）\n"
      "-p MASK: プラットフォーム情報有効マスク指定\n"
      "  ・マスクの上位2バイトを16進数で指定する（デフォルト：-p E000 ）\n"
      "-o MASK: OSバージョン情報有効マスク指定\n"
      "  ・マスクの上位2バイトを16進数で指定する（デフォルト：-o F800 ）\n"
      "-c MASK: CPUタイプ情報有効マスク指定\n"
      "  ・マスクの上位2バイトを16進数で指定する（デフォルト：-c FFC0 ）\n";
  EXPECT_EQ(Sjis(expected), console.out);
}

// "--help" and "--version" count only as the one and only argument; anywhere
// else, and "-h" always, they are wrong options with the usual codes.
TEST(ParseCommandLineTest, HelpAndVersionAloneOnly) {
  base::CapturingConsole no_argument;
  BuildOptions options;
  ParseCommandLine({}, no_argument, &options);
  const std::string usage = no_argument.out;
  const std::string version = std::string(PAK_KIT_NAME) + " " + PAK_KIT_VERSION + "\n";
  ASSERT_NE("", usage);
  struct Case {
    std::vector<std::string> args;
    BuildErrorCode code;
    std::string out;
    bool bad_option;  // the wrong-option message on standard error
  };
  const Case cases[] = {
      {{"--help"}, kUsageShown, usage, false},
      {{"--version"}, kUsageShown, version, false},
      {{"-h"}, 0x3000000, "", true},
      {{"--Help"}, 0x3000000, "", true},
      {{"--version", "SRC"}, 0x3000000, "", true},
      {{"SRC", "--help"}, 0x3000000, "", true},
      {{"SRC", "OUT", "--version"}, 0x3000000, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
    base::CapturingConsole console;
    EXPECT_EQ(c.code, ParseCommandLine(c.args, console, &options));
    EXPECT_EQ(c.out, console.out);
    EXPECT_EQ(c.bad_option ? Sjis(kBadOption) : "", console.err);
  }
}

}  // namespace
}  // namespace builder
