#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "base/file_posix.h"
#include "base/file_system.h"

namespace base {
namespace {

class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  ~PosixInputFile() override { ::close(fd_); }

  bool Read(void* buffer, std::size_t capacity, std::size_t* got) override {
    for (;;) {
      ssize_t n = ::read(fd_, buffer, capacity);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      *got = static_cast<std::size_t>(n);
      return true;
    }
  }

 private:
  int fd_;
};

class PosixOutputFile : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Write(const void* data, std::size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      ssize_t n = ::write(fd_, p, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      p += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Sync() override {
    for (;;) {
      if (::fsync(fd_) == 0) return true;
      if (errno != EINTR) return false;
    }
  }

  bool Close() override {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The folder come from is held open, so the way back works however deep it
// lies, and even when its name cannot be taken.
class PosixEnteredFolder : public EnteredFolder {
 public:
  explicit PosixEnteredFolder(int came_from) : came_from_(came_from) {}
  ~PosixEnteredFolder() override {
    (void)!::fchdir(came_from_);
    ::close(came_from_);
  }

 private:
  int came_from_;
};

class PosixFileSystem : public FileSystem {
 public:
  bool Stat(const std::string& path, FileInfo* info) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    info->kind = S_ISREG(st.st_mode) ? FileKind::kRegular : S_ISDIR(st.st_mode) ? FileKind::kFolder : FileKind::kOther;
    info->size = info->kind == FileKind::kRegular ? static_cast<std::uint64_t>(st.st_size) : 0;
    return true;
  }

  std::unique_ptr<InputFile> OpenInput(const std::string& path) override {
    std::uint64_t size = 0;
    return OpenLocked(path, &size);
  }

  // POSIX has no mandatory locks: the file is opened as any other.
  std::unique_ptr<InputFile> OpenLocked(const std::string& path, std::uint64_t* size) override {
    // O_NONBLOCK: opening a FIFO must not wait for a writer. Reads of a
    // regular file are not affected by it.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    *size = static_cast<std::uint64_t>(st.st_size);
    return std::make_unique<PosixInputFile>(fd);
  }

  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutputFile>(fd);
  }

  std::unique_ptr<OutputFile> Create(const std::string& path) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutputFile>(fd);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    // link() refuses an existing target, as MoveFileA does; fall back to a
    // checked rename where hard links are not available.
    if (::link(from.c_str(), to.c_str()) == 0) return ::unlink(from.c_str()) == 0;
    struct stat st;
    if (::lstat(to.c_str(), &st) == 0) return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
  }

  bool Replace(const std::string& from, const std::string& to) override {
    return std::rename(from.c_str(), to.c_str()) == 0;
  }

  bool CreateFolder(const std::string& path) override { return ::mkdir(path.c_str(), 0777) == 0; }

  bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool SyncFolder(const std::string& folder) override {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
  }

  unsigned long ProcessId() override { return static_cast<unsigned long>(::getpid()); }

  std::string CurrentFolder() override {
    // A null buffer lets getcwd allocate one of any length: a folder deeper
    // than PATH_MAX still has its name, which length checks then refuse.
    char* buffer = ::getcwd(nullptr, 0);
    if (!buffer) return std::string();
    std::string here = buffer;
    std::free(buffer);
    return here;
  }

  std::unique_ptr<EnteredFolder> EnterFolder(const std::string& folder) override {
    const int came_from = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (came_from < 0) return nullptr;
    if (::chdir(folder.c_str()) != 0) {
      ::close(came_from);
      return nullptr;
    }
    return std::make_unique<PosixEnteredFolder>(came_from);
  }
};

}  // namespace

std::unique_ptr<InputFile> PosixInputFileOver(int fd) { return std::make_unique<PosixInputFile>(fd); }

std::unique_ptr<OutputFile> PosixOutputFileOver(int fd) { return std::make_unique<PosixOutputFile>(fd); }

FileSystem& SystemFileSystem() {
  static PosixFileSystem file_system;
  return file_system;
}

}  // namespace base
