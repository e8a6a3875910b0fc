#pragma once
// The Win32 file objects over an open handle, shared by the path-based file
// system (file_system_win32.cpp) and the folder handles (listing_win32.cpp).
// Each takes the handle over and closes it.

#include <windows.h>

#include <memory>

#include "base/file_system.h"

namespace base {

/// Reads from `handle`, in pieces of at most 1 GiB.
std::unique_ptr<InputFile> Win32InputFileOver(HANDLE handle);

/// Writes to `handle`, in pieces of at most 1 GiB.
std::unique_ptr<OutputFile> Win32OutputFileOver(HANDLE handle);

}  // namespace base
