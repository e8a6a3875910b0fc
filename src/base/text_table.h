#pragma once
// A program's texts: one table per language, each holding the text of every
// id of the program's id list (an enum whose last value is its count), in the
// order of the ids.

#include <algorithm>
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

/// `format` with each "%s" replaced by the next of `arguments`, in order; a
/// "%s" left when the arguments run out stays as it is. Any other "%" pair,
/// "%%" included, stays untouched (so "%%s" is no placeholder), and an
/// argument's own "%s" is never replaced again. The one filler of the
/// programs' message texts.
std::string FillText(std::string_view format, const std::vector<std::string>& arguments);

/// True when `text` holds no byte outside ASCII.
inline bool IsPlainAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

/// The texts that two languages' tables do not agree on, one line each
/// ("id 12: ..."): a missing or empty text, texts taking different printf
/// arguments, and in `ascii_table` a byte outside ASCII. Empty when they
/// agree. `text_a` and `ascii_table` answer an id's text in each language.
template <typename Id>
std::vector<std::string> TableDisagreements(const char* (*text_a)(Id), const char* (*ascii_table)(Id), Id count) {
  std::vector<std::string> found;
  for (int i = 0; i < static_cast<int>(count); ++i) {
    const char* a = text_a(static_cast<Id>(i));
    const char* b = ascii_table(static_cast<Id>(i));
    const std::string id = "id " + std::to_string(i) + ": ";
    if (!a || !b || !*a || !*b) {
      found.push_back(id + "no text");
      continue;
    }
    if (PrintfArguments(a) != PrintfArguments(b)) found.push_back(id + "other arguments: " + b);
    if (!IsPlainAscii(b)) found.push_back(id + "not ASCII: " + b);
  }
  return found;
}

/// The texts of a table in a language not written in ASCII (Japanese) that
/// are plain ASCII all the same, one line each ("id 12: ..."): texts left in
/// English. The ids of `kept` may be ASCII (historic texts that read alike in
/// every language, bare formats); empty when every other text is translated.
template <typename Id>
std::vector<std::string> UntranslatedTexts(const char* (*table)(Id), Id count, const std::vector<Id>& kept) {
  std::vector<std::string> found;
  for (int i = 0; i < static_cast<int>(count); ++i) {
    const Id id = static_cast<Id>(i);
    const char* text = table(id);
    if (text == nullptr || std::find(kept.begin(), kept.end(), id) != kept.end()) continue;
    if (IsPlainAscii(text)) found.push_back("id " + std::to_string(i) + ": " + text);
  }
  return found;
}

}  // namespace base
