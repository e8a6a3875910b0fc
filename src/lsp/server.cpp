#include "lsp/server.h"

#include <algorithm>
#include <cstdio>

#include "base/encoding.h"
#include "base/host_path.h"
#include "base/sjis.h"
#include "builder/folder_check.h"
#include "builder/diagnostic_format.h"
#include "inf/key_setters.h"
#include "inf/list_sections.h"
#include "inf/named_files.h"
#include "inf/registry_sections.h"
#include "inf/section_table.h"
#include "lsp/message_json.h"
#include "lsp/messages.h"
#include "lsp/uri.h"

namespace lsp {
namespace {

using json = nlohmann::json;

// JSON-RPC error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;

// LSP's DiagnosticSeverity, SymbolKind and CompletionItemKind values.
constexpr int kSeverityError = 1;
constexpr int kSeverityWarning = 2;
constexpr int kSymbolNamespace = 3;
constexpr int kCompletionKeyword = 14;
constexpr int kCompletionProperty = 10;
constexpr int kCompletionFile = 17;
constexpr int kCompletionModule = 9;

// Most files of a folder offered or searched.
constexpr std::size_t kMaxFolderFiles = 5000;

bool IsDescriptionPath(std::string_view path) {
  return path.size() > 4 && base::EqualsIgnoreAsciiCase(path.substr(path.size() - 4), ".inf");
}

std::string Utf8(std::string_view sjis) { return inf::SjisToUtf8Lossy(sjis); }

// A parameter error: thrown by the handlers, answered with kInvalidParams.
struct BadParams {
  std::string what;
};

const json& Need(const json& object, const char* name) {
  if (!object.is_object() || !object.contains(name)) throw BadParams{std::string("missing ") + name};
  return object.at(name);
}

// The string `name` of `object`, as the message holds it (not copied).
const std::string& NeedString(const json& object, const char* name) {
  const json& value = Need(object, name);
  if (!value.is_string()) throw BadParams{std::string(name) + " is not a string"};
  return value.get_ref<const std::string&>();
}

int NeedInt(const json& object, const char* name) {
  const json& value = Need(object, name);
  if (!value.is_number_integer()) throw BadParams{std::string(name) + " is not an integer"};
  const auto number = value.get<long long>();
  return static_cast<int>(std::clamp<long long>(number, 0, 1 << 30));
}

Position NeedPosition(const json& object, const char* name) {
  const json& position = Need(object, name);
  return Position{NeedInt(position, "line"), NeedInt(position, "character")};
}

std::string Dump(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

}  // namespace

Server::Server(base::FileAccess disk, base::LanguageRequest request, Send send)
    : overlay_(disk.files),
      overlay_lister_(disk.lister, overlay_),
      request_(std::move(request)),
      send_(std::move(send)) {
  const base::Language available[] = {base::Language::kEnglish, base::Language::kJapanese};
  language_ = base::ChooseLanguage(request_, available);
}

void Server::Reply(const json& id, json result) {
  send_(Dump(json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}));
}

void Server::ReplyError(const json& id, int code, const std::string& message) {
  send_(Dump(json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}));
}

void Server::Notify(const char* method, json params) {
  send_(Dump(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}));
}

void Server::OnEvent(ReadEvent event, Clock::time_point now) {
  switch (event.kind) {
    case ReadEvent::kMessage: OnMessage(std::move(event.body), now); break;
    case ReadEvent::kBadHeader: ReplyError(nullptr, kInvalidRequest, Text(language_, Message::kBadHeader)); break;
    case ReadEvent::kTooLarge:
      ReplyError(nullptr, kInvalidRequest, Text(language_, Message::kTooLarge, {std::to_string(kMaxMessageBytes)}));
      break;
  }
}

void Server::OnMessage(MessageBody body, Clock::time_point now) {
  const std::string start = body.Start(80);  // for the error: the body is gone once read
  json message;
  if (!ParseMessage(std::move(body), &message)) {
    ReplyError(nullptr, kParseError, Text(language_, Message::kNotJson, {start}));
    return;
  }
  Dispatch(message, now);
}

