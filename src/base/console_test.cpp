#include "base/console.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace base {
namespace {

// Logs each write it receives as "out:TEXT", "err:TEXT" or "warn:TEXT".
class LoggingConsole : public Console {
 public:
  explicit LoggingConsole(std::vector<std::string>* log) : log_(log) {}
  void Write(Stream stream, std::string_view sjis) override {
    log_->push_back((stream == Stream::kOut ? "out:" : stream == Stream::kErr ? "err:" : "warn:") + std::string(sjis));
  }

 private:
  std::vector<std::string>* log_;
};

TEST(BatchedConsoleTest, HoldsOutputBackButKeepsTheOrderOfTheStreams) {
  std::vector<std::string> log;
  {
    BatchedConsole console(std::make_unique<LoggingConsole>(&log));
    console.Write(Stream::kOut, "a");
    console.Printf(Stream::kOut, "%s", "b");
    EXPECT_TRUE(log.empty());
    console.Write(Stream::kErr, "E");
    console.Write(Stream::kOut, "c");
    console.Write(Stream::kWarning, "W");
    console.Flush();
    console.Flush();  // nothing held: no empty write
    console.Write(Stream::kOut, "d");
  }  // going: "d" still comes out
  EXPECT_EQ(log, (std::vector<std::string>{"out:ab", "err:E", "out:c", "warn:W", "out:d"}));
}

TEST(BatchedConsoleTest, WritesWholeBlocksWhenEnoughIsHeld) {
  std::vector<std::string> log;
  BatchedConsole console(std::make_unique<LoggingConsole>(&log));
  const std::string line(1000, '.');
  for (int i = 0; i < 66; ++i) console.Write(Stream::kOut, line);
  ASSERT_EQ(log.size(), 1u);  // 66,000 bytes passed 64 KiB after the 66th write
  EXPECT_EQ(log[0].size(), 4 + 66 * line.size());
}

TEST(ConsoleEncodingTest, LocaleAndOverrideDecideTheBytes) {
  struct Case {
    ConsoleEncoding encoding;
    const char* locale;
    bool utf8;
  } cases[] = {
      {ConsoleEncoding::kAuto, "", false},  // no locale: the Shift-JIS bytes, terminal or pipe
      {ConsoleEncoding::kAuto, "C", false},
      {ConsoleEncoding::kAuto, "POSIX", false},
      {ConsoleEncoding::kAuto, "ja_JP.SJIS", false},
      {ConsoleEncoding::kAuto, "en_US.UTF-8", true},  // terminal or pipe alike
      {ConsoleEncoding::kAuto, "ja_JP.utf8", true},
      {ConsoleEncoding::kAuto, "C.UTF-8", true},
      {ConsoleEncoding::kAuto, "de_DE.UTF-8@euro", true},
      {ConsoleEncoding::kAuto, "UTF-8", false},  // a language named UTF-8, no character set
      {ConsoleEncoding::kCp932, "en_US.UTF-8", false},
      {ConsoleEncoding::kUtf8, "C", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PosixConsoleConvertsToUtf8(c.encoding, LocaleNameIsUtf8(c.locale)), c.utf8)
        << "locale '" << c.locale << "', encoding " << static_cast<int>(c.encoding);
}

}  // namespace
}  // namespace base
