#pragma once
// Splits an install information file into the lines the reader sees, reading
// it piece by piece so that memory does not grow with the file.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "base/file_system.h"

namespace inf {

/// Longest line read at once, in bytes; a longer physical line is read as
/// several lines, each counted in the line numbers.
inline constexpr std::size_t kMaxInfLineBytes = 511;

/// Hands out the lines of a file: CR LF becomes LF (as text-mode reading
/// does; a lone CR stays), each line ends after its LF or after
/// kMaxInfLineBytes bytes, and the last line may lack a line break.
class InfLineReader {
 public:
  /// Reads `file` in pieces of `piece_size` bytes.
  explicit InfLineReader(base::InputFile& file, std::size_t piece_size = 64 * 1024);

  /// The next line into `line`, which stays valid until the next call;
  /// false at the end of the file or after a read error (see failed()).
  bool Next(std::string_view* line);
  /// True when reading the file failed.
  bool failed() const { return failed_; }

 private:
  bool Fill();
  bool NextInPiece(std::string_view* line);
  bool NextCopied(std::string* line);

  base::InputFile& file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t piece_size_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  std::string copied_;  // a line that straddles two pieces or holds a lone CR
};

}  // namespace inf
