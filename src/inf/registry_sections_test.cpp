#include "inf/registry_sections.h"

#include <gtest/gtest.h>

#include "inf/inf_reader.h"
#include "inf/inf_test_support.h"

namespace inf {
namespace {

using testing::ContextFixture;
using testing::Sj;

// Feeds `lines` to a section of `kind`; answers the first non-zero code.
std::uint32_t Feed(ContextFixture& f, HandlerStates& h, std::initializer_list<std::string> lines) {
  for (const std::string& line : lines) {
    if (std::uint32_t code = ProcessLine(line, h, f.ctx)) return code;
  }
  return 0;
}

const std::vector<AddRegistryItem>& AddItems(const ContextFixture& f) {
  return std::get<std::vector<AddRegistryItem>>(f.sections.back().data);
}

TEST(AddRegistryTest, StoresItems) {
  ContextFixture f(SectionKind::kAddRegistry);
  HandlerStates h;
  ASSERT_EQ(Feed(f, h, {
                           "HKEY_LOCAL_MACHINE, Software\\Co, Count, REG_DWORD, FLG_ADDREG_REPLACEONLY, 1\n",
                           "HKEY_CURRENT_USER, Sub, Name, , , 1\n",
                           "HKEY_USERS, Sub, Name\n",
                           "APP_REG_ROOT, , Name, REG_BINARY, , 00FF10\n",
                           "HKEY_CLASSES_ROOT, Sub, , REG_MULTI_SZ, , a, \"b c\",\n",
                           "  d ; the list goes on over lines that end with a comma\n",
                           "HKEY_USERS, Sub\n",
                       }),
            0u);
  EXPECT_EQ(f.console.err, "");
  const auto& items = AddItems(f);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].root_key, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(items[0].subkey, "Software\\Co");
  EXPECT_EQ(items[0].value_name, "Count");
  EXPECT_EQ(items[0].data_type, "REG_DWORD");
  EXPECT_EQ(items[0].write_flag, "FLG_ADDREG_REPLACEONLY");
  EXPECT_EQ(items[0].dword, 1u);
  // Empty type and flag positions take the defaults.
  EXPECT_EQ(items[1].data_type, "REG_SZ");
  EXPECT_EQ(items[1].write_flag, "FLG_ADDREG_NOCLOBBER");
  EXPECT_EQ(items[1].sz, "1");
  // Root key, subkey and value name alone: a REG_SZ item with an empty value.
  EXPECT_EQ(items[2].data_type, "REG_SZ");
  EXPECT_EQ(items[2].write_flag, "FLG_ADDREG_NOCLOBBER");
  EXPECT_EQ(items[2].sz, "");
  EXPECT_EQ(items[3].subkey, "");
  EXPECT_EQ(items[3].binary, (std::vector<unsigned char>{0x00, 0xFF, 0x10}));
  EXPECT_EQ(items[4].multi_sz, (std::vector<std::string>{"a", "b c", "d"}));
  EXPECT_EQ(items[5].value_name, "");
  EXPECT_EQ(h.add_registry.state(), 0);
}

TEST(AddRegistryTest, StatementErrors) {
  struct Case {
    std::string line;
    std::uint32_t code;  // with the line stage
    std::string message;
  };
  const std::string comma = Sj("エラー：パラメータがカンマ(,)で区切られていません\n");
  const std::string count = Sj("エラー：定義文のパラメータに過不足があります\n");
  const std::string too_many = Sj("エラー：定義文のパラメータが多すぎます\n");
  auto undefined = [](const char* word) { return Sj("エラー：キーワード ") + word + Sj(" は未定義です\n"); };
  const Case cases[] = {
      {"HKEY_LOCAL_MACHINE\n", 0x64000,
       Sj("エラー：サブキー名とレジストリ項目名の両方を省略することは出来ません\n")},
      {", x\n", 0x44200, Sj("エラー：第1パラメータは省略できません\n")},
      {"HKEY_NOWHERE, a\n", 0x44300, undefined("HKEY_NOWHERE")},
      {"hkey_local_machine, a\n", 0x44300, undefined("hkey_local_machine")},
      {"\"HKEY_LOCAL_MACHINE\" a\n", 0x44400, comma},
      {"HKEY_USERS, a b\n", 0x44500, comma},
      {"HKEY_USERS, a, b c\n", 0x44600, comma},
      {"HKEY_USERS, a, b, reg_sz\n", 0x44700, undefined("reg_sz")},
      {"HKEY_USERS, a, b, REG_SZ x\n", 0x44800, comma},
      {"HKEY_USERS, a, b, REG_SZ, FLG_X\n", 0x44900, undefined("FLG_X")},
      {"HKEY_USERS, a, b, REG_SZ, FLG_ADDREG_NOCLOBBER x\n", 0x44A00, comma},
      {"HKEY_USERS, a, b, , , ,\n", 0x44B00,
       Sj("エラー：第 n パラメータ（ n >= 6 ）の位置にカンマ(,)があります\n")},
      {"HKEY_USERS, a, b, REG_BINARY, , 0\n", 0x44C30,
       Sj("エラー：16進データ（バイト列）の下位 4 ビットがありません\n")},
      {"HKEY_USERS, a, b, REG_BINARY, , \"\"\n", 0x44C10, Sj("エラー：16進データがありません\n")},
      {"HKEY_USERS, a, b, REG_DWORD, , 4294967296\n", 0x44D02,
       Sj("エラー：指定された数値が大きすぎます\n")},
      {"HKEY_USERS, a, b, REG_DWORD, , abc\n", 0x44D01,
       Sj("エラー：数値以外の値 abc が指定されています\n")},
      {"HKEY_USERS, a, b, REG_MULTI_SZ, , x y\n", 0x44F00, comma},
      {"HKEY_USERS, a, b, REG_SZ, , x, y\n", 0x45000, too_many},
      {"HKEY_USERS, a, b, REG_SZ, , x y\n", 0x45000, too_many},
      {"HKEY_USERS,\n", 0x64100, count},
      {"HKEY_USERS, a,\n", 0x64100, count},
      {"HKEY_USERS, a, b,\n", 0x64100, count},
      {"HKEY_USERS, a, b, REG_SZ, ; comment\n", 0x34100, count},
  };
  for (const Case& c : cases) {
    ContextFixture f(SectionKind::kAddRegistry);
    HandlerStates h;
    EXPECT_EQ(Feed(f, h, {c.line}), c.code) << c.line;
    EXPECT_EQ(f.console.err, c.message) << c.line;
    EXPECT_TRUE(AddItems(f).empty()) << c.line;
  }
}

TEST(AddRegistryTest, BinaryValueLimits) {
  // A line holds at most 511 bytes, so the longest values reach the handler
  // directly.
  for (std::size_t bytes : {std::size_t{1016}, std::size_t{1017}}) {
    ContextFixture f(SectionKind::kAddRegistry);
    AddRegistryHandler handler;
    for (const char* token : {"HKEY_USERS", ",", "k", ",", "v", ",", "REG_BINARY", ",", ","}) {
      ASSERT_EQ(handler.OnToken(token, f.ctx), 0u);
    }
    std::string hex;
    for (std::size_t i = 0; i < bytes; ++i) hex += "5a";
    if (bytes == 1016) {
      ASSERT_EQ(handler.OnToken(hex, f.ctx), 0u);
      ASSERT_EQ(handler.OnEnd(f.ctx), 0u);
      ASSERT_EQ(AddItems(f).size(), 1u);
      EXPECT_EQ(AddItems(f)[0].binary.size(), 1016u);
    } else {
      EXPECT_EQ(handler.OnToken(hex, f.ctx), 0x4C50u);
      EXPECT_EQ(f.console.err, Sj("エラー：サイズオーバー - 指定できる最大バイト数は 1016 までです\n"));
    }
  }
}

TEST(AddRegistryTest, MultiSzHoldsAtMost255Values) {
  ContextFixture f(SectionKind::kAddRegistry);
  HandlerStates h;
  ASSERT_EQ(Feed(f, h, {"HKEY_USERS, k, v, REG_MULTI_SZ, ,\n"}), 0u);
  for (int i = 0; i < 255; ++i) {
    std::string line = "v";
    line += std::to_string(i);
    line += ",\n";
    ASSERT_EQ(Feed(f, h, {line}), 0u) << i;
  }
  EXPECT_EQ(Feed(f, h, {"last\n"}), 0x44E00u);
  EXPECT_EQ(f.console.err,
            Sj("エラー：定義文のパラメータが多すぎます\n"
               "データタイプが REG_MULTI_SZ の場合、値の個数は 255 までしか指定できません\n"));

  ContextFixture g(SectionKind::kAddRegistry);
  HandlerStates h2;
  ASSERT_EQ(Feed(g, h2, {"HKEY_USERS, k, v, REG_MULTI_SZ, ,\n"}), 0u);
  for (int i = 0; i < 254; ++i) ASSERT_EQ(Feed(g, h2, {"v,\n"}), 0u);
  ASSERT_EQ(Feed(g, h2, {"v\n"}), 0u);
  ASSERT_EQ(AddItems(g).size(), 1u);
  EXPECT_EQ(AddItems(g)[0].multi_sz.size(), 255u);
}

TEST(AddRegistryTest, OpenStatementWaitsForTheNextToken) {
  ContextFixture f(SectionKind::kAddRegistry);
  HandlerStates h;
  ASSERT_EQ(Feed(f, h, {"HKEY_USERS, k, v, REG_SZ, FLG_ADDREG_NOCLOBBER,\n", "\n", "; note\n"}), 0u);
  EXPECT_TRUE(h.add_registry.open());
  EXPECT_TRUE(AddItems(f).empty());
  ASSERT_EQ(Feed(f, h, {"text\n"}), 0u);
  EXPECT_FALSE(h.add_registry.open());
  ASSERT_EQ(AddItems(f).size(), 1u);
  EXPECT_EQ(AddItems(f)[0].sz, "text");
}

TEST(DeleteRegistryTest, Table) {
  struct Case {
    std::string line;
    std::uint32_t code;
    std::string message;
  };
  const Case cases[] = {
      {"HKEY_LOCAL_MACHINE, Software\\Co\n", 0, ""},
      {"HKEY_CURRENT_USER, , Name\n", 0, ""},
      {"HKEY_CLASSES_ROOT, Sub, Name\n", 0, ""},
      {"APP_REG_ROOT, Sub\n", 0x63700, Sj("エラー：キーワード APP_REG_ROOT は未定義です\n")},
      {"hkey_local_machine, Sub\n", 0x63700, Sj("エラー：キーワード hkey_local_machine は未定義です\n")},
      {"HKEY_USERS\n", 0x63800,
       Sj("エラー：サブキー名とレジストリ項目名の両方を省略することは出来ません\n")},
      {"HKEY_USERS, , \"\"\n", 0x63800,
       Sj("エラー：サブキー名とレジストリ項目名の両方を省略することは出来ません\n")},
      {"HKEY_USERS, Sub,\n", 0x63900, Sj("エラー：定義文のパラメータに過不足があります\n")},
      {"HKEY_USERS,\n", 0x63900, Sj("エラー：定義文のパラメータに過不足があります\n")},
  };
  for (const Case& c : cases) {
    ContextFixture f(SectionKind::kDeleteRegistry);
    HandlerStates h;
    EXPECT_EQ(Feed(f, h, {c.line}), c.code) << c.line;
    EXPECT_EQ(f.console.err, c.message) << c.line;
    const auto& items = std::get<std::vector<DeleteRegistryItem>>(f.sections.back().data);
    EXPECT_EQ(items.size(), c.code == 0 ? 1u : 0u) << c.line;
  }
}

}  // namespace
}  // namespace inf

namespace inf {
namespace {

// The words listed for editors are the ones the rules take: every root key
// for Add Registry, all but APP_REG_ROOT for Delete Registry.
TEST(RegistryWordsTest, ListsTheWordsTheRulesTake) {
  ASSERT_EQ(RegistryRootKeys().size(), 5u);
  for (std::string_view root : RegistryRootKeys()) {
    EXPECT_TRUE(IsAddRegistryRootKey(root)) << root;
    EXPECT_EQ(IsDeleteRegistryRootKey(root), root != "APP_REG_ROOT") << root;
  }
  EXPECT_EQ(RegistryDataTypes().front(), "REG_SZ");
  EXPECT_EQ(RegistryDataTypes().size(), 4u);
  EXPECT_EQ(RegistryWriteFlags().front(), "FLG_ADDREG_NOCLOBBER");
  EXPECT_EQ(RegistryWriteFlags().size(), 2u);
}

}  // namespace
}  // namespace inf
