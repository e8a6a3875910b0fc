#pragma once
// Text output of console programs. The kit's messages are Shift-JIS byte
// strings; a Console decides how they reach the user.

#include <cstdarg>
#include <memory>
#include <string>
#include <string_view>

namespace base {

enum class Stream { kOut, kErr };

/// Where a console program's texts go. Messages are handed over as
/// Shift-JIS bytes, exactly as the program means them.
class Console {
 public:
  virtual ~Console() = default;
  /// Writes `sjis` to the given stream.
  virtual void Write(Stream stream, std::string_view sjis) = 0;
  /// printf-style formatting into the stream (arguments are byte strings).
  void Printf(Stream stream, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;
  void VPrintf(Stream stream, const char* format, va_list args);
  /// True once a write to standard output did not complete (for example to
  /// a pipe whose reader has gone). Call Flush() first when output may be
  /// held back.
  virtual bool OutputFailed() const { return false; }
  /// Writes out whatever standard output holds back (see BatchedConsole).
  virtual void Flush() {}
};

/// Holds back what goes to standard output and hands it to `inner` in
/// blocks of whole writes: when 64 KiB are held, before anything goes to
/// standard error (so the two streams keep their order), at Flush() and
/// when it goes. A program that prints a mark per file then makes a few
/// large writes instead of one per file.
class BatchedConsole : public Console {
 public:
  explicit BatchedConsole(std::unique_ptr<Console> inner) : inner_(std::move(inner)) {}
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

/// Keeps everything written, for tests.
class CapturingConsole : public Console {
 public:
  void Write(Stream stream, std::string_view sjis) override {
    (stream == Stream::kOut ? out : err).append(sjis);
  }
  std::string out;
  std::string err;
};

/// How the process console renders Shift-JIS messages.
enum class ConsoleEncoding {
  kAuto,   ///< Shift-JIS to pipes and files; readable text on a terminal
  kCp932,  ///< always the Shift-JIS bytes
  kUtf8,   ///< always converted to UTF-8
};

/// Reads an encoding choice ("cp932" or "utf-8", any case; anything else is
/// kAuto) from the environment variable `variable`.
ConsoleEncoding EncodingFromEnvironment(const char* variable);

/// The console of this process (standard output and standard error).
/// With kAuto, a stream that is a terminal gets readable text: UTF-8 on a
/// POSIX terminal with a UTF-8 locale, wide-character output on a Windows
/// console (whatever its code page); pipes and files get the Shift-JIS bytes.
/// With `batch_redirected`, standard output that is not a terminal is
/// batched (BatchedConsole); a terminal always shows each write at once.
std::unique_ptr<Console> MakeProcessConsole(ConsoleEncoding encoding, bool batch_redirected = false);

}  // namespace base
