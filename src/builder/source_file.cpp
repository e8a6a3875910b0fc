#include "builder/source_file.h"

#include "base/sjis.h"

namespace builder {

archive::EntryKind EntryKindOf(const std::string& name) {
  std::size_t dot = base::SjisFindLast(name, '.');
  if (dot == std::string::npos) return archive::EntryKind::kData;
  std::string_view extension = std::string_view(name).substr(dot);
  if (base::EqualsIgnoreAsciiCase(extension, ".INF")) return archive::EntryKind::kInstallInfo;
  if (base::EqualsIgnoreAsciiCase(extension, ".EXE") || base::EqualsIgnoreAsciiCase(extension, ".DLL") ||
      base::EqualsIgnoreAsciiCase(extension, ".VB"))
    return archive::EntryKind::kProgram;
  return archive::EntryKind::kData;
}

}  // namespace builder
