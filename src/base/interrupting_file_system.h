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

}  // namespace base
