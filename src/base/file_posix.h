#pragma once
// The POSIX file objects over an open descriptor, shared by the path-based
// file system (file_system_posix.cpp) and the folder handles
// (listing_posix.cpp). Each takes the descriptor over and closes it.

#include <memory>

#include "base/file_system.h"

namespace base {

/// Reads from `fd`, retrying interrupted reads.
std::unique_ptr<InputFile> PosixInputFileOver(int fd);

/// Writes to `fd`, retrying interrupted and partial writes.
std::unique_ptr<OutputFile> PosixOutputFileOver(int fd);

}  // namespace base
