#include "builder/archive_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>

#include "base/capturing_console.h"
#include "base/fake_file_system.h"

namespace builder {
namespace {

using Bytes = base::FakeFileSystem::Bytes;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t Le16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }

Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes b(size);
  for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
  return b;
}

const std::string kArchive = "out/Demo.lvar";
// "~" and the process id 42 in base 36.
const std::string kTemp = "out/~16";

// A scan result, a fake disk and a console to run the writer on.
struct Harness {
  Harness() : folder_(std::make_shared<ScannedFolder>(ScannedFolder{"src", "src", nullptr})) {}

  // Adds a file to the fake disk and to the list of its kind.
  void AddFile(const std::string& name, const Bytes& content, std::uint64_t listed_size = UINT64_MAX) {
    SourceFile f;
    f.folder = folder_;
    f.name = f.host_name = name;
    f.size = listed_size == UINT64_MAX ? content.size() : listed_size;
    fs_.files[f.HostPath()] = content;
    scan_.List(EntryKindOf(name)).push_back(f);
  }

  // Runs the three phases the way the driver does; answers the first code.
  BuildErrorCode Write(const std::string& archive, std::uint32_t destination = 1) {
    ArchiveWriter writer(fs_, console_, archive);
    BuildOptions options;
    options.archive = archive;
    if (BuildErrorCode code = writer.WriteArchiveHeader(scan_, options, destination, &scan_.header))
      return code | kStepArchiveHeader;
    if (BuildErrorCode code = writer.AppendEntries(&scan_)) return code | kStepArchiveEntries;
    if (BuildErrorCode code = writer.AppendChecksum()) return code | kStepArchiveChecksum;
    return 0;
  }

  std::shared_ptr<const ScannedFolder> folder_;
  ScanResult scan_;
  base::FakeFileSystem fs_;
  // In English, as the messages read here; pakmak's CLI tests pin their Japanese.
  base::CapturingConsole console_{base::Language::kEnglish};
};

TEST(ArchiveWriterTest, LayoutOfHeaderEntriesAndChecksum) {
  Harness t;
  std::uint8_t native[archive::kNativeInfoSize];
  for (std::size_t i = 0; i < archive::kNativeInfoSize; ++i) native[i] = static_cast<std::uint8_t>(i + 1);
  t.scan_.header.SetNativeInfo(native);
  // Added out of kind order: the archive holds kind 1, then 2, then 3.
  t.AddFile("readme.txt", Pattern(5, 1));
  t.AddFile("Prog.EXE", Pattern(3, 2));
  t.AddFile("empty", {});
  t.AddFile("Install.inf", Pattern(4, 3));

  ASSERT_EQ(0u, t.Write(kArchive, 3)) << t.console_.err;
  EXPECT_EQ(0u, t.fs_.files.count(kTemp));
  const Bytes& a = t.fs_.files.at(kArchive);

  EXPECT_EQ(0x0100, Le16(a, 0x00));
  EXPECT_EQ(4, Le16(a, 0x02));
  EXPECT_EQ(0xE0000000u, Le32(a, 0x04));
  EXPECT_EQ(0xF8000000u, Le32(a, 0x94));
  EXPECT_EQ(0xFFC00000u, Le32(a, 0xB0));
  EXPECT_EQ(3u, Le32(a, 0xDC));
  for (std::size_t i = 0; i < 136; ++i) ASSERT_EQ(i + 1, a[0x08 + i]);
  for (std::size_t i = 0; i < 20; ++i) ASSERT_EQ(137 + i, a[0x98 + i]);
  for (std::size_t i = 0; i < 36; ++i) ASSERT_EQ(157 + i, a[0xB4 + i]);
  for (std::size_t at : {0x90, 0xAC, 0xD8}) EXPECT_EQ(0u, Le32(a, at));
  for (std::size_t at = 0xE0; at < 0x100; ++at) EXPECT_EQ(0, a[at]);

  struct Expected { const char* name; int kind; Bytes content; };
  const Expected entries[] = {{"Install.inf", 1, Pattern(4, 3)},
                              {"Prog.EXE", 2, Pattern(3, 2)},
                              {"readme.txt", 3, Pattern(5, 1)},
                              {"empty", 3, {}}};
  std::size_t at = archive::kHeaderSize;
  for (const Expected& e : entries) {
    SCOPED_TRACE(e.name);
    const std::size_t n = std::strlen(e.name), s = e.content.size();
    EXPECT_EQ(n + s + 9, Le32(a, at));
    EXPECT_EQ(0, Le16(a, at + 4));
    EXPECT_EQ(e.kind, a[at + 6]);
    EXPECT_EQ(n, a[at + 7]);
    EXPECT_EQ(std::string(e.name) + '\0', std::string(a.begin() + at + 8, a.begin() + at + 9 + n));
    EXPECT_EQ(s, Le32(a, at + 9 + n));
    EXPECT_EQ(e.content, Bytes(a.begin() + at + 13 + n, a.begin() + at + 13 + n + s));
    at += 4 + n + s + 9;
  }
  ASSERT_EQ(at + 1, a.size());
  EXPECT_EQ(0, std::accumulate(a.begin(), a.end(), 0, [](int x, std::uint8_t b) { return x ^ b; }));
  EXPECT_EQ("\n. . ..\n\nInstall Information File = 1, Program File = 1, Data File = 2\n", t.console_.out);
  EXPECT_EQ("", t.console_.err);
}

