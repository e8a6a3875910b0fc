#include "lvar/archive_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/fake_file_system.h"
#include "lvar/test_archive.h"

namespace lvar {
namespace {

using lvar_test::FixChecksum;
using lvar_test::EnglishNote;
using lvar_test::MakeArchive;
using lvar_test::PutLe;
using lvar_test::SoundEntries;
using lvar_test::TestEntry;

// Offset of entry `index` of a composed archive (walking the length fields).
std::size_t EntryAt(const std::string& a, int index) {
  std::size_t at = 256;
  for (int i = 0; i < index; ++i) {
    std::uint32_t length = 0;
    for (int b = 3; b >= 0; --b) length = (length << 8) | static_cast<std::uint8_t>(a[at + b]);
    at += 4 + length;
  }
  return at;
}

Status VerifyBytes(const std::string& bytes, ArchiveSummary* summary = nullptr) {
  base::FakeFileSystem files;
  files.files["x.lvar"] = base::FakeFileSystem::Bytes(bytes.begin(), bytes.end());
  return VerifyArchive(files, "x.lvar", summary);
}

TEST(ArchiveReaderTest, ASoundArchiveVerifiesAndReportsItsEntries) {
  const std::string a = MakeArchive(SoundEntries(), 3);
  ArchiveSummary summary;
  Status s = VerifyBytes(a, &summary);
  ASSERT_TRUE(s.ok()) << EnglishNote(s);
  EXPECT_EQ(6, summary.entries);
  EXPECT_EQ(a.size(), summary.file_size);
  EXPECT_EQ(3u, summary.header.destination);
  EXPECT_EQ(0xC0000000u, summary.header.os_version_mask);
  EXPECT_EQ('O', summary.header.NativeInfo()[136]);
  EXPECT_EQ('C', summary.header.NativeInfo()[156]);

  // Every content byte reaches the visitor, whatever the read buffer size.
  struct Collect : ArchiveVisitor {
    std::vector<TestEntry> seen;
    Status OnEntry(const EntryFields& e) override {
      seen.push_back({e.kind, e.name, ""});
      return {};
    }
    Status OnContent(const std::uint8_t* d, std::size_t n) override {
      seen.back().content.append(reinterpret_cast<const char*>(d), n);
      return {};
    }
  } collect;
  base::FakeFileSystem files;
  std::string big = std::string(300000, 'x') + "end";
  std::vector<TestEntry> entries = SoundEntries();
  entries.push_back({3, "big.dat", big});
  const std::string b = MakeArchive(entries);
  files.files["b"] = base::FakeFileSystem::Bytes(b.begin(), b.end());
  ASSERT_TRUE(ReadArchiveFile(files, "b", collect).ok());
  ASSERT_EQ(7u, collect.seen.size());
  EXPECT_EQ("extra.bin", collect.seen[5].name);
  EXPECT_EQ(std::string("\x00\x01\xFF", 3), collect.seen[5].content);
  EXPECT_EQ(big, collect.seen[6].content);
}

struct Damage {
  const char* what;
  std::function<void(std::string*)> damage;
  Fault fault;
  std::function<std::size_t(const std::string&)> offset;  // given the damaged archive
  const char* says;
};

TEST(ArchiveReaderTest, EachDamageGivesItsFaultAndOffset) {
  const std::string sound = MakeArchive(SoundEntries());
  const std::size_t e2 = EntryAt(sound, 2), e3 = EntryAt(sound, 3), e4 = EntryAt(sound, 4);
  auto at = [](std::size_t offset) { return [offset](const std::string&) { return offset; }; };
  auto end = [](const std::string& a) { return a.size(); };
  auto cut = [](std::size_t size) { return [size](std::string* a) { a->resize(size); }; };
  const Damage cases[] = {
      {"empty file", cut(0), Fault::kNotArchive, at(0), "shorter than"},
      {"one byte", cut(1), Fault::kNotArchive, at(0), "shorter than"},
      {"other header length", [](std::string* a) { (*a)[1] = 2; }, Fault::kNotArchive, at(0), "0x0200"},
      {"cut inside the header", cut(100), Fault::kTruncated, end, "inside the 256-byte header"},
      {"cut after the header", cut(256), Fault::kTruncated, end, "checksum byte"},
      {"cut inside fixed fields", cut(e2 + 5), Fault::kTruncated, end, "fixed fields of the entry at offset"},
      {"cut inside the name", cut(e2 + 10), Fault::kTruncated, end, "name or size field"},
      {"cut inside content", cut(e2 + 23), Fault::kTruncated, end, "content of the entry"},
      {"checksum byte missing", [](std::string* a) { a->pop_back(); }, Fault::kTruncated, end, "checksum byte"},
      {"checksum flipped", [](std::string* a) { a->back() ^= 0x40; }, Fault::kUnsound,
       [](const std::string& a) { return a.size() - 1; }, "checksum byte"},
      {"content byte flipped", [&](std::string* a) { (*a)[e3 + 18] ^= 1; }, Fault::kUnsound,
       [](const std::string& a) { return a.size() - 1; }, "bytes before it give"},
      {"length field too long", [&](std::string* a) { (*a)[e2] += 1; FixChecksum(a); }, Fault::kBadField, at(e2),
       "too long"},
      {"length field too short", [&](std::string* a) { (*a)[e2] -= 1; FixChecksum(a); }, Fault::kBadField, at(e2),
       "too short"},
      {"count too high", [](std::string* a) { (*a)[2] = 7; FixChecksum(a); }, Fault::kUnsound, at(2),
       "count at offset 0x00000002 is 7 but"},
      {"count too low", [](std::string* a) { (*a)[2] = 2; FixChecksum(a); }, Fault::kUnsound, at(e2),
       "beyond the 2 entries"},
      {"kind out of order", [&](std::string* a) { (*a)[e3 + 6] = 2; (*a)[e2 + 6] = 3; FixChecksum(a); },
       Fault::kUnsound, at(e3 + 6), "program entry at offset"},
      {"kind 4", [&](std::string* a) { (*a)[e3 + 6] = 4; FixChecksum(a); }, Fault::kBadField, at(e3 + 6),
       "kind of the entry"},
      {"zero field not zero", [&](std::string* a) { (*a)[e2 + 5] = 1; FixChecksum(a); }, Fault::kBadField,
       at(e2 + 4), "not zero"},
      {"reserved header byte", [](std::string* a) { (*a)[0xE5] = 1; FixChecksum(a); }, Fault::kBadField, at(0xE5),
       "always zero"},
      {"a name twice in two letter cases", [&](std::string* a) { a->replace(e4 + 8, 5, "A.txt"); FixChecksum(a); },
       Fault::kUnsound, at(e4), "named a.txt and A.txt, one name when letter case is ignored"},
      {"no NUL after the name", [&](std::string* a) { (*a)[e2 + 8 + 8] = 'x'; FixChecksum(a); }, Fault::kBadField,
       at(e2 + 16), "no NUL follows"},
  };
  for (const Damage& c : cases) {
    std::string a = sound;
    c.damage(&a);
    Status s = VerifyBytes(a);
    EXPECT_EQ(c.fault, s.fault) << c.what << ": " << EnglishNote(s);
    EXPECT_EQ(c.offset(a), s.offset) << c.what << ": " << EnglishNote(s);
    EXPECT_NE(std::string::npos, EnglishNote(s).find(c.says)) << c.what << ": " << EnglishNote(s);
  }
}

TEST(ArchiveReaderTest, WholeArchiveChecksAndFileProblems) {
  std::vector<TestEntry> no_inf = SoundEntries();
  no_inf.erase(no_inf.begin());
  Status s = VerifyBytes(MakeArchive(no_inf));
  EXPECT_EQ(Fault::kUnsound, s.fault);
  EXPECT_NE(std::string::npos, EnglishNote(s).find("Install.inf")) << EnglishNote(s);

  // Two entries of exactly one name (files of one name from two folders, as
  // the builder packs them) are sound; only names that differ in case are not.
  std::vector<TestEntry> twice = SoundEntries();
  twice.push_back({3, "a.txt", "second"});
  EXPECT_TRUE(VerifyBytes(MakeArchive(twice)).ok()) << EnglishNote(VerifyBytes(MakeArchive(twice)));

  base::FakeFileSystem files;
  EXPECT_EQ(Fault::kCannotOpen, VerifyArchive(files, "none.lvar").fault);
  files.folders.insert("dir");
  EXPECT_EQ(Fault::kCannotOpen, VerifyArchive(files, "dir").fault);
  const std::string a = MakeArchive(SoundEntries());
  files.files["bad"] = base::FakeFileSystem::Bytes(a.begin(), a.end());
  files.unreadable.insert("bad");
  EXPECT_EQ(Fault::kReadError, VerifyArchive(files, "bad").fault);
}

}  // namespace
}  // namespace lvar
