#include "lvar/archive_diff.h"

#include <cstring>
#include <map>
#include <utility>

#include "base/hex.h"
#include "archive/archive_format.h"

namespace lvar {
namespace {

constexpr std::uint64_t kFnvPrime = 0x100000001B3ull;
constexpr std::uint64_t kFnvBases[2] = {0xCBF29CE484222325ull, 0x84222325CBF29CE4ull};

class Digester : public ArchiveVisitor {
 public:
  explicit Digester(ArchiveDigest* digest) : digest_(digest) {}

  Status OnHeader(const HeaderFields& header) override {
    digest_->header = header;
    return {};
  }
  Status OnEntry(const EntryFields& entry) override {
    EntryDigest d;
    d.name = entry.name;
    d.kind = entry.kind;
    d.size = entry.size;
    d.offset = entry.offset;
    d.hash[0] = kFnvBases[0];
    d.hash[1] = kFnvBases[1];
    digest_->entries.push_back(std::move(d));
    return {};
  }
  Status OnContent(const std::uint8_t* data, std::size_t size) override {
    EntryDigest& d = digest_->entries.back();
    std::uint64_t h0 = d.hash[0], h1 = d.hash[1];
    for (std::size_t i = 0; i < size; ++i) {
      h0 = (h0 ^ data[i]) * kFnvPrime;
      h1 = (h1 ^ static_cast<std::uint8_t>(data[i] + 0x5A)) * kFnvPrime;
    }
    d.hash[0] = h0;
    d.hash[1] = h1;
    return {};
  }

 private:
  ArchiveDigest* digest_;
};

bool SameContent(const EntryDigest& a, const EntryDigest& b) {
  return a.kind == b.kind && a.size == b.size && a.hash[0] == b.hash[0] && a.hash[1] == b.hash[1];
}

}  // namespace

Status DigestArchive(base::FileSystem& files, const std::string& path, ArchiveDigest* digest) {
  Digester digester(digest);
  return ReadArchiveFile(files, path, digester);
}

ArchiveDifference CompareArchives(const ArchiveDigest& a, const ArchiveDigest& b) {
  ArchiveDifference diff;
  auto field = [&](Message name, std::uint32_t x, std::uint32_t y, bool hex) {
    if (x != y) diff.header.push_back({name, hex ? base::HexNumber(x, 8) : std::to_string(x),
                                      hex ? base::HexNumber(y, 8) : std::to_string(y)});
  };
  field(Message::kFieldEntryCount, a.header.entry_count, b.header.entry_count, false);
  field(Message::kFieldPlatformMask, a.header.platform_mask, b.header.platform_mask, true);
  field(Message::kFieldOsVersionMask, a.header.os_version_mask, b.header.os_version_mask, true);
  field(Message::kFieldCpuTypeMask, a.header.cpu_type_mask, b.header.cpu_type_mask, true);
  field(Message::kFieldDestination, a.header.destination, b.header.destination, false);
  struct Block {
    Message name;
    std::size_t at, size;
  };
  const Block blocks[] = {Block{Message::kFieldPlatformBlock, archive::kPlatformBlockAt, archive::kPlatformBlockSize},
                          Block{Message::kFieldOsVersionBlock, archive::kOsBlockAt, archive::kOsBlockSize},
                          Block{Message::kFieldCpuTypeBlock, archive::kCpuBlockAt, archive::kCpuBlockSize}};
  for (const Block& block : blocks) {
    if (std::memcmp(&a.header.bytes[block.at], &b.header.bytes[block.at], block.size) != 0)
      diff.header.push_back({block.name, base::HexBytes(&a.header.bytes[block.at], block.size),
                               base::HexBytes(&b.header.bytes[block.at], block.size)});
  }

  // Match the n-th entry of a name in A with the n-th of that name in B.
  using Key = std::pair<std::string, int>;
  std::map<Key, std::size_t> in_b;
  std::map<std::string, int> seen;
  std::vector<Key> keys_b;
  for (std::size_t i = 0; i < b.entries.size(); ++i) {
    Key key{b.entries[i].name, seen[b.entries[i].name]++};
    in_b[key] = i;
    keys_b.push_back(key);
  }
  seen.clear();
  std::vector<Key> common_a;
  std::vector<bool> matched(b.entries.size(), false);
  for (const EntryDigest& entry : a.entries) {
    Key key{entry.name, seen[entry.name]++};
    auto it = in_b.find(key);
    if (it == in_b.end()) {
      EntryChange removed;
      removed.what = EntryChange::What::kRemoved;
      removed.a = entry;
      diff.entries.push_back(std::move(removed));
      continue;
    }
    matched[it->second] = true;
    common_a.push_back(key);
    const EntryDigest& other = b.entries[it->second];
    if (!SameContent(entry, other)) {
      EntryChange changed;
      changed.a = entry;
      changed.b = other;
      diff.entries.push_back(std::move(changed));
    }
  }
  std::vector<Key> common_b;
  for (std::size_t i = 0; i < b.entries.size(); ++i) {
    if (matched[i]) {
      common_b.push_back(keys_b[i]);
    } else {
      EntryChange added;
      added.what = EntryChange::What::kAdded;
      added.b = b.entries[i];
      diff.entries.push_back(std::move(added));
    }
  }
  diff.order_differs = common_a != common_b;
  return diff;
}

}  // namespace lvar