TEST(ArchiveWriterTest, CheckOnlyTouchesNothingButFillsTheHeader) {
  Harness t;
  t.AddFile("Install.inf", Pattern(4, 3));
  const std::size_t files_before = t.fs_.files.size();
  ASSERT_EQ(0u, t.Write("", 2));
  EXPECT_EQ(files_before, t.fs_.files.size());
  EXPECT_EQ("", t.console_.out);
  EXPECT_EQ(2, t.scan_.header.bytes()[0xDC]);
  EXPECT_EQ(1, t.scan_.header.bytes()[0x02]);
}

TEST(ArchiveWriterTest, LargeFilesAreCopiedThroughABoundedBuffer) {
  Harness t;
  Bytes big = Pattern(3 * archive::kCopyBufferSize + 123, 9);
  t.AddFile("Install.inf", Pattern(4, 3));
  t.AddFile("big.bin", big);
  ASSERT_EQ(0u, t.Write(kArchive)) << t.console_.err;
  const Bytes& a = t.fs_.files.at(kArchive);
  EXPECT_LE(t.fs_.largest_write, archive::kCopyBufferSize);
  EXPECT_EQ(0, std::accumulate(a.begin(), a.end(), 0, [](int x, std::uint8_t b) { return x ^ b; }));
  EXPECT_EQ(big, Bytes(a.end() - 1 - static_cast<std::ptrdiff_t>(big.size()), a.end() - 1));
}

