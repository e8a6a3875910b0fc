#pragma once
// The seams a console program's run reaches the system through, in one
// shape for every program: its texts for people, then its files.

#include "base/console.h"
#include "base/file_system.h"
#include "base/listing.h"

namespace base {

/// What a console program's run writes its texts to and reaches its files
/// through. A program's main builds it from the system's seams and passes
/// it down; a test builds it from fakes. A program's own environment
/// derives from it and adds only what that program alone has, after these.
struct RunEnvironment {
  /// Texts for people: Shift-JIS bytes in the reader's language
  /// (console.language()), on standard output and standard error.
  Console& console;
  /// The file system, with the current folder.
  FileSystem& files;
  /// The folder lister.
  FolderLister& lister;
};

}  // namespace base
