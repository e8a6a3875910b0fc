#include "base/console.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/sjis.h"

namespace base {

void Console::Printf(Stream stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  VPrintf(stream, format, args);
  va_end(args);
}

void Console::VPrintf(Stream stream, const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n <= 0) return;
  std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  Write(stream, std::string_view(buffer.data(), static_cast<std::size_t>(n)));
}

void BatchedConsole::Write(Stream stream, std::string_view sjis) {
  if (stream != Stream::kOut) {
    Flush();
    inner_->Write(stream, sjis);
    return;
  }
  held_.append(sjis);
  if (held_.size() >= 64 * 1024) Flush();
}

void BatchedConsole::Flush() {
  if (held_.empty()) return;
  inner_->Write(Stream::kOut, held_);
  held_.clear();
}

ConsoleEncoding EncodingFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value) return ConsoleEncoding::kAuto;
  if (EqualsIgnoreAsciiCase(value, "cp932") || EqualsIgnoreAsciiCase(value, "shift_jis") ||
      EqualsIgnoreAsciiCase(value, "sjis"))
    return ConsoleEncoding::kCp932;
  if (EqualsIgnoreAsciiCase(value, "utf-8") || EqualsIgnoreAsciiCase(value, "utf8"))
    return ConsoleEncoding::kUtf8;
  return ConsoleEncoding::kAuto;
}

bool LocaleNameIsUtf8(std::string_view locale) {
  const std::size_t dot = locale.find('.');
  if (dot == std::string_view::npos) return false;
  std::string_view codeset = locale.substr(dot + 1);
  codeset = codeset.substr(0, codeset.find('@'));
  return EqualsIgnoreAsciiCase(codeset, "UTF-8") || EqualsIgnoreAsciiCase(codeset, "UTF8");
}

bool PosixConsoleConvertsToUtf8(ConsoleEncoding encoding, bool utf8_locale) {
  switch (encoding) {
    case ConsoleEncoding::kCp932: return false;
    case ConsoleEncoding::kUtf8: return true;
    case ConsoleEncoding::kAuto: break;
  }
  return utf8_locale;
}

}  // namespace base
