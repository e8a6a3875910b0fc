#include "inf/inf_line_reader.h"

namespace inf {

InfLineReader::InfLineReader(base::InputFile& file, std::size_t piece_size)
    : file_(file), buffer_(new char[piece_size]), piece_size_(piece_size) {}

bool InfLineReader::Fill() {
  at_ = end_ = 0;
  if (eof_ || failed_) return false;
  std::size_t got = 0;
  if (!file_.Read(buffer_.get(), piece_size_, &got)) {
    failed_ = true;
    return false;
  }
  if (got == 0) {
    eof_ = true;
    return false;
  }
  end_ = got;
  return true;
}

bool InfLineReader::Next(std::string_view* line) {
  if (NextInPiece(line)) return true;
  const bool have = NextCopied(&copied_);
  *line = copied_;
  return have;
}

// The common case without a copy: a line that ends with LF or CR LF within
// the piece and holds no other CR. A CR LF becomes LF in the buffer itself.
bool InfLineReader::NextInPiece(std::string_view* line) {
  char* data = buffer_.get();
  const std::size_t stop = end_ - at_ < kMaxInfLineBytes ? end_ : at_ + kMaxInfLineBytes;
  std::size_t i = at_;
  while (i < stop && data[i] != '\n' && data[i] != '\r') ++i;
  if (i == stop) return false;
  if (data[i] == '\r') {
    if (i + 1 >= end_ || data[i + 1] != '\n') return false;
    data[i] = '\n';
    *line = std::string_view(data + at_, i + 1 - at_);
    at_ = i + 2;
    return true;
  }
  *line = std::string_view(data + at_, i + 1 - at_);
  at_ = i + 1;
  return true;
}

bool InfLineReader::NextCopied(std::string* line) {
  line->clear();
  // A CR that ended the previous piece: dropped when an LF follows it.
  bool pending_cr = false;
  for (;;) {
    if (at_ == end_ && !Fill()) {
      if (pending_cr) line->push_back('\r');
      return !failed_ && !line->empty();
    }
    const char* data = buffer_.get();
    if (pending_cr) {
      pending_cr = false;
      if (data[at_] != '\n') {
        line->push_back('\r');
        if (line->size() == kMaxInfLineBytes) return true;
      }
    }
    // Copy up to the next CR or LF, or until the line is full.
    const std::size_t room = kMaxInfLineBytes - line->size();
    const std::size_t stop = end_ - at_ < room ? end_ : at_ + room;
    std::size_t i = at_;
    while (i < stop && data[i] != '\n' && data[i] != '\r') ++i;
    line->append(data + at_, i - at_);
    at_ = i;
    if (line->size() == kMaxInfLineBytes) return true;
    if (i == stop) continue;  // the piece is used up
    ++at_;
    if (data[i] == '\n') {
      line->push_back('\n');
      return true;
    }
    // A CR: dropped before an LF, else kept as a byte of the line.
    if (at_ == end_) {
      pending_cr = true;
    } else if (data[at_] != '\n') {
      line->push_back('\r');
      if (line->size() == kMaxInfLineBytes) return true;
    }
  }
}

}  // namespace inf
