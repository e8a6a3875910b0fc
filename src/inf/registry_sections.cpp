#include "inf/registry_sections.h"

#include <utility>
#include <vector>

#include "inf/messages.h"
#include "inf/value_parsers.h"

namespace inf {

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

constexpr std::string_view kDataTypes[] = {kRegSz, kRegBinary, kRegDword, kRegMultiSz};
constexpr std::string_view kWriteFlags[] = {kNoClobber, kReplaceOnly};

bool IsDataType(std::string_view name) {
  for (std::string_view type : kDataTypes) {
    if (name == type) return true;
  }
  return false;
}

bool IsWriteFlag(std::string_view name) { return name == kNoClobber || name == kReplaceOnly; }

}  // namespace

std::span<const std::string_view> RegistryRootKeys() { return kRootKeys; }
std::span<const std::string_view> RegistryDataTypes() { return kDataTypes; }
std::span<const std::string_view> RegistryWriteFlags() { return kWriteFlags; }

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
    case kRootKey:
      if (comma) return Fail(ctx, InfMessage::kFirstParameterOmitted, 0x4200);
      root_key_.swap(text_);
      if (!IsAddRegistryRootKey(root_key_)) return FailUndefined(ctx, root_key_, 0x4300);
      state_ = kCommaAfterRootKey;
      return 0;
    case kCommaAfterRootKey:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x4400);
      state_ = kSubkey;
      return 0;
    case kSubkey:
      if (comma) {
        state_ = kValueName;  // no subkey
      } else {
        subkey_.swap(text_);
        state_ = kCommaAfterSubkey;
      }
      return 0;
    case kCommaAfterSubkey:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x4500);
      state_ = kValueName;
      return 0;
    case kValueName:
      if (comma) {
        state_ = kDataType;  // no value name
      } else {
        value_name_.swap(text_);
        state_ = kCommaAfterValueName;
      }
      return 0;
    case kCommaAfterValueName:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x4600);
      state_ = kDataType;
      return 0;
    case kDataType:
      if (comma) {
        data_type_ = kRegSz;
        state_ = kWriteFlag;
        return 0;
      }
      data_type_.swap(text_);
      if (!IsDataType(data_type_)) return FailUndefined(ctx, data_type_, 0x4700);
      state_ = kCommaAfterDataType;
      return 0;
    case kCommaAfterDataType:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x4800);
      state_ = kWriteFlag;
      return 0;
    case kWriteFlag:
      if (comma) {
        state_ = kValue;  // default write flag
        return 0;
      }
      write_flag_.swap(text_);
      if (!IsWriteFlag(write_flag_)) return FailUndefined(ctx, write_flag_, 0x4900);
      state_ = kCommaAfterWriteFlag;
      return 0;
    case kCommaAfterWriteFlag:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x4A00);
      state_ = kValue;
      return 0;
    case kValue:
      if (comma) return Fail(ctx, InfMessage::kCommaAtValuePosition, 0x4B00);
      return TakeValue(text_, ctx);
    case kCommaAfterMultiSzValue:
      if (!comma) return Fail(ctx, InfMessage::kNotSeparatedByComma, 0x4F00);
      state_ = kValue;
      return 0;
    default:
      return Fail(ctx, InfMessage::kTooManyParameters, 0x5000);
  }
}

std::uint32_t AddRegistryHandler::TakeValue(const std::string& value, StatementContext& ctx) {
  if (data_type_ == kRegDword) {
    if (std::uint32_t e = ParseDecimal(value, &value_.dword, ctx.console)) return e + 0x4D00;
    state_ = kComplete;
  } else if (data_type_ == kRegBinary) {
    if (std::uint32_t e = ParseHexBytes(value, &value_.binary, ctx.console)) return e + 0x4C00;
    state_ = kComplete;
  } else if (data_type_ == kRegMultiSz) {
    if (value_.multi_sz.size() >= kMaxMultiSzValues) {
      Say(ctx.console, base::Stream::kErr, InfMessage::kTooManyParameters);
      Say(ctx.console, base::Stream::kErr, InfMessage::kMultiSzLimit,
                         static_cast<int>(kMaxMultiSzValues));
      return 0x4E00;
    }
    value_.multi_sz.push_back(value);
    state_ = kCommaAfterMultiSzValue;
  } else {
    value_.sz = value;
    state_ = kComplete;
  }
  return 0;
}

std::uint32_t AddRegistryHandler::OnEnd(StatementContext& ctx) {
  switch (state_) {
    case kRootKey:
      return 0;
    case kValue:
      // Ended with a comma at a value position: the statement goes on.
      return 0;
    case kSubkey:
    case kValueName:
    case kDataType:
    case kWriteFlag:
      Clear();
      return Fail(ctx, InfMessage::kParameterCountWrong, 0x4100);
    default:
      break;
  }
  if (data_type_.empty()) data_type_ = kRegSz;
  if (write_flag_.empty()) write_flag_ = kNoClobber;
  std::uint32_t code = 0;
  if (subkey_.empty() && value_name_.empty()) {
    code = Fail(ctx, InfMessage::kSubkeyAndValueNameOmitted, 0x4000);
  } else if (!ctx.keep_items) {
    AddItem(ctx, AddRegistryItem{});  // counted only; the buffers stay for the next statement
  } else {
    AddRegistryItem item = std::move(value_);
    item.root_key = std::move(root_key_);
    item.subkey = std::move(subkey_);
    item.value_name = std::move(value_name_);
    item.data_type = std::move(data_type_);
    item.write_flag = std::move(write_flag_);
    AddItem(ctx, std::move(item));
  }
  Clear();
  return code;
}

void AddRegistryHandler::Clear() {
  state_ = kRootKey;
  root_key_.clear();
  subkey_.clear();
  value_name_.clear();
  data_type_.clear();
  write_flag_.clear();
  value_ = AddRegistryItem{};
}

std::uint32_t AcceptDeleteRegistryStatement(ListState final_state, ParameterItem item,
                                            StatementContext& ctx) {
  if (final_state == kListFirstComma || final_state == kListSecondComma) return Fail(ctx, InfMessage::kParameterCountWrong, 0x3900);
  if (!IsDeleteRegistryRootKey(item.p1)) return FailUndefined(ctx, item.p1, 0x3700);
  if (item.p2.empty() && item.p3.empty()) {
    return Fail(ctx, InfMessage::kSubkeyAndValueNameOmitted, 0x3800);
  }
  AddItem(ctx, DeleteRegistryItem{std::move(item.p1), std::move(item.p2), std::move(item.p3)});
  return 0;
}

}  // namespace inf
