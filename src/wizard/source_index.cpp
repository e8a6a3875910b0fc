#include "wizard/source_index.h"

#include "base/listing.h"
#include "base/sjis.h"
#include "wizard/file_utils.h"
#include "wizard/settings.h"

namespace wizard {
namespace {

std::string NameKey(std::string_view name) {
  std::string key(name);
  base::SjisUpperAscii(key);
  return key;
}

}  // namespace

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
    auto [at, inserted] = shortest_.emplace(NameKey(file.name), added);
    if (!inserted && added < at->second) at->second = added;
  }
}

void SourceIndex::Refresh(const base::FileAccess& fs, const std::vector<std::string>& names) {
  // Where the folder's own files end: sub-folders' files follow them.
  auto own_end = files_.begin();
  while (own_end != files_.end() && own_end->folder.empty()) ++own_end;
  for (const std::string& name : names) {
    const std::string key = NameKey(name);
    for (auto at = files_.begin(); at != own_end;) {
      if (NameKey(at->name) == key) {
        at = files_.erase(at);
        --own_end;
      } else {
        ++at;
      }
    }
    const std::string path = path_ + name;
    if (FileExists(fs, path) && !FolderExists(fs, path)) {
      own_end = files_.insert(own_end, SourceFile{name, std::string(), FileSizeOf(fs, path)}) + 1;
    }
  }
  IndexNames();
}

bool SourceIndex::Contains(std::string_view name) const {
  const auto found = shortest_.find(NameKey(name));
  return found != shortest_.end() &&
         path_.size() + found->second + name.size() < static_cast<std::size_t>(kMaxPath);
}

}  // namespace wizard