void Server::Dispatch(const json& message, Clock::time_point now) {
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
    // A response to a request of ours carries no method: nothing to do.
    const bool response = message.is_object() && message.contains("id") &&
                          (message.contains("result") || message.contains("error"));
    if (!response) {
      json id = message.is_object() && message.contains("id") ? message["id"] : json(nullptr);
      ReplyError(id, kInvalidRequest, Text(language_, Message::kNotRequest));
    }
    return;
  }
  const std::string& method = message["method"].get_ref<const std::string&>();
  const bool request = message.contains("id");
  const json id = request ? message["id"] : json(nullptr);
  if (request && !id.is_string() && !id.is_number_integer()) {
    ReplyError(nullptr, kInvalidRequest, Text(language_, Message::kNotRequest));
    return;
  }
  // The parameters as the message holds them: a didOpen's text is not
  // copied.
  static const json kNoParams = json::object();
  const auto given = message.find("params");
  const json& params = given != message.end() ? *given : kNoParams;

  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (shutdown_) {
    if (request) ReplyError(id, kInvalidRequest, Text(language_, Message::kShuttingDown));
    return;
  }
  if (!initialized_ && method != "initialize") {
    if (request) ReplyError(id, kServerNotInitialized, Text(language_, Message::kNotInitialized));
    return;
  }
  try {
    if (method == "initialize" && request) {
      Reply(id, Initialize(params));
    } else if (method == "shutdown" && request) {
      shutdown_ = true;
      Reply(id, nullptr);
    } else if (method == "textDocument/hover" && request) {
      Reply(id, Hover(params));
    } else if (method == "textDocument/completion" && request) {
      Reply(id, Completion(params));
    } else if (method == "textDocument/documentSymbol" && request) {
      Reply(id, DocumentSymbols(params));
    } else if (method == "textDocument/definition" && request) {
      Reply(id, Definition(params));
    } else if (method == "initialized") {
      // Ask to hear of changes to the files on disk, where the editor can
      // watch them for the server.
      if (watch_files_) {
        send_(Dump(json{{"jsonrpc", "2.0"},
                        {"id", "pakmak-lsp-watch-" + std::to_string(next_request_id_++)},
                        {"method", "client/registerCapability"},
                        {"params", {{"registrations", {{{"id", "pakmak-lsp-files"},
                                                        {"method", "workspace/didChangeWatchedFiles"},
                                                        {"registerOptions", {{"watchers", {{{"globPattern", "**/*"}}}}}}}}}}}}));
      }
    } else if (method == "workspace/didChangeConfiguration") {
      // Nothing to do: the server takes no settings.
    } else if (method == "textDocument/didOpen" && !request) {
      DidOpen(params, now);
    } else if (method == "textDocument/didChange" && !request) {
      DidChange(params, now);
    } else if (method == "textDocument/didClose" && !request) {
      DidClose(params, now);
    } else if (method == "textDocument/didSave" && !request) {
      DidSave(params, now);
    } else if (method == "workspace/didChangeWatchedFiles" && !request) {
      DidChangeWatchedFiles(params, now);
    } else if (request) {
      ReplyError(id, kMethodNotFound, Text(language_, Message::kUnknownMethod, {method}));
    }
    // An unknown notification is dropped, as the protocol asks.
  } catch (const BadParams& bad) {
    if (request) ReplyError(id, kInvalidParams, Text(language_, Message::kBadParams, {method, bad.what}));
  } catch (const json::exception& bad) {
    if (request) ReplyError(id, kInvalidParams, Text(language_, Message::kBadParams, {method, bad.what()}));
  }
}

