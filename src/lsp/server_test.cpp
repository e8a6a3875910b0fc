#include "lsp/server.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "base/test_temp_folder.h"
#include "lsp/uri.h"

namespace lsp {
namespace {

using json = nlohmann::json;

const char kGoodInf[] =
    "[ App Information ]\n"
    "Maker = Kumo\n"
    "Program = Memo\n"
    "Version = 1.0\n"
    "InstallDir = \"\\Memo\"\n"
    "ExeFile = Memo.exe\n"
    "Uninstall = UnMemo.inf\n"
    "Caption = \"My Program\"\n"
    "Destination = ALTERNATIVE\n"
    "Unload = 1\n"
    "[ Copy Files ]\n"
    "\"\\Memo\\Memo.exe\", \"Memo.exe\", COPYFLG_REPLACEONLY\n";
const char kUninstallInf[] = "[ Uninstall Information ]\nMaker = Kumo\nProgram = Memo\n";

// A server in a folder of a sound package, and what it sent.
class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("src/Native.ina", std::string(192, 'N'));
    dir_.Write("src/Memo.exe", "MZ");
    dir_.Write("src/data/Help.txt", "help");
    dir_.Write("src/Install.inf", kGoodInf);
    dir_.Write("src/UnMemo.inf", kUninstallInf);
    uri_ = "file://" + UriPathOf(dir_.Path("src/Install.inf"));
    un_uri_ = "file://" + UriPathOf(dir_.Path("src/UnMemo.inf"));
  }
  static std::string UriPathOf(const std::string& path) {
    std::string out;
    for (char c : path) out += c == '\\' ? std::string("/") : std::string(1, c);
    return out.front() == '/' ? out : "/" + out;
  }
  void Start(json capabilities = json::object(), std::string locale = "en") {
    base::LanguageRequest request;
    request.override_tag = override_;
    server_ = std::make_unique<Server>(base::SystemFileAccess(), request,
                                       [this](const std::string& text) { sent_.push_back(json::parse(text)); });
    json response = Request("initialize", {{"capabilities", capabilities}, {"locale", locale}});
    ASSERT_TRUE(response.contains("result")) << response.dump();
    Notify("initialized", json::object());
  }
  json Request(const std::string& method, json params) {
    sent_.clear();
    server_->OnMessage(json{{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", params}}.dump(), now_);
    for (const json& m : sent_)
      if (m.contains("id") && m["id"] == id_) return m;
    return json{{"none", true}};
  }
  void Notify(const std::string& method, json params) {
    server_->OnMessage(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump(), now_);
  }
  // Lets time pass by `ms` and runs the checks due; answers the last
  // diagnostics published per URI.
  std::map<std::string, json> Wait(int ms = 100) {
    sent_.clear();
    now_ += std::chrono::milliseconds(ms);
    server_->RunDueChecks(now_);
    std::map<std::string, json> published;
    for (const json& m : sent_)
      if (m.value("method", "") == "textDocument/publishDiagnostics") published[m["params"]["uri"]] = m["params"];
    return published;
  }
  void Open(const std::string& uri, const std::string& text) {
    Notify("textDocument/didOpen", {{"textDocument", {{"uri", uri}, {"languageId", "inf"}, {"version", 1}, {"text", text}}}});
  }
  void Change(const std::string& uri, int line, int from, int to, const std::string& text) {
    Notify("textDocument/didChange",
           {{"textDocument", {{"uri", uri}, {"version", ++version_}}},
            {"contentChanges", {{{"range", {{"start", {{"line", line}, {"character", from}}},
                                            {"end", {{"line", line}, {"character", to}}}}},
                                 {"text", text}}}}});
  }
  json At(const std::string& method, int line, int character) {
    return Request(method, {{"textDocument", {{"uri", uri_}}}, {"position", {{"line", line}, {"character", character}}}});
  }

  base::TestTempFolder dir_;
  std::string uri_, un_uri_;
  std::string override_;
  std::unique_ptr<Server> server_;
  std::vector<json> sent_;
  int id_ = 0;
  int version_ = 1;
  Clock::time_point now_{};
};

std::string Codes(const json& params) {
  std::string codes;
  for (const json& d : params["diagnostics"])
    codes += (codes.empty() ? "" : " ") + std::to_string(d["range"]["start"]["line"].get<int>()) + ":" +
             std::to_string(d["range"]["start"]["character"].get<int>()) + ":" + d.value("code", "-");
  return codes;
}

// The buffer, not the file, is checked: a fault typed in is published at
// its line and column, the fix clears it; a change waits for the next one
// before the check runs; nothing on disk changes.
TEST_F(ServerTest, DiagnosticsFollowTheBuffer) {
  Start();
  Open(uri_, kGoodInf);
  EXPECT_EQ(Codes(Wait()[uri_]), "");
  Change(uri_, 7, 10, 22, "My Program");  // the quotes go
  EXPECT_TRUE(Wait(kRecheckDelay.count() - 1).empty());
  Change(uri_, 1, 0, 0, "");  // another change moves the check later
  EXPECT_TRUE(Wait(kRecheckDelay.count() - 1).empty());
  EXPECT_EQ(Codes(Wait(1)[uri_]), "7:13:0x41242600");
  Change(uri_, 7, 10, 20, "\"My Program\"");
  EXPECT_EQ(Codes(Wait()[uri_]), "");
  std::ifstream on_disk(dir_.Path("src/Install.inf"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(on_disk), {}), kGoodInf);
}

// Another open buffer of the folder stands in for its file, and a missing
// file's problem is shown in the open description.
TEST_F(ServerTest, TheFoldersOtherBuffersCount) {
  Start({{"workspace", {{"didChangeWatchedFiles", {{"dynamicRegistration", true}}}}}});
  ASSERT_EQ(sent_.size(), 2u);  // the reply, and the request to watch the files
  EXPECT_EQ(sent_[1]["method"], "client/registerCapability");
  server_->OnMessage(json{{"jsonrpc", "2.0"}, {"id", sent_[1]["id"]}, {"result", nullptr}}.dump(), now_);
  EXPECT_EQ(sent_.size(), 2u);  // its reply needs no answer
  Open(uri_, kGoodInf);
  Open(un_uri_, "[ Uninstall Information ]\nMaker = Kumo\n");
  auto published = Wait();
  EXPECT_EQ(Codes(published[un_uri_]), "0:0:0x41320002");
  EXPECT_EQ(Codes(published[uri_]), "");
  Change(uri_, 6, 12, 22, "Gone.inf");
  published = Wait();
  EXPECT_EQ(Codes(published[uri_]), "0:0:0x43000000");
  // A file changed on disk, reported by the editor, is read again.
  dir_.Write("src/Gone.inf", kUninstallInf);
  Notify("workspace/didChangeWatchedFiles", {{"changes", {{{"uri", std::string(UriFolder(uri_)) + "/Gone.inf"}, {"type", 1}}}}});
  EXPECT_EQ(Codes(Wait()[uri_]), "");
  Change(uri_, 6, 12, 20, "UnMemo.inf");
  Notify("textDocument/didClose", {{"textDocument", {{"uri", un_uri_}}}});
  published = Wait();
  EXPECT_EQ(Codes(published[uri_]), "");  // UnMemo.inf on disk is sound
  Notify("textDocument/didClose", {{"textDocument", {{"uri", uri_}}}});
  EXPECT_TRUE(Wait().empty());
}

// A character without a Shift-JIS form is an error at its place, counted in
// the negotiated encoding; a fault after it stands where the editor shows it.
TEST_F(ServerTest, CharactersWithoutShiftJisAndTheEncoding) {
  const std::string text = std::string(kGoodInf).replace(std::string(kGoodInf).find("Kumo"), 4,
                                                        "\xF0\x9F\x98\x80\xE3\x81\x82 x");
  for (const bool utf8 : {false, true}) {
    json capabilities = utf8 ? json{{"general", {{"positionEncodings", {"utf-16", "utf-8"}}}}} : json::object();
    Start(capabilities);
    Open(uri_, text);
    EXPECT_EQ(server_->encoding(), utf8 ? PositionEncoding::kUtf8 : PositionEncoding::kUtf16);
    // Maker = 😀あ x: the emoji at 8, the word x after it (text after the
    // definition) at 8 + 2 + 1 + 1 units in UTF-16, 8 + 4 + 3 + 1 in UTF-8 (16).
    EXPECT_EQ(Codes(Wait()[uri_]), utf8 ? "1:16:0x41242600 1:8:-" : "1:12:0x41242600 1:8:-");
  }
}

// Hover, completion, symbols and definition, from the reader's own lists.
TEST_F(ServerTest, EditorFeatures) {
  const std::string text = std::string(kGoodInf) +
                           "[ Add Registry ]\n"
                           "HKEY_LOCAL_MACHINE, \"Software\\Kumo\", \"Size\", REG_DWORD, FLG_ADDREG_REPLACEONLY, 3\n"
                           "[ Copy Files ]\n"
                           "\"\\Memo\\Help.txt\", \n";
  Start();
  Open(uri_, text);
  const auto hover = [&](int line, int character) {
    const json r = At("textDocument/hover", line, character)["result"];
    return r.is_null() ? std::string("null") : r["contents"]["value"].get<std::string>().substr(0, 30);
  };
  EXPECT_EQ(hover(0, 5), "**App Information**\n\nDescribes");
  EXPECT_EQ(hover(1, 0), "**Maker (App Information)**\n\nT");
  EXPECT_EQ(hover(13, 3), "**HKEY_LOCAL_MACHINE**\n\nRoot k");
  EXPECT_EQ(hover(13, 47), "**REG_DWORD**\n\nData type: a 32");
  EXPECT_EQ(hover(11, 30), "**COPYFLG_REPLACEONLY**\n\nCopy ");
  EXPECT_EQ(hover(1, 9), "null");  // a value

  const auto labels = [&](int line, int character) {
    std::string shown;
    const json reply = At("textDocument/completion", line, character);
    for (const json& item : reply["result"])
      shown += item["label"].get<std::string>() + "|";
    return shown;
  };
  EXPECT_EQ(labels(15, 16).find("Memo.exe|"), std::string::npos) << "only in the second column";
  const std::string file_names = labels(15, 18);
  EXPECT_NE(file_names.find("Memo.exe|"), std::string::npos) << file_names;
  EXPECT_NE(file_names.find("Help.txt|"), std::string::npos) << file_names;
  EXPECT_EQ(file_names.find("Native.ina"), std::string::npos) << file_names;
  EXPECT_EQ(labels(13, 0).substr(0, 55), "[ App Information ]|[ Uninstall Information ]|[ Make Di");
  EXPECT_NE(labels(13, 0).find("HKEY_USERS|APP_REG_ROOT|"), std::string::npos);
  EXPECT_NE(labels(2, 3).find("|Program|Version|InstallDir|"), std::string::npos);

  const json symbols = Request("textDocument/documentSymbol", {{"textDocument", {{"uri", uri_}}}})["result"];
  ASSERT_EQ(symbols.size(), 4u);
  EXPECT_EQ(symbols[1]["name"], "Copy Files");
  EXPECT_EQ(symbols[1]["range"]["start"]["line"], 10);
  EXPECT_EQ(symbols[1]["range"]["end"]["line"], 11);
  EXPECT_EQ(symbols[3]["range"]["end"]["line"], 16);

  const auto target = [&](int line, int character) {
    const json r = At("textDocument/definition", line, character)["result"];
    return r.is_null() ? std::string("null") : r["uri"].get<std::string>().substr(UriFolder(uri_).size());
  };
  EXPECT_EQ(target(6, 14), "/UnMemo.inf");
  EXPECT_EQ(target(11, 24), "/Memo.exe");
  EXPECT_EQ(target(15, 5), "/data/Help.txt");  // the last part of the path, found in a sub-folder
  EXPECT_EQ(target(1, 9), "null");
}

// Protocol rules: requests before initialize, unknown methods, bad
// parameters and anything after shutdown get errors and the server goes on;
// exit's status tells whether shutdown came first.
TEST_F(ServerTest, ProtocolErrors) {
  server_ = std::make_unique<Server>(base::SystemFileAccess(), base::LanguageRequest{},
                                     [this](const std::string& text) { sent_.push_back(json::parse(text)); });
  const auto error = [](const json& reply) { return reply.contains("error") ? reply["error"]["code"].get<int>() : 0; };
  EXPECT_EQ(error(Request("textDocument/hover", json::object())), -32002);
  Start();
  EXPECT_EQ(error(Request("textDocument/formatting", json::object())), -32601);
  EXPECT_EQ(error(Request("textDocument/hover", {{"textDocument", 3}})), -32602);
  sent_.clear();
  server_->OnMessage("{\"jsonrpc\":", now_);
  server_->OnMessage("[1, 2]", now_);
  server_->OnMessage("{\"jsonrpc\":\"2.0\",\"method\":\"$/cancelRequest\",\"params\":{\"id\":1}}", now_);
  ASSERT_EQ(sent_.size(), 2u);
  EXPECT_EQ(sent_[0]["error"]["code"], -32700);
  EXPECT_EQ(sent_[1]["error"]["code"], -32600);
  EXPECT_TRUE(Request("shutdown", nullptr)["result"].is_null());
  EXPECT_EQ(error(Request("textDocument/hover", json::object())), -32600);
  EXPECT_FALSE(server_->exited());
  Notify("exit", nullptr);
  EXPECT_TRUE(server_->exited());
  EXPECT_EQ(server_->exit_status(), 0);

  Start();
  Notify("exit", nullptr);
  EXPECT_EQ(server_->exit_status(), 1);
}

// The client's locale chooses the language where nothing else does; the
// kit's own setting wins.
TEST_F(ServerTest, LanguageFromTheLocale) {
  Start(json::object(), "ja");
  EXPECT_EQ(server_->language(), base::Language::kJapanese);
  override_ = "en";
  Start(json::object(), "ja");
  EXPECT_EQ(server_->language(), base::Language::kEnglish);
}

}  // namespace
}  // namespace lsp
