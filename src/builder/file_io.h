#pragma once
// Plain binary file access behind one interface, with one implementation per
// platform (file_io_posix.cpp, file_io_win32.cpp). Tests supply their own to
// provoke read and write failures.

#include <cstddef>
#include <memory>
#include <string>

namespace builder {

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
  /// Flushes and closes the file; false when that failed. Called once.
  virtual bool Close() = 0;
};

/// Opens, creates, renames and removes files by host path.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// Opens an existing file for reading; null when it cannot be opened.
  virtual std::unique_ptr<InputFile> OpenInput(const std::string& path) = 0;
  /// Creates a file that must not exist yet; null when that fails.
  virtual std::unique_ptr<OutputFile> CreateNew(const std::string& path) = 0;
  /// Renames `from` to `to`, replacing a file at `to` in one step.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  /// Deletes a file; false when it could not be deleted.
  virtual bool Remove(const std::string& path) = 0;
  /// A number that differs between processes running at the same time,
  /// used to name temporary files.
  virtual unsigned long ProcessId() = 0;
};

/// The file system of the running platform.
FileSystem& SystemFileSystem();

}  // namespace builder
