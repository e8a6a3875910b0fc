#include "pakforge_build/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_table.h"

namespace pakforge_build {
namespace {

// Every text is in every language, taking the same arguments;
// English is plain ASCII.
TEST(PakforgeBuildMessagesTest, EveryLanguageHasEveryMessageWithTheSameArguments) {
  EXPECT_EQ(base::TableDisagreements(JapaneseMessage, EnglishMessage, Message::kCount), std::vector<std::string>{});
}

// Every Japanese text is in Japanese but the bare formats, which hold only
// names and arguments.
TEST(PakforgeBuildMessagesTest, JapaneseTextsAreJapaneseButTheBareFormats) {
  EXPECT_EQ(base::UntranslatedTexts(JapaneseMessage, Message::kCount, {Message::kPlusNativeIna, Message::kKeyAt}),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace pakforge_build
