#include "builder/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/capturing_console.h"
#include "base/text_table.h"

namespace builder {
namespace {

// Every message has a text in every language, taking the same arguments;
// English is plain ASCII.
TEST(MessagesTest, EveryLanguageHasEveryMessageWithTheSameArguments) {
  EXPECT_EQ(base::TableDisagreements(JapaneseMessage, EnglishMessage, Message::kCount), std::vector<std::string>{});
}

// Every Japanese text is in Japanese but the builder's historic ones, which
// keep their original English so that scripts find them; a text added in
// English only fails here.
TEST(MessagesTest, JapaneseTextsAreJapaneseButTheHistoricOnes) {
  const std::vector<Message> historic = {
      Message::kUsage2, Message::kCantFindDirectory, Message::kCantOpenFile, Message::kCantReadFile,
      Message::kCantFindMandatoryFile, Message::kCantOpenArchive, Message::kCantWriteArchive,
      Message::kOkCheckPassed, Message::kEntryCounts, Message::kErrorCodeLine};
  EXPECT_EQ(base::UntranslatedTexts(JapaneseMessage, Message::kCount, historic), std::vector<std::string>{});
}

TEST(MessagesTest, SayUsesTheConsolesLanguage) {
  base::CapturingConsole japanese(base::Language::kJapanese), english(base::Language::kEnglish);
  Say(japanese, base::Stream::kErr, Message::kMaskValueMissing, 'p');
  Say(english, base::Stream::kErr, Message::kMaskValueMissing, 'p');
  EXPECT_EQ(japanese.err, "\x83G\x83\x89\x81[\x81" "F -p \x82\xCC\x83}\x83X\x83N\x92l\x81i16\x90i\x90\x94\x81j\x82\xAA"
                          "\x8Ew\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\n");
  EXPECT_EQ(english.err, "Error: the mask value (hexadecimal) of -p is missing\n");
}

}  // namespace
}  // namespace builder
