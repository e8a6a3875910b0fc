#include "lsp/message_reader.h"

#include <algorithm>

#include "base/sjis.h"

namespace lsp {
namespace {

constexpr std::string_view kContentLength = "Content-Length";

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// A decimal length of at most `max` digits' worth; false for anything else.
bool ParseLength(std::string_view text, std::size_t* length) {
  if (text.empty() || text.size() > 18) return false;
  std::size_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  *length = value;
  return true;
}

}  // namespace

MessageBody::MessageBody(std::string text) : size_(text.size()) {
  if (!text.empty()) parts_.push_back(std::move(text));
}

std::string MessageBody::Text() const {
  std::string text;
  text.reserve(size_);
  for (const std::string& part : parts_) text += part;
  return text;
}

std::string MessageBody::Start(std::size_t length) const {
  std::string start;
  for (std::size_t i = 0; i < parts_.size() && start.size() < length; ++i)
    start.append(parts_[i], 0, length - start.size());
  return start;
}

void MessageBody::Append(std::string_view bytes, std::size_t still_to_come) {
  size_ += bytes.size();
  while (!bytes.empty()) {
    if (parts_.empty() || parts_.back().size() == kBodyPartBytes) {
      parts_.emplace_back();
      parts_.back().reserve(std::min(kBodyPartBytes, bytes.size() + still_to_come));
    }
    std::string& part = parts_.back();
    const std::size_t take = std::min(bytes.size(), kBodyPartBytes - part.size());
    part.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
  }
}

void MessageBody::Cursor::SkipEmpty() {
  while (part_ < parts_->size() && (*parts_)[part_].empty()) ++part_;
}

MessageBody::Cursor& MessageBody::Cursor::operator++() {
  if (++at_ == (*parts_)[part_].size()) {
    std::string().swap((*parts_)[part_]);  // read: let it go
    ++part_;
    at_ = 0;
    SkipEmpty();
  }
  return *this;
}

void MessageReader::Feed(std::string_view bytes, std::vector<ReadEvent>* events) {
  while (!bytes.empty()) {
    switch (state_) {
      case State::kHeader:
      case State::kSkipHeader:
        if (!ReadHeaderLine(&bytes, events)) return;
        break;
      case State::kBody: {
        const std::size_t take = std::min(left_, bytes.size());
        left_ -= take;
        body_.Append(bytes.substr(0, take), left_);
        bytes.remove_prefix(take);
        if (left_ == 0) {
          events->push_back(ReadEvent{ReadEvent::kMessage, std::move(body_)});
          body_ = MessageBody();
          state_ = State::kHeader;
        }
        break;
      }
      case State::kSkipBody: {
        const std::size_t take = std::min(left_, bytes.size());
        bytes.remove_prefix(take);
        left_ -= take;
        if (left_ == 0) state_ = State::kHeader;
        break;
      }
    }
  }
}

// Takes bytes up to the end of one header line; false when they ran out first.
bool MessageReader::ReadHeaderLine(std::string_view* bytes, std::vector<ReadEvent>* events) {
  const std::size_t end = bytes->find('\n');
  const std::string_view part = bytes->substr(0, end == std::string_view::npos ? bytes->size() : end);
  if (state_ == State::kHeader) {
    header_bytes_ += part.size() + (end == std::string_view::npos ? 0 : 1);
    if (header_bytes_ > kMaxHeaderBytes) {
      // Too long for a header: drop it up to its end, then look for the next.
      events->push_back(ReadEvent{ReadEvent::kBadHeader, {}});
      state_ = State::kSkipHeader;
      line_.clear();
    } else {
      line_.append(part);
    }
  } else if (part.find_first_not_of(" \t\r") != std::string_view::npos) {
    line_ = "-";  // enough to tell that the line is not empty
  }
  if (end == std::string_view::npos) {
    bytes->remove_prefix(bytes->size());
    return false;
  }
  bytes->remove_prefix(end + 1);
  const std::string_view line = Trimmed(line_);
  if (state_ == State::kSkipHeader) {
    // Skipping: an empty line ends the block that was refused.
    const bool empty = Trimmed(line_).empty();
    line_.clear();
    if (empty) {
      state_ = State::kHeader;
      header_bytes_ = 0;
      header_lines_ = 0;
      length_seen_ = length_bad_ = false;
    }
    return true;
  }
  if (line.empty()) {
    if (header_lines_ > 0) EndHeaders(events);
    else header_bytes_ = 0;  // blank lines between messages
    line_.clear();
    return true;
  }
  ++header_lines_;
  const std::size_t colon = line.find(':');
  if (colon != std::string_view::npos && base::EqualsIgnoreAsciiCase(Trimmed(line.substr(0, colon)), kContentLength)) {
    std::size_t length = 0;
    if (!length_seen_ && ParseLength(Trimmed(line.substr(colon + 1)), &length)) {
      length_seen_ = true;
      length_ = length;
    } else {
      length_bad_ = true;  // not a number, or given twice
    }
  }
  line_.clear();
  return true;
}

void MessageReader::EndHeaders(std::vector<ReadEvent>* events) {
  const bool usable = length_seen_ && !length_bad_;
  header_bytes_ = 0;
  header_lines_ = 0;
  length_seen_ = length_bad_ = false;
  if (!usable) {
    // Without a length the body cannot be found; what follows is read as
    // the next header block.
    events->push_back(ReadEvent{ReadEvent::kBadHeader, {}});
    state_ = State::kHeader;
    return;
  }
  left_ = length_;
  if (length_ > max_body_) {
    events->push_back(ReadEvent{ReadEvent::kTooLarge, {}});
    state_ = State::kSkipBody;
  } else if (length_ == 0) {
    events->push_back(ReadEvent{ReadEvent::kMessage, {}});
    state_ = State::kHeader;
  } else {
    state_ = State::kBody;
  }
}

}  // namespace lsp
