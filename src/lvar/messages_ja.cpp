// lvar's texts in Japanese, as the Shift-JIS (code page 932) bytes that reach
// the console; the comment above each shows it readably. Labels are padded in
// bytes, which in Shift-JIS are also the columns a terminal shows.

#include "base/text_table.h"
#include "lvar/messages.h"

namespace lvar {
namespace {

constexpr base::TextEntry<Message> kJapanese[] = {
    {Message::kUsage,
     // lvar: インストールアーカイブ (.lvar) の一覧、検査、比較、展開\n
     "lvar: \x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x83" "A\x81[\x83J\x83" "C\x83u (.lvar) \x82\xCC\x88\xEA\x97\x97\x81" "A\x8C\x9F\x8D\xB8\x81" "A\x94\xE4\x8Ar\x81" "A\x93W\x8AJ\n"
     // \n
     "\n"
     // 使い方:\n
     "\x8Eg\x82\xA2\x95\xFB:\n"
     //   lvar list    [--json] ARCHIVE         ヘッダとエントリごとに 1 行\n
     "  lvar list    [--json] ARCHIVE         \x83w\x83" "b\x83_\x82\xC6\x83G\x83\x93\x83g\x83\x8A\x82\xB2\x82\xC6\x82\xC9 1 \x8Ds\n"
     //   lvar verify  [--json] ARCHIVE         全フィールドとチェックサムを検査\n
     "  lvar verify  [--json] ARCHIVE         \x91S\x83t\x83" "B\x81[\x83\x8B\x83h\x82\xC6\x83`\x83" "F\x83" "b\x83N\x83T\x83\x80\x82\xF0\x8C\x9F\x8D\xB8\n"
     //   lvar diff    [--json] A B             追加、削除、変更されたエントリ\n
     "  lvar diff    [--json] A B             \x92\xC7\x89\xC1\x81" "A\x8D\xED\x8F\x9C\x81" "A\x95\xCF\x8DX\x82\xB3\x82\xEA\x82\xBD\x83G\x83\x93\x83g\x83\x8A\n"
     //   lvar extract [--force] [--rename] [--native-ina] ARCHIVE [DIR]\n
     "  lvar extract [--force] [--rename] [--native-ina] ARCHIVE [DIR]\n"
     //                                         全エントリを DIR に書き込む\n
     "                                        \x91S\x83G\x83\x93\x83g\x83\x8A\x82\xF0 DIR \x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDE\n"
     //   lvar plan    [--json] ARCHIVE         デバイスでのインストール内容\n
     "  lvar plan    [--json] ARCHIVE         \x83" "f\x83o\x83" "C\x83X\x82\xC5\x82\xCC\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x93\xE0\x97" "e\n"
     //   lvar -h | --help | --version\n
     "  lvar -h | --help | --version\n"
     // \n
     "\n"
     // オプション:\n
     "\x83I\x83v\x83V\x83\x87\x83\x93:\n"
     //   --json        標準出力に JSON 文書 (UTF-8) をひとつ出力\n
     "  --json        \x95W\x8F\x80\x8Fo\x97\xCD\x82\xC9 JSON \x95\xB6\x8F\x91 (UTF-8) \x82\xF0\x82\xD0\x82\xC6\x82\xC2\x8Fo\x97\xCD\n"
     //   --force       空でないフォルダに展開する (既存のファイルは置き換えない)\n
     "  --force       \x8B\xF3\x82\xC5\x82\xC8\x82\xA2\x83t\x83H\x83\x8B\x83_\x82\xC9\x93W\x8AJ\x82\xB7\x82\xE9 (\x8A\xF9\x91\xB6\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xCD\x92u\x82\xAB\x8A\xB7\x82\xA6\x82\xC8\x82\xA2)\n"
     //   --rename      同じ名前の 2 番目以降のエントリを拒否せず番号を付ける\n
     "  --rename      \x93\xAF\x82\xB6\x96\xBC\x91O\x82\xCC 2 \x94\xD4\x96\xDA\x88\xC8\x8D~\x82\xCC\x83G\x83\x93\x83g\x83\x8A\x82\xF0\x8B\x91\x94\xDB\x82\xB9\x82\xB8\x94\xD4\x8D\x86\x82\xF0\x95t\x82\xAF\x82\xE9\n"
     //   --native-ina  ヘッダのデバイス情報を Native.ina としても書き込む\n
     "  --native-ina  \x83w\x83" "b\x83_\x82\xCC\x83" "f\x83o\x83" "C\x83X\x8F\xEE\x95\xF1\x82\xF0 Native.ina \x82\xC6\x82\xB5\x82\xC4\x82\xE0\x8F\x91\x82\xAB\x8D\x9E\x82\xDE\n"
     // \n
     "\n"
     // 終了ステータス: 0 正常 / 完了 / 同一、1 アーカイブが異なる (diff)、\n
     "\x8FI\x97\xB9\x83X\x83" "e\x81[\x83^\x83X: 0 \x90\xB3\x8F\xED / \x8A\xAE\x97\xB9 / \x93\xAF\x88\xEA\x81" "A1 \x83" "A\x81[\x83J\x83" "C\x83u\x82\xAA\x88\xD9\x82\xC8\x82\xE9 (diff)\x81" "A\n"
     //   2 使い方の誤り (diff: すべてのエラー)、3 開けない・読めない、\n
     "  2 \x8Eg\x82\xA2\x95\xFB\x82\xCC\x8C\xEB\x82\xE8 (diff: \x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83G\x83\x89\x81[)\x81" "A3 \x8AJ\x82\xAF\x82\xC8\x82\xA2\x81" "E\x93\xC7\x82\xDF\x82\xC8\x82\xA2\x81" "A\n"
     //   4 アーカイブではない、5 途中で切れている、6 ありえない値のフィールド、\n
     "  4 \x83" "A\x81[\x83J\x83" "C\x83u\x82\xC5\x82\xCD\x82\xC8\x82\xA2\x81" "A5 \x93r\x92\x86\x82\xC5\x90\xD8\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x81" "A6 \x82\xA0\x82\xE8\x82\xA6\x82\xC8\x82\xA2\x92l\x82\xCC\x83t\x83" "B\x81[\x83\x8B\x83h\x81" "A\n"
     //   7 エントリ数・種類の順序・チェックサム・Install.inf の誤り、8 展開を拒否、\n
     "  7 \x83G\x83\x93\x83g\x83\x8A\x90\x94\x81" "E\x8E\xED\x97\xDE\x82\xCC\x8F\x87\x8F\x98\x81" "E\x83`\x83" "F\x83" "b\x83N\x83T\x83\x80\x81" "EInstall.inf \x82\xCC\x8C\xEB\x82\xE8\x81" "A8 \x93W\x8AJ\x82\xF0\x8B\x91\x94\xDB\x81" "A\n"
     //   9 書き込めない、10 格納されたインストール情報がビルダーの検査に通らない\n
     "  9 \x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xC8\x82\xA2\x81" "A10 \x8Ai\x94[\x82\xB3\x82\xEA\x82\xBD\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x8F\xEE\x95\xF1\x82\xAA\x83r\x83\x8B\x83_\x81[\x82\xCC\x8C\x9F\x8D\xB8\x82\xC9\x92\xCA\x82\xE7\x82\xC8\x82\xA2\n"},
    // lvar: %s: %s\n
    {Message::kFailure, "lvar: %s: %s\n"},
    // lvar: %s: オフセット %s: %s\n
    {Message::kFailureAt, "lvar: %s: \x83I\x83t\x83Z\x83" "b\x83g %s: %s\n"},
    {Message::kUsageError,
     // lvar: %s\n
     "lvar: %s\n"
     // （使い方は lvar --help で表示されます）\n
     "\x81i\x8Eg\x82\xA2\x95\xFB\x82\xCD lvar --help \x82\xC5\x95\\\x8E\xA6\x82\xB3\x82\xEA\x82\xDC\x82\xB7\x81j\n"},
    // 不明なオプション %s
    {Message::kUnknownOption, "\x95s\x96\xBE\x82\xC8\x83I\x83v\x83V\x83\x87\x83\x93 %s"},
    // 不明なコマンド %s
    {Message::kUnknownCommand, "\x95s\x96\xBE\x82\xC8\x83R\x83}\x83\x93\x83h %s"},
    // %s の引数の数が違います
    {Message::kWrongArgumentCount,
     "%s \x82\xCC\x88\xF8\x90\x94\x82\xCC\x90\x94\x82\xAA\x88\xE1\x82\xA2\x82\xDC\x82\xB7"},
    // --json は extract のオプションではありません
    {Message::kJsonNotForExtract,
     "--json \x82\xCD extract \x82\xCC\x83I\x83v\x83V\x83\x87\x83\x93\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},
    // --force、--rename、--native-ina は extract のオプションです
    {Message::kExtractOnlyOptions,
     "--force\x81" "A--rename\x81" "A--native-ina \x82\xCD extract \x82\xCC\x83I\x83v\x83V\x83\x87\x83\x93\x82\xC5\x82\xB7"},
    // エントリ数:             %u\n
    {Message::kHeaderEntries, "\x83G\x83\x93\x83g\x83\x8A\x90\x94:             %u\n"},
    // プラットフォームマスク: %s\n
    {Message::kHeaderPlatformMask, "\x83v\x83\x89\x83" "b\x83g\x83t\x83H\x81[\x83\x80\x83}\x83X\x83N: %s\n"},
    // OSバージョンマスク:     %s\n
    {Message::kHeaderOsMask, "OS\x83o\x81[\x83W\x83\x87\x83\x93\x83}\x83X\x83N:     %s\n"},
    // CPUタイプマスク:        %s\n
    {Message::kHeaderCpuMask, "CPU\x83^\x83" "C\x83v\x83}\x83X\x83N:        %s\n"},
    // インストール先:         %u (%s)\n
    {Message::kHeaderDestination, "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6:         %u (%s)\n"},
    // プラットフォーム情報:
    {Message::kBlockPlatform, "\x83v\x83\x89\x83" "b\x83g\x83t\x83H\x81[\x83\x80\x8F\xEE\x95\xF1:"},
    // OSバージョン情報:
    {Message::kBlockOsVersion, "OS\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1:"},
    // CPUタイプ情報:
    {Message::kBlockCpuType, "CPU\x83^\x83" "C\x83v\x8F\xEE\x95\xF1:"},
    {Message::kListColumns,
     // \n
     "\n"
     // オフセット  種類                     サイズ  名前\n
     "\x83I\x83t\x83Z\x83" "b\x83g  \x8E\xED\x97\xDE                     \x83T\x83" "C\x83Y  \x96\xBC\x91O\n"},
    // インストール情報
    {Message::kKindInstallInformation, "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x8F\xEE\x95\xF1"},
    // プログラム
    {Message::kKindProgram, "\x83v\x83\x8D\x83O\x83\x89\x83\x80"},
    // データ
    {Message::kKindData, "\x83" "f\x81[\x83^"},
    // 不明
    {Message::kKindUnknown, "\x95s\x96\xBE"},
    // %s: 正常: エントリ %d 個、%llu バイト、チェックサム 0x%02X\n
    {Message::kVerifySound,
     "%s: \x90\xB3\x8F\xED: \x83G\x83\x93\x83g\x83\x8A %d \x8C\xC2\x81" "A%llu \x83o\x83" "C\x83g\x81" "A\x83`\x83" "F\x83" "b\x83N\x83T\x83\x80 0x%02X\n"},
    // ヘッダ %s: %s -> %s\n
    {Message::kDiffHeader, "\x83w\x83" "b\x83_ %s: %s -> %s\n"},
    // ~ %s (%s、%u バイト -> %s、%u バイト)\n
    {Message::kDiffChanged, "~ %s (%s\x81" "A%u \x83o\x83" "C\x83g -> %s\x81" "A%u \x83o\x83" "C\x83g)\n"},
    // %c %s (%s、%u バイト)\n
    {Message::kDiffAddedOrRemoved, "%c %s (%s\x81" "A%u \x83o\x83" "C\x83g)\n"},
    // エントリの格納順が違います\n
    {Message::kDiffOrder,
     "\x83G\x83\x93\x83g\x83\x8A\x82\xCC\x8Ai\x94[\x8F\x87\x82\xAA\x88\xE1\x82\xA2\x82\xDC\x82\xB7\n"},
    // %10u  %s (格納名 %s)\n
    {Message::kExtractedRenamed, "%10u  %s (\x8Ai\x94[\x96\xBC %s)\n"},
    // %10u  Native.ina (ヘッダのデバイス情報)\n
    {Message::kExtractedNativeInfo,
     "%10u  Native.ina (\x83w\x83" "b\x83_\x82\xCC\x83" "f\x83o\x83" "C\x83X\x8F\xEE\x95\xF1)\n"},
    // %u 個のファイルを %s に書き込みました\n
    {Message::kExtractDone,
     "%u \x8C\xC2\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xF0 %s \x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x82\xDC\x82\xB5\x82\xBD\n"},
    // 再作成: pakmak %s ARCHIVE -p %04X -o %04X -c %04X\n
    {Message::kRebuild, "\x8D\xC4\x8D\xEC\x90\xAC: pakmak %s ARCHIVE -p %04X -o %04X -c %04X\n"},
    // %-21s %s\n
    {Message::kPlanLabelLine, "%-21s %s\n"},
    // インストール先:
    {Message::kPlanDestination, "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x90\xE6:"},
    // %s (コード %u)
    {Message::kPlanDestinationCode, "%s (\x83R\x81[\x83h %u)"},
    // インストールフォルダ:
    {Message::kPlanInstallFolder, "\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x83t\x83H\x83\x8B\x83_:"},
    // 起動プログラム:
    {Message::kPlanStartupProgram, "\x8BN\x93\xAE\x83v\x83\x8D\x83O\x83\x89\x83\x80:"},
    // メニュー表示名:
    {Message::kPlanMenuCaption, "\x83\x81\x83j\x83\x85\x81[\x95\\\x8E\xA6\x96\xBC:"},
    // 作成するフォルダ:
    {Message::kPlanFolders, "\x8D\xEC\x90\xAC\x82\xB7\x82\xE9\x83t\x83H\x83\x8B\x83_:"},
    // コピーするファイル:
    {Message::kPlanFiles, "\x83R\x83s\x81[\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B:"},
    // レジストリ値:
    {Message::kPlanRegistry, "\x83\x8C\x83W\x83X\x83g\x83\x8A\x92l:"},
    // アンインストール:
    {Message::kPlanUninstall, "\x83" "A\x83\x93\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B:"},
    // アンインストール:     アンインストール記述なし\n
    {Message::kPlanNoUninstall,
     "\x83" "A\x83\x93\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B:     \x83" "A\x83\x93\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x8BL\x8Fq\x82\xC8\x82\xB5\n"},
    //   削除するファイル:
    {Message::kPlanFilesDeleted, "  \x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B:"},
    //   削除するフォルダ:
    {Message::kPlanFoldersDeleted, "  \x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x83t\x83H\x83\x8B\x83_:"},
    //   削除するレジストリ:
    {Message::kPlanRegistryDeleted, "  \x8D\xED\x8F\x9C\x82\xB7\x82\xE9\x83\x8C\x83W\x83X\x83g\x83\x8A:"},
    // 警告:
    {Message::kPlanWarnings, "\x8Cx\x8D\x90:"},
    //  なし
    {Message::kPlanNone, " \x82\xC8\x82\xB5"},
    //  (アーカイブにありません)
    {Message::kPlanNotInArchive,
     " (\x83" "A\x81[\x83J\x83" "C\x83u\x82\xC9\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1)"},
};
static_assert(base::CoversEveryIdInOrder(kJapanese, Message::kCount));

}  // namespace

const char* JapaneseMessage(Message id) { return kJapanese[static_cast<int>(id)].text; }

}  // namespace lvar
