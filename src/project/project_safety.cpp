#include "project/project_safety.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/host_path.h"
#include "base/listing.h"
#include "base/sjis.h"
#include "project/build_outputs.h"
#include "project/file_utils.h"
#include "project/texts.h"

namespace project {
namespace {

bool Refuse(SafetyRefusal* refusal, int string_id, std::string what, std::string other = std::string()) {
  refusal->string_id = string_id;
  refusal->what = std::move(what);
  refusal->other = std::move(other);
  return false;
}

std::string Key(const char* stem, int index, const std::string& value) {
  return stem + std::to_string(index) + "=" + value;
}

// One file that Finish writes: its name and the setting that names it.
struct Output {
  std::string name;
  std::string what;
};

void Add(std::vector<Output>* outputs, std::string name, const std::string& key) {
  std::string what = key.empty() || key == name ? name : key + " (" + name + ")";
  outputs->push_back({std::move(name), std::move(what)});
}

// The first two of `outputs` with one name, ASCII case ignored: the first
// output whose name comes again, with the next output of that name. The
// names are indexed by their folded form once, so tens of thousands of
// program rows are checked in about the time it takes to read them.
bool FindClash(const std::vector<Output>& outputs, SafetyRefusal* refusal) {
  const std::size_t none = outputs.size();
  std::vector<std::string> folded(outputs.size());
  std::unordered_map<std::string_view, std::pair<std::size_t, std::size_t>> holders;  // first, second
  holders.reserve(outputs.size());
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    folded[i] = outputs[i].name;
    base::SjisUpperAscii(folded[i]);
    auto [it, added] = holders.try_emplace(folded[i], i, none);
    if (!added && it->second.second == none) it->second.second = i;
  }
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const auto& [first, second] = holders.at(folded[i]);
    if (first == i && second != none) {
      return Refuse(refusal, kStrOutputNameClash, outputs[i].what, outputs[second].what);
    }
  }
  return true;
}

bool IsProgramRow(const std::string& name, std::string* base) {
  std::string extension;
  SplitPath(name, nullptr, base, &extension);
  return base::EqualsIgnoreAsciiCase(extension, ".EXE");
}

// Windows compares paths ignoring case; POSIX byte by byte.
bool SamePathStart(const std::string& path, const std::string& start) {
  if (path.size() < start.size()) return false;
#ifdef _WIN32
  return base::EqualsIgnoreAsciiCase(std::string_view(path).substr(0, start.size()), start);
#else
  return path.compare(0, start.size(), start) == 0;
#endif
}

}  // namespace

std::string SafetyRefusal::Detail() const { return other.empty() ? what : what + " / " + other; }

bool ProjectFileTooLarge(const base::FileAccess& fs, const std::string& path) {
  base::FileInfo info;
  return fs.files.Stat(base::HostText(path), &info) && info.kind == base::FileKind::kRegular &&
         info.size > kMaxProjectFileSize;
}

bool IsBareFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (base::IsSjisLeadByte(c)) {
      if (i + 1 == name.size() || !base::IsSjisTrailByte(static_cast<unsigned char>(name[i + 1]))) return false;
      ++i;
      continue;
    }
    if (c < 0x20 || c == '\\' || c == '/' || c == ':') return false;
  }
  return true;
}

bool CheckProjectNames(const ProjectSettings& s, const FileRowStore* files, SafetyRefusal* refusal) {
  const bool rows_named = EveryFileRow(files, [refusal](int index, const FileRow& row) {
    if (!IsBareFileName(row.name)) return Refuse(refusal, kStrBadName, Key("File", index, row.name));
    if (row.kind != AppRoot && !IsValidFileName(row.folder)) {
      return Refuse(refusal, kStrBadName, Key("Folder", index, row.folder));
    }
    return true;
  });
  if (!rows_named) return false;
  const std::pair<const NameList*, const char*> lists[] = {{&s.Folders.app_folders, "NameApp"},
                                                           {&s.Folders.doc_folders, "Name"}};
  for (const auto& [list, stem] : lists) {
    for (int k = 0; k < list->Count(); ++k) {
      if (!IsValidFileName(list->At(k))) return Refuse(refusal, kStrBadName, Key(stem, k, list->At(k)));
    }
  }
  if (!s.Exe.IsEmpty() && !IsValidFileName(s.Exe.Text())) {
    return Refuse(refusal, kStrBadName, "Exe=" + s.Exe.Text());
  }
  return true;
}

