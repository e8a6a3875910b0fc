// The parts of the listing interfaces that every platform shares.

#include "base/listing.h"

#include <algorithm>

#include "base/sjis.h"

namespace base {
bool FoldedNameOrder(const DirEntry& a, const DirEntry& b) {
  const std::string& x = a.host_name;
  const std::string& y = b.host_name;
  const std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char p = UpperAsciiByte(static_cast<unsigned char>(x[i]));
    const unsigned char q = UpperAsciiByte(static_cast<unsigned char>(y[i]));
    if (p != q) return p < q;
  }
  if (x.size() != y.size()) return x.size() < y.size();
  return x < y;  // names differing only in case: still a fixed order
}

bool Folder::Examine(const std::string& name, DirEntry* entry) {
  std::vector<DirEntry> entries;
  if (!List(&entries)) return false;
  const auto found =
      std::find_if(entries.begin(), entries.end(), [&name](const DirEntry& e) { return e.host_name == name; });
  if (found == entries.end()) return false;
  *entry = std::move(*found);
  return true;
}

}  // namespace base
