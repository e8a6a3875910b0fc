#pragma once
// Plain binary file access behind one interface, with one implementation per
// platform (file_system_posix.cpp, file_system_win32.cpp) and one in-memory
// fake for tests (fake_file_system.h). Every path is a host path: UTF-8 on
// POSIX; on Windows the kit's Shift-JIS, which the wide file functions get
// converted with code page 932 whatever the system's ANSI code page.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/host_path.h"

namespace base {

/// A file opened for reading.
class InputFile {
 public:
  virtual ~InputFile() = default;
  /// Reads up to `capacity` bytes into `buffer`. Answers false on a read
  /// error; otherwise sets `*got` (0 at the end of the file).
  virtual bool Read(void* buffer, std::size_t capacity, std::size_t* got) = 0;
};

/// A new file opened for writing.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  /// Writes all `size` bytes; false when that did not complete.
  virtual bool Write(const void* data, std::size_t size) = 0;
  /// Makes everything written so far durable on the storage device (so a
  /// crash cannot leave the file shorter); false when that failed.
  virtual bool Sync() = 0;
  /// Flushes and closes the file; false when that failed. Called once.
  virtual bool Close() = 0;
};

/// What a path names.
enum class FileKind {
  kRegular,  ///< a regular file
  kFolder,   ///< a folder
  kOther,    ///< anything else: FIFO, socket, device
};

/// What Stat reports of a path.
struct FileInfo {
  FileKind kind = FileKind::kRegular;
  /// Size in bytes of a regular file; 0 otherwise.
  std::uint64_t size = 0;
};

/// The stay in a folder entered by FileSystem::EnterFolder: when it goes,
/// the folder that was current before is current again.
class EnteredFolder {
 public:
  virtual ~EnteredFolder() = default;
};

/// Opens, creates, examines, renames and removes files by host path, and
/// keeps the current folder, against which relative paths are taken.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// Examines `path`; false when nothing can be found there.
  virtual bool Stat(const std::string& path, FileInfo* info) = 0;
  /// Opens an existing regular file for reading; null when it cannot be
  /// opened or is anything else (a folder, FIFO, socket or device), so that
  /// opening never waits for a writer.
  virtual std::unique_ptr<InputFile> OpenInput(const std::string& path) = 0;
  /// Opens as OpenInput does, but shares the file with no one: while it stays
  /// open nobody else can open, change, rename or delete it (where the
  /// platform locks files; POSIX does not). Sets `*size` to its size.
  virtual std::unique_ptr<InputFile> OpenLocked(const std::string& path, std::uint64_t* size) = 0;
  /// Creates a file that must not exist yet; null when that fails.
  virtual std::unique_ptr<OutputFile> CreateNew(const std::string& path) = 0;
  /// Creates `path` or empties the file already there; null when that fails.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
  /// Renames `from` to `to`, refusing (false) when `to` already exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  /// Renames `from` to `to`, replacing a file at `to` in one step.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  /// Creates the folder `path` (its parent must exist); false when that
  /// fails, also when something is already there.
  virtual bool CreateFolder(const std::string& path) = 0;
  /// Deletes a file; false when it could not be deleted.
  virtual bool Remove(const std::string& path) = 0;
  /// Makes the entries of `folder` (a rename into it) durable on the storage
  /// device; false when that failed.
  virtual bool SyncFolder(const std::string& folder) = 0;
  /// A number that differs between processes running at the same time,
  /// used to name temporary files.
  virtual unsigned long ProcessId() = 0;
  /// The current folder as a host path, however long (no trailing
  /// separator, except for a root); empty when it cannot be taken (it was
  /// removed, or is unreadable).
  virtual std::string CurrentFolder() = 0;
  /// Makes `folder` the current folder for as long as the answer lives;
  /// null (nothing entered) when it cannot be entered or the way back to
  /// the folder current now cannot be kept.
  virtual std::unique_ptr<EnteredFolder> EnterFolder(const std::string& folder) = 0;
};

/// Passes every call to an inner file system: the base of a file system that
/// watches or changes a few calls and overrides only those.
class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  bool Stat(const std::string& path, FileInfo* info) override { return inner_.Stat(path, info); }
  std::unique_ptr<InputFile> OpenInput(const std::string& path) override { return inner_.OpenInput(path); }
  std::unique_ptr<InputFile> OpenLocked(const std::string& path, std::uint64_t* size) override {
    return inner_.OpenLocked(path, size);
  }
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override { return inner_.CreateNew(path); }
  std::unique_ptr<OutputFile> Create(const std::string& path) override { return inner_.Create(path); }
  bool Rename(const std::string& from, const std::string& to) override { return inner_.Rename(from, to); }
  bool Replace(const std::string& from, const std::string& to) override { return inner_.Replace(from, to); }
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  bool Remove(const std::string& path) override { return inner_.Remove(path); }
  bool SyncFolder(const std::string& folder) override { return inner_.SyncFolder(folder); }
  unsigned long ProcessId() override { return inner_.ProcessId(); }
  std::string CurrentFolder() override { return inner_.CurrentFolder(); }
  std::unique_ptr<EnteredFolder> EnterFolder(const std::string& folder) override {
    return inner_.EnterFolder(folder);
  }

 protected:
  FileSystem& inner_;
};

/// The file system of the running platform.
FileSystem& SystemFileSystem();

/// Reads the whole file at `path` into `content`; false when it cannot be
/// opened or read.
bool ReadWholeFile(FileSystem& files, const std::string& path, std::string* content);

/// The name tried `attempt` (0, 1, ...) for the temporary file that becomes
/// `path`: in the same folder, "~" and then the process id and the attempt in
/// base 36, cut to the length of `path`'s own name (keeping the last digits,
/// which change from one attempt to the next; a byte that is not ASCII counts
/// half, as a double-byte character is one). So the temporary path is never
/// longer than `path`, in bytes or in characters, and a path that fits the
/// platform's limits under its final name fits them while it is written.
std::string TemporaryPathFor(const std::string& path, unsigned long process_id, int attempt);

/// Creates the new temporary file that is to become `path`, under the first
/// of TemporaryPathFor's names that nothing holds yet (a file left by another
/// run is never touched), and sets `*temporary` to its path. Null when no
/// name could be created.
std::unique_ptr<OutputFile> CreateTemporaryFor(FileSystem& files, const std::string& path, std::string* temporary);

/// Writes `content` as the whole file at `path`: into a new temporary file
/// (CreateTemporaryFor), then renamed over `path`, so that a link at `path`
/// is replaced and never followed. False (and no temporary file left) when
/// any step fails. An interruption (InstallInterruptCleanup) before the
/// rename removes the temporary file.
bool WriteWholeFile(FileSystem& files, const std::string& path, const std::string& content);

}  // namespace base
