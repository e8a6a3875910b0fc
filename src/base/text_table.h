#pragma once
// A program's texts: one table per language, each holding the text of every
// id of the program's id list (an enum whose last value is its count), in the
// order of the ids.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace base {

/// One text of a table: the id it stands for, and the text.
template <typename Id>
struct TextEntry {
  Id id;
  const char* text;
};

/// True when `table` holds exactly the ids from the first to the one before
/// `count`, each once and in order, so that a text is found by its id's
/// number. Each table checks itself with a static_assert.
template <typename Id, std::size_t N>
constexpr bool CoversEveryIdInOrder(const TextEntry<Id> (&table)[N], Id count) {
  if (N != static_cast<std::size_t>(count)) return false;
  for (std::size_t i = 0; i < N; ++i)
    if (static_cast<std::size_t>(table[i].id) != i || table[i].text == nullptr) return false;
  return true;
}

/// The arguments that the printf conversions of `format` take, in order, as
/// their length modifier and conversion letter ("%-23s" gives "s", "%08llX"
/// gives "llX", a '*' width or precision gives "*"); "%%" takes none. Two
/// languages' texts of one id must give the same list.
std::vector<std::string> PrintfArguments(std::string_view format);

}  // namespace base
