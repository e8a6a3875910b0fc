#pragma once
// The console for tests: keeps every text a run writes, by stream.

#include <string>
#include <string_view>

#include "base/console.h"
#include "base/language.h"

namespace base {

/// Keeps everything written, for tests.
class CapturingConsole : public Console {
 public:
  explicit CapturingConsole(Language language = Language::kJapanese) : Console(language) {}
  void Write(Stream stream, std::string_view sjis) override {
    (stream == Stream::kOut ? out : err).append(sjis);
    if (stream == Stream::kWarning) warnings.append(sjis);
  }
  std::string out;
  std::string err;       ///< standard error, warnings included
  std::string warnings;  ///< what was written as warnings alone
};

}  // namespace base
