#include "inf/section_table.h"

#include <iterator>

#include "base/sjis.h"

namespace inf {

namespace {

struct SectionRow {
  SectionKind kind;
  std::string_view name;
  HandlerKind handler;
};

constexpr SectionRow kSections[] = {
    {SectionKind::kNone, "", HandlerKind::kSectionHead},
    {SectionKind::kAppInformation, "App Information", HandlerKind::kDefinition},
    {SectionKind::kUninstallInformation, "Uninstall Information", HandlerKind::kDefinition},
    {SectionKind::kMakeDirs, "Make Dirs", HandlerKind::kParameterList},
    {SectionKind::kDeleteDirs, "Delete Dirs", HandlerKind::kParameterList},
    {SectionKind::kCopyFiles, "Copy Files", HandlerKind::kParameterList},
    {SectionKind::kSetupDataFiles, "Setup Data-Files", HandlerKind::kParameterList},
    {SectionKind::kDeleteFiles, "Delete Files", HandlerKind::kParameterList},
    {SectionKind::kAddRegistry, "Add Registry", HandlerKind::kAddRegistry},
    {SectionKind::kDeleteRegistry, "Delete Registry", HandlerKind::kParameterList},
    {SectionKind::kExInstallInformation, "Ex-Install Information", HandlerKind::kDefinition},
};

const SectionRow& Row(SectionKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < std::size(kSections) ? kSections[index] : kSections[0];
}

}  // namespace

std::string_view SectionName(SectionKind kind) { return Row(kind).name; }

HandlerKind SectionHandler(SectionKind kind) { return Row(kind).handler; }

SectionKind FindSection(std::string_view name) {
  // Row 0 stands for "outside any section" and never matches a name.
  for (std::size_t i = 1; i < std::size(kSections); ++i) {
    if (base::EqualsIgnoreAsciiCase(kSections[i].name, name)) return kSections[i].kind;
  }
  return SectionKind::kNone;
}

SectionRecord MakeSectionRecord(SectionKind kind) {
  SectionRecord record;
  record.kind = kind;
  switch (kind) {
    case SectionKind::kAppInformation: record.data = AppInformationRecord{}; break;
    case SectionKind::kUninstallInformation: record.data = UninstallInformationRecord{}; break;
    case SectionKind::kExInstallInformation: record.data = ExInstallInformationRecord{}; break;
    case SectionKind::kAddRegistry: record.data = std::vector<AddRegistryItem>{}; break;
    case SectionKind::kDeleteRegistry: record.data = std::vector<DeleteRegistryItem>{}; break;
    default: record.data = std::vector<ParameterItem>{}; break;
  }
  return record;
}

}  // namespace inf