json Server::Initialize(const json& params) {
  if (initialized_) throw BadParams{"initialize was sent twice"};
  initialized_ = true;
  if (request_.override_tag.empty() && params.contains("locale") && params["locale"].is_string()) {
    request_.override_tag = params["locale"].get<std::string>();
    const base::Language available[] = {base::Language::kEnglish, base::Language::kJapanese};
    language_ = base::ChooseLanguage(request_, available);
  }
  const json* encodings = nullptr;
  if (params.contains("capabilities") && params["capabilities"].is_object()) {
    const json& capabilities = params["capabilities"];
    const json watched = capabilities.value("/workspace/didChangeWatchedFiles/dynamicRegistration"_json_pointer, false);
    watch_files_ = watched.is_boolean() && watched.get<bool>();
    if (capabilities.contains("general") && capabilities["general"].is_object() &&
        capabilities["general"].contains("positionEncodings"))
      encodings = &capabilities["general"]["positionEncodings"];
  }
  if (encodings && encodings->is_array()) {
    for (const json& offered : *encodings) {
      if (offered == "utf-8") encoding_ = PositionEncoding::kUtf8;
    }
  }
  json capabilities = {
      {"positionEncoding", encoding_ == PositionEncoding::kUtf8 ? "utf-8" : "utf-16"},
      {"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
      {"hoverProvider", true},
      {"completionProvider", {{"triggerCharacters", {"[", ",", "="}}}},
      {"documentSymbolProvider", true},
      {"definitionProvider", true},
  };
  return json{{"capabilities", capabilities}, {"serverInfo", {{"name", "pakmak-lsp"}}}};
}

StatementPart Server::PartUnder(const Document& document, const Position& position) const {
  const int chars = document.text.CharIndex(position, encoding_);
  return PartAt(document.text, document.sections, position.line, chars);
}

Server::Document* Server::Find(const json& params) {
  const std::string uri = NeedString(Need(params, "textDocument"), "uri");
  auto it = documents_.find(uri);
  return it == documents_.end() ? nullptr : &it->second;
}

// Reads the outline of the buffer and lets its image stand in for its file.
void Server::Refresh(Document& document) {
  document.sections = Sections(document.text);
  overlay_.Put(document.path, document.text.shared_bytes());
}

void Server::DidOpen(const json& params, Clock::time_point now) {
  const json& item = Need(params, "textDocument");
  const std::string uri = NeedString(item, "uri");
  std::string path;
  if (!UriToHostPath(uri, &path) || !IsDescriptionPath(path)) return;  // not a description on disk
  const std::size_t name_start = base::LastNameStart(path);
  if (name_start == 0) return;
  const std::string& text = NeedString(item, "text");
  if (text.size() > kMaxDocumentBytes) throw BadParams{"the text is too long"};
  Document& document = documents_[uri];
  document.uri = uri;
  document.path = path;
  document.folder = path.substr(0, name_start - 1);
  document.version = params["textDocument"].value("version", 0);
  document.text.SetText(text);
  Refresh(document);
  folders_[document.folder].uri = std::string(UriFolder(uri));
  Schedule(document.folder, now);
}

void Server::DidChange(const json& params, Clock::time_point now) {
  Document* document = Find(params);
  if (!document) return;
  const json& changes = Need(params, "contentChanges");
  if (!changes.is_array()) throw BadParams{"contentChanges is not an array"};
  // While no check reads the image, the overlay lets go of it, so that the
  // changes are made in place rather than in a copy.
  overlay_.Drop(document->path);
  try {
    for (const json& change : changes) {
      const std::string& text = NeedString(change, "text");
      bool applied = true;
      if (change.contains("range")) {
        const json& range = change["range"];
        applied = document->text.Replace(NeedPosition(range, "start"), NeedPosition(range, "end"), text, encoding_);
      } else {
        applied = document->text.SetText(text);
      }
      if (!applied) throw BadParams{"the text is too long"};
    }
  } catch (...) {
    Refresh(*document);
    throw;
  }
  const json& item = params["textDocument"];
  if (item.contains("version") && item["version"].is_number_integer()) document->version = item["version"].get<int>();
  Refresh(*document);
  Schedule(document->folder, now + kRecheckDelay);
}

void Server::DidClose(const json& params, Clock::time_point now) {
  Document* document = Find(params);
  if (!document) return;
  const std::string folder = document->folder;
  const std::string uri = document->uri;
  overlay_.Drop(document->path);
  documents_.erase(uri);
  const bool still_open = std::any_of(documents_.begin(), documents_.end(),
                                      [&](const auto& entry) { return entry.second.folder == folder; });
  if (still_open) {
    Schedule(folder, now);
    return;
  }
  // Nothing of the folder is shown any more: take its problems back.
  for (const std::string& published : folders_[folder].published)
    Notify("textDocument/publishDiagnostics", {{"uri", published}, {"diagnostics", json::array()}});
  folders_.erase(folder);
}

void Server::DidSave(const json& params, Clock::time_point now) {
  if (Document* document = Find(params)) Schedule(document->folder, now);
}

void Server::DidChangeWatchedFiles(const json& params, Clock::time_point now) {
  const json& changes = Need(params, "changes");
  if (!changes.is_array()) throw BadParams{"changes is not an array"};
  for (const json& change : changes) {
    std::string path;
    if (!UriToHostPath(NeedString(change, "uri"), &path)) continue;
    // A change anywhere inside a folder being checked (a sub-folder's file
    // is packed too) rechecks it.
    for (auto& [folder, state] : folders_) {
      const std::string prefix = base::JoinPath(folder, "");
      if (path.compare(0, prefix.size(), prefix) == 0) Schedule(folder, now);
    }
  }
}

void Server::Schedule(const std::string& folder, Clock::time_point when) {
  Folder& state = folders_[folder];
  // A later change moves the check later: typing runs one check, not one
  // per key.
  if (!state.due || when > *state.due) state.due = when;
}

std::optional<Clock::time_point> Server::RunDueChecks(Clock::time_point now) {
  std::optional<Clock::time_point> next;
  for (auto& [folder, state] : folders_) {
    if (!state.due) continue;
    if (*state.due <= now) {
      state.due.reset();
      Check(folder);
    } else if (!next || *state.due < *next) {
      next = state.due;
    }
  }
  return next;
}

json Server::RangeOf(const Document& document, int line, int start_char, int end_char) const {
  const std::string text = document.text.EditorLine(line);
  return json{{"start", {{"line", line}, {"character", UnitsOfChars(text, start_char, encoding_)}}},
              {"end", {{"line", line}, {"character", UnitsOfChars(text, end_char, encoding_)}}}};
}

void Server::Check(const std::string& folder) {
  ++checks_run_;
  Folder& state = folders_[folder];
  const std::vector<inf::Diagnostic> found =
      builder::CheckSourceFolder(base::FileAccess{overlay_, overlay_lister_}, folder, language_);
  // The open buffers of the folder, by the path the check names them with.
  const std::string shown_folder = Utf8(base::KitText(folder));
  const std::string prefix = base::JoinPath(shown_folder, "");
  std::map<std::string, const Document*> open;
  const Document* any_open = nullptr;
  for (const auto& [uri, document] : documents_) {
    if (document.folder != folder) continue;
    open[uri] = &document;
    if (!any_open || base::EqualsIgnoreAsciiCase(base::KitText(document.path.substr(folder.size() + 1)), "Install.inf"))
      any_open = &document;
  }
  // Each diagnostic is written out as soon as it is made, so that a folder
  // with thousands of problems is never held as JSON values all at once.
  std::map<std::string, std::string> by_uri;  // the diagnostics of each URI, as JSON texts joined by commas
  const auto add = [&](const std::string& uri, const json& diagnostic) {
    std::string& items = by_uri[uri];
    if (!items.empty()) items += ',';
    items += Dump(diagnostic);
  };
  for (const auto& [uri, document] : open) by_uri[uri];
  for (const inf::Diagnostic& d : found) {
    // A problem of the folder itself, or of a file that is no description
    // (Native.ina), is shown at the top of the folder's open description.
    std::string uri;
    const bool inside = d.file.compare(0, prefix.size(), prefix) == 0;
    const std::string relative = inside ? d.file.substr(prefix.size()) : std::string();
    std::string kit_relative;
    base::FileInfo info;
    // A file that is missing (the uninstall file an Uninstall key names)
    // cannot be shown: its problem goes to the open description too.
    const bool exists = inside && base::Utf8ToCp932(relative, &kit_relative) &&
                        overlay_.Stat(base::JoinPath(folder, base::HostText(kit_relative)), &info);
    if (exists && IsDescriptionPath(d.file)) {
      uri = state.uri;
      std::size_t start = 0;
      for (std::size_t at = 0; at <= relative.size(); ++at) {
        if (at == relative.size() || relative[at] == base::kPathSeparator) {
          uri += "/" + UriPart(relative.substr(start, at - start));
          start = at + 1;
        }
      }
    } else if (any_open) {
      uri = any_open->uri;
    } else {
      continue;
    }
    json range;
    auto it = open.find(uri);
    if (it != open.end()) {
      int line = 0, start = 0, end_line = 0, end = 0;
      it->second->text.ReaderPlace(d.line, d.column, &line, &start);
      it->second->text.ReaderPlace(d.end_line, d.end_column, &end_line, &end);
      if (end_line != line || end < start) end = start;
      range = RangeOf(*it->second, line, start, end);
    } else {
      range = json{{"start", {{"line", d.line - 1}, {"character", d.column - 1}}},
                   {"end", {{"line", d.end_line - 1}, {"character", d.end_column - 1}}}};
    }
    json diagnostic = {{"range", range},
                       {"severity", d.severity == inf::Severity::kError ? kSeverityError : kSeverityWarning},
                       {"source", "pakmak"},
                       {"message", d.message}};
    if (d.severity == inf::Severity::kError) diagnostic["code"] = builder::CodeText(d.code);
    add(uri, diagnostic);
  }
  for (const auto& [uri, document] : open) {
    for (const Unconvertible& bad : document->text.UnconvertibleChars()) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(bad.code_point));
      add(uri, {{"range", RangeOf(*document, bad.line, bad.char_index, bad.char_index + 1)},
                {"severity", kSeverityError},
                {"source", "pakmak-lsp"},
                {"message", Text(language_, Message::kCharacterNotShiftJis, {code})}});
    }
  }
  for (const std::string& uri : state.published) by_uri[uri];
  state.published.clear();
  for (auto& [uri, items] : by_uri) {
    if (!items.empty()) state.published.insert(uri);
    json params = {{"uri", uri}, {"diagnostics", json::array()}};
    auto it = open.find(uri);
    if (it != open.end()) params["version"] = it->second->version;
    // The notification as the library writes it, its empty list filled
    // with the diagnostics written above. The mark is found once: the
    // keys before it and the URI (a quote in it is escaped) cannot hold it.
    const std::string envelope =
        Dump(json{{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", std::move(params)}});
    constexpr std::string_view kMark = "\"diagnostics\":[";
    const std::size_t cut = envelope.find(kMark) + kMark.size();
    std::string message;
    message.reserve(envelope.size() + items.size());
    message.append(envelope, 0, cut).append(items).append(envelope, cut, std::string::npos);
    std::string().swap(items);
    send_(message);
  }
}

std::vector<std::pair<std::string, std::string>> Server::FolderFiles(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> files;
  // Breadth first, so that the folder's own files come first.
  std::vector<std::pair<std::string, std::string>> queue = {{folder, ""}};
  for (std::size_t next = 0; next < queue.size() && files.size() < kMaxFolderFiles; ++next) {
    const auto [host, relative] = queue[next];
    std::vector<base::DirEntry> entries;
    if (!overlay_lister_.List(host, &entries)) continue;
    for (const base::DirEntry& entry : entries) {
      if (!entry.name_convertible || entry.link) continue;
      const std::string child = relative.empty() ? Utf8(entry.name) : relative + "/" + Utf8(entry.name);
      if (entry.is_folder()) {
        if (queue.size() < kMaxFolderFiles) queue.emplace_back(base::JoinPath(host, entry.host_name), child);
      } else if (entry.kind == base::FileKind::kRegular && files.size() < kMaxFolderFiles) {
        files.emplace_back(child, entry.name);
      }
    }
  }
  return files;
}

namespace {

// The hover text of a word in a statement part, or kCount.
Message HoverMessage(const StatementPart& part) {
  using inf::SectionKind;
  if (part.role == StatementPart::kSectionName) {
    return part.section == SectionKind::kNone ? Message::kCount
                                              : Nth(Message::kSectionFirst, static_cast<int>(part.section) - 1);
  }
  if (part.role == StatementPart::kKey) {
    const std::vector<std::string_view> keys = inf::SectionKeys(part.section);
    const Message first = part.section == SectionKind::kAppInformation         ? Message::kAppKeyFirst
                          : part.section == SectionKind::kUninstallInformation ? Message::kUninstallKeyFirst
                                                                               : Message::kExInstallKeyFirst;
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (base::EqualsIgnoreAsciiCase(keys[i], part.word)) return Nth(first, i);
    }
    return Message::kCount;
  }
  if (part.role != StatementPart::kParameter) return Message::kCount;
  const auto find = [&](std::span<const std::string_view> words, Message first) {
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (words[i] == part.word) return Nth(first, i);
    }
    return Message::kCount;
  };
  switch (part.section) {
    case SectionKind::kAddRegistry:
      if (part.parameter == 0) return find(inf::RegistryRootKeys(), Message::kRootKeyFirst);
      if (part.parameter == 3) return find(inf::RegistryDataTypes(), Message::kDataTypeFirst);
      if (part.parameter == 4) return find(inf::RegistryWriteFlags(), Message::kWriteFlagFirst);
      return Message::kCount;
    case SectionKind::kDeleteRegistry:
      return part.parameter == 0 ? find(inf::RegistryRootKeys(), Message::kRootKeyFirst) : Message::kCount;
    case SectionKind::kCopyFiles:
      if (part.parameter != 2) return Message::kCount;
      if (part.word == inf::kCopyNoOverwrite) return Message::kCopyNoOverwrite;
      if (part.word == inf::kCopyReplaceOnly) return Message::kCopyReplaceOnly;
      return Message::kCount;
    default:
      return Message::kCount;
  }
}

}  // namespace

