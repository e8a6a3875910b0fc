#pragma once
// Editor text (UTF-8) in the Shift-JIS form the builder's checks read, and
// back. Each character of the editor's text is one character of its image,
// so lines and character counts stay those of the editor's buffer; the
// characters whose image does not read back as themselves are kept aside as
// substitutes, so that the editor's text can be given back exactly.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

/// A character of the editor's text whose Shift-JIS image reads back as
/// another character: one that code page 932 cannot hold (its image is "?")
/// or one it holds as another (U+00A5 as "\", U+00A2 as the full-width cent
/// sign).
struct Substitute {
  std::uint32_t offset = 0;      ///< byte offset of its image
  std::uint32_t code_point = 0;  ///< the character the editor holds
  bool convertible = false;      ///< false: code page 932 has no form of it
  bool operator==(const Substitute&) const = default;
};

/// Appends the Shift-JIS image of UTF-8 `utf8` to `out`, and a substitute
/// for each character whose image reads back as another, its offset counted
/// from the start of `out`. Bytes that are not UTF-8 are taken as U+FFFD.
void AppendShiftJis(std::string_view utf8, std::string* out, std::vector<Substitute>* substitutes);

/// The editor's UTF-8 text of image `sjis`, which starts at byte `offset` of
/// a text whose substitutes are `substitutes` (in offset order).
std::string EditorText(std::string_view sjis, std::size_t offset, std::span<const Substitute> substitutes);

/// UTF-8 bytes of code point `code_point`.
std::string Utf8Of(std::uint32_t code_point);

}  // namespace lsp
