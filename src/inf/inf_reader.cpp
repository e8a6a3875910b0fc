#include "inf/inf_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "inf/description_checks.h"
#include "inf/diagnostic.h"
#include "inf/messages.h"
#include "inf/section_table.h"
#include "inf/utf8_description.h"

namespace inf {

namespace {

std::uint32_t SendToken(HandlerStates& h, std::string_view token, StatementContext& ctx) {
  switch (SectionHandler(ctx.current)) {
    case HandlerKind::kSectionHead: return h.section_head.OnToken(token, ctx);
    case HandlerKind::kDefinition: return h.definition.OnToken(token, ctx);
    case HandlerKind::kParameterList: return h.parameter_list.OnToken(token, ctx);
    case HandlerKind::kAddRegistry: return h.add_registry.OnToken(token, ctx);
  }
  return 0;
}

std::uint32_t SendEnd(HandlerStates& h, StatementContext& ctx) {
  switch (SectionHandler(ctx.current)) {
    case HandlerKind::kSectionHead: return h.section_head.OnEnd(ctx);
    case HandlerKind::kDefinition: return h.definition.OnEnd(ctx);
    case HandlerKind::kParameterList: return h.parameter_list.OnEnd(ctx);
    case HandlerKind::kAddRegistry: return h.add_registry.OnEnd(ctx);
  }
  return 0;
}

void PrintContext(base::Console& console, const std::string& file, SectionKind current,
                  int line_number, std::string_view line) {
  Say(console, base::Stream::kErr, InfMessage::kLineLocation, file.c_str());
  if (current == SectionKind::kNone) {
    Say(console, base::Stream::kErr, InfMessage::kOutsideSection);
  } else {
    Say(console, base::Stream::kErr, InfMessage::kSectionContext,
                   std::string(SectionName(current)).c_str());
  }
  Say(console, base::Stream::kErr, InfMessage::kLineContext, line_number);
  console.Write(base::Stream::kErr, line);
  console.Write(base::Stream::kErr, "\n");
}

}  // namespace

std::uint32_t ProcessLine(std::string_view line, HandlerStates& h, StatementContext& ctx) {
  std::string_view token;
  std::uint32_t error = 0;
  h.line_is_head = false;
  h.failed_token = {};
  h.untokenized = {};
  // What the tokeniser has not handed out yet, for the place of its errors.
  auto rest_after = [&](std::string_view last) {
    std::size_t from = 0;
    if (!last.empty() && last.data() >= line.data() && last.data() + last.size() <= line.data() + line.size())
      from = static_cast<std::size_t>(last.data() + last.size() - line.data());
    while (from < line.size() && IsInfBlank(line[from])) ++from;
    h.untokenized = line.substr(std::min(from, line.size()));
  };
  h.tokenizer.Start(line);
  bool have = h.tokenizer.Next(&token, &error, ctx.console);
  if (error) {
    rest_after({});
    return error + 0x10000;
  }
  for (int index = 1; have; ++index) {
    if (token.front() == ';') {
      // The rest of the line is a comment.
      if (std::uint32_t code = SendEnd(h, ctx)) return code + 0x30000;
      return 0;
    }
    if (token.front() == '[' && index == 1) {
      ctx.current = SectionKind::kNone;
      h.line_is_head = true;
    }
    if (std::uint32_t code = SendToken(h, token, ctx)) {
      h.failed_token = token;
      return code + 0x40000;
    }
    const std::string_view last = token;
    have = h.tokenizer.Next(&token, &error, ctx.console);
    if (error) {
      rest_after(last);
      return error + 0x50000;
    }
  }
  if (std::uint32_t code = SendEnd(h, ctx)) return code + 0x60000;
  return 0;
}

namespace {

// An install information file held in memory, read as a file is.
class BytesInput : public base::InputFile {
 public:
  explicit BytesInput(std::string_view bytes) : left_(bytes) {}
  bool Read(void* buffer, std::size_t capacity, std::size_t* got) override {
    *got = std::min(capacity, left_.size());
    if (*got) std::memcpy(buffer, left_.data(), *got);
    left_.remove_prefix(*got);
    return true;
  }

