#include "project/file_utils.h"

#include "base/file_system.h"
#include "base/host_path.h"
#include "base/listing.h"
#include "base/sjis.h"

namespace project {
namespace {

bool IsLead(char c) { return base::IsSjisLeadByte(static_cast<unsigned char>(c)); }

bool IsSeparator(char c) { return c == '\\' || c == base::kPathSeparator; }

// Wildcard match from pattern position p and name position n.
bool Match(std::string_view pattern, std::size_t p, std::string_view name, std::size_t n) {
  while (p < pattern.size()) {
    char pc = pattern[p];
    if (pc == '*') {
      while (p < pattern.size() && pattern[p] == '*') ++p;
      if (p == pattern.size()) return true;
      for (std::size_t k = n; k <= name.size(); ++k) {
        if (Match(pattern, p, name, k)) return true;
        if (k < name.size() && IsLead(name[k])) ++k;  // never stop inside a character
      }
      return false;
    }
    if (n >= name.size()) return false;
    if (pc == '?') {
      n += (IsLead(name[n]) && n + 1 < name.size()) ? 2 : 1;
      ++p;
      continue;
    }
    if (IsLead(pc) && p + 1 < pattern.size()) {
      if (name.compare(n, 2, pattern.substr(p, 2)) != 0) return false;
      p += 2;
      n += 2;
      continue;
    }
    if (base::UpperAsciiByte(static_cast<unsigned char>(pc)) != base::UpperAsciiByte(static_cast<unsigned char>(name[n])))
      return false;
    if (IsLead(name[n])) return false;
    ++p;
    ++n;
  }
  return n == name.size();
}

}  // namespace

std::string CurrentDirectory(const base::FileAccess& fs) { return base::KitText(fs.files.CurrentFolder()); }

namespace {

// Examines a kit path through the one file system; false when nothing is there.
bool StatKitPath(const base::FileAccess& fs, const std::string& path, base::FileInfo* info) {
  return fs.files.Stat(base::HostText(path), info);
}

}  // namespace

bool FileExists(const base::FileAccess& fs, const std::string& path) {
  base::FileInfo info;
  return StatKitPath(fs, path, &info);
}

bool FolderExists(const base::FileAccess& fs, const std::string& path) {
  if (path.size() == 1 && IsSeparator(path[0])) return true;
  std::string p = path;
  if (!p.empty() && IsSeparator(p.back())) {
    // Only a separator of its own, not the trail byte of a character.
    std::size_t last = base::SjisFindLast(p, p.back());
    if (last == p.size() - 1) p.pop_back();
  }
  if (p.empty()) return false;
  base::FileInfo info;
  return StatKitPath(fs, p, &info) && info.kind == base::FileKind::kFolder;
}

bool IsValidFileName(std::string_view text) {
  if (text.empty()) return false;
  if (text.find_first_not_of(' ') == std::string_view::npos) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (base::IsSjisLeadByte(c)) {
      // A double-byte character needs its trail byte (0x40-0x7E, 0x80-0xFC);
      // a lead byte before anything else would swallow a control byte or a
      // separator unchecked.
      if (i + 1 == text.size() || !base::IsSjisTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
      ++i;
      continue;
    }
    bool first = i == 0;
    bool last = i + 1 == text.size();
    if ((first || last) && (c == ' ' || c == '.')) return false;
    if (c < 0x20) return false;
    switch (c) {
      case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return false;
      default:
        break;
    }
  }
  return true;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  return Match(pattern, 0, name, 0);
}

bool ListFolder(const base::FileAccess& fs, const std::string& folder, std::vector<FolderEntry>* entries) {
  entries->clear();
  std::string path = folder.empty() ? std::string(1, base::kPathSeparator) : folder;
  std::vector<base::DirEntry> listed;
  if (!fs.lister.List(base::HostText(path), &listed)) return false;
  entries->reserve(listed.size());
  for (const base::DirEntry& e : listed) {
    if (e.name_convertible) entries->push_back(FolderEntry{e.name, e.is_folder(), e.is_folder() ? 0 : e.size});
  }
  return true;
}

bool IsControlCharacter(unsigned char c) { return c < 0x20 || c == 0x7F; }

std::vector<std::string> ListDirectory(const base::FileAccess& fs, const std::string& wildcard_path, bool want_files) {
  std::vector<std::string> names;
  std::size_t cut = wildcard_path.find_last_of(base::kPathSeparator);
  std::string folder = cut == std::string::npos ? std::string(".") : wildcard_path.substr(0, cut);
  std::string pattern = cut == std::string::npos ? wildcard_path : wildcard_path.substr(cut + 1);
  std::vector<FolderEntry> entries;
  ListFolder(fs, folder, &entries);
  for (const FolderEntry& e : entries) {
    if (e.is_folder != want_files && MatchesWildcard(pattern, e.name)) names.push_back(e.name);
  }
  return names;
}

bool SplitPath(std::string_view path, std::string* folder, std::string* base,
               std::string* extension) {
  if (folder) folder->clear();
  if (base) base->clear();
  if (extension) extension->clear();
  std::size_t last_sep = std::string_view::npos;
  std::size_t last_dot = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (IsLead(c)) {
      ++i;
      continue;
    }
    if (IsSeparator(c)) {
      last_sep = i;
      last_dot = std::string_view::npos;
    } else if (c == '.') {
      last_dot = i;
    }
  }
  std::size_t rest = last_sep == std::string_view::npos ? 0 : last_sep + 1;
  if (folder) folder->assign(path.substr(0, rest));
  if (last_dot == std::string_view::npos) {
    if (base) base->assign(path.substr(rest));
    return false;
  }
  if (base) base->assign(path.substr(rest, last_dot - rest));
  if (extension) extension->assign(path.substr(last_dot));
  return true;
}

bool WriteTextFile(const base::FileAccess& fs, const std::string& path, std::string_view text) {
  return base::WriteWholeFile(fs.files, base::HostText(path), std::string(text));
}

bool ReadWholeFile(const base::FileAccess& fs, const std::string& path, std::string* text) {
  text->clear();
  return base::ReadWholeFile(fs.files, base::HostText(path), text);
}

bool WriteTextFileIn(const base::FileAccess& fs, base::Folder& folder, const std::string& name,
                     std::string_view text) {
  return base::WriteWholeFileIn(folder, base::HostText(name), text, fs.files.ProcessId());
}

std::unique_ptr<base::Folder> OpenFolderInside(const base::FileAccess& fs, std::string folder,
                                               const std::string& current_dir) {
  while (folder.size() > 1 && folder.back() == base::kPathSeparator) folder.pop_back();
  std::unique_ptr<base::Folder> held = fs.lister.OpenFolder(base::HostText(folder));
  if (!held) return nullptr;
  // Where the handle leads is what counts: the path may have been swapped
  // for a link since the project's checks.
  const std::string real_dir = fs.lister.ResolvedPath(base::HostText(current_dir));
  const std::string real = held->ResolvedPath();
  if (real.empty() || real.size() <= real_dir.size() || !base::PathWithin(real_dir, real)) return nullptr;
  return held;
}

bool DeleteFileAt(const base::FileAccess& fs, const std::string& path) { return fs.files.Remove(base::HostText(path)); }

bool MoveFileTo(const base::FileAccess& fs, const std::string& from, const std::string& to) {
  return fs.files.Rename(base::HostText(from), base::HostText(to));
}

}  // namespace project
