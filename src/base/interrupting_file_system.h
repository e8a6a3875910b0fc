#pragma once
// For tests: the file system of the running platform, except that renaming a
// written file over a path that holds a given text raises a signal first, as
// a Ctrl+C at the last moment of writing it would.

#include <csignal>
#include <memory>
#include <string>
#include <utility>

#include "base/file_system.h"

namespace base {

class InterruptingFileSystem : public FileSystem {
 public:
  InterruptingFileSystem(FileSystem& inner, std::string path_part, int signal_number)
      : inner_(inner), path_part_(std::move(path_part)), signal_number_(signal_number) {}

  bool Stat(const std::string& path, FileInfo* info) override { return inner_.Stat(path, info); }
  std::unique_ptr<InputFile> OpenInput(const std::string& path) override { return inner_.OpenInput(path); }
  std::unique_ptr<InputFile> OpenLocked(const std::string& path, std::uint64_t* size) override {
    return inner_.OpenLocked(path, size);
  }
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override { return inner_.CreateNew(path); }
  std::unique_ptr<OutputFile> Create(const std::string& path) override { return inner_.Create(path); }
  bool Rename(const std::string& from, const std::string& to) override { return inner_.Rename(from, to); }
  bool Replace(const std::string& from, const std::string& to) override {
    if (to.find(path_part_) != std::string::npos) std::raise(signal_number_);
    return inner_.Replace(from, to);
  }
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  bool Remove(const std::string& path) override { return inner_.Remove(path); }
  bool SyncFolder(const std::string& folder) override { return inner_.SyncFolder(folder); }
  unsigned long ProcessId() override { return inner_.ProcessId(); }
  std::string CurrentFolder() override { return inner_.CurrentFolder(); }
  std::unique_ptr<EnteredFolder> EnterFolder(const std::string& folder) override {
    return inner_.EnterFolder(folder);
  }

 private:
  FileSystem& inner_;
  std::string path_part_;
  int signal_number_;
};

}  // namespace base
