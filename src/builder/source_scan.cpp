#include "builder/source_scan.h"

#include <utility>

#include "base/sjis.h"
#include "builder/messages.h"
#include "builder/name_case_check.h"
#include "builder/named_file_check.h"
#include "builder/native_info.h"
#include "inf/diagnostic.h"

namespace builder {
namespace {

constexpr char kNativeInfoName[] = "Native.ina";
constexpr char kInstallInfoName[] = "Install.inf";

class FolderScanner {
 public:
  FolderScanner(base::Console& console, ScanResult* result, std::string root, const base::HeldListings* held)
      : console_(console), result_(result), root_(std::move(root)), held_(held) {}

  // Scans `folder`, which lies at `relative` below the source folder (host
  // names joined by the separator; empty for the source folder itself).
  BuildErrorCode Scan(std::shared_ptr<const ScannedFolder> folder, const std::string& relative) {
    // A listing the caller holds is read in place; one made here is read
    // once, so its names are moved on.
    std::vector<base::DirEntry> listed;
    const std::vector<base::DirEntry>* held = held_ ? held_->Listing(relative) : nullptr;
    if (held == nullptr && !folder->handle->List(&listed)) {
      Say(console_, base::Stream::kErr, Message::kCantFindDirectory, folder->message_path.c_str());
      return 0x1000000;
    }
    const bool own = held == nullptr;
    const std::vector<base::DirEntry>& entries = own ? listed : *held;
    for (std::size_t at = 0; at < entries.size(); ++at) {
      const base::DirEntry& entry = entries[at];
      if (!entry.name_convertible) {
        // The archive and every message carry Shift-JIS names; refuse the
        // name now rather than store something the device cannot show.
        // Marked, so that it is shown as the host wrote it.
        std::string shown = base::JoinPath(folder->message_path, base::KitText(entry.host_name));
        Say(console_, base::Stream::kErr, Message::kNameNotShiftJis, shown.c_str());
        return 0x4000000;
      }
      if (!entry.examined) {
        // Taking it for an empty file would pass a check that never read it.
        std::string shown = base::JoinPath(folder->message_path, entry.name);
        Say(console_, base::Stream::kErr, Message::kCantExamineEntry, shown.c_str());
        return 0x6000000;
      }
      if (entry.link) {
        // A link is taken as what it leads to only inside the source folder:
        // nothing outside it may reach the archive or its header.
        Message refusal = Message::kCount;
        if (!base::PathWithin(root_, entry.link_target)) {
          refusal = Message::kLinkLeadsOutside;
        } else if (entry.kind == base::FileKind::kFolder &&
                   base::PathWithin(entry.link_target, folder->handle->ResolvedPath())) {
          refusal = Message::kLinkMakesLoop;  // walking it would never end
        }
        if (refusal != Message::kCount) {
          Say(console_, base::Stream::kErr, refusal, base::JoinPath(folder->message_path, entry.name).c_str());
          return 0x7000000;
        }
      }
      if (entry.kind == base::FileKind::kOther) {
        // A FIFO, socket or device: opening or reading it could wait forever.
        std::string shown = base::JoinPath(folder->message_path, entry.name);
        Say(console_, base::Stream::kErr, Message::kNotRegularFile, shown.c_str());
        return 0x5000000;
      }
      if (entry.kind == base::FileKind::kFolder) {
        auto sub = std::make_shared<ScannedFolder>();
        sub->host_path = base::JoinPath(folder->host_path, entry.host_name);
        sub->message_path = base::JoinPath(folder->message_path, entry.name);
        // Opened through the folder just listed, and only while it is the
        // folder listed: one swapped for a link since is never walked.
        base::FolderOpen opened = base::FolderOpen::kFailed;
        sub->handle = folder->handle->OpenFolder(entry, &opened);
        if (!sub->handle) {
          const bool changed = opened == base::FolderOpen::kChanged;
          Say(console_, base::Stream::kErr, changed ? Message::kEntryChanged : Message::kCantFindDirectory,
              sub->message_path.c_str());
          return 0x1000000 | 0x8000000;
        }
        const std::string below = relative.empty() ? entry.host_name : base::JoinPath(relative, entry.host_name);
        if (BuildErrorCode code = Scan(std::move(sub), below)) return code | 0x8000000;
        continue;
      }
      if (base::EqualsIgnoreAsciiCase(entry.name, kNativeInfoName)) {
        result_->native_info_found = true;
        result_->native_info_path = base::JoinPath(folder->message_path, entry.name);
        BuildErrorCode code =
            ReadNativeInfo(*folder->handle, entry, result_->native_info_path, console_, &result_->header);
        if (code) return code | 0x2000000;
        continue;
      }
      const std::string path = base::JoinPath(folder->message_path, entry.name);
      if (const std::string* earlier = names_.Add(entry.name, path)) {
        Say(console_, base::Stream::kErr, Message::kNameCaseClash, earlier->c_str(), path.c_str());
        return 0x3000000;
      }
      SourceFile file;
      file.folder = folder;
      file.size = entry.size;
      file.link = entry.link;
      file.identity = entry.identity;
      file.name = own ? std::move(listed[at].name) : entry.name;
      file.host_name = own ? std::move(listed[at].host_name) : entry.host_name;
      result_->List(EntryKindOf(file.name)).push_back(std::move(file));
    }
    return 0;
  }

