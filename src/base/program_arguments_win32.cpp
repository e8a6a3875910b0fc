#include "base/program_arguments.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace base {
namespace {

// The code page 932 bytes of `wide`; a character without them becomes the
// default character "?" (WC_NO_BEST_FIT_CHARS keeps the system from
// choosing a look-alike instead).
std::string Cp932Argument(const wchar_t* wide) {
  const int length = static_cast<int>(std::wcslen(wide));
  if (length == 0) return std::string();
  const int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, "?", nullptr);
  if (size <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size, "?", nullptr);
  return bytes;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr && count == argc) {
    for (int i = 1; i < count; ++i) args.push_back(Cp932Argument(wide[i]));
  } else {
    args.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
  }
  if (wide != nullptr) LocalFree(wide);
  return args;
}

}  // namespace base
