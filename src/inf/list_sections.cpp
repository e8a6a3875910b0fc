#include "inf/list_sections.h"

#include <string>
#include <utility>

#include "inf/messages.h"
#include "inf/registry_sections.h"

namespace inf {

namespace {

// Statements with a single parameter; the code for any other form.
std::uint32_t SingleParameterRejectCode(SectionKind kind) {
  switch (kind) {
    case SectionKind::kMakeDirs: return 0x3100;
    case SectionKind::kDeleteDirs: return 0x3200;
    case SectionKind::kDeleteFiles: return 0x3600;
    default: return 0;
  }
}

std::uint32_t RejectCount(StatementContext& ctx, std::uint32_t code) {
  return Fail(ctx, InfMessage::kParameterCountWrong, code);
}

void Append(ParameterItem item, StatementContext& ctx) { AddItem(ctx, std::move(item)); }

}  // namespace

std::uint32_t AcceptListStatement(ListState final_state, ParameterItem item, StatementContext& ctx) {
  switch (ctx.current) {
    case SectionKind::kMakeDirs:
    case SectionKind::kDeleteDirs:
    case SectionKind::kDeleteFiles:
      if (final_state != kListFirst) return RejectCount(ctx, SingleParameterRejectCode(ctx.current));
      Append(std::move(item), ctx);
      return 0;
    case SectionKind::kCopyFiles:
      if (final_state != kListFirst && final_state != kListSecond && final_state != kListThird) {
        return RejectCount(ctx, 0x3400);
      }
      if (item.p3.empty()) item.p3 = kCopyNoOverwrite;
      if (item.p3 != kCopyNoOverwrite && item.p3 != kCopyReplaceOnly) {
        return FailUndefined(ctx, item.p3, 0x3300);
      }
      if (ctx.named_files) ctx.named_files->OnNamedFile(CopiedFileName(item), "Copy Files", ctx.line_number);
      Append(std::move(item), ctx);
      return 0;
    case SectionKind::kSetupDataFiles:
      if (final_state != kListSecond) return RejectCount(ctx, 0x3500);
      Append(std::move(item), ctx);
      return 0;
    case SectionKind::kDeleteRegistry:
      return AcceptDeleteRegistryStatement(final_state, std::move(item), ctx);
    default:
      return 0;
  }
}

}  // namespace inf
