#include "pakforge_build/wizard_messages.h"

#include "base/encoding.h"

namespace pakforge_build {
namespace {

// Texts of the wizard's string table (the resource script holds the same
// texts; a test compares the two).
const MessageEntry kMessages[] = {
    {4, "フォルダ '%s' が見つかりません。存在するフォルダを指定してください。"},
    {12, "コピーするファイルが1つも見つかりません。有効なファイルが存在しないか、フォルダの指定が間違っています。"},
    {13, "すべての有効な入力枠に、値を入力してください。"},
    {15, "起動する実行ﾌｧｲﾙを選択してください。"},
    {16, "キーと値は両方とも入力が必要です｡"},
    {18, "BINARY 形式の入力値が正しくありません｡"},
    {19, "DWORD 形式の入力値が正しくありません｡"},
    {20, "SZ 形式の入力値が正しくありません｡ "},
    {21, "MULTI_SZ 形式の入力値が正しくありません。"},
    {31, "エラーが発生しました｡ すべてのファイルを出力できませんでした｡"},
    {33, "出力ファイル名が長すぎます｡ 短い名前を指定してください｡"},
    {34, "ソースフォルダ名が長すぎます｡ 短い名前を指定してください｡"},
    {38, "この名前は使用できません。空白のみか､次の無効な文字が含まれています。\n\\ / : * ? \" < > |"},
    {39, "'Native.ina' がソースフォルダの中に見つかりません。"},
    {43, "ソースフォルダの中に、'Native.ina' ファイルが複数見つかりました。"},
    {44, "同じ名前のファイルが複数存在します。ソースフォルダの中を確認してください。"},
    {46, "コピー先のパスが長すぎるファイルがあります。コピー先のフォルダ名やコピーするファイル名を短くしてください｡"},
    {47, "ソースフォルダ内のサブフォルダの中にも、さらにフォルダが存在しています。この階層構造はサポートしていません。"},
    {49, "コピーするファイルの中に、ソースフォルダ内に存在しないファイル（x印）があります。"},
    {74, "起動コマンドラインに二重引用符 (\") は使用できません。Pakmak がアーカイブを作成できません。"},
    {75, "Pakmak はアンインストール情報のないアーカイブを作成できません。[アンインストール] の [有効にする] をオンにしてください。"},
    {90, "作成するファイルのうち 2 つが同じ名前になります。どちらかの名前を変更してください。\n\n%s"},
    {91, "ソースフォルダが、プロジェクトのフォルダの外を指すリンクになっています。プロジェクトのフォルダの中にあるフォルダを指定してください。\n\n%s"},
};

}  // namespace

const MessageEntry* MessageTable(int* count) {
  *count = static_cast<int>(sizeof kMessages / sizeof kMessages[0]);
  return kMessages;
}

std::string WizardMessage(int string_id, const std::string& argument) {
  for (const MessageEntry& entry : kMessages) {
    if (entry.id != string_id) continue;
    std::string text;
    if (!base::Utf8ToCp932(entry.utf8, &text)) return std::string();
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, argument);
    return text;
  }
  return std::string();
}

}  // namespace pakforge_build
