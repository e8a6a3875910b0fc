#pragma once
// Host paths in messages. Messages are Shift-JIS; on Windows paths already
// are (ANSI code page 932), on POSIX they are UTF-8 and are converted, or
// shown as they are when they have no Shift-JIS form.

#include <string>

#ifndef _WIN32
#include "base/encoding.h"
#endif

namespace builder {

/// The Shift-JIS form of a host path given by the user, for messages.
inline std::string MessageTextOf(const std::string& host_path) {
#ifdef _WIN32
  return host_path;
#else
  std::string sjis;
  if (base::Utf8ToCp932(host_path, &sjis)) return sjis;
  return host_path;
#endif
}

}  // namespace builder
