#include "pakforge_build/wizard_messages.h"

#include <gtest/gtest.h>

#include "base/encoding.h"

namespace pakforge_build {
namespace {

TEST(WizardMessagesTest, ArgumentTakesThePlaceOfPercentSInEachLanguage) {
  std::string expected;
  ASSERT_TRUE(base::Utf8ToCp932("フォルダ 'src' が見つかりません。存在するフォルダを指定してください。",
                                &expected));
  EXPECT_EQ(WizardMessage(base::Language::kJapanese, 4, "src"), expected);
  EXPECT_EQ(WizardMessage(base::Language::kEnglish, 4, "src"),
            "The folder 'src' was not found. Specify a folder that exists.");
  EXPECT_EQ(WizardMessage(base::Language::kJapanese, 2), "");
  EXPECT_EQ(WizardMessage(base::Language::kEnglish, 2), "");
}

}  // namespace
}  // namespace pakforge_build
