#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstring>

#include "base/console.h"
#include "base/encoding.h"
#include "base/sjis.h"

namespace base {
namespace {

bool LocaleIsUtf8() {
  std::setlocale(LC_CTYPE, "");
  const char* codeset = nl_langinfo(CODESET);
  bool utf8 = codeset && (EqualsIgnoreAsciiCase(codeset, "UTF-8") || EqualsIgnoreAsciiCase(codeset, "UTF8"));
  std::setlocale(LC_CTYPE, "C");
  return utf8;
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
  explicit PosixConsole(ConsoleEncoding encoding) {
    bool utf8_locale = encoding == ConsoleEncoding::kAuto && LocaleIsUtf8();
    for (int i = 0; i < 2; ++i) {
      int fd = i == 0 ? STDOUT_FILENO : STDERR_FILENO;
      convert_[i] = encoding == ConsoleEncoding::kUtf8 ||
                    (encoding == ConsoleEncoding::kAuto && utf8_locale && isatty(fd));
    }
  }

  void Write(Stream stream, std::string_view sjis) override {
    int i = stream == Stream::kOut ? 0 : 1;
    int fd = i == 0 ? STDOUT_FILENO : STDERR_FILENO;
    std::string utf8;
    bool written = convert_[i] && Cp932ToUtf8(sjis, &utf8) ? WriteAll(fd, utf8) : WriteAll(fd, sjis);
    if (!written && i == 0) output_failed_ = true;
  }

  bool OutputFailed() const override { return output_failed_; }

 private:
  bool convert_[2];
  bool output_failed_ = false;
};

}  // namespace

std::unique_ptr<Console> MakeProcessConsole(ConsoleEncoding encoding, bool batch_redirected) {
  auto console = std::make_unique<PosixConsole>(encoding);
  if (!batch_redirected || isatty(STDOUT_FILENO)) return console;
  return std::make_unique<BatchedConsole>(std::move(console));
}

}  // namespace base
