#include "lvar/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_table.h"

namespace lvar {
namespace {

// Every text is in every language, taking the same arguments;
// English is plain ASCII.
TEST(LvarMessagesTest, EveryLanguageHasEveryMessageWithTheSameArguments) {
  EXPECT_EQ(base::TableDisagreements(JapaneseMessage, EnglishMessage, Message::kCount), std::vector<std::string>{});
}

// Every Japanese text is in Japanese but the bare formats, which hold no words.
TEST(LvarMessagesTest, JapaneseTextsAreJapaneseButTheBareFormats) {
  EXPECT_EQ(base::UntranslatedTexts(JapaneseMessage, Message::kCount, {Message::kFailure, Message::kPlanLabelLine}),
            std::vector<std::string>{});
}

// A note's text: each %s filled in order, a word in the language shown, an
// argument copied as it is (a "%" in a name is no format), nothing for
// arguments that run out.
TEST(LvarMessagesTest, NoteTextFillsTheTextOfItsLanguage) {
  const base::Language en = base::Language::kEnglish, ja = base::Language::kJapanese;
  const struct {
    base::Language language;
    Note note;
    std::string text;
  } cases[] = {
      {en, {Message::kFaultChecksum, {"0x00000120", "0x01", "0x00"}},
       "the checksum byte at offset 0x00000120 is 0x01 but the bytes before it give 0x00"},
      {en, {Message::kWarnNoCopyLine, {"100%s.txt"}}, "the archive file 100%s.txt is named by no copy line"},
      {en, {Message::kFaultKindOrder, {Message::kKindProgram, "0x00000130", Message::kKindData}},
       "the program entry at offset 0x00000130 follows a data entry (install information, then programs, then data)"},
      // プログラムのエントリ (オフセット 0x00000130) がデータのエントリの後に
      {ja, {Message::kFaultKindOrder, {Message::kKindProgram, "0x00000130", Message::kKindData}},
       std::string(JapaneseMessage(Message::kKindProgram)) + "\x82\xCC\x83G\x83\x93\x83g\x83\x8A (\x83I\x83t\x83Z\x83"
       "b\x83g 0x00000130) \x82\xAA" + JapaneseMessage(Message::kKindData)},
      {en, {Message::kCannotWriteFile}, "cannot write "},
      {en, {}, ""},
  };
  for (const auto& c : cases) {
    const std::string text = NoteText(c.language, c.note);
    EXPECT_EQ(c.text, text.substr(0, c.text.size())) << text;
  }
}

}  // namespace
}  // namespace lvar
