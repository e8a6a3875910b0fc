// pakmak-lsp: the language server for install descriptions. A thread reads
// standard input and hands its bytes over; the main thread frames messages,
// answers them and runs the checks when their wait is over.

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "base/encoding.h"
#include "base/file_access.h"
#include "base/language.h"
#include "kit_version.h"
#include "lsp/message_reader.h"
#include "lsp/messages.h"
#include "lsp/server.h"

namespace {

// What the reading thread hands over.
struct Inbox {
  std::mutex mutex;
  std::condition_variable ready;
  std::deque<std::string> pieces;
  bool ended = false;
};

// Whatever standard input holds now (waiting for at least one byte): 0 at
// its end, negative on an error.
long ReadSome(char* buffer, unsigned size) {
#ifdef _WIN32
  return _read(0, buffer, size);
#else
  return static_cast<long>(::read(0, buffer, size));
#endif
}

void ReadInput(Inbox* inbox) {
  char buffer[64 * 1024];
  for (;;) {
    const long got = ReadSome(buffer, sizeof buffer);
    std::lock_guard<std::mutex> lock(inbox->mutex);
    if (got > 0) {
      inbox->pieces.emplace_back(buffer, static_cast<std::size_t>(got));
    } else {
      inbox->ended = true;
      inbox->ready.notify_one();
      return;
    }
    inbox->ready.notify_one();
  }
}

void Write(const std::string& body) {
  const std::string header = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  std::fwrite(header.data(), 1, header.size(), stdout);
  std::fwrite(body.data(), 1, body.size(), stdout);
  std::fflush(stdout);
}

// Ends the process without waiting for the reading thread, which may be
// blocked in a read.
[[noreturn]] void End(int status) {
  std::fflush(stdout);
  std::_Exit(status);
}

void Print(FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The protocol counts bytes: no CR LF translation on either stream.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  base::LanguageRequest request = base::CurrentLanguageRequest();
  const base::Language available[] = {base::Language::kEnglish, base::Language::kJapanese};
  const base::Language language = base::ChooseLanguage(request, available);
  if (argc > 1) {
    const std::string argument = argv[1];
    if (argument == "--version") {
      Print(stdout, PAK_KIT_NAME " " PAK_KIT_VERSION "\n");
      return 0;
    }
    // The usage goes to the terminal in its encoding (UTF-8 here; the
    // messages' Japanese is converted).
    if (argument == "--help" || argument == "-h") {
      Print(stdout, lsp::Text(language, lsp::Message::kUsage));
      return 0;
    }
    Print(stderr, lsp::Text(language, lsp::Message::kUnknownArgument, {argument}));
    return 2;
  }

#ifdef __GLIBC__
  // Blocks of a message's size (a buffer's text, its image, the message
  // itself) are mapped on their own and given back as soon as they are
  // freed, instead of glibc raising its threshold and keeping them in the
  // heap after the first one is freed.
  mallopt(M_MMAP_THRESHOLD, 64 * 1024);
#endif
  Inbox inbox;
  std::thread reader(ReadInput, &inbox);
  reader.detach();
  lsp::MessageReader framing;
  lsp::Server server(base::SystemFileAccess(), request, Write);
  std::vector<lsp::ReadEvent> events;
  std::optional<lsp::Clock::time_point> due;
  for (;;) {
    std::deque<std::string> pieces;
    bool ended = false;
    {
      std::unique_lock<std::mutex> lock(inbox.mutex);
      const auto has_input = [&] { return !inbox.pieces.empty() || inbox.ended; };
      if (due) inbox.ready.wait_until(lock, *due, has_input);
      else inbox.ready.wait(lock, has_input);
      pieces.swap(inbox.pieces);
      ended = inbox.ended;
    }
    for (const std::string& piece : pieces) {
      events.clear();
      framing.Feed(piece, &events);
      for (lsp::ReadEvent& event : events) {
        // The server takes the body and lets it go once it is parsed.
        server.OnEvent(std::move(event), lsp::Clock::now());
        if (server.exited()) End(server.exit_status());
      }
    }
    events.clear();
    pieces.clear();
    [[maybe_unused]] const int checks_before = server.checks_run();
    due = server.RunDueChecks(lsp::Clock::now());
#ifdef __GLIBC__
    // Give back what a check and the messages before it held for a moment
    // (what the check read and found, the reader's pieces), once the
    // diagnostics are out: glibc keeps freed memory otherwise, and the
    // server lives as long as the editor. A check that a message made due
    // at once (didOpen, didSave) counts as well as one whose wait is over.
    if (server.checks_run() != checks_before) malloc_trim(0);
#endif
    // The editor went away without exit: as an exit without shutdown.
    if (ended) End(server.exited() ? server.exit_status() : 1);
  }
}
