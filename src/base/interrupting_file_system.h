#pragma once
// For tests: the file system (and the folder lister) of the running
// platform, except that renaming a written file over a path that holds a
// given text raises a signal first, as a Ctrl+C at the last moment of
// writing it would; the same for a file written into a folder held open.

#include <csignal>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/file_system.h"
#include "base/folder.h"
#include "base/listing.h"

namespace base {

class InterruptingFileSystem : public ForwardingFileSystem {
 public:
  InterruptingFileSystem(FileSystem& inner, std::string path_part, int signal_number)
      : ForwardingFileSystem(inner), path_part_(std::move(path_part)), signal_number_(signal_number) {}

  bool Replace(const std::string& from, const std::string& to) override {
    if (to.find(path_part_) != std::string::npos) std::raise(signal_number_);
    return inner_.Replace(from, to);
  }

 private:
  std::string path_part_;
  int signal_number_;
};

/// Lists through `inner`; the folders it opens raise `signal_number` before
/// renaming a file over a name whose path holds `path_part`.
class InterruptingFolderLister : public FolderLister {
 public:
  InterruptingFolderLister(FolderLister& inner, std::string path_part, int signal_number)
      : inner_(inner), path_part_(std::move(path_part)), signal_number_(signal_number) {}

  bool List(const std::string& folder, std::vector<DirEntry>* entries) override { return inner_.List(folder, entries); }
  std::string ResolvedPath(const std::string& path) override { return inner_.ResolvedPath(path); }
  ListingOrder Order() const override { return inner_.Order(); }
  std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
    std::unique_ptr<Folder> folder = inner_.OpenFolder(path);
    if (!folder) return folder;
    return std::make_unique<Held>(std::move(folder), path_part_, signal_number_);
  }

 private:
  class Held : public Folder {
   public:
    Held(std::unique_ptr<Folder> inner, const std::string& part, int signal_number)
        : inner_(std::move(inner)), part_(part), signal_number_(signal_number) {}
    const std::string& path() const override { return inner_->path(); }
    std::string ResolvedPath() override { return inner_->ResolvedPath(); }
    bool List(std::vector<DirEntry>* entries) override { return inner_->List(entries); }
    bool Examine(const std::string& name, DirEntry* entry) override { return inner_->Examine(name, entry); }
    std::unique_ptr<Folder> OpenFolder(const DirEntry& entry, FolderOpen* result) override {
      return inner_->OpenFolder(entry, result);
    }
    std::unique_ptr<InputFile> OpenListed(const DirEntry& entry, FolderOpen* result) override {
      return inner_->OpenListed(entry, result);
    }
    bool Stat(const std::string& name, FileInfo* info) override { return inner_->Stat(name, info); }
    std::unique_ptr<InputFile> OpenInput(const std::string& name) override { return inner_->OpenInput(name); }
    std::unique_ptr<OutputFile> CreateNew(const std::string& name) override { return inner_->CreateNew(name); }
    bool Replace(const std::string& from, const std::string& to) override {
      if (JoinPath(inner_->path(), to).find(part_) != std::string::npos) std::raise(signal_number_);
      return inner_->Replace(from, to);
    }
    bool Remove(const std::string& name) override { return inner_->Remove(name); }
    bool Sync() override { return inner_->Sync(); }

   private:
    std::unique_ptr<Folder> inner_;
    std::string part_;
    int signal_number_;
  };

  FolderLister& inner_;
  std::string path_part_;
  int signal_number_;
};

}  // namespace base
