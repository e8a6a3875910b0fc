// Tests of the wizard shell's helpers and of the string table. Run under
// Wine (the resource script is linked into this test program).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/encoding.h"
#include "pakforge/center_window.h"
#include "pakforge/pages/list_view_rows.h"
#include "pakforge/resource_text.h"
#include "pakforge/win32_services.h"

namespace pakforge {
namespace {

std::string Sjis(const char* utf8) {
  std::string out;
  EXPECT_TRUE(base::Utf8ToCp932(utf8, &out)) << utf8;
  return out;
}

TEST(StringTable, EveryTextIsTheProgramsShiftJisText) {
  struct Expected {
    int id;
    const char* utf8;
  };
  const Expected table[] = {
    {1, "VK-720 インストール用アーカイブ 作成支援ツール"},
    {4, "フォルダ '%s' が見つかりません。存在するフォルダを指定してください。"},
    {5, "ルート"},
    {6, "キー"},
    {7, "名称"},
    {8, "種類"},
    {9, "値"},
    {10, "ファイル名"},
    {12, "コピーするファイルが1つも見つかりません。有効なファイルが存在しないか、フォルダの指定が間違っています。"},
    {13, "すべての有効な入力枠に、値を入力してください。"},
    {14, "VK-410 インストール用アーカイブ 作成支援ツール"},
    {15, "起動する実行ﾌｧｲﾙを選択してください。"},
    {16, "キーと値は両方とも入力が必要です｡"},
    {17, "Pakforge.exe Ver 1.00.%02dJ\n"},
    {18, "BINARY 形式の入力値が正しくありません｡"},
    {19, "DWORD 形式の入力値が正しくありません｡"},
    {20, "SZ 形式の入力値が正しくありません｡ "},
    {21, "MULTI_SZ 形式の入力値が正しくありません。"},
    {22, "(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)"},
    {23, "コピー先フォルダ"},
    {28, "US版"},
    {29, "日本語版"},
    {30, "インストール先のフォルダ名ｶﾞ長すぎます。 短い名前を指定してください。"},
    {31, "エラーが発生しました｡ すべてのファイルを出力できませんでした｡"},
    {32, "プログラム名が長すぎます｡ 短い名前を指定してください｡"},
    {33, "出力ファイル名が長すぎます｡ 短い名前を指定してください｡"},
    {34, "ソースフォルダ名が長すぎます｡ 短い名前を指定してください｡"},
    {35, "既存"},
    {36, "独自"},
    {37, "New Folder"},
    {38, "この名前は使用できません。空白のみか､次の無効な文字が含まれています。\n\\ / : * ? \" < > |"},
    {39, "'Native.ina' がソースフォルダの中に見つかりません。"},
    {40, "同じ名前のフォルダが存在します｡"},
    {41, "[完了] をクリックすると '%s%s' ファイルを作成します｡\n\n指定されたソースフォルダ内にも必要なファイルが作成されます｡"},
    {42, "(見つかりません)"},
    {43, "ソースフォルダの中に、'Native.ina' ファイルが複数見つかりました。"},
    {44, "同じ名前のファイルが複数存在します。ソースフォルダの中を確認してください。"},
    {45, "'Pakmak.exe'が見つかりません。"},
    {46, "コピー先のパスが長すぎるファイルがあります。コピー先のフォルダ名やコピーするファイル名を短くしてください｡"},
    {47, "ソースフォルダ内のサブフォルダの中にも、さらにフォルダが存在しています。この階層構造はサポートしていません。"},
    {49, "コピーするファイルの中に、ソースフォルダ内に存在しないファイル（x印）があります。"},
    {50, "ファイルのコピー先を選んでください。[追加] で \"My Documents\" フォルダ内に独自のフォルダを作れます。"},
    {51, "ファイルのコピー先を選んでください。[追加] でアプリケーションフォルダ内に独自のフォルダを作れます。"},
    {52, "プロジェクトファイルを保存できませんでした。"},
  };
  for (const Expected& entry : table) {
    EXPECT_EQ(LoadText(entry.id), Sjis(entry.utf8)) << "string " << entry.id;
  }
  // Ids without a text load as the empty text.
  EXPECT_EQ(LoadText(2), "");
  EXPECT_EQ(LoadText(48), "");
}

TEST(StringTable, LoadTextCopiesSoTwoTextsCanBeHeld) {
  std::string first = LoadText(35);
  std::string second = LoadText(36);
  EXPECT_EQ(first, Sjis("既存"));
  EXPECT_EQ(second, Sjis("独自"));
}

// Records what would be shown instead of showing it.
class RecordedBoxes : public MessageBoxes {
 public:
  struct Shown {
    HWND owner;
    int string_id;
    std::string text;
    UINT style;
  };
  int ShowText(HWND owner, int string_id, const std::string& text, UINT style) override {
    shown.push_back({owner, string_id, text, style});
    return IDOK;
  }
  std::vector<Shown> shown;
};

TEST(MessageBoxes, TheCoreMessagesReachTheInjectedBoxesWithTextAndStyle) {
  RecordedBoxes boxes;
  const std::vector<RecordedBoxes::Shown>& shown = boxes.shown;
  EXPECT_EQ(boxes.Show(nullptr, 45, MB_ICONHAND), IDOK);
  const HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x1234));
  Win32MessageSink sink(boxes, owner);
  sink.Show(4, MessageIcon::kWarning, "src");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].owner, owner);
  EXPECT_EQ(shown[0].string_id, 45);
  EXPECT_EQ(shown[0].text, Sjis("'Pakmak.exe'が見つかりません。"));
  EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_ICONHAND));
  EXPECT_EQ(shown[1].string_id, 4);
  EXPECT_EQ(shown[1].text,
            Sjis("フォルダ 'src' が見つかりません。存在するフォルダを指定してください。"));
  EXPECT_EQ(shown[1].style, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST(FilesList, ColumnsAndItemDataShownFromTheRowsFields) {
  struct Case {
    FileRowKind kind;
    std::uint16_t number;
    bool startup;
    bool missing;
    const char* mark;
    const char* side;
    LPARAM data;
  } cases[] = {
      {AppRoot, 0, false, false, "", "A", 0x10000},
      {AppRoot, 3, true, false, "*", "A", 0x10003},
      {AppRoot, 4, true, true, "x", "A", 0x10004},  // a missing start-up program shows "x"
      {Doc, 0xFFFF, false, true, "x", "D", 0x2FFFF},
      {AppOriginal, 1, false, false, "", "A", 0x40001},
      {DocOriginal, 2, false, false, "", "D", 0x80002},
  };
  for (const Case& c : cases) {
    FileRow row;
    row.kind = c.kind;
    row.number = c.number;
    row.startup = c.startup;
    row.missing = c.missing;
    EXPECT_STREQ(FileRowMark(row), c.mark) << c.kind << " " << c.number;
    EXPECT_STREQ(FileRowSide(row), c.side) << c.kind << " " << c.number;
    EXPECT_EQ(FileRowData(row), c.data) << c.kind << " " << c.number;
  }
}

TEST(CenterWindow, OriginTruncatesTowardZero) {
  POINT p = CenteredOrigin(1280, 1024, 277, 141);
  EXPECT_EQ(p.x, 501);
  EXPECT_EQ(p.y, 441);
  // A window larger than the screen gets a negative origin, truncated
  // toward zero: (100 - 301) / 2 = -100.
  p = CenteredOrigin(100, 100, 301, 100);
  EXPECT_EQ(p.x, -100);
  EXPECT_EQ(p.y, 0);
}

}  // namespace
}  // namespace pakforge
