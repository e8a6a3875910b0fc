#pragma once
// The language server: answers an editor's JSON-RPC messages about install
// descriptions and publishes every problem the builder's own check finds in
// the folder of each open .inf document, its unsaved buffers standing in for
// their files. It reads files, never writes one.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/file_access.h"
#include "base/language.h"
#include "base/overlay_file_system.h"
#include "lsp/description_outline.h"
#include "lsp/message_reader.h"
#include "lsp/text_document.h"

namespace lsp {

using Clock = std::chrono::steady_clock;

/// How long a folder's check waits after a change for the next one.
inline constexpr std::chrono::milliseconds kRecheckDelay{15};

/// The server's state between messages. Messages come in through OnEvent
/// (or OnMessage); what it sends goes to `send` as whole JSON texts, which
/// the caller frames. Checks wait until RunDueChecks is called at or after
/// their time.
class Server {
 public:
  using Send = std::function<void(const std::string& json)>;

  /// `disk` reaches the files as they are saved; `request` decides the
  /// language of the texts (the client's locale counts where the request
  /// names none).
  Server(base::FileAccess disk, base::LanguageRequest request, Send send);

  /// Handles what the message reader found, at time `now`.
  void OnEvent(ReadEvent event, Clock::time_point now);
  /// Handles one message body. The body is let go as it is parsed, so that
  /// a large one is not held beside what is read from it.
  void OnMessage(MessageBody body, Clock::time_point now);
  void OnMessage(std::string body, Clock::time_point now) { OnMessage(MessageBody(std::move(body)), now); }

  /// Runs the checks due by `now`; answers when the next one is due.
  std::optional<Clock::time_point> RunDueChecks(Clock::time_point now);
  /// Checks run so far.
  int checks_run() const { return checks_run_; }

  /// True once `exit` was received; the process then ends with exit_status().
  bool exited() const { return exited_; }
  /// 0 when `shutdown` came before `exit`, 1 otherwise.
  int exit_status() const { return shutdown_ ? 0 : 1; }
  PositionEncoding encoding() const { return encoding_; }
  base::Language language() const { return language_; }

 private:
  struct Document {
    std::string uri;
    std::string path;    // host path
    std::string folder;  // host path of its folder
    int version = 0;
    TextDocument text;  // held once, as the image the checks read
    std::vector<OutlineSection> sections;
  };
  struct Folder {
    std::string uri;  // of the folder, without a trailing "/"
    std::optional<Clock::time_point> due;
    std::set<std::string> published;  // URIs whose diagnostics are not empty
  };

  void Dispatch(const nlohmann::json& message, Clock::time_point now);
  void Reply(const nlohmann::json& id, nlohmann::json result);
  void ReplyError(const nlohmann::json& id, int code, const std::string& message);
  void Notify(const char* method, nlohmann::json params);

  nlohmann::json Initialize(const nlohmann::json& params);
  void DidOpen(const nlohmann::json& params, Clock::time_point now);
  void DidChange(const nlohmann::json& params, Clock::time_point now);
  void DidClose(const nlohmann::json& params, Clock::time_point now);
  void DidSave(const nlohmann::json& params, Clock::time_point now);
  void DidChangeWatchedFiles(const nlohmann::json& params, Clock::time_point now);
  nlohmann::json Hover(const nlohmann::json& params);
  nlohmann::json Completion(const nlohmann::json& params);
  nlohmann::json DocumentSymbols(const nlohmann::json& params);
  nlohmann::json Definition(const nlohmann::json& params);

  Document* Find(const nlohmann::json& params);
  /// The part of a statement of `document` at the editor's `position`.
  StatementPart PartUnder(const Document& document, const Position& position) const;
  void Refresh(Document& document);
  void Schedule(const std::string& folder, Clock::time_point when);
  void Check(const std::string& folder);
  nlohmann::json RangeOf(const Document& document, int line, int start_char, int end_char) const;
  /// The folder's files as (path relative to it, Shift-JIS name), found
  /// through the overlay, at most a few thousand.
  std::vector<std::pair<std::string, std::string>> FolderFiles(const std::string& folder);

  base::OverlayFileSystem overlay_;
  base::OverlayFolderLister overlay_lister_;
  base::LanguageRequest request_;
  base::Language language_;
  Send send_;
  PositionEncoding encoding_ = PositionEncoding::kUtf16;
  bool initialized_ = false;
  bool shutdown_ = false;
  bool exited_ = false;
  bool watch_files_ = false;  // the client registers file watchers for the server
  int next_request_id_ = 1;
  int checks_run_ = 0;
  std::map<std::string, Document> documents_;  // by URI
  std::map<std::string, Folder> folders_;      // by host path
};

}  // namespace lsp