bool CheckOutputNames(const ProjectSettings& s, const FileRowStore* files,
                      const std::string& project_file_name, SafetyRefusal* refusal) {
  std::vector<Output> source;
  Add(&source, "Install.inf", std::string());
  if (s.Uninstall.On()) Add(&source, s.UninstFile.Text() + ".inf", "UninstFile=" + s.UninstFile.Text());
  if (s.Reboot.On()) Add(&source, "InsResetFlag.txt", "Reboot=true");
  EveryFileRow(files, [&source](int index, const FileRow& row) {
    std::string base;
    if (IsProgramRow(row.name, &base)) Add(&source, base + ".txt", Key("File", index, row.name));
    return true;
  });
  if (!FindClash(source, refusal)) return false;
  // A file that a row copies is the author's: a file Finish writes of its
  // name would overwrite it (or, from a sub-folder, meet it in the archive).
  std::unordered_map<std::string, std::size_t> written;
  for (std::size_t i = 0; i < source.size(); ++i) written.emplace(base::SjisUpperAsciiCopy(source[i].name), i);
  const bool rows_apart = EveryFileRow(files, [&](int index, const FileRow& row) {
    const auto found = written.find(base::SjisUpperAsciiCopy(row.name));
    if (found == written.end()) return true;
    return Refuse(refusal, kStrCopiedFileOverwritten, Key("File", index, row.name), source[found->second].what);
  });
  if (!rows_apart) return false;
  std::vector<Output> project;
  project.push_back({s.Source.Text(), "Source=" + s.Source.Text()});  // a folder: its name is the value
  Add(&project, s.ArchiveName(), "Output=" + s.Output.Text());
  if (s.SetupIniCreate.On()) Add(&project, "Setup.ini", "Create=true");
  Add(&project, s.Name.Text() + ".bat", "Name=" + s.Name.Text());
  if (!project_file_name.empty()) Add(&project, project_file_name, std::string());
  return FindClash(project, refusal);
}

std::string VisibleText(std::string_view text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (IsControlCharacter(byte)) {
      out += "\\x";
      out += kDigits[byte >> 4];
      out += kDigits[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

bool CheckControlCharacters(const ProjectSettings& s, const FileRowStore* files, const RegistryRowStore* registry,
                            SafetyRefusal* refusal) {
  auto holds_control = [](std::string_view value) {
    for (char c : value)
      if (IsControlCharacter(static_cast<unsigned char>(c))) return true;
    return false;
  };
  auto refuse = [refusal](const std::string& key, std::string_view value) {
    return Refuse(refusal, kStrControlCharacter, key + "=" + VisibleText(value));
  };
  const std::pair<const TextSetting*, const char*> texts[] = {
      {&s.Product, "Product"}, {&s.Name, "Name"},         {&s.Caption, "Caption"},
      {&s.Ver, "Ver"},         {&s.Output, "Output"},     {&s.Source, "Source"},
      {&s.InstDir, "InstDir"}, {&s.Exe, "Exe"},           {&s.Cmd, "Cmd"},
      {&s.UninstFile, "UninstFile"}, {&s.SetupIniName, "[SetupIni] Name"}};
  for (const auto& [setting, key] : texts) {
    if (holds_control(setting->Text())) return refuse(key, setting->Text());
  }
  const std::pair<const NameList*, const char*> lists[] = {{&s.Folders.app_folders, "NameApp"},
                                                           {&s.Folders.doc_folders, "Name"}};
  for (const auto& [list, stem] : lists) {
    for (int k = 0; k < list->Count(); ++k) {
      if (holds_control(list->At(k))) return refuse(stem + std::to_string(k), list->At(k));
    }
  }
  const bool rows_clean = EveryFileRow(files, [&](int index, const FileRow& row) {
    if (holds_control(row.name)) return refuse("File" + std::to_string(index), row.name);
    if (row.kind != AppRoot && holds_control(row.folder)) return refuse("Folder" + std::to_string(index), row.folder);
    return true;
  });
  if (!rows_clean || registry == nullptr) return rows_clean;
  for (int index = 0; index < registry->Count(); ++index) {
    RegistryRow row;
    registry->Get(index, &row);
    if (holds_control(row.key) || holds_control(row.name) || holds_control(row.value)) {
      return refuse("Registry", RegistryRowText(row));
    }
  }
  return true;
}

bool CheckBatchPaths(const ProjectSettings& s, const std::string& current_dir, SafetyRefusal* refusal) {
  for (const std::string* path : {&current_dir, &s.Source.Text(), &s.Output.Text()}) {
    if (!IsBatchSafe(*path)) return Refuse(refusal, kStrBatchPathUnsafe, VisibleText(*path));
  }
  return true;
}

bool CheckSourceFolderInside(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                             base::PathResolver& resolver, SafetyRefusal* refusal) {
  // An empty Source names the project's folder itself: page 1 refuses it
  // as an empty field.
  if (s.Source.IsEmpty()) return true;
  std::string source;
  if (!s.SourceFolderPath(current_dir, &source)) {
    return Refuse(refusal, kStrSourceOutside, "Source=" + s.Source.Text());
  }
  // A source folder that is not there (a dangling link included) leads
  // nowhere: page 1's own check refuses it, and nothing is read.
  if (!FolderExists(fs, source)) return true;
  source.pop_back();  // the separator SourceFolderPath ends with
  std::string real_dir, real_source;
  if (!resolver.Resolve(base::HostText(current_dir), &real_dir) ||
      !resolver.Resolve(base::HostText(source), &real_source)) {
    return Refuse(refusal, kStrSourceOutside, source);
  }
  if (real_dir.empty() || real_dir.back() != base::kPathSeparator) real_dir += base::kPathSeparator;
  if (real_source.size() > real_dir.size() && SamePathStart(real_source, real_dir)) return true;
  return Refuse(refusal, kStrSourceOutside, source, base::KitText(real_source));
}

}  // namespace project
