#include "lvar/messages.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text_table.h"

namespace lvar {
namespace {

// Every text has a text in every language, taking the same arguments;
// English is plain ASCII.
TEST(LvarMessagesTest, EveryLanguageHasEveryTextWithTheSameArguments) {
  for (int i = 0; i < static_cast<int>(Message::kCount); ++i) {
    const Message id = static_cast<Message>(i);
    const std::string japanese = JapaneseMessage(id);
    const std::string english = EnglishMessage(id);
    EXPECT_FALSE(english.empty()) << "text " << i;
    EXPECT_EQ(base::PrintfArguments(japanese), base::PrintfArguments(english)) << "text " << i << ": " << english;
    for (unsigned char c : english) EXPECT_LT(c, 0x80) << "text " << i << ": " << english;
  }
}

}  // namespace
}  // namespace lvar
