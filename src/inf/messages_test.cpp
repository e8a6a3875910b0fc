#include "inf/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_table.h"

namespace inf {
namespace {

// Every message has a text in every language, taking the same arguments;
// English is plain ASCII.
TEST(InfMessagesTest, EveryLanguageHasEveryMessageWithTheSameArguments) {
  EXPECT_EQ(base::TableDisagreements(JapaneseInfMessage, EnglishInfMessage, InfMessage::kCount),
            std::vector<std::string>{});
}

// Every Japanese text is in Japanese but the historic ones, which read alike
// in every language.
TEST(InfMessagesTest, JapaneseTextsAreJapaneseButTheHistoricOnes) {
  EXPECT_EQ(base::UntranslatedTexts(JapaneseInfMessage, InfMessage::kCount,
                                    {InfMessage::kLineContext, InfMessage::kCopyFilesWithoutDefinition}),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace inf
