#pragma once
// Reading a text file for a text page.

#include <cstdint>
#include <string>

namespace launcher {

/// An open file that a page shows. One implementation per platform use:
/// the Win32 program wraps the handle it keeps open; tests supply their own.
class TextSource {
 public:
  virtual ~TextSource() = default;
  /// The file's size in bytes. Returns false when it cannot be taken.
  virtual bool Size(std::uint64_t* size) = 0;
  /// Reads up to `count` bytes from the start into `buffer`, setting `read`.
  /// Returns false when the read fails.
  virtual bool Read(char* buffer, std::uint32_t count, std::uint32_t* read) = 0;
};

/// Reads the whole file into a zero-filled buffer one byte longer than the
/// file and answers its text up to the first NUL byte. Returns false (text
/// empty) when the size cannot be taken, the file is 4 GB or larger (its
/// size would not fit the 32-bit read), the buffer cannot be reserved or the
/// read fails; the caller then reports the error.
bool ReadTextForPage(TextSource& source, std::string* text);

}  // namespace launcher
