// pakmak-lsp's document-change handling: a server over an in-memory folder
// gets an Install.inf opened, then the operations the input spells, each
// introduced by one byte: a change of a range to a text (incremental or
// whole), hover, completion, definition, symbols, or time passing so that
// the check runs. Every request is answered, every published range lies
// in the buffer, and nothing is written.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/fake_file_system.h"
#include "base/fake_folder_lister.h"
#include "fuzz_support.h"
#include "lsp/server.h"

namespace {

using json = nlohmann::json;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  int Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string Text() {
    const auto wanted = static_cast<std::size_t>(Byte()) % 40;
    const std::size_t length = std::min(wanted, size_ - std::min(at_, size_));
    std::string text(reinterpret_cast<const char*>(data_) + at_, length);
    at_ += length;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  base::FakeFileSystem files;
  files.folders = {"/src"};
  files.files["/src/Native.ina"] = base::FakeFileSystem::Bytes(192, 'N');
  files.files["/src/Memo.exe"] = {'M', 'Z'};
  base::FakeFolderLister lister(files);
  std::vector<json> sent;
  lsp::Server server(base::FileAccess{files, lister}, base::LanguageRequest{},
                     [&](const std::string& text) { sent.push_back(json::parse(text)); });
  lsp::Clock::time_point now{};
  int id = 0;
  const auto send = [&](const std::string& method, json params, bool request) {
    json message = {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
    if (request) message["id"] = ++id;
    server.OnMessage(message.dump(-1, ' ', false, json::error_handler_t::replace), now);
  };
  Input input(data, size);
  const std::string uri = "file:///src/Install.inf";
  const json document = {{"uri", uri}};
  const bool utf8 = input.Byte() & 1;
  send("initialize", {{"capabilities", {{"general", {{"positionEncodings", {utf8 ? "utf-8" : "utf-16"}}}}}}}, true);
  send("textDocument/didOpen",
       {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", "[ App Information ]\nMaker = Kumo\n"}}}}, false);
  int lines = 2;  // a bound for the ranges published: grows with every text
  while (!input.empty()) {
    const int op = input.Byte() % 6;
    const json position = {{"line", input.Byte() % 8}, {"character", input.Byte() % 24}};
    const json request = {{"textDocument", document}, {"position", position}};
    const std::size_t answered = sent.size();
    const int asked = id + 1;
    switch (op) {
      case 0: {
        const json end = {{"line", input.Byte() % 8}, {"character", input.Byte() % 24}};
        const std::string text = input.Text();
        lines += static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        json change = {{"text", text}};
        if (input.Byte() % 4) change["range"] = {{"start", position}, {"end", end}};
        send("textDocument/didChange", {{"textDocument", document}, {"contentChanges", {change}}}, false);
        continue;
      }
      case 1: send("textDocument/hover", request, true); break;
      case 2: send("textDocument/completion", request, true); break;
      case 3: send("textDocument/definition", request, true); break;
      case 4: send("textDocument/documentSymbol", {{"textDocument", document}}, true); break;
      default:
        now += std::chrono::milliseconds(100);
        server.RunDueChecks(now);
        continue;
    }
    bool replied = false;
    for (std::size_t i = answered; i < sent.size(); ++i) replied |= sent[i].contains("id") && sent[i]["id"] == asked;
    FUZZ_CHECK(replied);
  }
  now += std::chrono::milliseconds(100);
  server.RunDueChecks(now);
  for (const json& message : sent) {
    if (message.value("method", "") != "textDocument/publishDiagnostics") continue;
    for (const json& d : message["params"]["diagnostics"]) {
      FUZZ_CHECK(d["range"]["start"]["line"].get<int>() >= 0);
      FUZZ_CHECK(d["range"]["end"]["line"].get<int>() <= lines + 2);
    }
  }
  FUZZ_CHECK(files.files.size() == 2 && files.log.empty());
  return 0;
}
