#pragma once
// The one way to the files of a run: the file system (with the current
// folder) and the folder lister, handed together from a program's main, or
// from a test, to every part that reads or writes files.

#include "base/file_system.h"
#include "base/listing.h"

namespace base {

/// The file system and the folder lister a run reaches files through. Both
/// are the platform's in a program (SystemFileAccess) and fakes in tests.
struct FileAccess {
  FileSystem& files;
  FolderLister& lister;
};

/// The running platform's: SystemFileSystem() and SystemFolderLister().
inline FileAccess SystemFileAccess() { return FileAccess{SystemFileSystem(), SystemFolderLister()}; }

}  // namespace base