 private:
  base::Console& console_;
  ScanResult* result_;
  std::string root_;  // the source folder with its links resolved
  const base::HeldListings* held_;  // null: every folder is listed
  NameCaseCheck names_;
};

}  // namespace

BuildErrorCode ScanSourceFolder(base::FolderLister& lister, base::FileSystem& files, const std::string& host_path,
                                const std::string& message_path, base::Console& console, ScanResult* result,
                                base::Folder* opened, const base::HeldListings* held) {
  static_cast<void>(files);
  auto root = std::make_shared<ScannedFolder>();
  root->host_path = host_path;
  root->message_path = message_path;
  result->message_path = message_path;
  // The folder is opened once; everything after goes through this handle,
  // so a folder put in its place later is never read.
  if (opened != nullptr) {
    root->handle = std::shared_ptr<base::Folder>(std::shared_ptr<base::Folder>(), opened);  // borrowed
  } else {
    root->handle = lister.OpenFolder(host_path);
  }
  if (!root->handle) {
    Say(console, base::Stream::kErr, Message::kCantFindDirectory, message_path.c_str());
    return 0x1000000;
  }
  // Listings held by the caller are of the folder it opened, and only of it.
  FolderScanner scanner(console, result, root->handle->ResolvedPath(), opened != nullptr ? held : nullptr);
  if (BuildErrorCode code = scanner.Scan(std::move(root), std::string())) return code;
  // Once, for the description that reaches the header.
  if (result->native_info_found && HoldsPlaceholderNativeInfo(result->header))
    Say(console, base::Stream::kWarning, Message::kNativeInfoPlaceholder, result->native_info_path.c_str());
  return 0;
}

namespace {

BuildErrorCode ReadAndCheck(base::FileSystem& files, const ScanResult& scan, base::Console& console,
                            inf::InstallInfoState* state, NamedFileCheck& named) {
  // In the diagnostics mode every file is read and every check runs; the
  // collector then holds the problems (see CheckSourceFolderInto).
  inf::DiagnosticCollector* const diagnostics = state->diagnostics;
  const std::uint32_t layers = diagnostics ? diagnostics->layers() : 0;
  bool install_info_read = false;
  const SourceFileList& infs = scan.List(archive::EntryKind::kInstallInfo);
  for (const SourceFile& file : infs) {
    if (base::EqualsIgnoreAsciiCase(file.name, kInstallInfoName)) install_info_read = true;
    named.StartDescription(file.MessagePath());
    if (diagnostics) diagnostics->set_layers(layers | 0x1000000);
    bool changed = false;
    std::unique_ptr<base::InputFile> opened = file.Open(files, &changed);
    BuildErrorCode code = 0;
    if (changed) {
      // Not the file listed: nothing of it is read.
      Say(diagnostics ? *diagnostics : console, base::Stream::kErr, Message::kEntryChanged,
          file.MessagePath().c_str());
      code = diagnostics ? diagnostics->Error(0x100000, inf::FilePlace(file.MessagePath())) : 0x100000;
    } else {
      code = inf::ReadInstallInfoOpened(opened.get(), file.MessagePath(), console, state);
    }
    if (code && !diagnostics) return code | 0x1000000;
  }
  if (diagnostics) diagnostics->set_layers(layers);
  inf::FinishInstallInfoFiles(console, state);
  if (diagnostics) diagnostics->Warn(inf::FilePlace(base::JoinPath(scan.message_path, kInstallInfoName)));
  if (!install_info_read) {
    Say(console, base::Stream::kErr, Message::kCantFindMandatoryFile, kInstallInfoName);
    if (!diagnostics) return 0x2000000;
    diagnostics->Error(0x2000000, inf::FilePlace(base::JoinPath(scan.message_path, kInstallInfoName)));
  }
  // A missing Uninstall key is reported by its record already.
  if (state->app_information_checked && !(diagnostics && state->uninstall_file_name.empty())) {
    bool found = false;
    for (const SourceFile& file : infs) {
      if (base::EqualsIgnoreAsciiCase(file.name, state->uninstall_file_name)) found = true;
    }
    if (!found) {
      // Name the file the Uninstall key asks for: that is the one to add.
      Say(console, base::Stream::kErr, Message::kCantFindMandatoryFile, state->uninstall_file_name.c_str());
      if (!diagnostics) return 0x3000000;
      diagnostics->Error(0x3000000, inf::FilePlace(base::JoinPath(scan.message_path, state->uninstall_file_name)));
    }
  }
  return diagnostics ? diagnostics->first_error() : 0;
}

}  // namespace

BuildErrorCode ReadInstallInfoFiles(base::FileSystem& files, const ScanResult& scan, base::Console& console,
                                    inf::InstallInfoState* state) {
  // The files the descriptions name are compared with the entries as they
  // are read, and each one missing is named once the checks have passed.
  NamedFileCheck named(scan);
  state->named_files = &named;
  state->warn_if_utf8 = true;
  const BuildErrorCode code = ReadAndCheck(files, scan, console, state, named);
  state->named_files = nullptr;
  if (code == 0) named.Warn(console, state->diagnostics);
  return code;
}

}  // namespace builder
