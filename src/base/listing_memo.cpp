#include "base/listing_memo.h"

#include <string_view>
#include <utility>

#include "base/host_path.h"
#include "base/sjis.h"

namespace base {
namespace {

// True when `path` names the same place whatever the current folder is:
// "/..." on POSIX; "X:\..." or "\\server\..." on Windows, where "X:name"
// and "\name" still depend on the current drive and folder.
bool FullyQualified(std::string_view path) {
#ifdef _WIN32
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  return (path.size() >= 3 && path[1] == ':' && separator(path[2])) ||
         (path.size() >= 2 && separator(path[0]) && separator(path[1]));
#else
  return !path.empty() && path[0] == '/';
#endif
}

}  // namespace

// Passes everything to the inner file system, noting the names it changes.
class ListingMemo::Files : public ForwardingFileSystem {
 public:
  explicit Files(ListingMemo& memo) : ForwardingFileSystem(memo.inner_.files), memo_(memo) {}

  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override {
    memo_.Touch(path);
    return inner_.CreateNew(path);
  }
  std::unique_ptr<OutputFile> Create(const std::string& path) override {
    memo_.Touch(path);
    return inner_.Create(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    memo_.Touch(from);
    memo_.Touch(to);
    return inner_.Rename(from, to);
  }
  bool Replace(const std::string& from, const std::string& to) override {
    memo_.Touch(from);
    memo_.Touch(to);
    return inner_.Replace(from, to);
  }
  bool CreateFolder(const std::string& path) override {
    memo_.Touch(path);
    return inner_.CreateFolder(path);
  }
  bool Remove(const std::string& path) override {
    memo_.Touch(path);
    return inner_.Remove(path);
  }

 private:
  ListingMemo& memo_;
};

// Lists through the inner lister, answering for the entries it examined
// before and that have not changed since.
class ListingMemo::Lister : public FolderLister {
 public:
  explicit Lister(ListingMemo& memo) : memo_(memo), inner_(memo.inner_.lister) {}

  bool List(const std::string& folder, std::vector<DirEntry>* entries) override {
    return ListAgain(folder, EarlierEntry(), entries);
  }

  bool ListAgain(const std::string& folder, const EarlierEntry& earlier, std::vector<DirEntry>* entries) override {
    const std::string key = memo_.FolderKey(folder);
    const auto before = memo_.listed_.find(key);
    bool listed = false;
    if (before == memo_.listed_.end()) {
      listed = inner_.ListAgain(folder, earlier, entries);
    } else {
      std::unordered_map<std::string_view, const DirEntry*> known;
      for (const DirEntry& entry : before->second) {
        if (entry.examined && !entry.link && !memo_.changed_.count(UpperAsciiBytes(entry.host_name))) {
          known.emplace(entry.host_name, &entry);
        }
      }
      listed = inner_.ListAgain(
          folder,
          [&](const std::string& host_name) -> const DirEntry* {
            const auto found = known.find(host_name);
            if (found != known.end()) return found->second;
            return earlier ? earlier(host_name) : nullptr;
          },
          entries);
    }
    if (listed) {
      memo_.listed_[key] = *entries;
    } else {
      memo_.listed_.erase(key);
    }
    return listed;
  }

  std::string ResolvedPath(const std::string& path) override { return inner_.ResolvedPath(path); }
  // A folder held open lists afresh: a handle is used where every entry
  // must be the one examined.
  std::unique_ptr<Folder> OpenFolder(const std::string& path) override { return inner_.OpenFolder(path); }

 private:
  ListingMemo& memo_;
  FolderLister& inner_;
};

ListingMemo::ListingMemo(FileAccess inner)
    : inner_(inner), files_(std::make_unique<Files>(*this)), lister_(std::make_unique<Lister>(*this)) {}

ListingMemo::~ListingMemo() = default;

FileAccess ListingMemo::access() { return FileAccess{*files_, *lister_}; }

std::string ListingMemo::FolderKey(const std::string& folder) {
  std::string key = FullyQualified(folder) ? folder : JoinPath(inner_.files.CurrentFolder(), folder);
  // "src/" and "src" are one folder; a root keeps its separator.
  while (key.size() > 1 && key.back() == kPathSeparator && key[key.size() - 2] != ':') key.pop_back();
  return key;
}

void ListingMemo::Touch(const std::string& path) {
  std::string_view name(path);
  while (name.size() > 1 && name.back() == kPathSeparator) name.remove_suffix(1);
  changed_.insert(UpperAsciiBytes(name.substr(LastNameStart(name))));
}

}  // namespace base
