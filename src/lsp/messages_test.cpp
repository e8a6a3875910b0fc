#include "lsp/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_table.h"

namespace lsp {
namespace {

// Every text is in every language, taking the same arguments; English is
// plain ASCII.
TEST(LspMessagesTest, EveryLanguageHasEveryMessageWithTheSameArguments) {
  EXPECT_EQ(base::TableDisagreements(JapaneseMessage, EnglishMessage, Message::kCount), std::vector<std::string>{});
}

// Every Japanese text is in Japanese.
TEST(LspMessagesTest, JapaneseTextsAreJapanese) {
  EXPECT_EQ(base::UntranslatedTexts(JapaneseMessage, Message::kCount, {}), std::vector<std::string>{});
}

// Arguments fill each %s in order; the Japanese comes out as UTF-8.
TEST(LspMessagesTest, TextFillsArgumentsInUtf8) {
  EXPECT_EQ(Text(base::Language::kEnglish, Message::kUnknownMethod, {"a/%s"}), "Unknown method a/%s");
  EXPECT_EQ(Text(base::Language::kJapanese, Message::kUnknownMethod, {"x"}),
            "\xE4\xB8\x8D\xE6\x98\x8E\xE3\x81\xAA\xE3\x83\xA1\xE3\x82\xBD\xE3\x83\x83\xE3\x83\x89 x "
            "\xE3\x81\xA7\xE3\x81\x99");
}

}  // namespace
}  // namespace lsp
