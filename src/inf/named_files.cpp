#include "inf/named_files.h"

#include "base/sjis.h"
#include "inf/install_description.h"

namespace inf {

std::string_view LastPathPart(std::string_view path) {
  const std::size_t at = base::SjisFindLast(path, '\\');
  return at == std::string_view::npos ? path : path.substr(at + 1);
}

std::string_view CopiedFileName(const ParameterItem& item) {
  return item.p2.empty() ? LastPathPart(item.p1) : std::string_view(item.p2);
}

void ReportFileKey(NamedFileSink& sink, std::string_view key, std::string_view value, int line) {
  for (const char* file_key : {"ExeFile", "Icon", "Uninstall"}) {
    if (base::EqualsIgnoreAsciiCase(key, file_key)) {
      sink.OnNamedFile(LastPathPart(value), file_key, line);
      return;
    }
  }
}

}  // namespace inf
