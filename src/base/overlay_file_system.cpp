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

}  // namespace

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
  for (DirEntry& entry : *entries) {
    if (const std::string* content = overlay_.Find(JoinPath(folder, entry.host_name))) {
      if (entry.kind == FileKind::kFolder) continue;  // a folder of that name wins: it is what the disk holds
      entry.kind = FileKind::kRegular;
      entry.examined = true;
      entry.size = content->size();
    }
  }
  for (const std::string& path : overlay_.Paths()) {
    const std::size_t start = LastNameStart(path);
    if (start == 0 || path.compare(0, start, JoinPath(folder, "")) != 0) continue;
    const std::string host_name = path.substr(start);
    const bool present = std::any_of(entries->begin(), entries->end(),
                                     [&](const DirEntry& entry) { return entry.host_name == host_name; });
    if (present) continue;
    DirEntry added;
    added.host_name = host_name;
    added.name_convertible = ExactKitText(host_name, &added.name);
    added.size = overlay_.Find(path)->size();
    const std::string key = UpperAsciiBytes(host_name);
    auto at = std::find_if(entries->begin(), entries->end(),
                           [&](const DirEntry& entry) { return UpperAsciiBytes(entry.host_name) > key; });
    entries->insert(at, std::move(added));
  }
  return true;
}

}  // namespace base