json Server::Hover(const json& params) {
  Document* document = Find(params);
  if (!document) return nullptr;
  const Position position = NeedPosition(params, "position");
  const StatementPart part = PartUnder(*document, position);
  const Message id = HoverMessage(part);
  if (id == Message::kCount) return nullptr;
  const std::string title = part.role == StatementPart::kKey && part.section != inf::SectionKind::kNone
                                ? Utf8(part.word) + " (" + Utf8(inf::SectionName(part.section)) + ")"
                                : Utf8(part.role == StatementPart::kSectionName
                                           ? inf::SectionName(part.section)
                                           : std::string_view(part.word));
  return json{{"contents", {{"kind", "markdown"}, {"value", "**" + title + "**\n\n" + Text(language_, id)}}},
              {"range", RangeOf(*document, position.line, part.start, part.end)}};
}

json Server::Completion(const json& params) {
  Document* document = Find(params);
  if (!document) return json::array();
  const Position position = NeedPosition(params, "position");
  const std::string line_text = document->text.EditorLine(position.line);
  const int chars = CharsOfUnits(line_text, position.character, encoding_);
  const StatementPart part = PartAt(document->text, document->sections, position.line, chars);
  json items = json::array();
  const json range = RangeOf(*document, position.line, part.start, std::max(part.end, chars));
  const auto add = [&](const std::string& label, int kind, Message doc, const std::string& detail = {}) {
    json item = {{"label", label}, {"kind", kind}, {"textEdit", {{"range", range}, {"newText", label}}}};
    if (doc != Message::kCount) item["documentation"] = Text(language_, doc);
    if (!detail.empty()) item["detail"] = detail;
    items.push_back(std::move(item));
  };
  // In a head, or at the first word of a line: the section heads. What is
  // typed before the place is read in the image (the marks looked for are
  // ASCII, never the second byte of a double-byte character).
  const std::string_view before = document->text.Line(position.line)
                                      .substr(0, document->text.Offset(position, encoding_) -
                                                     document->text.LineStart(position.line));
  const std::size_t first = before.find_first_not_of(" \t");
  const std::string_view typed = first == std::string_view::npos ? std::string_view() : before.substr(first);
  const bool in_head = part.role == StatementPart::kSectionName || (!typed.empty() && typed.front() == '[');
  if (in_head || typed.find_first_of(" \t,=\"") == std::string_view::npos) {
    // In a head the whole line becomes the new head.
    const json head_range =
        in_head ? json{{"start", {{"line", position.line}, {"character", 0}}},
                       {"end", {{"line", position.line}, {"character", UnitsOfChars(line_text, 1 << 30, encoding_)}}}}
                : range;
    for (int kind = 1; kind <= 10; ++kind) {
      const auto section = static_cast<inf::SectionKind>(kind);
      const std::string head = "[ " + Utf8(inf::SectionName(section)) + " ]";
      items.push_back({{"label", head},
                       {"kind", kCompletionModule},
                       {"filterText", in_head ? head : Utf8(inf::SectionName(section))},
                       {"documentation", Text(language_, Nth(Message::kSectionFirst, kind - 1))},
                       {"textEdit", {{"range", head_range}, {"newText", head}}}});
    }
    if (in_head) return items;
  }
  using inf::SectionKind;
  if (part.role == StatementPart::kKey) {
    const std::vector<std::string_view> keys = inf::SectionKeys(part.section);
    const Message first_key = part.section == SectionKind::kAppInformation         ? Message::kAppKeyFirst
                              : part.section == SectionKind::kUninstallInformation ? Message::kUninstallKeyFirst
                                                                                   : Message::kExInstallKeyFirst;
    for (std::size_t i = 0; i < keys.size(); ++i) add(std::string(keys[i]), kCompletionProperty, Nth(first_key, i));
  } else if (part.role == StatementPart::kParameter) {
    const auto words = [&](std::span<const std::string_view> list, Message first_text, bool delete_only) {
      for (std::size_t i = 0; i < list.size(); ++i) {
        if (delete_only && !inf::IsDeleteRegistryRootKey(list[i])) continue;
        add(std::string(list[i]), kCompletionKeyword, Nth(first_text, i));
      }
    };
    if (part.section == SectionKind::kAddRegistry) {
      if (part.parameter == 0) words(inf::RegistryRootKeys(), Message::kRootKeyFirst, false);
      if (part.parameter == 3) words(inf::RegistryDataTypes(), Message::kDataTypeFirst, false);
      if (part.parameter == 4) words(inf::RegistryWriteFlags(), Message::kWriteFlagFirst, false);
    } else if (part.section == SectionKind::kDeleteRegistry && part.parameter == 0) {
      words(inf::RegistryRootKeys(), Message::kRootKeyFirst, true);
    } else if (part.section == SectionKind::kCopyFiles && part.parameter == 2) {
      add(inf::kCopyNoOverwrite, kCompletionKeyword, Message::kCopyNoOverwrite);
      add(inf::kCopyReplaceOnly, kCompletionKeyword, Message::kCopyReplaceOnly);
    } else if (part.section == SectionKind::kCopyFiles && part.parameter == 1) {
      // The name the archive stores: the file's own name.
      std::set<std::string> seen;
      for (const auto& [relative, name] : FolderFiles(document->folder)) {
        const std::string shown = Utf8(name);
        if (base::EqualsIgnoreAsciiCase(name, "Native.ina") || !seen.insert(shown).second) continue;
        add(shown, kCompletionFile, Message::kCount, relative);
      }
    }
  }
  return items;
}

