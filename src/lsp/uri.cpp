#include "lsp/uri.h"

#include "base/encoding.h"
#include "base/sjis.h"

namespace lsp {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool UriToHostPath(std::string_view uri, std::string* path) {
  constexpr std::string_view kScheme = "file://";
  if (uri.size() < kScheme.size() || !base::EqualsIgnoreAsciiCase(uri.substr(0, kScheme.size()), kScheme))
    return false;
  uri.remove_prefix(kScheme.size());
  if (uri.empty() || uri.front() != '/') return false;  // "file://host/..." names another machine
  const std::size_t query = uri.find_first_of("?#");
  if (query != std::string_view::npos) uri = uri.substr(0, query);
  std::string decoded;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%') {
      const int high = i + 2 < uri.size() ? HexValue(uri[i + 1]) : -1;
      const int low = high >= 0 ? HexValue(uri[i + 2]) : -1;
      if (low < 0) return false;
      const char byte = static_cast<char>(high * 16 + low);
      if (byte == '\0') return false;
      decoded += byte;
      i += 2;
    } else {
      decoded += uri[i];
    }
  }
#ifdef _WIN32
  // "/c:/dir/name" names "c:\dir\name".
  if (decoded.size() >= 3 && decoded[0] == '/' && decoded[2] == ':') decoded.erase(0, 1);
  for (char& c : decoded) {
    if (c == '/') c = '\\';
  }
  return base::Utf8ToCp932(decoded, path);
#else
  *path = std::move(decoded);
  return true;
#endif
}

std::string_view UriFolder(std::string_view uri) {
  const std::size_t slash = uri.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : uri.substr(0, slash);
}

std::string UriPart(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || c == '-' ||
        c == '.' || c == '_' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

}  // namespace lsp
