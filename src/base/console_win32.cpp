#include <windows.h>

#include "base/console.h"
#include "base/encoding.h"
#include "base/host_path.h"

namespace base {
namespace {

bool WriteBytes(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

class Win32Console : public Console {
 public:
  Win32Console(ConsoleEncoding encoding, Language language) : Console(language), encoding_(encoding) {
    handles_[0] = GetStdHandle(STD_OUTPUT_HANDLE);
    handles_[1] = GetStdHandle(STD_ERROR_HANDLE);
    for (int i = 0; i < 2; ++i) {
      DWORD mode = 0;
      is_console_[i] = handles_[i] != nullptr && handles_[i] != INVALID_HANDLE_VALUE &&
                       GetConsoleMode(handles_[i], &mode);
    }
  }

  void Write(Stream stream, std::string_view sjis) override {
    int i = stream == Stream::kOut ? 0 : 1;
    HANDLE h = handles_[i];
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
    // A name the host wrote without a Shift-JIS form comes marked
    // (MarkHostText): it is shown from its UTF-8 form.
    const bool marked = sjis.find('\xFF') != std::string_view::npos;
    if (encoding_ == ConsoleEncoding::kAuto && is_console_[i]) {
      // A console shows wide characters correctly whatever its code page.
      const std::string utf8 = marked ? ShownText(sjis, /*utf8=*/true) : std::string();
      const std::string_view text = marked ? std::string_view(utf8) : sjis;
      const UINT code_page = marked ? CP_UTF8 : 932;
      int n = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
      if (n > 0) {
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        DWORD written = 0;
        if (!WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) && i == 0)
          output_failed_ = true;
        return;
      }
    }
    bool written;
    if (marked) {
      written = WriteBytes(h, ShownText(sjis, encoding_ == ConsoleEncoding::kUtf8));
    } else {
      std::string utf8;
      written = encoding_ == ConsoleEncoding::kUtf8 && Cp932ToUtf8(sjis, &utf8) ? WriteBytes(h, utf8)
                                                                                 : WriteBytes(h, sjis);
    }
    if (!written && i == 0) output_failed_ = true;
  }

  bool OutputFailed() const override { return output_failed_; }

 private:
  bool output_failed_ = false;
  ConsoleEncoding encoding_;
  HANDLE handles_[2];
  bool is_console_[2];
};

}  // namespace

std::unique_ptr<Console> MakeProcessConsole(ConsoleEncoding encoding, Language language, bool batch_redirected) {
  DWORD mode = 0;
  const bool terminal = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
  auto console = std::make_unique<Win32Console>(encoding, language);
  if (!batch_redirected || terminal) return console;
  return std::make_unique<BatchedConsole>(std::move(console));
}

}  // namespace base
