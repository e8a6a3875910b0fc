#pragma once
// Registry sections: the Add Registry statement handler (root key, subkey,
// value name, data type, write flag, then the value or values) and the rule
// of Delete Registry statements.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "inf/statement_context.h"

namespace inf {

/// Most values of one REG_MULTI_SZ entry.
inline constexpr std::size_t kMaxMultiSzValues = 255;

/// The root keys Add Registry accepts (Delete Registry takes all but the
/// last), the data types and the write flags, each list with its default
/// first where it has one.
std::span<const std::string_view> RegistryRootKeys();
std::span<const std::string_view> RegistryDataTypes();
std::span<const std::string_view> RegistryWriteFlags();

/// True for a root key that Add Registry accepts (case counts).
bool IsAddRegistryRootKey(std::string_view name);
/// True for a root key that Delete Registry accepts (case counts).
bool IsDeleteRegistryRootKey(std::string_view name);

/// Reads Add Registry statements, position by position. A statement that
/// ends with a comma after the fifth position or after a value stays open and
/// is continued by the next token this handler receives, on a later line,
/// in a later Add Registry section or in a later file. Its state is the
/// position reached (`Position`).
class AddRegistryHandler : public StatementHandler {
 public:
  /// Where a statement stands: waiting for a parameter, or for the comma
  /// after it. Between statements the state is kRootKey (0).
  enum Position : int {
    kRootKey,
    kCommaAfterRootKey,
    kSubkey,
    kCommaAfterSubkey,
    kValueName,
    kCommaAfterValueName,
    kDataType,
    kCommaAfterDataType,
    kWriteFlag,
    kCommaAfterWriteFlag,
    /// A value position: the statement stays open here after a comma.
    kValue,
    /// After a REG_MULTI_SZ value: a comma leads to the next one.
    kCommaAfterMultiSzValue,
    /// After the one value of the other types: nothing more may follow.
    kComplete,
  };

  std::uint32_t OnToken(std::string_view token, StatementContext& ctx);
  std::uint32_t OnEnd(StatementContext& ctx);

  /// True when a statement was left open by a trailing comma.
  bool open() const { return state_ == kValue; }
  /// The open statement's root key, subkey and value name.
  const std::string& root_key() const { return root_key_; }
  const std::string& subkey() const { return subkey_; }
  const std::string& value_name() const { return value_name_; }
  /// Number of tokens received so far (to tell which lines fed it).
  std::uint64_t token_count() const { return token_count_; }

 private:
  std::uint32_t TakeValue(const std::string& value, StatementContext& ctx);
  void Clear();

  std::uint64_t token_count_ = 0;
  std::string root_key_, subkey_, value_name_, data_type_, write_flag_;
  std::string text_;  // the token being taken, unquoted
  AddRegistryItem value_;  // the value area: only the value members are used
};

/// Applies the Delete Registry rule to a complete parameter-list statement
/// (P1 root key, P2 subkey, P3 value name) and appends the item. Answers 0,
/// 0x3700 (unknown root key), 0x3800 (no subkey and no value name) or 0x3900
/// (ended after a comma).
std::uint32_t AcceptDeleteRegistryStatement(ListState final_state, ParameterItem item,
                                            StatementContext& ctx);

}  // namespace inf
