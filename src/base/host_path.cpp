#include "base/host_path.h"

#include "base/encoding.h"
#include "base/sjis.h"

namespace base {
namespace {

constexpr char kHostTextStart = '\xFF';
constexpr char kHostTextEnd = '\xFE';
constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The host bytes of the marked text at the start of `text` (just after its
// start mark), and its length up to and with its end mark; false when what
// follows is no marked text.
bool ReadMarkedHostText(std::string_view text, std::string* host, std::size_t* length) {
  const std::size_t end = text.find(kHostTextEnd);
  if (end == std::string_view::npos || end % 2 != 0) return false;
  host->clear();
  for (std::size_t at = 0; at < end; at += 2) {
    const int high = HexValue(text[at]);
    const int low = HexValue(text[at + 1]);
    if (high < 0 || low < 0) return false;
    *host += static_cast<char>(high * 16 + low);
  }
  *length = end + 1;
  return true;
}

}  // namespace

std::string MarkHostText(std::string_view host) {
  std::string marked(1, kHostTextStart);
  for (char c : host) {
    const auto byte = static_cast<unsigned char>(c);
    marked += kHexDigits[byte >> 4];
    marked += kHexDigits[byte & 0x0F];
  }
  marked += kHostTextEnd;
  return marked;
}

std::string ShownText(std::string_view kit, bool utf8) {
  std::string shown;
  // The kit bytes from `from` to `to`, converted as asked.
  auto add_kit = [&](std::size_t from, std::size_t to) {
    const std::string_view piece = kit.substr(from, to - from);
    std::string converted;
    if (utf8 && Cp932ToUtf8(piece, &converted)) {
      shown += converted;
    } else {
      shown += piece;
    }
  };
  std::size_t piece_start = 0;
  for (std::size_t at = 0; at < kit.size();) {
    std::string host;
    std::size_t length = 0;
    if (kit[at] == kHostTextStart && ReadMarkedHostText(kit.substr(at + 1), &host, &length)) {
      add_kit(piece_start, at);
      shown += host;
      at += 1 + length;
      piece_start = at;
    } else {
      at += SjisCharSize(kit, at);
    }
  }
  add_kit(piece_start, kit.size());
  return shown;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += kPathSeparator;
  path += name;
  return path;
}

bool PathWithin(std::string_view folder, std::string_view path) {
  if (path.size() < folder.size()) return false;
#ifdef _WIN32
  if (!EqualsIgnoreAsciiCase(path.substr(0, folder.size()), folder)) return false;
#else
  if (path.substr(0, folder.size()) != folder) return false;
#endif
  if (path.size() == folder.size()) return true;
  // "/src" holds "/src/a", not "/src2"; a root such as "/" ends in its separator.
  return path[folder.size()] == kPathSeparator || (!folder.empty() && folder.back() == kPathSeparator);
}

}  // namespace base
