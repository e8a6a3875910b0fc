#include <unistd.h>

#include <cstdlib>

#include "base/console.h"
#include "base/host_path.h"

namespace base {
namespace {

// The character set of the locale as its name gives it: the first set of
// LC_ALL, LC_CTYPE and LANG, the order in which the C library looks. The name
// decides, whether or not that locale is installed.
bool LocaleIsUtf8() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return LocaleNameIsUtf8(value);
  }
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

class PosixConsole : public Console {
 public:
  PosixConsole(ConsoleEncoding encoding, Language language)
      : Console(language), convert_(PosixConsoleConvertsToUtf8(encoding, LocaleIsUtf8())) {}

  void Write(Stream stream, std::string_view sjis) override {
    int fd = stream == Stream::kOut ? STDOUT_FILENO : STDERR_FILENO;
    // A name the host wrote without a Shift-JIS form is shown as it wrote it.
    bool written = WriteAll(fd, ShownText(sjis, convert_));
    if (!written && stream == Stream::kOut) output_failed_ = true;
  }

  bool OutputFailed() const override { return output_failed_; }

 private:
  bool convert_;
  bool output_failed_ = false;
};

}  // namespace

std::unique_ptr<Console> MakeProcessConsole(ConsoleEncoding encoding, Language language, bool batch_redirected) {
  auto console = std::make_unique<PosixConsole>(encoding, language);
  if (!batch_redirected || isatty(STDOUT_FILENO)) return console;
  return std::make_unique<BatchedConsole>(std::move(console));
}

}  // namespace base
