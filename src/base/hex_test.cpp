#include "base/hex.h"

#include <gtest/gtest.h>

#include <string>

namespace base {
namespace {

TEST(HexTest, PairsAndTheirFaults) {
  using R = HexPairsResult;
  struct Case { std::string text; std::size_t max; R result; std::vector<unsigned char> bytes; };
  const Case cases[] = {
      {"", 4, R::kOk, {}},
      {"00fFa9", 4, R::kOk, {0x00, 0xFF, 0xA9}},
      {"0g", 4, R::kBadSecondDigit, {}},
      {"12g0", 4, R::kBadFirstDigit, {0x12}},
      {"123", 4, R::kMissingLowDigit, {0x12}},
      {"0102", 2, R::kOk, {0x01, 0x02}},
      {"010203", 2, R::kTooLong, {0x01, 0x02}},
      {"01020x", 2, R::kBadSecondDigit, {0x01, 0x02}},  // the pair's fault comes first
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> bytes{0x55};
    EXPECT_EQ(ParseHexPairs(c.text, c.max, &bytes), c.result) << c.text;
    EXPECT_EQ(bytes, c.bytes) << c.text;
  }
  EXPECT_EQ(HexDigitValue('/'), -1);
  EXPECT_EQ(HexDigitValue(':'), -1);
  EXPECT_EQ(HexDigitValue('G'), -1);
  EXPECT_EQ(HexDigitValue('`'), -1);
}

TEST(HexTest, NumbersAndBytesWritten) {
  struct Case { std::uint64_t value; int digits; std::string text; };
  const Case cases[] = {
      {0, 0, "0x0"},
      {0x1F, 4, "0x001F"},
      {0xABCDE, 2, "0xABCDE"},  // more digits than asked: all of them
      {0xFFFFFFFFFFFFFFFFull, 8, "0xFFFFFFFFFFFFFFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(HexNumber(c.value, c.digits), c.text) << c.text;
  const unsigned char bytes[] = {0x00, 0xAB, 0x5F, 0xF0};
  EXPECT_EQ(HexBytes(bytes, sizeof bytes), "00AB5FF0");
}

}  // namespace
}  // namespace base
