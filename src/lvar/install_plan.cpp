#include "lvar/install_plan.h"

#include <map>
#include <unordered_map>
#include <unordered_set>

#include "base/hex.h"
#include "base/sjis.h"
#include "inf/install_info.h"
#include "inf/named_files.h"
#include "lvar/entry_name.h"

namespace lvar {
namespace {

constexpr std::size_t kMaxInstallInfoSize = 4 * 1024 * 1024;
constexpr const char kInstallInfoName[] = "Install.inf";
constexpr const char kInstallDirMarker[] = "%INSTALL_DIR%";

struct StoredEntry {
  std::string name;
  std::uint8_t kind = 0;
  std::uint64_t offset = 0;
};

// The content of the install information entries, under their names' keys.
using StoredTexts = std::map<std::string, std::string>;

// Keeps every entry's name and the content of the install information
// entries (the first of each name).
class Collector : public ArchiveVisitor {
 public:
  explicit Collector(StoredTexts* store) : store_(store) {}

  Status OnHeader(const HeaderFields& header) override {
    header_ = header;
    return {};
  }
  Status OnEntry(const EntryFields& entry) override {
    const std::string key = NameKey(entry.name);
    index.try_emplace(key, entries.size());
    entries.push_back({entry.name, entry.kind, entry.offset});
    capturing_ = entry.kind == static_cast<std::uint8_t>(archive::EntryKind::kInstallInfo) &&
                 entry.size <= kMaxInstallInfoSize && !store_->count(key);
    if (capturing_) (*store_)[key];
    return {};
  }
  Status OnContent(const std::uint8_t* data, std::size_t size) override {
    if (capturing_) {
      (*store_)[NameKey(entries.back().name)].append(reinterpret_cast<const char*>(data), size);
    }
    return {};
  }

  /// The entry of a name (the first when several share its NameKey).
  const StoredEntry* Find(const std::string& name) const {
    auto it = index.find(NameKey(name));
    return it == index.end() ? nullptr : &entries[it->second];
  }

  std::vector<StoredEntry> entries;
  std::unordered_map<std::string, std::size_t> index;  // NameKey -> first entry of that name
  HeaderFields header_;

