#include "lsp/sjis_image.h"

#include <algorithm>

#include "base/encoding.h"
#include "base/sjis.h"
#include "base/utf8.h"
#include "inf/diagnostic.h"
#include "lsp/text_document.h"

namespace lsp {
namespace {

// Editor text is converted in pieces of at most this many bytes, so that a
// long buffer never needs a second whole copy while it is converted.
constexpr std::size_t kPieceBytes = 64 * 1024;
// A piece that fails and is at most this long is converted character by
// character rather than cut in halves again.
constexpr std::size_t kSmallPieceBytes = 32;

// The code point of the one character `utf8`; U+FFFD when it is none.
std::uint32_t CodePoint(std::string_view utf8) {
  std::uint32_t point = 0;
  return base::Utf8CharacterAt(utf8, 0, &point) == utf8.size() ? point : 0xFFFD;
}

// `cut` moved back to the start of the character it falls inside (0 when
// no character starts before it; the end of `text` stays).
std::size_t CharacterStart(std::string_view text, std::size_t cut) {
  while (cut > 0 && cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

// The image of one character, and a substitute when it does not read back
// as itself.
void AppendChar(std::string_view character, std::string* out, std::vector<Substitute>* substitutes) {
  std::string image;
  std::string back;
  const auto offset = static_cast<std::uint32_t>(out->size());
  // One character must stay one character, or the editor's columns would
  // no longer be the image's.
  if (!base::Utf8ToCp932(character, &image) || image.empty() || base::SjisCharSize(image, 0) != image.size()) {
    out->push_back('?');
    substitutes->push_back(Substitute{offset, CodePoint(character), false});
    return;
  }
  out->append(image);
  if (!base::Cp932ToUtf8(image, &back) || back != character)
    substitutes->push_back(Substitute{offset, CodePoint(character), true});
}

// Converts `text` whole when its image reads back as it; otherwise in two
// halves cut at a character start, so that a few odd characters in a long
// piece cost few conversions.
void AppendPiece(std::string_view text, std::string* out, std::vector<Substitute>* substitutes) {
  if (text.empty()) return;
  if (text.size() > kSmallPieceBytes) {
    std::string image;
    std::string back;
    if (base::Utf8ToCp932(text, &image) && base::Cp932ToUtf8(image, &back) && back == text) {
      out->append(image);
      return;
    }
    const std::size_t cut = CharacterStart(text, text.size() / 2);
    if (cut > 0) {
      AppendPiece(text.substr(0, cut), out, substitutes);
      AppendPiece(text.substr(cut), out, substitutes);
      return;
    }
  }
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharLength(text, at);
    AppendChar(text.substr(at, length), out, substitutes);
    at += length;
  }
}

}  // namespace

std::string Utf8Of(std::uint32_t code_point) {
  std::string out;
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
  return out;
}

void AppendShiftJis(std::string_view utf8, std::string* out, std::vector<Substitute>* substitutes) {
  while (!utf8.empty()) {
    std::size_t cut = CharacterStart(utf8, std::min(utf8.size(), kPieceBytes));
    if (cut == 0) cut = std::min(utf8.size(), kPieceBytes);  // no character start: take it as it is
    AppendPiece(utf8.substr(0, cut), out, substitutes);
    utf8.remove_prefix(cut);
  }
}

std::string EditorText(std::string_view sjis, std::size_t offset, std::span<const Substitute> substitutes) {
  auto it = std::lower_bound(substitutes.begin(), substitutes.end(), offset,
                             [](const Substitute& s, std::size_t at) { return s.offset < at; });
  std::string out;
  std::size_t done = 0;
  for (; it != substitutes.end() && it->offset < offset + sjis.size(); ++it) {
    const std::size_t at = it->offset - offset;
    out += inf::SjisToUtf8Lossy(sjis.substr(done, at - done));
    out += Utf8Of(it->code_point);
    done = at + base::SjisCharSize(sjis, at);
  }
  out += inf::SjisToUtf8Lossy(sjis.substr(std::min(done, sjis.size())));
  return out;
}

}  // namespace lsp
