#include "project/source_index.h"

#include <algorithm>
#include <unordered_set>

#include "base/host_path.h"
#include "base/listing.h"
#include "base/sjis.h"
#include "project/file_utils.h"
#include "project/settings.h"

namespace project {
bool SourceIndex::Read(const base::FileAccess& fs, const std::string& source_path) {
  *this = SourceIndex();
  path_ = source_path;
  if (source_path.empty()) return false;
  // The listings take the folders without their final separator.
  host_path_ = base::HostText(source_path.substr(0, source_path.size() - 1));
  Listed root{host_path_, {}};
  if (!fs.lister.List(host_path_, &root.entries)) return false;
  listed_.push_back(std::move(root));
  // Names without a Shift-JIS form are no files of the kit's: left out.
  for (const base::DirEntry& entry : listed_.front().entries) {
    if (!entry.name_convertible) continue;
    if (entry.is_folder()) {
      folders_.push_back(entry.name);
    } else {
      files_.push_back(SourceFile{entry.name, std::string(), entry.size});
    }
  }
  std::vector<Listed> inner;
  for (const base::DirEntry& entry : listed_.front().entries) {
    if (!entry.name_convertible || !entry.is_folder()) continue;
    Listed sub{base::JoinPath(host_path_, entry.host_name), {}};
    // A sub-folder that cannot be listed holds no files here; its listing
    // is not handed on, so a later reader meets the failure itself.
    if (!fs.lister.List(sub.host_path, &sub.entries)) continue;
    for (const base::DirEntry& e : sub.entries) {
      if (!e.name_convertible) continue;
      if (e.is_folder()) {
        nested_folders_ = true;
      } else {
        files_.push_back(SourceFile{e.name, entry.name, e.size});
      }
    }
    inner.push_back(std::move(sub));
  }
  listed_.insert(listed_.end(), std::make_move_iterator(inner.begin()), std::make_move_iterator(inner.end()));
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

}  // namespace project
