#include "builder/named_file_check.h"

#include "base/sjis.h"
#include "builder/messages.h"

namespace builder {
NamedFileCheck::NamedFileCheck(const ScanResult& scan) {
  for (const SourceFileList& list : scan.lists)
    for (const SourceFile& file : list) packed_.insert(base::SjisUpperAsciiCopy(file.name));
}

void NamedFileCheck::OnNamedFile(std::string_view name, std::string_view key, int line) {
  // One buffer for every name: a description may name very many.
  folded_.assign(name);
  base::SjisUpperAscii(folded_);
  if (packed_.count(folded_)) return;
  if (missing_.size() < kMaxKept) {
    missing_.push_back({description_, std::string(key), std::string(name), line});
  } else {
    ++more_;
  }
}

void NamedFileCheck::Warn(base::Console& console, inf::DiagnosticCollector* diagnostics) const {
  for (const Missing& m : missing_) {
    if (m.key == "Copy Files") {
      Say(console, base::Stream::kWarning, Message::kCopiedFileMissing, m.description.c_str(), m.line, m.name.c_str());
    } else {
      Say(console, base::Stream::kWarning, Message::kKeyFileMissing, m.key.c_str(), m.description.c_str(), m.line,
          m.name.c_str());
    }
    if (diagnostics) diagnostics->Warn(inf::FilePlace(m.description, m.line));
  }
  if (more_) {
    Say(console, base::Stream::kWarning, Message::kMoreFilesMissing, static_cast<unsigned long long>(more_));
    if (diagnostics && !missing_.empty())
      diagnostics->Warn(inf::FilePlace(missing_.back().description, missing_.back().line));
  }
}

}  // namespace builder
