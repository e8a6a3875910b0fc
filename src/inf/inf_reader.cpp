#include "inf/inf_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "inf/description_checks.h"
#include "inf/messages.h"
#include "inf/section_table.h"
#include "inf/utf8_description.h"

namespace builder {

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
  h.tokenizer.Start(line);
  bool have = h.tokenizer.Next(&token, &error, ctx.console);
  if (error) return error + 0x10000;
  for (int index = 1; have; ++index) {
    if (token.front() == ';') {
      // The rest of the line is a comment.
      if (std::uint32_t code = SendEnd(h, ctx)) return code + 0x30000;
      return 0;
    }
    if (token.front() == '[' && index == 1) ctx.current = SectionKind::kNone;
    if (std::uint32_t code = SendToken(h, token, ctx)) return code + 0x40000;
    have = h.tokenizer.Next(&token, &error, ctx.console);
    if (error) return error + 0x50000;
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
    Say(console, base::Stream::kErr, InfMessage::kUtf8Description, message_path.c_str(), utf8.first_line());
}

// Reads and checks the install information file behind `file`.
std::uint32_t ReadInstallInfo(base::InputFile& file, const std::string& message_path, base::Console& console,
                              InstallInfoState* state) {
  if (!state->handlers) state->handlers = std::make_shared<HandlerStates>();
  HandlerStates& h = *state->handlers;

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
  DescriptionChecker checker(*state);
  InfLineReader lines(file);
  std::string_view line;
  int line_number = 0;
  while (lines.Next(&line)) {
    ++line_number;
    ctx.line_number = line_number;
    if (state->warn_if_utf8) utf8.Line(line, line_number);
    const std::uint64_t add_registry_tokens = h.add_registry.token_count();
    if (std::uint32_t code = ProcessLine(line, h, ctx)) {
      PrintContext(console, message_path, current, line_number, line);
      WarnIfUtf8(utf8, message_path, console);
      return code + 0x200000;
    }
    // Remember the last line that carried on an Add Registry statement left
    // open, for the warning when reading ends.
    if (h.add_registry.open() && h.add_registry.token_count() != add_registry_tokens) {
      h.open_place = {message_path, line_number, std::string(line)};
    }
    if (sections.size() > 1) {
      for (std::size_t i = 0; i + 1 < sections.size(); ++i) {
        if (keep) kept.push_back(sections[i]);
        checker.Add(std::move(sections[i]));
      }
      sections.erase(sections.begin(), sections.end() - 1);
    }
  }
  if (lines.failed()) {
    Say(console, base::Stream::kErr, InfMessage::kCannotOpenFile, message_path.c_str());
    return 0x100000;
  }
  WarnIfUtf8(utf8, message_path, console);
  if (!sections.empty()) {
    if (keep) kept.push_back(sections.back());
    checker.Add(std::move(sections.back()));
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
  if (!file) {
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

bool FinishInstallInfoFiles(base::Console& console, InstallInfoState* state) {
  if (!state->handlers || !state->handlers->add_registry.open()) return false;
  const HandlerStates& h = *state->handlers;
  Say(console, base::Stream::kErr, InfMessage::kOpenAddRegistryWarning,
                 h.add_registry.root_key().c_str(), h.add_registry.subkey().c_str(),
                 h.add_registry.value_name().c_str());
  PrintContext(console, h.open_place.file, SectionKind::kAddRegistry, h.open_place.line_number,
               h.open_place.line);
  return true;
}

}  // namespace builder
