// Runs the built pakmak-lsp (pakmak-lsp.exe under Wine) as a separate
// process and talks to it as an editor does, over its standard input and
// output: initialize, a description with a fault opened and fixed, hover,
// completion, symbols, definition, a malformed message, shutdown and exit.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include <nlohmann/json.hpp>

#include "base/test_temp_folder.h"
#include "piped_process.h"
#include "process_runner.h"

namespace lsp_test {
namespace {

using json = nlohmann::json;

#ifdef _WIN32
const char kProgramName[] = "pakmak-lsp.exe";
#else
const char kProgramName[] = "pakmak-lsp";
#endif

const char kInstallInf[] =
    "[ App Information ]\r\n"
    "Maker = Kumo\r\n"
    "Program = Memo\r\n"
    "Version = 1.0\r\n"
    "InstallDir = \"\\Memo\"\r\n"
    "ExeFile = Memo.exe\r\n"
    "Uninstall = UnMemo.inf\r\n"
    "Caption = My Program\r\n"  // the fault: text after the definition
    "Destination = ALTERNATIVE\r\n"
    "Unload = 1\r\n"
    "[ Copy Files ]\r\n"
    "\"\\Memo\\Memo.exe\", \"Memo.exe\", COPYFLG_REPLACEONLY\r\n";

// The test's side of the conversation.
class Client {
 public:
  bool Start() { return server_.Start(test_support::ProgramBesideThisOne(kProgramName)); }
  void Send(const json& message) { SendRaw(message.dump()); }
  void SendRaw(const std::string& body) {
    ASSERT_TRUE(server_.Write("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body));
  }
  int Request(const std::string& method, json params) {
    Send({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", std::move(params)}});
    return id_;
  }
  void Notify(const std::string& method, json params) {
    Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
  }
  // The next message that `wanted` accepts (others are passed over); null
  // when none comes within ten seconds.
  template <typename Wanted>
  json Next(Wanted wanted) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < until) {
      json message;
      while (Take(&message)) {
        if (wanted(message)) return message;
      }
      buffer_ += server_.Read(100);
    }
    return nullptr;
  }
  json Reply(int id) {
    return Next([id](const json& m) { return m.contains("id") && m["id"] == id; });
  }
  json Diagnostics(const std::string& uri) {
    return Next([&](const json& m) {
      return m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri;
    });
  }
  test_support::PipedProcess& server() { return server_; }

 private:
  bool Take(json* message) {
    const std::size_t end = buffer_.find("\r\n\r\n");
    if (end == std::string::npos) return false;
    const std::size_t colon = buffer_.find(':');
    const std::size_t length = std::stoul(buffer_.substr(colon + 1, end - colon - 1));
    if (buffer_.size() < end + 4 + length) return false;
    *message = json::parse(buffer_.substr(end + 4, length));
    buffer_.erase(0, end + 4 + length);
    return true;
  }

  test_support::PipedProcess server_;
  std::string buffer_;
  int id_ = 0;
};

std::string FileUri(const std::string& path) {
  std::string uri = "file://";
  if (path.front() != '/') uri += '/';  // c:\... under Wine
  for (char c : path) {
    if (c == '\\') uri += '/';
    else if (c == ' ') uri += "%20";
    else uri += c;
  }
  return uri;
}

TEST(LspProtocolTest, AnEditorsSession) {
  base::TestTempFolder dir;
  dir.Write("src/Native.ina", std::string(192, 'N'));
  dir.Write("src/Memo.exe", "MZ");
  dir.Write("src/UnMemo.inf", "[ Uninstall Information ]\r\nMaker = Kumo\r\nProgram = Memo\r\n");
  const std::string on_disk = dir.Write("src/Install.inf", kInstallInf);
  const std::string uri = FileUri(on_disk);
  const json document = {{"uri", uri}};

  Client client;
  ASSERT_TRUE(client.Start());
  json reply = client.Reply(client.Request(
      "initialize", {{"processId", nullptr},
                     {"rootUri", nullptr},
                     {"capabilities", {{"general", {{"positionEncodings", {"utf-16"}}}}}}}));
  ASSERT_TRUE(reply.contains("result")) << reply.dump();
  EXPECT_EQ(reply["result"]["capabilities"]["positionEncoding"], "utf-16");
  client.Notify("initialized", json::object());

  client.Notify("textDocument/didOpen",
                {{"textDocument", {{"uri", uri}, {"languageId", "inf"}, {"version", 1}, {"text", kInstallInf}}}});
  json published = client.Diagnostics(uri);
  ASSERT_EQ(published["params"]["diagnostics"].size(), 1u) << published.dump();
  const json& fault = published["params"]["diagnostics"][0];
  EXPECT_EQ(fault["code"], "0x41242600");
  EXPECT_EQ(fault["range"]["start"]["line"], 7);
  EXPECT_EQ(fault["range"]["start"]["character"], 13);

  client.Notify("textDocument/didChange",
                {{"textDocument", {{"uri", uri}, {"version", 2}}},
                 {"contentChanges", {{{"range", {{"start", {{"line", 7}, {"character", 10}}},
                                                 {"end", {{"line", 7}, {"character", 20}}}}},
                                      {"text", "\"My Program\""}}}}});
  published = client.Diagnostics(uri);
  EXPECT_EQ(published["params"]["diagnostics"], json::array()) << published.dump();
  EXPECT_EQ(published["params"]["version"], 2);

  const auto at = [&](int line, int character) {
    return json{{"textDocument", document}, {"position", {{"line", line}, {"character", character}}}};
  };
  reply = client.Reply(client.Request("textDocument/hover", at(8, 3)));
  EXPECT_NE(reply["result"]["contents"]["value"].get<std::string>().find("MAINMEM_ONLY"), std::string::npos);
  reply = client.Reply(client.Request("textDocument/completion", at(11, 32)));
  ASSERT_EQ(reply["result"].size(), 2u) << reply.dump();
  EXPECT_EQ(reply["result"][0]["label"], "COPYFLG_NO_OVERWRITE");
  reply = client.Reply(client.Request("textDocument/documentSymbol", {{"textDocument", document}}));
  ASSERT_EQ(reply["result"].size(), 2u);
  EXPECT_EQ(reply["result"][1]["name"], "Copy Files");
  reply = client.Reply(client.Request("textDocument/definition", at(6, 14)));
  EXPECT_EQ(reply["result"]["uri"], FileUri(dir.Path("src/UnMemo.inf")));

  client.SendRaw("{\"jsonrpc\": \"2.0\", \"id\": 99, \"method\"");
  reply = client.Next([](const json& m) { return m.contains("error"); });
  EXPECT_EQ(reply["error"]["code"], -32700);
  reply = client.Reply(client.Request("workspace/executeCommand", {{"command", "x"}}));
  EXPECT_EQ(reply["error"]["code"], -32601);
  // Still answering.
  reply = client.Reply(client.Request("shutdown", nullptr));
  EXPECT_TRUE(reply.contains("result") && reply["result"].is_null()) << reply.dump();
  client.Notify("exit", nullptr);
  unsigned status = 99;
  EXPECT_TRUE(client.server().Wait(10000, &status));
  EXPECT_EQ(status, 0u);
}

}  // namespace
}  // namespace lsp_test
