#include "inf/statement_handlers.h"

#include "base/sjis.h"
#include "inf/messages.h"
#include "inf/key_setters.h"
#include "inf/list_sections.h"
#include "inf/section_table.h"
#include "inf/value_parsers.h"

namespace inf {

// Section head ---------------------------------------------------------------

std::uint32_t SectionHeadHandler::OnToken(std::string_view token, StatementContext& ctx) {
  switch (state_) {
    case 0:
      if (token.empty() || token.front() != '[') {
        return Fail(ctx, InfMessage::kSectionMustStartWithBracket, 0x1300);
      }
      state_ = 1;
      return 0;
    case 1:
      name_.assign(token);
      state_ = 2;
      return 0;
    case 2:
      if (token == "]") {
        state_ = 3;
      } else {
        name_ += ' ';
        name_ += token;
      }
      return 0;
    default:
      return Fail(ctx, InfMessage::kTextAfterSectionBracket, 0x1400);
  }
}

std::uint32_t SectionHeadHandler::OnEnd(StatementContext& ctx) {
  if (state_ == 0) return 0;
  if (state_ != 3) return Fail(ctx, InfMessage::kSectionIncomplete, 0x1200);
  const SectionKind kind = FindSection(name_);
  state_ = 0;
  name_.clear();
  if (kind == SectionKind::kNone) return Fail(ctx, InfMessage::kUndefinedSection, 0x1100);
  ctx.current = kind;
  ctx.sections.push_back(MakeSectionRecord(kind));
  return 0;
}

// Definition -----------------------------------------------------------------

namespace {

// After an App Information key was stored: where Destination was given, for
// the refusal of an invalid value, and the file a key names, for the sink.
void NoteAppInformationKey(AppInformationRecord* app, std::string_view key, std::string_view value,
                           StatementContext& ctx) {
  if (base::EqualsIgnoreAsciiCase(key, "Destination")) app->destination_line = ctx.line_number;
  if (ctx.named_files) ReportFileKey(*ctx.named_files, key, value, ctx.line_number);
}

}  // namespace

std::uint32_t DefinitionHandler::OnToken(std::string_view token, StatementContext& ctx) {
  switch (state_) {
    case 0:
      key_.assign(token);
      state_ = 1;
      return 0;
    case 1:
      if (token != "=") return Fail(ctx, InfMessage::kAssignmentMissing, 0x2500);
      state_ = 2;
      return 0;
    case 2:
      UnquoteValueInto(token, &value_);
      state_ = 3;
      return 0;
    default:
      return Fail(ctx, InfMessage::kTextAfterDefinition, 0x2600);
  }
}

std::uint32_t DefinitionHandler::OnEnd(StatementContext& ctx) {
  if (state_ == 0) return 0;
  if (state_ != 3) return Fail(ctx, InfMessage::kDefinitionIncomplete, 0x2400);
  std::uint32_t code = 0;
  if (!ctx.sections.empty()) {
    SectionData& data = ctx.sections.back().data;
    if (auto* app = std::get_if<AppInformationRecord>(&data)) {
      if (std::uint32_t c = SetAppInformationKey(app, key_, value_, ctx.console)) {
        code = c + 0x2100;
      } else {
        NoteAppInformationKey(app, key_, value_, ctx);
      }
    } else if (auto* uninstall = std::get_if<UninstallInformationRecord>(&data)) {
      if (std::uint32_t c = SetUninstallInformationKey(uninstall, key_, value_, ctx.console)) {
        code = c + 0x2200;
      }
    } else if (auto* ex = std::get_if<ExInstallInformationRecord>(&data)) {
      if (std::uint32_t c = SetExInstallInformationKey(ex, key_, value_, ctx.console)) {
        code = c + 0x2300;
      }
    }
  }
  state_ = 0;
  key_.clear();
  value_.clear();
  return code;
}

// Parameter list ---------------------------------------------------------------

std::uint32_t ParameterListHandler::OnToken(std::string_view token, StatementContext& ctx) {
  const bool comma = token == ",";
  switch (state_) {
    case kListStart:
      if (comma) return Fail(ctx, InfMessage::kFirstParameterOmitted, 0x3A00);
      item_.p1 = UnquoteValue(token);
      state_ = kListFirst;
      return 0;
    case kListFirst:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x3B00);
      state_ = kListFirstComma;
      return 0;
    case kListFirstComma:
      if (comma) {
        state_ = kListSecondComma;  // P2 omitted
      } else {
        item_.p2 = UnquoteValue(token);
        state_ = kListSecond;
      }
      return 0;
    case kListSecond:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x3C00);
      state_ = kListSecondComma;
      return 0;
    case kListSecondComma:
      if (comma) return Fail(ctx, InfMessage::kThirdParameterComma, 0x3D00);
      item_.p3 = UnquoteValue(token);
      state_ = kListThird;
      return 0;
    default:
      return Fail(ctx, InfMessage::kTextAfterDefinition, 0x3E00);
  }
}

std::uint32_t ParameterListHandler::OnEnd(StatementContext& ctx) {
  if (state_ == kListStart) return 0;
  ParameterItem item = std::move(item_);
  const ListState final_state = static_cast<ListState>(state_);
  Clear();
  return AcceptListStatement(final_state, std::move(item), ctx);
}

void ParameterListHandler::Clear() {
  state_ = kListStart;
  item_ = ParameterItem{};
}

}  // namespace inf