json Server::DocumentSymbols(const json& params) {
  Document* document = Find(params);
  if (!document) return json::array();
  json symbols = json::array();
  for (const OutlineSection& section : document->sections) {
    json range = {{"start", {{"line", section.head_line}, {"character", 0}}},
                  {"end", {{"line", section.last_line}, {"character", document->text.Units(section.last_line, 1 << 30, encoding_)}}}};
    json selection = RangeOf(*document, section.head_line, section.name_start, section.name_end);
    symbols.push_back({{"name", section.name.empty() ? std::string("[ ]") : Utf8(section.name)},
                       {"kind", kSymbolNamespace},
                       {"range", range},
                       {"selectionRange", selection}});
  }
  return symbols;
}

json Server::Definition(const json& params) {
  Document* document = Find(params);
  if (!document) return nullptr;
  const Position position = NeedPosition(params, "position");
  const StatementPart part = PartUnder(*document, position);
  std::string wanted;  // Shift-JIS file name
  if (part.role == StatementPart::kValue) {
    // The keys that name a file (Uninstall, ExeFile, Icon), as the reader
    // reports them.
    struct Sink : inf::NamedFileSink {
      std::string name;
      void OnNamedFile(std::string_view file, std::string_view, int) override { name = std::string(file); }
    } sink;
    inf::ReportFileKey(sink, part.key, part.word, position.line + 1);
    wanted = sink.name;
  } else if (part.role == StatementPart::kParameter && part.section == inf::SectionKind::kCopyFiles &&
             part.parameter <= 1) {
    inf::ParameterItem item;
    item.p1 = part.parameters.size() > 0 ? part.parameters[0] : std::string();
    item.p2 = part.parameters.size() > 1 ? part.parameters[1] : std::string();
    wanted = std::string(inf::CopiedFileName(item));
  }
  if (wanted.empty()) return nullptr;
  for (const auto& [relative, name] : FolderFiles(document->folder)) {
    if (!base::EqualsIgnoreAsciiCase(name, wanted)) continue;
    std::string uri = folders_[document->folder].uri;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= relative.size(); ++at) {
      if (at == relative.size() || relative[at] == '/') {
        uri += "/" + UriPart(relative.substr(start, at - start));
        start = at + 1;
      }
    }
    return json{{"uri", uri},
                {"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}}}};
  }
  return nullptr;
}

}  // namespace lsp
