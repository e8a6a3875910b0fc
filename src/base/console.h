#pragma once
// Text output of console programs. The kit's messages are Shift-JIS byte
// strings in the language the user reads; a Console knows that language and
// decides how the bytes reach the user.

#include <cstdarg>
#include <memory>
#include <string>
#include <string_view>

#include "base/language.h"

namespace base {

/// Where a text goes: standard output, or standard error; kWarning goes to
/// standard error too, and marks the text as one of the run's warnings, for
/// a program that reports them (pakforge-build --json).
enum class Stream { kOut, kErr, kWarning };

/// Where a console program's texts go. Messages are handed over as
/// Shift-JIS bytes, exactly as the program means them, taken from the
/// program's table for language().
class Console {
 public:
  explicit Console(Language language = Language::kJapanese) : language_(language) {}
  virtual ~Console() = default;
  /// The language of the reader: the program takes its texts from this
  /// language's table.
  Language language() const { return language_; }
  /// Writes `sjis` to the given stream.
  virtual void Write(Stream stream, std::string_view sjis) = 0;
  /// printf-style formatting into the stream (arguments are byte strings).
  void Printf(Stream stream, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;
  void VPrintf(Stream stream, const char* format, va_list args);
  /// Writes a text of a program's table: as it is when no arguments follow
  /// (a "%" in it stays), else with its printf conversions filled.
  template <typename... Args>
  void WriteText(Stream stream, const char* text, Args... args) {
    if constexpr (sizeof...(Args) == 0) {
      Write(stream, text);
    } else {
      Printf(stream, text, args...);
    }
  }
  /// True once a write to standard output did not complete (for example to
  /// a pipe whose reader has gone). Call Flush() first when output may be
  /// held back.
  virtual bool OutputFailed() const { return false; }
  /// Writes out whatever standard output holds back (see BatchedConsole).
  virtual void Flush() {}

 private:
  Language language_;
};

/// Writes text `id` of a program's table to `stream` in the console's
/// language, its printf conversions filled from `args`. The text is
/// `MessageText(language, id)` of the namespace that declares the id's
/// type, so every program's ids reach its own table.
template <typename Id, typename... Args>
void Say(Console& console, Stream stream, Id id, Args... args) {
  console.WriteText(stream, MessageText(console.language(), id), args...);
}

/// Drops everything written: for a step whose messages a caller replaces
/// with its own report (a tokeniser run only for its tokens, a command line
/// parsed again after the caller checked it).
class SilentConsole : public Console {
 public:
  explicit SilentConsole(Language language = Language::kJapanese) : Console(language) {}
  void Write(Stream, std::string_view) override {}
};

/// Holds back what goes to standard output and hands it to `inner` in
/// blocks of whole writes: when 64 KiB are held, before anything goes to
/// standard error or as a warning (so the streams keep their order), at Flush() and
/// when it goes. A program that prints a mark per file then makes a few
/// large writes instead of one per file.
class BatchedConsole : public Console {
 public:
  explicit BatchedConsole(std::unique_ptr<Console> inner)
      : Console(inner->language()), inner_(std::move(inner)) {}
  ~BatchedConsole() override { Flush(); }
  BatchedConsole(const BatchedConsole&) = delete;
  BatchedConsole& operator=(const BatchedConsole&) = delete;

  void Write(Stream stream, std::string_view sjis) override;
  bool OutputFailed() const override { return inner_->OutputFailed(); }
  void Flush() override;

 private:
  std::unique_ptr<Console> inner_;
  std::string held_;
};

/// How the process console renders Shift-JIS messages.
enum class ConsoleEncoding {
  kAuto,   ///< as the locale's character set says (see MakeProcessConsole)
  kCp932,  ///< always the Shift-JIS bytes
  kUtf8,   ///< always converted to UTF-8
};

/// Reads an encoding choice ("cp932" or "utf-8", any case; anything else is
/// kAuto) from the environment variable `variable`.
ConsoleEncoding EncodingFromEnvironment(const char* variable);

/// True when the locale named `locale` (as in LC_ALL, LC_CTYPE or LANG:
/// "en_US.UTF-8", "C.utf8") has UTF-8 as its character set.
bool LocaleNameIsUtf8(std::string_view locale);

/// Whether a POSIX console converts the Shift-JIS messages to UTF-8, for a
/// locale whose character set is UTF-8 or not. Terminals and pipes are
/// alike: a UTF-8 locale gets UTF-8 on both; any other locale (C, POSIX or
/// none) gets the Shift-JIS bytes as they are.
bool PosixConsoleConvertsToUtf8(ConsoleEncoding encoding, bool utf8_locale);

/// The console of this process (standard output and standard error), whose
/// reader speaks `language`. With kAuto, on POSIX the character set of the
/// locale (LC_ALL, LC_CTYPE, LANG) decides (PosixConsoleConvertsToUtf8); on
/// Windows a console gets wide-character output (whatever its code page) and
/// pipes and files get the Shift-JIS bytes.
/// With `batch_redirected`, standard output that is not a terminal is
/// batched (BatchedConsole); a terminal always shows each write at once.
std::unique_ptr<Console> MakeProcessConsole(ConsoleEncoding encoding, Language language,
                                            bool batch_redirected = false);

}  // namespace base