// Every failure ends the run with its code and message, removes the
// temporary file and leaves an archive already at ARCHIVE as it was.
TEST(ArchiveWriterTest, FailuresLeaveTheOldArchiveAlone) {
  struct Case {
    const char* what;
    std::function<void(Harness&)> arrange;
    BuildErrorCode code;
    std::string message;
  };
  const std::string write_msg = "Error: Can't write archive file [ out/Demo.lvar ].\n";
  const Case cases[] = {
      {"create fails", [](Harness& t) { t.fs_.fail_create = true; }, 0x51000000,
       "Error: Can't open archive file [ out/Demo.lvar ].\n"},
      {"header write fails", [](Harness& t) { t.fs_.write_limit = 100; }, 0x52000000, write_msg},
      {"content write fails", [](Harness& t) {
         t.fs_.write_limit = archive::kHeaderSize + 1000;
         t.AddFile("big.dll", Pattern(archive::kCopyBufferSize + 10, 4));
       }, 0x62700000, write_msg},
      {"source vanished", [](Harness& t) {
         t.AddFile("gone.bmp", Pattern(10, 4));
         t.fs_.files.erase(base::JoinPath("src", "gone.bmp"));
       }, 0x63500000, "Error: Can't open a file [ gone.bmp ].\n"},
      {"read error", [](Harness& t) {
         t.AddFile("bad.wav", Pattern(10, 4));
         t.fs_.unreadable.insert(base::JoinPath("src", "bad.wav"));
       }, 0x63600000, "Error: Can't read a file [ bad.wav ].\n"},
      {"file shrank", [](Harness& t) { t.AddFile("s.bin", Pattern(10, 4), 11); }, 0x63800000,
       "Error: A file changed while the archive was written [ s.bin ].\n"},
      {"file grew", [](Harness& t) { t.AddFile("g.bin", Pattern(10, 4), 9); }, 0x63800000,
       "Error: A file changed while the archive was written [ g.bin ].\n"},
      {"close fails", [](Harness& t) { t.fs_.fail_close = true; }, 0x72000000, write_msg},
      {"replace fails", [](Harness& t) { t.fs_.fail_replace = true; }, 0x73000000,
       "Error: Can't replace archive file [ out/Demo.lvar ].\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Harness t;
    t.AddFile("Install.inf", Pattern(4, 3));
    t.fs_.files[kArchive] = {0xAA, 0xBB};
    c.arrange(t);
    EXPECT_EQ(c.code, t.Write(kArchive));
    EXPECT_EQ(c.message, t.console_.err);
    EXPECT_EQ((Bytes{0xAA, 0xBB}), t.fs_.files.at(kArchive));
    EXPECT_EQ(0u, t.fs_.files.count(kTemp));
  }
}

// A leftover of another run with the same process number is neither
// removed nor in the way: the next free name is taken.
TEST(ArchiveWriterTest, ATemporaryFileOfAnotherRunIsNeverRemoved) {
  Harness t;
  t.AddFile("Install.inf", Pattern(4, 3));
  t.fs_.files[kTemp] = {1, 2, 3};
  t.fs_.files["out/~161"] = {4};
  EXPECT_EQ(0u, t.Write(kArchive)) << t.console_.err;
  EXPECT_EQ((Bytes{1, 2, 3}), t.fs_.files.at(kTemp));
  EXPECT_EQ((Bytes{4}), t.fs_.files.at("out/~161"));
  EXPECT_EQ(1u, std::count(t.fs_.log.begin(), t.fs_.log.end(), "replace out/~162 out/Demo.lvar"));
}

// The temporary path is never longer than ARCHIVE, however short or long
// its name: an ARCHIVE that fits the path limits fits while it is written.
TEST(ArchiveWriterTest, TemporaryPathIsNeverLongerThanTheArchive) {
  const std::string longest = std::string(250, 'a') + ".lvar";
  const std::pair<std::string, std::string> cases[] = {
      {"out/A", "out/~"},  {"out/AB", "out/~6"}, {"out/ABC", "out/~16"},
      {"A.lvar", "~16"},   {"out/" + longest, "out/~16"},
  };
  for (const auto& [archive, temporary] : cases) {
    SCOPED_TRACE(archive.size());
    Harness t;
    t.AddFile("Install.inf", Pattern(4, 3));
    EXPECT_EQ(0u, t.Write(archive)) << t.console_.err;
    EXPECT_EQ(1u, t.fs_.files.count(archive));
    EXPECT_EQ(1u, std::count(t.fs_.log.begin(), t.fs_.log.end(), "replace " + temporary + " " + archive));
  }
}

// The archive reaches the storage device before it takes its name, and the
// rename after; an archive that cannot be synced is not kept.
TEST(ArchiveWriterTest, SyncsTheArchiveBeforeTheRenameAndTheFolderAfter) {
  Harness t;
  t.AddFile("Install.inf", Pattern(4, 3));
  ASSERT_EQ(0u, t.Write(kArchive)) << t.console_.err;
  EXPECT_EQ((std::vector<std::string>{"sync " + kTemp, "replace " + kTemp + " " + kArchive, "sync folder out"}),
            t.fs_.log);

  Harness failing;
  failing.AddFile("Install.inf", Pattern(4, 3));
  failing.fs_.fail_sync = true;
  EXPECT_EQ(0x72000000u, failing.Write(kArchive));
  EXPECT_EQ(0u, failing.fs_.files.count(kArchive));
  EXPECT_EQ(0u, failing.fs_.files.count(kTemp));
}

std::string TooLarge(const std::string& name) {
  return "Error: A file is too large for the archive (an entry of 4 GiB or more) [ " + base::JoinPath("src", name) +
         " ].\n";
}

// Values that the header and entry fields cannot hold are refused before
// anything is created.
TEST(ArchiveWriterTest, FieldLimits) {
  {
    // The largest entry that fits: N + S + 9 = 0xFFFFFFFF passes the header.
    Harness t;
    t.AddFile("huge.bin", {}, 0xFFFFFFEEull);
    ArchiveWriter writer(t.fs_, t.console_, kArchive);
    BuildOptions options;
    options.archive = kArchive;
    EXPECT_EQ(0u, writer.WriteArchiveHeader(t.scan_, options, 1, &t.scan_.header)) << t.console_.err;
  }
  {
    Harness t;
    t.AddFile(std::string(255, 'n'), {});
    t.AddFile("Install.inf", {});
    EXPECT_EQ(0u, t.Write(kArchive)) << t.console_.err;
  }
  struct Case {
    const char* what;
    std::function<void(Harness&)> arrange;
    BuildErrorCode code;
    std::string message;
  };
  const Case cases[] = {
      {"65536 entries", [](Harness& t) {
         for (int i = 0; i < 65536; ++i) {
           SourceFile f;
           f.folder = t.folder_;
           f.name.assign(1, 'f');
           f.host_name = f.name;
           t.scan_.List(archive::EntryKind::kData).push_back(f);
         }
       }, 0x53000000, "Error: Too many files for one archive (65536; at most 65535).\n"},
      {"name of 256 bytes", [](Harness& t) { t.AddFile(std::string(256, 'n'), {}); }, 0x54000000,
       "Error: A file name is too long for the archive (256 bytes; at most 255) [ " +
           base::JoinPath("src", std::string(256, 'n')) + " ].\n"},
      {"4 GiB", [](Harness& t) { t.AddFile("huge.bin", {}, 0x100000000ull); }, 0x55000000, TooLarge("huge.bin")},
      // The entry's length N + S + 9 must fit 32 bits, not only S.
      {"4 GiB - 1", [](Harness& t) { t.AddFile("huge.bin", {}, 0xFFFFFFFFull); }, 0x55000000, TooLarge("huge.bin")},
      {"entry of 4 GiB", [](Harness& t) { t.AddFile("huge.bin", {}, 0xFFFFFFEFull); }, 0x55000000,
       TooLarge("huge.bin")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Harness t;
    c.arrange(t);
    const std::size_t files_before = t.fs_.files.size();
    EXPECT_EQ(c.code, t.Write(kArchive));
    EXPECT_EQ(c.message, t.console_.err);
    EXPECT_EQ(files_before, t.fs_.files.size());
  }
  // Check-only runs do not test the limits: no field is written.
  Harness t;
  t.AddFile(std::string(256, 'n'), {});
  EXPECT_EQ(0u, t.Write(""));
  EXPECT_EQ("", t.console_.err);
}

TEST(EntryKindTest, ByExtensionWithoutRegardToCase) {
  const std::pair<const char*, archive::EntryKind> cases[] = {
      {"Install.inf", archive::EntryKind::kInstallInfo}, {"SETUP.Inf", archive::EntryKind::kInstallInfo},
      {"a.b.INF", archive::EntryKind::kInstallInfo},     {"prog.exe", archive::EntryKind::kProgram},
      {"tool.dll", archive::EntryKind::kProgram},         {"Mod.vB", archive::EntryKind::kProgram},
      {"data.bin", archive::EntryKind::kData},            {"noext", archive::EntryKind::kData},
      {"inf", archive::EntryKind::kData},                 {"x.infx", archive::EntryKind::kData},
      {"Other.ina", archive::EntryKind::kData},           {"x.inf.txt", archive::EntryKind::kData},
      {"\x83\x5C.exe", archive::EntryKind::kProgram},
  };
  for (const auto& [name, kind] : cases) EXPECT_EQ(kind, EntryKindOf(name)) << name;
}

}  // namespace
}  // namespace builder