 private:
  std::string_view left_;
};

// The file reads as UTF-8, which the device would show garbled: say so once,
// with the first line whose text is not Shift-JIS.
void WarnIfUtf8(const Utf8DescriptionProbe& utf8, const std::string& message_path, base::Console& console) {
  if (utf8.LooksUtf8())
    Say(console, base::Stream::kWarning, InfMessage::kUtf8Description, message_path.c_str(), utf8.first_line());
}

// The hint added to a line error's message in the diagnostics, by the
// message the error printed.
struct Hint {
  InfMessage error;
  InfMessage hint;
};
constexpr Hint kHints[] = {
    {InfMessage::kTextAfterDefinition, InfMessage::kHintQuoteValue},
    {InfMessage::kStringNotClosed, InfMessage::kHintCloseString},
    {InfMessage::kAssignmentMissing, InfMessage::kHintAssignment},
    {InfMessage::kNotShiftJis, InfMessage::kHintSaveAsShiftJis},
    {InfMessage::kSectionMustStartWithBracket, InfMessage::kHintSectionHead},
    {InfMessage::kSectionIncomplete, InfMessage::kHintSectionHead},
    {InfMessage::kTextAfterSectionBracket, InfMessage::kHintSectionHead},
    {InfMessage::kNotSeparatedByComma, InfMessage::kHintCommas},
};

std::string_view HintFor(const DiagnosticCollector& collector) {
  if (collector.held().empty()) return {};
  const std::string& said = collector.held().front();
  for (const Hint& hint : kHints) {
    std::string_view text = MessageText(collector.language(), hint.error);
    while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (said == text) return MessageText(collector.language(), hint.hint);
  }
  return {};
}

// True when the first thing on the line opens a section head.
bool StartsSectionHead(std::string_view line) {
  std::size_t pos = 0;
  while (pos < line.size() && IsInfBlank(line[pos])) ++pos;
  return pos < line.size() && line[pos] == '[';
}

std::string NameOf(SectionKind kind) {
  return kind == SectionKind::kNone ? std::string() : std::string(SectionName(kind));
}

// Reads and checks the install information file behind `file`. With a
// collector in `state` every problem becomes a diagnostic: after an error in
// a statement reading goes on at the next line, after one in a section head
// at the next section head; the answer is then the first error's code.
std::uint32_t ReadInstallInfo(base::InputFile& file, const std::string& message_path, base::Console& given_console,
                              InstallInfoState* state) {
  if (!state->handlers) state->handlers = std::make_shared<HandlerStates>();
  HandlerStates& h = *state->handlers;
  DiagnosticCollector* const diagnostics = state->diagnostics;
  base::Console& console = diagnostics ? *diagnostics : given_console;

  // Only the record of the current section is held; a new section head
  // hands the records before it to the checker. A caller that asked for the
  // records gets copies of them, items included.
  SectionList sections;
  SectionList kept;
  const bool keep = state->sections != nullptr;
  SectionKind current = SectionKind::kNone;
  StatementContext ctx{console, sections, current, /*keep_items=*/keep};
  ctx.named_files = state->named_files;
  Utf8DescriptionProbe utf8;
  DescriptionChecker checker(*state, /*check_all=*/diagnostics != nullptr);
  // The head lines of the records in `sections` and whether a statement of
  // theirs failed (for the diagnostics).
  struct RecordPlace {
    int head_line;
    bool statements_failed;
  };
  std::vector<RecordPlace> places;
  std::uint32_t first_error = 0;
  bool skipping_section = false;
  InfLineReader lines(file);
  std::string_view line;
  int line_number = 0;
  while (lines.Next(&line)) {
    ++line_number;
    ctx.line_number = line_number;
    if (state->warn_if_utf8) utf8.Line(line, line_number);
    if (skipping_section) {
      if (!StartsSectionHead(line)) continue;
      skipping_section = false;
    }
    const std::uint64_t add_registry_tokens = h.add_registry.token_count();
    const std::size_t records_before = sections.size();
    if (std::uint32_t code = ProcessLine(line, h, ctx)) {
      if (!diagnostics) {
        PrintContext(console, message_path, current, line_number, line);
        WarnIfUtf8(utf8, message_path, console);
        return code + 0x200000;
      }
      DiagnosticPlace place{message_path, line_number, line, 0, 0, NameOf(current)};
      if (!h.failed_token.empty()) {
        place.offset = static_cast<std::size_t>(h.failed_token.data() - line.data());
        place.length = h.failed_token.size();
      } else if (!h.untokenized.empty()) {
        place.offset = static_cast<std::size_t>(h.untokenized.data() - line.data());
      } else {
        // Failed at the end of the statement: the whole statement.
        while (place.offset < line.size() && IsInfBlank(line[place.offset])) ++place.offset;
      }
      const std::string_view hint = HintFor(*diagnostics);
      const std::uint32_t complete = diagnostics->Error(code + 0x200000, place, hint);
      if (!first_error) first_error = complete;
      // The failed statement is dropped; a head that failed drops its
      // section up to the next head.
      h.section_head = SectionHeadHandler();
      h.definition = DefinitionHandler();
      h.parameter_list = ParameterListHandler();
      h.add_registry = AddRegistryHandler();
      if (h.line_is_head) {
        if (sections.size() > records_before) sections.pop_back();
        current = SectionKind::kNone;
        skipping_section = true;
      } else if (!places.empty() && places.size() == sections.size()) {
        places.back().statements_failed = true;
      }
      continue;
    }
    if (diagnostics && !diagnostics->held().empty()) {
      diagnostics->Warn({message_path, line_number, line, 0, 0, NameOf(current)});
    }
    if (sections.size() > records_before) places.push_back({line_number, false});
    // Remember the last line that carried on an Add Registry statement left
    // open, for the warning when reading ends.
    if (h.add_registry.open() && h.add_registry.token_count() != add_registry_tokens) {
      h.open_place = {message_path, line_number, std::string(line)};
    }
    if (sections.size() > 1) {
      for (std::size_t i = 0; i + 1 < sections.size(); ++i) {
        if (keep) kept.push_back(sections[i]);
        const RecordPlace place = i < places.size() ? places[i] : RecordPlace{0, false};
        checker.Add(std::move(sections[i]), place.head_line, place.statements_failed);
      }
      sections.erase(sections.begin(), sections.end() - 1);
      if (places.size() > 1) places.erase(places.begin(), places.end() - 1);
    }
  }
  if (lines.failed()) {
    Say(console, base::Stream::kErr, InfMessage::kCannotOpenFile, message_path.c_str());
    if (!diagnostics) return 0x100000;
    const std::uint32_t complete = diagnostics->Error(0x100000, FilePlace(message_path));
    return first_error ? first_error : complete;
  }
  WarnIfUtf8(utf8, message_path, console);
  if (diagnostics && !diagnostics->held().empty()) diagnostics->Warn(FilePlace(message_path, utf8.first_line()));
  if (!sections.empty()) {
    if (keep) kept.push_back(sections.back());
    const RecordPlace place = places.empty() ? RecordPlace{0, false} : places.back();
    checker.Add(std::move(sections.back()), place.head_line, place.statements_failed);
  }
  if (diagnostics) {
    checker.FinishEach(console, state, [&](std::uint32_t code, int head_line, SectionKind kind) {
      const std::uint32_t complete = diagnostics->Error(code + 0x300000, FilePlace(message_path, head_line, NameOf(kind)));
      if (!first_error) first_error = complete;
    });
    if (!first_error && keep) *state->sections = std::move(kept);
    return first_error;
  }
  if (std::uint32_t code = checker.Finish(console, state)) {
    Say(console, base::Stream::kErr, InfMessage::kCheckLocation, message_path.c_str());
    return code + 0x300000;
  }
  if (keep) *state->sections = std::move(kept);
  return 0;
}

}  // namespace

std::uint32_t ReadInstallInfoFile(base::FileSystem& files, const std::string& host_path,
                                  const std::string& message_path, base::Console& console,
                                  InstallInfoState* state) {
  std::unique_ptr<base::InputFile> file = files.OpenInput(host_path);
  return ReadInstallInfoOpened(file.get(), message_path, console, state);
}

std::uint32_t ReadInstallInfoOpened(base::InputFile* file, const std::string& message_path,
                                    base::Console& console, InstallInfoState* state) {
  if (!file) {
    if (state->diagnostics) {
      Say(*state->diagnostics, base::Stream::kErr, InfMessage::kCannotOpenFile, message_path.c_str());
      return state->diagnostics->Error(0x100000, FilePlace(message_path));
    }
    Say(console, base::Stream::kErr, InfMessage::kCannotOpenFile, message_path.c_str());
    return 0x100000;
  }
  return ReadInstallInfo(*file, message_path, console, state);
}

std::uint32_t ReadInstallInfoBytes(std::string_view bytes, const std::string& message_path,
                                   base::Console& console, InstallInfoState* state) {
  BytesInput input(bytes);
  return ReadInstallInfo(input, message_path, console, state);
}

bool FinishInstallInfoFiles(base::Console& given_console, InstallInfoState* state) {
  if (!state->handlers || !state->handlers->add_registry.open()) return false;
  const HandlerStates& h = *state->handlers;
  base::Console& console = state->diagnostics ? *state->diagnostics : given_console;
  Say(console, base::Stream::kWarning, InfMessage::kOpenAddRegistryWarning,
                 h.add_registry.root_key().c_str(), h.add_registry.subkey().c_str(),
                 h.add_registry.value_name().c_str());
  if (state->diagnostics) {
    state->diagnostics->Warn({h.open_place.file, h.open_place.line_number, h.open_place.line, 0, 0,
                              std::string(SectionName(SectionKind::kAddRegistry))});
    return true;
  }
  PrintContext(console, h.open_place.file, SectionKind::kAddRegistry, h.open_place.line_number,
               h.open_place.line);
  return true;
}

}  // namespace inf
