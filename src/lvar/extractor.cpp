#include "lvar/extractor.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "base/hex.h"
#include "base/host_path.h"
#include "base/sjis.h"
#include "lvar/entry_name.h"
#include "lvar/text_form.h"

namespace lvar {
namespace {

constexpr const char kNativeInfoName[] = "Native.ina";

// First pass: decides the name of every entry's file, refusing unsafe names
// and, without --rename, names met twice. Names count as the same when their
// files would be one on the host (FoldedName): compared before anything is
// written, so a clash never leaves some files written.
class NamePlanner : public ArchiveVisitor {
 public:
  NamePlanner(const ExtractOptions& options, std::vector<std::string>* names) : options_(options), names_(names) {
    if (options.native_ina) used_.insert(FoldedName(kNativeInfoName));
  }

  Status OnEntry(const EntryFields& entry) override {
    const std::string where = base::HexNumber(entry.offset, 8);
    if (std::string problem = NameProblem(entry.name); !problem.empty())
      return Failure(Fault::kRefused, entry.offset + archive::kEntryNameAt,
                     {Message::kRefusedUnsafeName, {entry.name, where, problem}});
    std::string name = entry.name;
    std::string key = FoldedName(name);
    if (used_.count(key)) {
      if (!options_.rename)
        return Failure(Fault::kRefused, entry.offset + archive::kEntryNameAt,
                       {Message::kRefusedTakenName, {entry.name, where}});
      // Numbering goes on where the last entry of this name stopped, so a
      // name met many times costs one try each, not one per earlier entry.
      int& next = next_number_.try_emplace(key, 2).first->second;
      do {
        name = NumberedName(entry.name, next++);
        key = FoldedName(name);
      } while (used_.count(key));
      if (std::string problem = NameProblem(name); !problem.empty())
        return Failure(Fault::kRefused, entry.offset + archive::kEntryNameAt,
                       {Message::kRefusedUnsafeNumberedName, {name, where, problem}});
    }
    used_.insert(std::move(key));
    names_->push_back(name);
    return {};
  }

 private:
  const ExtractOptions& options_;
  std::vector<std::string>* names_;
  std::unordered_set<std::string> used_;                  // folded names taken
  std::unordered_map<std::string, int> next_number_;      // folded name -> next number to try
};

// Second pass: writes every entry into its new file.
class FileWriter : public ArchiveVisitor {
 public:
  FileWriter(base::Folder& folder, const std::string& dir, const std::vector<std::string>& names,
             ExtractReport* report)
      : folder_(folder), dir_(dir), names_(names), report_(report) {}

  ~FileWriter() override { Abandon(); }

  Status OnEntry(const EntryFields& entry) override {
    if (entry.index >= static_cast<int>(names_.size()))
      return Failure(Fault::kReadError, entry.offset, Message::kFaultArchiveChanged);
    const std::string& name = names_[static_cast<std::size_t>(entry.index)];
    name_ = base::HostText(name);
    output_ = folder_.CreateNew(name_);
    if (!output_) {
      name_.clear();
      return Failure(Fault::kWriteError, entry.offset,
                     {Message::kCannotCreateFile, {base::KitText(base::JoinPath(dir_, base::HostText(name)))}});
    }
    report_->files.push_back({entry.name, name, entry.size});
    return {};
  }

  Status OnContent(const std::uint8_t* data, std::size_t size) override {
    if (!output_->Write(data, size)) return WriteFailure();
    return {};
  }

  Status OnEntryEnd(const EntryFields&) override {
    bool closed = output_->Close();
    output_.reset();
    if (!closed) return WriteFailure();
    name_.clear();
    return {};
  }

 private:
  Status WriteFailure() {
    Status s = Failure(Fault::kWriteError, 0,
                       {Message::kCannotWriteFile, {base::KitText(base::JoinPath(dir_, name_))}});
    Abandon();
    return s;
  }

  // Removes a file left partly written.
  void Abandon() {
    if (output_) {
      output_->Close();
      output_.reset();
    }
    if (!name_.empty()) folder_.Remove(name_);
    name_.clear();
  }

  base::Folder& folder_;
  const std::string& dir_;
  const std::vector<std::string>& names_;
  ExtractReport* report_;
  std::unique_ptr<base::OutputFile> output_;
  std::string name_;  // host name of the file being written
};

}  // namespace

Status ExtractArchive(base::FileSystem& files, base::FolderLister& lister, const std::string& archive,
                      const std::string& dir, const ExtractOptions& options, ExtractReport* report) {
  std::vector<std::string> names;
  NamePlanner planner(options, &names);
  ArchiveSummary summary;
  if (Status s = ReadArchiveFile(files, archive, planner, &summary); !s.ok()) return s;
  report->header = summary.header;

  const std::string shown = base::KitText(dir);
  base::FileInfo info;
  if (!files.Stat(dir, &info)) {
    if (!files.CreateFolder(dir)) return Failure(Fault::kWriteError, 0, {Message::kCannotCreateFolder, {shown}});
  } else if (info.kind != base::FileKind::kFolder) {
    return Failure(Fault::kRefused, 0, {Message::kRefusedNotFolder, {shown}});
  }
  // The folder is opened once: it is checked and written through this
  // handle, so a link put in its place meanwhile leads nowhere.
  const std::unique_ptr<base::Folder> folder = lister.OpenFolder(dir);
  if (!folder) return Failure(Fault::kWriteError, 0, {Message::kCannotReadFolder, {shown}});
  if (!options.force) {
    std::vector<base::DirEntry> entries;
    if (!folder->List(&entries)) return Failure(Fault::kWriteError, 0, {Message::kCannotReadFolder, {shown}});
    if (!entries.empty()) return Failure(Fault::kRefused, 0, {Message::kRefusedFolderNotEmpty, {shown}});
  }

  FileWriter writer(*folder, dir, names, report);
  if (Status s = ReadArchiveFile(files, archive, writer); !s.ok()) return s;

  if (options.native_ina) {
    const std::string path = base::JoinPath(dir, kNativeInfoName);
    std::unique_ptr<base::OutputFile> output = folder->CreateNew(kNativeInfoName);
    const auto native = summary.header.NativeInfo();
    if (!output) return Failure(Fault::kWriteError, 0, {Message::kCannotCreateFile, {base::KitText(path)}});
    bool written = output->Write(native.data(), native.size());
    if (!output->Close() || !written) {
      folder->Remove(kNativeInfoName);
      return Failure(Fault::kWriteError, 0, {Message::kCannotWriteFile, {base::KitText(path)}});
    }
    report->native_ina_written = true;
  }
  return {};
}

std::string DefaultExtractFolder(const std::string& archive) {
  const std::string name = archive.substr(base::LastNameStart(archive));
  if (name.empty()) return "";
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return name + ".files";
  std::string folder = name.substr(0, dot);
  // "..lvar" and "...lvar" would give the current or the parent folder,
  // which Windows also makes of names of dots and blanks.
  if (folder.find_first_not_of(". ") == std::string::npos) return "";
  return folder;
}

}  // namespace lvar
