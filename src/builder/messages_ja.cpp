// The builder's messages in Japanese, as the Shift-JIS (code page 932) bytes
// that reach the console. The Japanese texts are written as escaped bytes;
// the comment above each shows it readably. The texts that are English here
// are the builder's own English, the same bytes in every language where the
// English table keeps them.

#include "base/text_table.h"
#include "builder/messages.h"

namespace builder {
namespace {

constexpr base::TextEntry<Message> kJapanese[] = {
    // The usage text, line by line (line 17 serves the three masks).
    // Pakmak: リモートインストール用アーカイブファイル作成ツール\n
    {Message::kUsage1,
     "Pakmak: \x83\x8A\x83\x82\x81[\x83g\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x97p\x83" "A\x81[\x83J\x83" "C\x83u\x83t\x83@\x83" "C\x83\x8B\x8D\xEC\x90\xAC\x83" "c\x81[\x83\x8B\n"},
    //   Usage: Pakmak DIRECTORY [ ARCHIVE ] [ -%c MASK ] [ -%c MASK ] [ -%c MASK ]\n\n
    {Message::kUsage2,
     "  Usage: Pakmak DIRECTORY [ ARCHIVE ] [ -%c MASK ] [ -%c MASK ] [ -%c MASK ]\n\n"},
    // DIRECTORY: インストール対象ファイル格納ディレクトリ指定\n
    {Message::kUsage3,
     "DIRECTORY: \x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x91\xCE\x8F\xDB\x83t\x83@\x83" "C\x83\x8B\x8Ai\x94[\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x8Ew\x92\xE8\n"},
    //   ・下記ファイルが格納されているディレクトリを指定する\n
    {Message::kUsage4,
     "  \x81" "E\x89\xBA\x8BL\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8Ai\x94[\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xF0\x8Ew\x92\xE8\x82\xB7\x82\xE9\n"},
    //       1. ネイティブアーキテクチャ情報ファイル（%s ファイル）\n
    {Message::kUsage5,
     "      1. \x83l\x83" "C\x83" "e\x83" "B\x83u\x83" "A\x81[\x83L\x83" "e\x83N\x83`\x83\x83\x8F\xEE\x95\xF1\x83t\x83@\x83" "C\x83\x8B\x81i%s \x83t\x83@\x83" "C\x83\x8B\x81j\n"},
    //          （ターゲットマシンで Devprobe を実行して作成するファイル）\n
    {Message::kUsage6,
     "         \x81i\x83^\x81[\x83Q\x83" "b\x83g\x83}\x83V\x83\x93\x82\xC5 Devprobe \x82\xF0\x8E\xC0\x8Ds\x82\xB5\x82\xC4\x8D\xEC\x90\xAC\x82\xB7\x82\xE9\x83t\x83@\x83" "C\x83\x8B\x81j\n"},
    //       2. インストール情報ファイル（%s ファイルなど）\n
    {Message::kUsage7,
     "      2. \x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x8F\xEE\x95\xF1\x83t\x83@\x83" "C\x83\x8B\x81i%s \x83t\x83@\x83" "C\x83\x8B\x82\xC8\x82\xC7\x81j\n"},
    //       3. プログラムファイル（EXE, DLL ファイルなど）\n
    {Message::kUsage8,
     "      3. \x83v\x83\x8D\x83O\x83\x89\x83\x80\x83t\x83@\x83" "C\x83\x8B\x81iEXE, DLL \x83t\x83@\x83" "C\x83\x8B\x82\xC8\x82\xC7\x81j\n"},
    //       4. その他データファイル（BMP, WAV ファイルなど）\n
    {Message::kUsage9,
     "      4. \x82\xBB\x82\xCC\x91\xBC\x83" "f\x81[\x83^\x83t\x83@\x83" "C\x83\x8B\x81iBMP, WAV \x83t\x83@\x83" "C\x83\x8B\x82\xC8\x82\xC7\x81j\n"},
    //   ・指定ディレクトリ下のファイルを元に、アーカイブファイルが作成される\n
    {Message::kUsage10,
     "  \x81" "E\x8Ew\x92\xE8\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x89\xBA\x82\xCC\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8C\xB3\x82\xC9\x81" "A\x83" "A\x81[\x83J\x83" "C\x83u\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8D\xEC\x90\xAC\x82\xB3\x82\xEA\x82\xE9\n"},
    //   ・ディレクトリ中にサブディレクトリがあっても構わない（ネスト可能）\n
    {Message::kUsage11,
     "  \x81" "E\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x92\x86\x82\xC9\x83T\x83u\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x82\xA0\x82\xC1\x82\xC4\x82\xE0\x8D\\\x82\xED\x82\xC8\x82\xA2\x81i\x83l\x83X\x83g\x89\xC2\x94\\\x81j\n"},
    //   ・この指定を省略すると、本メッセージが出力される\n
    {Message::kUsage12,
     "  \x81" "E\x82\xB1\x82\xCC\x8Ew\x92\xE8\x82\xF0\x8F\xC8\x97\xAA\x82\xB7\x82\xE9\x82\xC6\x81" "A\x96{\x83\x81\x83" "b\x83Z\x81[\x83W\x82\xAA\x8Fo\x97\xCD\x82\xB3\x82\xEA\x82\xE9\n"},
    // ARCHIVE: アーカイブファイル名指定\n
    {Message::kUsage13,
     "ARCHIVE: \x83" "A\x81[\x83J\x83" "C\x83u\x83t\x83@\x83" "C\x83\x8B\x96\xBC\x8Ew\x92\xE8\n"},
    //   ・作成するアーカイブファイルの名称を指定する（名称は自由）\n
    {Message::kUsage14,
     "  \x81" "E\x8D\xEC\x90\xAC\x82\xB7\x82\xE9\x83" "A\x81[\x83J\x83" "C\x83u\x83t\x83@\x83" "C\x83\x8B\x82\xCC\x96\xBC\x8F\xCC\x82\xF0\x8Ew\x92\xE8\x82\xB7\x82\xE9\x81i\x96\xBC\x8F\xCC\x82\xCD\x8E\xA9\x97R\x81j\n"},
    //   ・指定を省略すると、アーカイブファイルを作成しない（各種チェックのみ）\n
    {Message::kUsage15,
     "  \x81" "E\x8Ew\x92\xE8\x82\xF0\x8F\xC8\x97\xAA\x82\xB7\x82\xE9\x82\xC6\x81" "A\x83" "A\x81[\x83J\x83" "C\x83u\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x8D\xEC\x90\xAC\x82\xB5\x82\xC8\x82\xA2\x81i\x8A" "e\x8E\xED\x83`\x83" "F\x83" "b\x83N\x82\xCC\x82\xDD\x81j\n"},
    // -p MASK: プラットフォーム情報有効マスク指定\n
    {Message::kUsage16,
     "-p MASK: \x83v\x83\x89\x83" "b\x83g\x83t\x83H\x81[\x83\x80\x8F\xEE\x95\xF1\x97L\x8C\xF8\x83}\x83X\x83N\x8Ew\x92\xE8\n"},
    //   ・マスクの上位2バイトを16進数で指定する（デフォルト：-%c %04X ）\n
    {Message::kUsage17,
     "  \x81" "E\x83}\x83X\x83N\x82\xCC\x8F\xE3\x88\xCA" "2\x83o\x83" "C\x83g\x82\xF0" "16\x90i\x90\x94\x82\xC5\x8Ew\x92\xE8\x82\xB7\x82\xE9\x81i\x83" "f\x83t\x83H\x83\x8B\x83g\x81" "F-%c %04X \x81j\n"},
    // -o MASK: OSバージョン情報有効マスク指定\n
    {Message::kUsage18,
     "-o MASK: OS\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1\x97L\x8C\xF8\x83}\x83X\x83N\x8Ew\x92\xE8\n"},
    // -c MASK: CPUタイプ情報有効マスク指定\n
    {Message::kUsage20,
     "-c MASK: CPU\x83^\x83" "C\x83v\x8F\xEE\x95\xF1\x97L\x8C\xF8\x83}\x83X\x83N\x8Ew\x92\xE8\n"},

    // The command line and its mask values.
    // エラー：コマンドライン引数の数が多すぎます\n
    {Message::kTooManyArguments,
     "\x83G\x83\x89\x81[\x81" "F\x83R\x83}\x83\x93\x83h\x83\x89\x83" "C\x83\x93\x88\xF8\x90\x94\x82\xCC\x90\x94\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82\xDC\x82\xB7\n"},
    // エラー： -%c のマスク値（16進数）が指定されていません\n
    {Message::kMaskValueMissing,
     "\x83G\x83\x89\x81[\x81" "F -%c \x82\xCC\x83}\x83X\x83N\x92l\x81i16\x90i\x90\x94\x81j\x82\xAA\x8Ew\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\n"},
    // エラー：オプション指定が間違っています\n
    {Message::kBadOption,
     "\x83G\x83\x89\x81[\x81" "F\x83I\x83v\x83V\x83\x87\x83\x93\x8Ew\x92\xE8\x82\xAA\x8A\xD4\x88\xE1\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\n"},
    // エラー：インストール対象ファイル格納ディレクトリが指定されていません\n
    {Message::kDirectoryMissing,
     "\x83G\x83\x89\x81[\x81" "F\x83" "C\x83\x93\x83X\x83g\x81[\x83\x8B\x91\xCE\x8F\xDB\x83t\x83@\x83" "C\x83\x8B\x8Ai\x94[\x83" "f\x83" "B\x83\x8C\x83N\x83g\x83\x8A\x82\xAA\x8Ew\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\n"},
    // エラー：16進データの指定に過不足があります\n
    {Message::kHexWrongLength,
     "\x83G\x83\x89\x81[\x81" "F16\x90i\x83" "f\x81[\x83^\x82\xCC\x8Ew\x92\xE8\x82\xC9\x89\xDF\x95s\x91\xAB\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\n"},

    // The scan, the driver and the archive writer.
    {Message::kCantFindDirectory, "Error: Can't find  a directry [ %s ].\n"},
    {Message::kCantOpenFile, "Error: Can't open a file [ %s ].\n"},
    {Message::kCantReadFile, "Error: Can't read a file [ %s ].\n"},
    {Message::kCantFindMandatoryFile, "Error: Can't find mandatory file [ %s ].\n"},
    {Message::kCantOpenArchive, "Error: Can't open archive file [ %s ].\n"},
    {Message::kCantWriteArchive, "Error: Can't write archive file [ %s ].\n"},
    {Message::kOkCheckPassed, "Ok, Check Passed.\n"},
    {Message::kEntryCounts, "Install Information File = %d, Program File = %d, Data File = %d\n"},
    {Message::kErrorCodeLine, "Error Code = 0x%08X\n"},
    {Message::kNameNotShiftJis, "Error: A file name has no Shift-JIS form [ %s ].\n"},
    {Message::kNotRegularFile, "Error: Not a regular file (FIFO, socket or device) [ %s ].\n"},
    {Message::kCantExamineEntry, "Error: Can't examine an entry of the folder [ %s ].\n"},
    {Message::kCantWriteOutput, "Error: Can't write to standard output.\n"},
    {Message::kFileSizeChanged, "Error: A file changed while the archive was written [ %s ].\n"},
    {Message::kCantReplaceArchive, "Error: Can't replace archive file [ %s ].\n"},
    {Message::kTooManyEntries, "Error: Too many files for one archive (%llu; at most 65535).\n"},
    {Message::kNameTooLong,
     "Error: A file name is too long for the archive (%u bytes; at most 255) [ %s ].\n"},
    {Message::kFileTooLarge,
     "Error: A file is too large for the archive (an entry of 4 GiB or more) [ %s ].\n"},
    {Message::kNativeInfoSizeFound, "The file holds %llu bytes; a device description has %u.\n"},
    {Message::kNativeInfoTooLong,
     "Warning: The device description holds %llu bytes, not %u: only the first %u are used. "
     "Was it made by Devprobe on the device? [ %s ]\n"},
    {Message::kNativeInfoPlaceholder,
     "Warning: The device description is the example's placeholder, not one made by Devprobe on the device "
     "[ %s ].\n"},
    {Message::kLinkLeadsOutside, "Error: A link leads outside the source folder [ %s ].\n"},
    {Message::kLinkMakesLoop, "Error: A link leads back to a folder that holds it [ %s ].\n"},
    // エラー：--diagnostics の値が正しくありません。gnu、jsonl、sarif のいずれかを指定してください\n
    {Message::kBadDiagnosticsFormat,
     "\x83\x47\x83\x89\x81\x5B\x81\x46--diagnostics \x82\xCC\x92\x6C\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42gnu\x81\x41jsonl\x81\x41sarif \x82\xCC\x82\xA2\x82\xB8\x82\xEA\x82\xA9\x82\xF0\x8E\x77\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\n"},
    // エラー：--warnings の値が正しくありません。指定できる値は error だけです\n
    {Message::kBadWarningsValue,
     "\x83\x47\x83\x89\x81\x5B\x81\x46--warnings \x82\xCC\x92\x6C\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\x8E\x77\x92\xE8\x82\xC5\x82\xAB\x82\xE9\x92\x6C\x82\xCD error \x82\xBE\x82\xAF\x82\xC5\x82\xB7\n"},
    // エラー：警告がありました。--warnings=error の指定により失敗とします\n
    {Message::kWarningsAreErrors,
     "\x83\x47\x83\x89\x81\x5B\x81\x46\x8C\x78\x8D\x90\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42--warnings=error \x82\xCC\x8E\x77\x92\xE8\x82\xC9\x82\xE6\x82\xE8\x8E\xB8\x94\x73\x82\xC6\x82\xB5\x82\xDC\x82\xB7\n"},
};
static_assert(base::CoversEveryIdInOrder(kJapanese, Message::kCount));

}  // namespace

const char* JapaneseMessage(Message id) { return kJapanese[static_cast<int>(id)].text; }

}  // namespace builder