 private:
  StoredTexts* store_;
  bool capturing_ = false;
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string RegistryValueText(const inf::AddRegistryItem& item) {
  if (item.data_type == "REG_DWORD") return std::to_string(item.dword);
  if (item.data_type == "REG_BINARY") return base::HexBytes(item.binary.data(), item.binary.size());
  if (item.data_type == "REG_MULTI_SZ") {
    std::string joined;
    for (const std::string& value : item.multi_sz) joined += (joined.empty() ? "" : ", ") + Quoted(value);
    return joined;
  }
  return Quoted(item.sz);
}

// Reads one stored install information file with the builder's reader.
Status ReadStored(const StoredTexts& store, const StoredEntry& entry, base::Console& console,
                  inf::InstallInfoState* state, inf::SectionList* sections) {
  const std::string key = NameKey(entry.name);
  if (entry.kind != static_cast<std::uint8_t>(archive::EntryKind::kInstallInfo))
    return Failure(Fault::kInstallInfo, entry.offset, {Message::kInfNotStoredAsInf, {entry.name}});
  if (!store.count(key)) return Failure(Fault::kInstallInfo, entry.offset, {Message::kInfTooLarge, {entry.name}});
  state->sections = sections;
  if (std::uint32_t code = inf::ReadInstallInfoBytes(store.at(key), entry.name, console, state)) {
    return Failure(Fault::kInstallInfo, entry.offset, {Message::kInfFailsChecks, {entry.name, base::HexNumber(code, 8)}});
  }
  return {};
}

void PlanInstall(const inf::SectionList& sections, InstallPlan* plan) {
  const inf::AppInformationRecord* app = nullptr;
  for (const inf::SectionRecord& record : sections)
    if (const auto* a = std::get_if<inf::AppInformationRecord>(&record.data)) app = a;
  if (app) {
    plan->destination = app->destination.value_or("");
    plan->install_dir = app->install_dir.value_or("");
    plan->startup_program = app->exe_file.value_or("");
    plan->menu_caption = app->caption.value_or("");
    plan->icon = app->icon.value_or("");
    plan->uninstall.file_name = app->uninstall.value_or("");
  }
  for (const inf::SectionRecord& record : sections) {
    if (const auto* items = std::get_if<std::vector<inf::ParameterItem>>(&record.data)) {
      for (const inf::ParameterItem& item : *items) {
        if (record.kind == inf::SectionKind::kMakeDirs) {
          plan->folders.push_back(ExpandInstallDir(item.p1, plan->install_dir));
        } else if (record.kind == inf::SectionKind::kCopyFiles) {
          PlannedFile file;
          file.device_path = ExpandInstallDir(item.p1, plan->install_dir);
          file.archive_name = std::string(inf::CopiedFileName(item));
          file.flags = item.p3;
          plan->files.push_back(std::move(file));
        }
      }
    } else if (const auto* regs = std::get_if<std::vector<inf::AddRegistryItem>>(&record.data)) {
      for (const inf::AddRegistryItem& item : *regs)
        plan->registry.push_back({item.root_key, item.subkey, item.value_name, item.data_type, item.write_flag,
                                  RegistryValueText(item)});
    }
  }
}

void PlanUninstall(const inf::SectionList& sections, const std::string& install_dir, PlannedUninstall* plan) {
  for (const inf::SectionRecord& record : sections) {
    if (const auto* items = std::get_if<std::vector<inf::ParameterItem>>(&record.data)) {
      for (const inf::ParameterItem& item : *items) {
        if (record.kind == inf::SectionKind::kDeleteFiles)
          plan->files.push_back(ExpandInstallDir(item.p1, install_dir));
        else if (record.kind == inf::SectionKind::kDeleteDirs)
          plan->folders.push_back(ExpandInstallDir(item.p1, install_dir));
      }
    } else if (const auto* regs = std::get_if<std::vector<inf::DeleteRegistryItem>>(&record.data)) {
      for (const inf::DeleteRegistryItem& item : *regs) {
        std::string key = item.root_key + (item.subkey.empty() ? "" : "\\" + item.subkey);
        if (!item.value_name.empty()) {
          key += ' ';
          key += Quoted(item.value_name);
        }
        plan->registry_keys.push_back(key);
      }
    }
  }
}

// Where a copy line puts its file on the device: the folder and the name.
// The first column is the file's full path when its last part has an
// extension or is the archive name (as Pakforge writes it:
// "%INSTALL_DIR%\Foo.exe" , "Foo.exe"); otherwise it is the folder, and the
// file keeps its archive name there ("?Drive?\Program Files\Memo", Memo.exe).
struct Landing {
  std::string folder, name;
  std::string Path() const { return folder.empty() ? name : folder + "\\" + name; }
};

Landing LandingOf(const PlannedFile& file) {
  const std::string& path = file.device_path;
  const std::size_t at = base::SjisFindLast(path, '\\');
  const std::string last = at == std::string::npos ? path : path.substr(at + 1);
  const std::size_t dot = base::SjisFindLast(last, '.');
  Landing landing;
  if (base::EqualsIgnoreAsciiCase(last, file.archive_name) || (dot != std::string::npos && dot > 0)) {
    landing = {at == std::string::npos ? "" : path.substr(0, at), last};
  } else {
    landing = {path, file.archive_name};
  }
  while (!landing.folder.empty() && landing.folder.back() == '\\' &&
         base::SjisFindLast(landing.folder, '\\') == landing.folder.size() - 1)
    landing.folder.pop_back();
  return landing;
}

void AddWarnings(const Collector& archive, InstallPlan* plan) {
  std::unordered_set<std::string> copied;        // NameKey of the archive names
  std::unordered_set<std::string> landed_names;  // FoldedName of the device names
  std::unordered_map<std::string, std::string> landing;  // folded device path -> archive name
  for (PlannedFile& file : plan->files) {
    file.in_archive = archive.Find(file.archive_name) != nullptr;
    copied.insert(NameKey(file.archive_name));
    if (!file.in_archive)
      plan->warnings.push_back({Message::kWarnNotInArchive, {file.archive_name}});
    const Landing where = LandingOf(file);
    landed_names.insert(FoldedName(where.name));
    // The device's file system folds letter case: one name in one folder is
    // one file, whatever the case of either.
    auto [it, added] = landing.try_emplace(FoldedName(where.folder) + '\\' + FoldedName(where.name), file.archive_name);
    if (!added)
      plan->warnings.push_back({Message::kWarnSameDevicePath, {file.archive_name, it->second, where.Path()}});
  }
  // ExeFile and Icon name a device file, by its path or by its name alone.
  auto copies = [&](const std::string& device_file) {
    return landed_names.count(FoldedName(inf::LastPathPart(ExpandInstallDir(device_file, plan->install_dir)))) != 0;
  };
  if (!copies(plan->startup_program))
    plan->warnings.push_back({Message::kWarnStartupNotCopied, {plan->startup_program}});
  if (!plan->icon.empty() && !copies(plan->icon))
    plan->warnings.push_back({Message::kWarnIconNotCopied, {plan->icon}});

  // The description that Uninstall names goes with the archive whether a
  // copy line names it or not.
  std::unordered_set<std::string> warned = {NameKey(kInstallInfoName)};
  if (!plan->uninstall.file_name.empty()) warned.insert(NameKey(plan->uninstall.file_name));
  for (const StoredEntry& entry : archive.entries) {
    const std::string key = NameKey(entry.name);
    if (copied.count(key) || !warned.insert(key).second) continue;
    plan->warnings.push_back({Message::kWarnNoCopyLine, {entry.name}});
  }
  if (!plan->uninstall.file_name.empty() && !plan->uninstall.in_archive)
    plan->warnings.push_back({Message::kWarnUninstallMissing, {plan->uninstall.file_name}});
}

}  // namespace

std::string ExpandInstallDir(const std::string& path, const std::string& install_dir) {
  const std::string_view marker = kInstallDirMarker;
  std::string out;
  for (std::size_t i = 0; i < path.size();) {
    if (path.size() - i >= marker.size() &&
        base::EqualsIgnoreAsciiCase(std::string_view(path).substr(i, marker.size()), marker)) {
      out += install_dir;
      i += marker.size();
    } else {
      const bool lead = base::IsSjisLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size();
      out.append(path, i, lead ? 2 : 1);
      i += lead ? 2 : 1;
    }
  }
  return out;
}

Status MakeInstallPlan(base::FileSystem& files, const std::string& archive, base::Console& console,
                       InstallPlan* plan) {
  StoredTexts store;
  Collector collector(&store);
  if (Status s = ReadArchiveFile(files, archive, collector); !s.ok()) return s;
  plan->header = collector.header_;

  // A sound archive always holds Install.inf.
  const StoredEntry* install = collector.Find(kInstallInfoName);
  inf::InstallInfoState state;
  inf::SectionList sections;
  if (Status s = ReadStored(store, *install, console, &state, &sections); !s.ok()) return s;
  PlanInstall(sections, plan);

  if (!plan->uninstall.file_name.empty()) {
    if (const StoredEntry* uninstall = collector.Find(plan->uninstall.file_name)) {
      plan->uninstall.in_archive = true;
      inf::SectionList uninstall_sections;
      if (Status s = ReadStored(store, *uninstall, console, &state, &uninstall_sections); !s.ok()) return s;
      PlanUninstall(uninstall_sections, plan->install_dir, &plan->uninstall);
    }
  }
  AddWarnings(collector, plan);
  return {};
}

}  // namespace lvar
