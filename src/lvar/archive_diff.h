#pragma once
// Comparing two archives: header fields and entries, the entries matched by
// name (the n-th entry of a name in one archive with the n-th of that name
// in the other) and compared by kind, size and a digest of their content.

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "lvar/archive_reader.h"

namespace lvar {

/// What comparing needs of one entry.
struct EntryDigest {
  std::string name;  ///< Shift-JIS
  std::uint8_t kind = 0;
  std::uint32_t size = 0;
  std::uint64_t offset = 0;
  /// Two independent 64-bit hashes of the content (FNV-1a with two bases).
  std::uint64_t hash[2] = {0, 0};
};

/// One archive, reduced to what comparing needs.
struct ArchiveDigest {
  HeaderFields header;
  std::vector<EntryDigest> entries;
};

/// Reads and checks the archive at `path` (as VerifyArchive does) and
/// digests it.
Status DigestArchive(base::FileSystem& files, const std::string& path, ArchiveDigest* digest);

/// A header field that differs, with both values as text.
struct HeaderChange {
  Message field;  ///< e.g. Message::kFieldPlatformMask
  std::string a, b;
};

/// How an entry differs.
struct EntryChange {
  enum class What { kAdded, kRemoved, kChanged } what = What::kChanged;
  EntryDigest a, b;  ///< a is empty for kAdded, b for kRemoved
};

struct ArchiveDifference {
  std::vector<HeaderChange> header;
  std::vector<EntryChange> entries;
  /// The same entries, but stored in another order.
  bool order_differs = false;
  bool identical() const { return header.empty() && entries.empty() && !order_differs; }
};

/// Compares two digests.
ArchiveDifference CompareArchives(const ArchiveDigest& a, const ArchiveDigest& b);

}  // namespace lvar
