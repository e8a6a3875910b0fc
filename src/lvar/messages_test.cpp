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

}  // namespace
}  // namespace lvar
