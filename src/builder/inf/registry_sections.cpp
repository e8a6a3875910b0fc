#include "builder/inf/registry_sections.h"

#include <utility>
#include <vector>

#include "builder/messages.h"
#include "builder/inf/value_parsers.h"

namespace builder {

namespace {

constexpr std::string_view kRootKeys[] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "APP_REG_ROOT",  // Add Registry only
};
constexpr std::size_t kDeleteRootKeyCount = 4;

constexpr char kRegSz[] = "REG_SZ";
constexpr char kRegBinary[] = "REG_BINARY";
constexpr char kRegDword[] = "REG_DWORD";
constexpr char kRegMultiSz[] = "REG_MULTI_SZ";
constexpr char kNoClobber[] = "FLG_ADDREG_NOCLOBBER";
constexpr char kReplaceOnly[] = "FLG_ADDREG_REPLACEONLY";

bool IsDataType(std::string_view name) {
  return name == kRegSz || name == kRegBinary || name == kRegDword || name == kRegMultiSz;
}

bool IsWriteFlag(std::string_view name) { return name == kNoClobber || name == kReplaceOnly; }

}  // namespace

bool IsAddRegistryRootKey(std::string_view name) {
  for (std::string_view root : kRootKeys) {
    if (name == root) return true;
  }
  return false;
}

bool IsDeleteRegistryRootKey(std::string_view name) {
  for (std::size_t i = 0; i < kDeleteRootKeyCount; ++i) {
    if (name == kRootKeys[i]) return true;
  }
  return false;
}

std::uint32_t AddRegistryHandler::OnToken(std::string_view token, StatementContext& ctx) {
  ++token_count_;
  const bool comma = token == ",";
  if (!comma) UnquoteValueInto(token, &text_);
  switch (state_) {
    case 0:
      if (comma) return Fail(ctx, Message::kFirstParameterOmitted, 0x4200);
      p1_.swap(text_);
      if (!IsAddRegistryRootKey(p1_)) return FailUndefined(ctx, p1_, 0x4300);
      state_ = 1;
      return 0;
    case 1:
      if (!comma) return Fail(ctx, Message::kNotSeparatedByComma, 0x4400);
      state_ = 2;
      return 0;
    case 2:
      if (comma) {
        state_ = 4;  // no subkey
      } else {
        p2_.swap(text_);
        state_ = 3;
      }
      return 0;
    case 3:
      if (!comma) return Fail(ctx, Message::kNotSeparatedByComma, 0x4500);
      state_ = 4;
      return 0;
    case 4:
      if (comma) {
        state_ = 6;  // no value name
      } else {
        p3_.swap(text_);
        state_ = 5;
      }
      return 0;
    case 5:
      if (!comma) return Fail(ctx, Message::kNotSeparatedByComma, 0x4600);
      state_ = 6;
      return 0;
    case 6:
      if (comma) {
        p4_ = kRegSz;
        state_ = 8;
        return 0;
      }
      p4_.swap(text_);
      if (!IsDataType(p4_)) return FailUndefined(ctx, p4_, 0x4700);
      state_ = 7;
      return 0;
    case 7:
      if (!comma) return Fail(ctx, Message::kNotSeparatedByComma, 0x4800);
      state_ = 8;
      return 0;
    case 8:
      if (comma) {
        state_ = 10;  // default write flag
        return 0;
      }
      p5_.swap(text_);
      if (!IsWriteFlag(p5_)) return FailUndefined(ctx, p5_, 0x4900);
      state_ = 9;
      return 0;
    case 9:
      if (!comma) return Fail(ctx, Message::kNotSeparatedByComma, 0x4A00);
      state_ = 10;
      return 0;
    case 10:
      if (comma) return Fail(ctx, Message::kCommaAtValuePosition, 0x4B00);
      return TakeValue(text_, ctx);
    case 11:
      if (!comma) return Fail(ctx, Message::kNotSeparatedByComma, 0x4F00);
      state_ = 10;
      return 0;
    default:
      return Fail(ctx, Message::kTooManyParameters, 0x5000);
  }
}

std::uint32_t AddRegistryHandler::TakeValue(const std::string& value, StatementContext& ctx) {
  if (p4_ == kRegDword) {
    if (std::uint32_t e = ParseDecimal(value, &value_.dword, ctx.console)) return e + 0x4D00;
    state_ = 12;
  } else if (p4_ == kRegBinary) {
    if (std::uint32_t e = ParseHexBytes(value, &value_.binary, ctx.console)) return e + 0x4C00;
    state_ = 12;
  } else if (p4_ == kRegMultiSz) {
    if (value_.multi_sz.size() >= kMaxMultiSzValues) {
      Say(ctx.console, base::Stream::kErr, Message::kTooManyParameters);
      Say(ctx.console, base::Stream::kErr, Message::kMultiSzLimit,
                         static_cast<int>(kMaxMultiSzValues));
      return 0x4E00;
    }
    value_.multi_sz.push_back(value);
    state_ = 11;
  } else {
    value_.sz = value;
    state_ = 12;
  }
  return 0;
}

std::uint32_t AddRegistryHandler::OnEnd(StatementContext& ctx) {
  switch (state_) {
    case 0:
      return 0;
    case 10:
      // Ended with a comma at a value position: the statement goes on.
      return 0;
    case 2: case 4: case 6: case 8:
      Clear();
      return Fail(ctx, Message::kParameterCountWrong, 0x4100);
    default:
      break;
  }
  if (p4_.empty()) p4_ = kRegSz;
  if (p5_.empty()) p5_ = kNoClobber;
  std::uint32_t code = 0;
  if (p2_.empty() && p3_.empty()) {
    code = Fail(ctx, Message::kSubkeyAndValueNameOmitted, 0x4000);
  } else if (!ctx.keep_items) {
    AddItem(ctx, AddRegistryItem{});  // counted only; the buffers stay for the next statement
  } else {
    AddRegistryItem item = std::move(value_);
    item.root_key = std::move(p1_);
    item.subkey = std::move(p2_);
    item.value_name = std::move(p3_);
    item.data_type = std::move(p4_);
    item.write_flag = std::move(p5_);
    AddItem(ctx, std::move(item));
  }
  Clear();
  return code;
}

void AddRegistryHandler::Clear() {
  state_ = 0;
  p1_.clear();
  p2_.clear();
  p3_.clear();
  p4_.clear();
  p5_.clear();
  value_.sz.clear();
  value_.dword = 0;
  value_.binary.clear();
  value_.multi_sz.clear();
}

std::uint32_t AcceptDeleteRegistryStatement(int final_state, ParameterItem item,
                                            StatementContext& ctx) {
  if (final_state == 2 || final_state == 4) return Fail(ctx, Message::kParameterCountWrong, 0x3900);
  if (!IsDeleteRegistryRootKey(item.p1)) return FailUndefined(ctx, item.p1, 0x3700);
  if (item.p2.empty() && item.p3.empty()) {
    return Fail(ctx, Message::kSubkeyAndValueNameOmitted, 0x3800);
  }
  AddItem(ctx, DeleteRegistryItem{std::move(item.p1), std::move(item.p2), std::move(item.p3)});
  return 0;
}

}  // namespace builder
