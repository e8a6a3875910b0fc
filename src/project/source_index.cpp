#include "project/source_index.h"

#include <algorithm>
#include <unordered_set>

#include "base/host_path.h"
#include "base/listing.h"
#include "base/sjis.h"
#include "project/file_utils.h"
#include "project/settings.h"

namespace wizard {
bool SourceIndex::Read(const base::FileAccess& fs, const std::string& source_path) {
  *this = SourceIndex();
  path_ = source_path;
  std::vector<FolderEntry> entries;
  // The listings take the folders without their final separator.
  const std::string folder_path = source_path.substr(0, source_path.size() - 1);
  if (source_path.empty() || !ListFolder(fs, folder_path, &entries)) return false;
  auto take = [this](const FolderEntry& entry, const std::string& folder) {
    files_.push_back(SourceFile{entry.name, folder, entry.size});
  };
  for (const FolderEntry& entry : entries) {
    if (entry.is_folder) {
      folders_.push_back(entry.name);
    } else {
      take(entry, std::string());
    }
  }
  std::vector<FolderEntry> inner;
  for (const std::string& folder : folders_) {
    ListFolder(fs, source_path + folder, &inner);
    for (const FolderEntry& entry : inner) {
      if (entry.is_folder) {
        nested_folders_ = true;
      } else {
        take(entry, folder);
      }
    }
  }
  IndexNames();
  return true;
}

void SourceIndex::IndexNames() {
  shortest_.clear();
  for (const SourceFile& file : files_) {
    const std::size_t added = file.folder.empty() ? 0 : file.folder.size() + 1;
    auto [at, inserted] = shortest_.emplace(base::SjisUpperAsciiCopy(file.name), added);
    if (!inserted && added < at->second) at->second = added;
  }
}

void SourceIndex::Refresh(const base::FileAccess& fs, const std::vector<std::string>& names) {
  std::unordered_set<std::string> keys;
  for (const std::string& name : names) keys.insert(base::SjisUpperAsciiCopy(name));
  // The folder's own files of those names go (sub-folders' files stay) ...
  const auto gone = [&](const SourceFile& file) { return file.folder.empty() && keys.count(base::SjisUpperAsciiCopy(file.name)) > 0; };
  files_.erase(std::remove_if(files_.begin(), files_.end(), gone), files_.end());
  // ... and come back as the folder holds them now, examined once each: the
  // last of the names that share a key speaks for it.
  std::vector<SourceFile> present;
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    if (!keys.erase(base::SjisUpperAsciiCopy(*name))) continue;
    base::FileInfo info;
    if (fs.files.Stat(base::HostText(path_ + *name), &info) && info.kind != base::FileKind::kFolder) {
      present.push_back(SourceFile{*name, std::string(), info.size});
    }
  }
  const auto own_end =
      std::find_if(files_.begin(), files_.end(), [](const SourceFile& file) { return !file.folder.empty(); });
  files_.insert(own_end, present.rbegin(), present.rend());
  IndexNames();
}

bool SourceIndex::Contains(std::string_view name) const {
  const auto found = shortest_.find(base::SjisUpperAsciiCopy(name));
  return found != shortest_.end() &&
         path_.size() + found->second + name.size() < static_cast<std::size_t>(kMaxPath);
}

}  // namespace wizard
