#include "builder/messages.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text_table.h"

namespace builder {
namespace {

// Every message has a text in every language, taking the same arguments;
// English is plain ASCII.
TEST(MessagesTest, EveryLanguageHasEveryMessageWithTheSameArguments) {
  for (int i = 0; i < static_cast<int>(Message::kCount); ++i) {
    const Message id = static_cast<Message>(i);
    const std::string japanese = JapaneseMessage(id);
    const std::string english = EnglishMessage(id);
    EXPECT_FALSE(english.empty()) << "message " << i;
    EXPECT_EQ(base::PrintfArguments(japanese), base::PrintfArguments(english)) << "message " << i << ": " << english;
    for (unsigned char c : english) EXPECT_LT(c, 0x80) << "message " << i << ": " << english;
  }
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
