#include "base/overlay_file_system.h"

#include <algorithm>
#include <cstring>

#include "base/host_path.h"
#include "base/sjis.h"

namespace base {
namespace {

class BufferInputFile : public InputFile {
 public:
  explicit BufferInputFile(std::shared_ptr<const std::string> content) : content_(std::move(content)) {}

  bool Read(void* buffer, std::size_t capacity, std::size_t* got) override {
    *got = std::min(capacity, content_->size() - at_);
    std::memcpy(buffer, content_->data() + at_, *got);
    at_ += *got;
    return true;
  }

 private:
  std::shared_ptr<const std::string> content_;
  std::size_t at_ = 0;
};

// `entries`, a listing of `folder`, as the overlay shows it: a listed
// entry of a path put there gets the size of its bytes, and a path put
// there that the folder lacks is added in the POSIX lister's order.
void ShowOverlay(const OverlayFileSystem& overlay, const std::string& folder, std::vector<DirEntry>* entries) {
  for (DirEntry& entry : *entries) {
    if (const std::string* content = overlay.Find(JoinPath(folder, entry.host_name))) {
      if (entry.kind == FileKind::kFolder) continue;  // a folder of that name wins: it is what the disk holds
      entry.kind = FileKind::kRegular;
      entry.examined = true;
      entry.size = content->size();
    }
  }
  for (const std::string& path : overlay.Paths()) {
    const std::size_t start = LastNameStart(path);
    if (start == 0 || path.compare(0, start, JoinPath(folder, "")) != 0) continue;
    const std::string host_name = path.substr(start);
    const bool present = std::any_of(entries->begin(), entries->end(),
                                     [&](const DirEntry& entry) { return entry.host_name == host_name; });
    if (present) continue;
    DirEntry added;
    added.host_name = host_name;
    added.name_convertible = ExactKitText(host_name, &added.name);
    added.size = overlay.Find(path)->size();
    const std::string key = UpperAsciiBytes(host_name);
    auto at = std::find_if(entries->begin(), entries->end(),
                           [&](const DirEntry& entry) { return UpperAsciiBytes(entry.host_name) > key; });
    entries->insert(at, std::move(added));
  }
}

// A folder handle of the inner lister, seen through the overlay. Reads of a
// path put in the overlay get its bytes; nothing is written through it.
class OverlayFolder : public Folder {
 public:
  OverlayFolder(std::unique_ptr<Folder> inner, const OverlayFileSystem& overlay)
      : inner_(std::move(inner)), overlay_(overlay) {}

  const std::string& path() const override { return inner_->path(); }
  std::string ResolvedPath() override { return inner_->ResolvedPath(); }
  bool List(std::vector<DirEntry>* entries) override {
    if (!inner_->List(entries)) return false;
    ShowOverlay(overlay_, path(), entries);
    return true;
  }
  std::unique_ptr<Folder> OpenFolder(const DirEntry& entry, FolderOpen* result) override {
    std::unique_ptr<Folder> sub = inner_->OpenFolder(entry, result);
    if (!sub) return nullptr;
    return std::make_unique<OverlayFolder>(std::move(sub), overlay_);
  }
  std::unique_ptr<InputFile> OpenListed(const DirEntry& entry, FolderOpen* result) override {
    if (auto content = overlay_.Shared(JoinPath(path(), entry.host_name))) {
      *result = FolderOpen::kOpened;
      return std::make_unique<BufferInputFile>(std::move(content));
    }
    return inner_->OpenListed(entry, result);
  }
  bool Stat(const std::string& name, FileInfo* info) override {
    if (const std::string* content = overlay_.Find(JoinPath(path(), name))) {
      *info = FileInfo{FileKind::kRegular, content->size()};
      return true;
    }
    return inner_->Stat(name, info);
  }
  std::unique_ptr<InputFile> OpenInput(const std::string& name) override {
    if (auto content = overlay_.Shared(JoinPath(path(), name))) return std::make_unique<BufferInputFile>(content);
    return inner_->OpenInput(name);
  }
  std::unique_ptr<OutputFile> CreateNew(const std::string&) override { return nullptr; }
  bool Replace(const std::string&, const std::string&) override { return false; }
  bool Remove(const std::string&) override { return false; }
  bool Sync() override { return false; }

 private:
  std::unique_ptr<Folder> inner_;
  const OverlayFileSystem& overlay_;
};

}  // namespace

std::shared_ptr<const std::string> OverlayFileSystem::Shared(const std::string& path) const {
  auto it = overlay_.find(path);
  return it == overlay_.end() ? nullptr : it->second;
}

const std::string* OverlayFileSystem::Find(const std::string& path) const {
  auto it = overlay_.find(path);
  return it == overlay_.end() ? nullptr : it->second.get();
}

std::vector<std::string> OverlayFileSystem::Paths() const {
  std::vector<std::string> paths;
  for (const auto& [path, content] : overlay_) paths.push_back(path);
  return paths;
}

bool OverlayFileSystem::Stat(const std::string& path, FileInfo* info) {
  if (const std::string* content = Find(path)) {
    *info = FileInfo{FileKind::kRegular, content->size()};
    return true;
  }
  return inner_.Stat(path, info);
}

std::unique_ptr<InputFile> OverlayFileSystem::OpenInput(const std::string& path) {
  auto it = overlay_.find(path);
  if (it != overlay_.end()) return std::make_unique<BufferInputFile>(it->second);
  return inner_.OpenInput(path);
}

std::unique_ptr<InputFile> OverlayFileSystem::OpenLocked(const std::string& path, std::uint64_t* size) {
  auto it = overlay_.find(path);
  if (it != overlay_.end()) {
    *size = it->second->size();
    return std::make_unique<BufferInputFile>(it->second);
  }
  return inner_.OpenLocked(path, size);
}

bool OverlayFolderLister::List(const std::string& folder, std::vector<DirEntry>* entries) {
  if (!inner_.List(folder, entries)) return false;
  ShowOverlay(overlay_, folder, entries);
  return true;
}

std::unique_ptr<Folder> OverlayFolderLister::OpenFolder(const std::string& path) {
  std::unique_ptr<Folder> inner = inner_.OpenFolder(path);
  if (!inner) return nullptr;
  return std::make_unique<OverlayFolder>(std::move(inner), overlay_);
}

}  // namespace base
