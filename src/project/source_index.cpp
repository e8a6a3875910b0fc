#include "project/source_index.h"

#include <algorithm>
#include <unordered_set>

#include "base/host_path.h"
#include "base/listing.h"
#include "base/sjis.h"
#include "project/file_utils.h"
#include "project/settings.h"

namespace project {
namespace {

// True when every entry examined carries its identity, so that a reader
// opening the entries through a handle can check them.
bool Identified(const std::vector<base::DirEntry>& entries) {
  return std::all_of(entries.begin(), entries.end(),
                     [](const base::DirEntry& entry) { return !entry.examined || entry.identity.known; });
}

}  // namespace

bool SourceIndex::Read(const base::FileAccess& fs, const std::string& source_path) {
  *this = SourceIndex();
  path_ = source_path;
  if (source_path.empty()) return false;
  // The listings take the folders without their final separator.
  host_path_ = base::HostText(source_path.substr(0, source_path.size() - 1));
  Listed root;
  if (!fs.lister.List(host_path_, &root.entries)) return false;
  listed_.push_back(std::move(root));
  // Every sub-folder is listed first, so that the files are taken into
  // a table of their final size.
  std::vector<Listed> inner;
  std::vector<std::string> inner_names;  // each listed sub-folder's Shift-JIS name
  std::size_t count = listed_.front().entries.size();
  for (const base::DirEntry& entry : listed_.front().entries) {
    if (!entry.name_convertible || !entry.is_folder()) continue;
    Listed sub{entry.host_name, {}};
    // A sub-folder that cannot be listed holds no files here; its listing
    // is not handed on, so a later reader meets the failure itself.
    if (!fs.lister.List(base::JoinPath(host_path_, entry.host_name), &sub.entries)) continue;
    count += sub.entries.size();
    inner_names.push_back(entry.name);
    inner.push_back(std::move(sub));
  }
  files_.reserve(count);
  // Names without a Shift-JIS form are no files of the kit's: left out.
  TakeOwnEntries();
  for (std::size_t i = 0; i < inner.size(); ++i) {
    for (const base::DirEntry& e : inner[i].entries) {
      if (!e.name_convertible) continue;
      if (e.is_folder()) {
        nested_folders_ = true;
      } else {
        files_.push_back(SourceFile{e.name, inner_names[i], e.size});
      }
    }
  }
  listed_.insert(listed_.end(), std::make_move_iterator(inner.begin()), std::make_move_iterator(inner.end()));
  for (Listed& listed : listed_) listed.identified = Identified(listed.entries);
  IndexNames();
  return true;
}

void SourceIndex::TakeOwnEntries() {
  std::vector<SourceFile> files;
  files.reserve(std::max(files_.capacity(), listed_.front().entries.size() + files_.size()));
  folders_.clear();
  for (const base::DirEntry& entry : listed_.front().entries) {
    if (!entry.name_convertible) continue;
    if (entry.is_folder()) {
      folders_.push_back(entry.name);
    } else {
      files.push_back(SourceFile{entry.name, std::string(), entry.size});
    }
  }
  for (SourceFile& file : files_) {
    if (!file.folder.empty()) files.push_back(std::move(file));
  }
  files_.swap(files);
}

void SourceIndex::IndexNames() {
  shortest_.clear();
  shortest_.reserve(files_.size());
  for (const SourceFile& file : files_) IndexName(file);
}

void SourceIndex::IndexName(const SourceFile& file) {
  const std::size_t added = file.folder.empty() ? 0 : file.folder.size() + 1;
  auto [at, inserted] = shortest_.emplace(base::SjisUpperAsciiCopy(file.name), added);
  if (!inserted && added < at->second) at->second = added;
}

void SourceIndex::Refresh(base::FolderLister& lister, base::Folder& folder, const std::vector<std::string>& names) {
  if (listed_.empty() || names.empty()) return;  // nothing to bring up to date
  Listed& own = listed_.front();
  const base::ListingOrder order = lister.Order();
  if (order == nullptr) {
    // Where a new entry would stand cannot be told: the folder is listed
    // again, through the handle, which gives every entry's identity.
    if (!folder.List(&own.entries)) own.entries.clear();
    own.identified = Identified(own.entries);
    TakeOwnEntries();
    IndexNames();
    return;
  }
  std::unordered_set<std::string> keys;
  for (const std::string& name : names) keys.insert(base::SjisUpperAsciiCopy(name));
  // Whether `name` is one of the names, ASCII letter case ignored, compared
  // in place so that no name is copied.
  const auto named = [&](const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&name](const std::string& given) { return base::EqualsIgnoreAsciiCase(name, given); });
  };
  // Every entry held under one of the names goes, to be examined again, as
  // does each name itself ...
  std::vector<std::string> examine;
  std::unordered_set<std::string> asked;
  bool folders_changed = false;
  const auto drop = [&](const base::DirEntry& entry) {
    if (!entry.name_convertible || !named(entry.name)) return false;
    if (asked.insert(entry.host_name).second) examine.push_back(entry.host_name);
    folders_changed = folders_changed || entry.is_folder();
    return true;
  };
  own.entries.erase(std::remove_if(own.entries.begin(), own.entries.end(), drop), own.entries.end());
  for (const std::string& name : names) {
    const std::string host = base::HostText(name);
    if (asked.insert(host).second) examine.push_back(host);
  }
  // ... and comes back where the lister's order puts it, when something is
  // there now.
  std::unordered_set<std::string> back;
  for (const std::string& host : examine) {
    base::DirEntry entry;
    if (!folder.Examine(host, &entry)) continue;
    folders_changed = folders_changed || entry.is_folder();
    back.insert(entry.host_name);
    own.entries.insert(std::upper_bound(own.entries.begin(), own.entries.end(), entry, order), std::move(entry));
  }
  own.identified = Identified(own.entries);
  if (folders_changed) {
    TakeOwnEntries();
    IndexNames();
    return;
  }
  // Only files of the names changed: the folder's own files of those names
  // are taken out and put back at their places in the listing, and the
  // names' lookups made again; the rest of the index stays.
  const auto own_end =
      std::find_if(files_.begin(), files_.end(), [](const SourceFile& file) { return !file.folder.empty(); });
  const auto kept_end = std::remove_if(files_.begin(), own_end, [&](const SourceFile& file) { return named(file.name); });
  files_.erase(kept_end, own_end);
  std::size_t at = 0;  // the place in files_ of the next file of the folder's own
  for (const base::DirEntry& entry : own.entries) {
    if (!entry.name_convertible || entry.is_folder()) continue;
    if (back.count(entry.host_name)) {
      files_.insert(files_.begin() + static_cast<std::ptrdiff_t>(at), SourceFile{entry.name, std::string(), entry.size});
    }
    ++at;
  }
  for (const std::string& key : keys) shortest_.erase(key);
  for (const SourceFile& file : files_) {
    if (named(file.name)) IndexName(file);
  }
}

const std::vector<base::DirEntry>* SourceIndex::Listing(const std::string& relative) const {
  for (const Listed& listed : listed_) {
    if (listed.relative == relative) return listed.identified ? &listed.entries : nullptr;
  }
  return nullptr;
}

bool SourceIndex::Contains(std::string_view name) const {
  const auto found = shortest_.find(base::SjisUpperAsciiCopy(name));
  return found != shortest_.end() &&
         path_.size() + found->second + name.size() < static_cast<std::size_t>(kMaxPath);
}

}  // namespace project
