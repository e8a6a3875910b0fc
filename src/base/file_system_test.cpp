// One table of cases run over the platform's file system, in a temporary
// folder, and over the in-memory fake, so that the fake behaves as the real
// one does wherever tests lean on it.

#include "base/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "base/fake_file_system.h"
#include "base/fake_folder_lister.h"
#include "base/listing.h"
#include "base/test_temp_folder.h"

namespace base {
namespace {

// A file system under test, with an empty folder to work in.
class Subject {
 public:
  virtual ~Subject() = default;
  virtual FileSystem& files() = 0;
  virtual FolderLister& lister() = 0;
  /// Host path of the working folder.
  virtual std::string root() const = 0;
  /// Puts a FIFO at `path`; false where the platform has none.
  virtual bool MakeFifo(const std::string& path) = 0;
  std::string At(const std::string& name) const { return JoinPath(root(), name); }
};

class RealSubject : public Subject {
 public:
  FileSystem& files() override { return SystemFileSystem(); }
  FolderLister& lister() override { return SystemFolderLister(); }
  std::string root() const override { return dir_.Path(); }
  bool MakeFifo(const std::string& path) override {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return ::mkfifo(path.c_str(), 0600) == 0;
#endif
  }

 private:
  TestTempFolder dir_;
};

class FakeSubject : public Subject {
 public:
  FakeSubject() {
    files_.folders.insert(root());
    files_.need_parent_folder = true;
    files_.current_folder = root();
  }
  FileSystem& files() override { return files_; }
  FolderLister& lister() override { return lister_; }
  std::string root() const override { return std::string(1, kPathSeparator) + "work"; }
  bool MakeFifo(const std::string& path) override {
#ifdef _WIN32
    (void)path;
    return false;  // as the platform's: Windows folders hold no FIFO
#else
    return files_.others.insert(path).second;
#endif
  }

 private:
  FakeFileSystem files_;
  FakeFolderLister lister_{files_};
};

bool WriteNew(FileSystem& files, const std::string& path, const std::string& bytes) {
  std::unique_ptr<OutputFile> out = files.CreateNew(path);
  return out && out->Write(bytes.data(), bytes.size()) && out->Sync() && out->Close();
}

std::string Content(FileSystem& files, const std::string& path) {
  std::string bytes;
  return ReadWholeFile(files, path, &bytes) ? bytes : "(unreadable)";
}

using MakeSubject = std::unique_ptr<Subject> (*)();

class FileSystemConformanceTest : public ::testing::TestWithParam<MakeSubject> {
 protected:
  std::unique_ptr<Subject> subject_ = GetParam()();
  FileSystem& files_ = subject_->files();
};

TEST_P(FileSystemConformanceTest, CreateNewRefusesWhatExists) {
  Subject& s = *subject_;
  ASSERT_TRUE(WriteNew(files_, s.At("old.txt"), "old"));
  ASSERT_TRUE(files_.CreateFolder(s.At("sub")));
  EXPECT_FALSE(files_.CreateFolder(s.At("sub")));
  EXPECT_FALSE(files_.CreateFolder(JoinPath(s.At("none"), "deeper")));
  for (const char* name : {"old.txt", "sub"}) {
    EXPECT_EQ(files_.CreateNew(s.At(name)), nullptr) << name;
  }
  EXPECT_EQ(Content(files_, s.At("old.txt")), "old");
  EXPECT_EQ(files_.CreateNew(JoinPath(s.At("none"), "new.txt")), nullptr);
  // Create empties what is there.
  std::unique_ptr<OutputFile> again = files_.Create(s.At("old.txt"));
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->Write("new", 3) && again->Close());
  EXPECT_EQ(Content(files_, s.At("old.txt")), "new");
}

TEST_P(FileSystemConformanceTest, ReplaceAndRename) {
  Subject& s = *subject_;
  ASSERT_TRUE(WriteNew(files_, s.At("a"), "A") && WriteNew(files_, s.At("b"), "B"));
  EXPECT_FALSE(files_.Rename(s.At("a"), s.At("b")));  // refuses an existing target
  EXPECT_EQ(Content(files_, s.At("a")), "A");
  EXPECT_EQ(Content(files_, s.At("b")), "B");
  EXPECT_TRUE(files_.Replace(s.At("a"), s.At("b")));  // one step over it
  EXPECT_EQ(Content(files_, s.At("b")), "A");
  FileInfo info;
  EXPECT_FALSE(files_.Stat(s.At("a"), &info));
  EXPECT_TRUE(files_.Rename(s.At("b"), s.At("c")));
  EXPECT_FALSE(files_.Stat(s.At("b"), &info));
  EXPECT_TRUE(files_.Remove(s.At("c")));
  EXPECT_FALSE(files_.Remove(s.At("c")));
  EXPECT_TRUE(files_.SyncFolder(s.root()));
  EXPECT_TRUE(WriteWholeFile(files_, s.At("whole"), "text"));
  EXPECT_TRUE(WriteWholeFile(files_, s.At("whole"), "again"));
  EXPECT_EQ(Content(files_, s.At("whole")), "again");
}

TEST_P(FileSystemConformanceTest, KindsAndListingOrder) {
  Subject& s = *subject_;
  for (const char* name : {"b", "A", "a_", "_x", "B1"}) ASSERT_TRUE(WriteNew(files_, s.At(name), name));
  ASSERT_TRUE(files_.CreateFolder(s.At("Dir")));
  const bool fifo = s.MakeFifo(s.At("pipe"));
#ifndef _WIN32
  EXPECT_TRUE(fifo);
#endif
  struct Case {
    const char* name;
    FileKind kind;
    std::uint64_t size;
  } cases[] = {{"B1", FileKind::kRegular, 2}, {"Dir", FileKind::kFolder, 0}, {"pipe", FileKind::kOther, 0}};
  for (const Case& c : cases) {
    if (c.kind == FileKind::kOther && !fifo) continue;
    FileInfo info;
    ASSERT_TRUE(files_.Stat(s.At(c.name), &info)) << c.name;
    EXPECT_EQ(info.kind, c.kind) << c.name;
    EXPECT_EQ(info.size, c.size) << c.name;
    // Only a regular file opens, and nothing waits for a writer.
    EXPECT_EQ(files_.OpenInput(s.At(c.name)) != nullptr, c.kind == FileKind::kRegular) << c.name;
  }
  std::vector<DirEntry> entries;
  ASSERT_TRUE(subject_->lister().List(s.root(), &entries));
  std::vector<std::string> names;
  for (const DirEntry& e : entries) names.push_back(e.host_name);
  // By host name, ASCII letters folded to upper case: "_" (0x5F) after them.
  std::vector<std::string> expected = {"A", "a_", "b", "B1", "Dir", "_x"};
  if (fifo) expected.insert(expected.end() - 1, "pipe");
#ifdef _WIN32
  // FindFirstFileA's order is the file system's own: compare the names only.
  std::sort(names.begin(), names.end());
  std::sort(expected.begin(), expected.end());
#endif
  EXPECT_EQ(names, expected);
  EXPECT_FALSE(subject_->lister().List(s.At("none"), &entries));
}

// Whole files of every name length, the longest a folder entry may have
// included, written twice: only the final names are left in the folder.
TEST_P(FileSystemConformanceTest, WholeFilesOfEveryNameLengthLeaveNothingElse) {
  Subject& s = *subject_;
  std::vector<std::string> expected;
  for (std::size_t length : {1, 2, 3, 4, 5, 8, 13, 40, 255}) {
    const std::string name(length, 'n');
#ifdef _WIN32
    if (s.At(name).size() > 259) continue;  // beyond MAX_PATH under any name
#endif
    ASSERT_TRUE(WriteWholeFile(files_, s.At(name), "first")) << length;
    ASSERT_TRUE(WriteWholeFile(files_, s.At(name), name)) << length;
    EXPECT_EQ(Content(files_, s.At(name)), name);
    expected.push_back(name);
  }
  std::vector<DirEntry> entries;
  ASSERT_TRUE(subject_->lister().List(s.root(), &entries));
  std::vector<std::string> names;
  for (const DirEntry& e : entries) names.push_back(e.host_name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, expected);
}

// A path of exactly the longest length that Windows' file functions take
// (MAX_PATH - 1 = 259 characters), in a folder of 240 characters, is
// written whole, twice: its temporary path is no longer than it.
TEST_P(FileSystemConformanceTest, APathOfTheLongestLengthIsWrittenWhole) {
  Subject& s = *subject_;
  constexpr std::size_t kFolderLength = 240;
  constexpr std::size_t kPathLength = 259;
  std::string folder = s.root();
  if (folder.size() + 2 > kFolderLength) GTEST_SKIP() << "the test folder is too long: " << folder;
  while (folder.size() < kFolderLength) {
    const std::size_t name = std::min<std::size_t>(100, kFolderLength - folder.size() - 1);
    folder = JoinPath(folder, std::string(std::max<std::size_t>(name, 1), 'd'));
    ASSERT_TRUE(files_.CreateFolder(folder)) << folder;
  }
  const std::string name(kPathLength - folder.size() - 1, 'n');
  const std::string path = JoinPath(folder, name);
  ASSERT_EQ(path.size(), kPathLength);
  EXPECT_TRUE(WriteWholeFile(files_, path, "first"));
  EXPECT_TRUE(WriteWholeFile(files_, path, "second"));
  EXPECT_EQ(Content(files_, path), "second");
  std::vector<DirEntry> entries;
  ASSERT_TRUE(subject_->lister().List(folder, &entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].host_name, name);
}

TEST_P(FileSystemConformanceTest, CurrentFolder) {
  Subject& s = *subject_;
  ASSERT_TRUE(files_.CreateFolder(s.At("in")));
  const std::string before = files_.CurrentFolder();
  EXPECT_FALSE(before.empty());
  EXPECT_EQ(files_.EnterFolder(s.At("none")), nullptr);
  EXPECT_EQ(files_.CurrentFolder(), before);
  {
    std::unique_ptr<EnteredFolder> stay = files_.EnterFolder(s.At("in"));
    ASSERT_NE(stay, nullptr);
    EXPECT_EQ(files_.CurrentFolder(), s.At("in"));
    // A relative path is taken against the current folder.
    ASSERT_TRUE(WriteNew(files_, "here.txt", "here"));
    EXPECT_EQ(Content(files_, JoinPath(s.At("in"), "here.txt")), "here");
  }
  EXPECT_EQ(files_.CurrentFolder(), before);
}

INSTANTIATE_TEST_SUITE_P(Platform, FileSystemConformanceTest,
                         ::testing::Values<MakeSubject>([] { return std::unique_ptr<Subject>(new RealSubject); }));
INSTANTIATE_TEST_SUITE_P(Fake, FileSystemConformanceTest,
                         ::testing::Values<MakeSubject>([] { return std::unique_ptr<Subject>(new FakeSubject); }));

// For every final name length, process id and attempt, the temporary path
// is in the same folder, starts with "~" and is never longer than the final
// path; short names still offer many names to retry with.
TEST(TemporaryPathTest, NeverLongerThanTheFinalPath) {
  const std::string folder = JoinPath("out", "src") + kPathSeparator;
  for (unsigned long pid : {0ul, 42ul, 4294967295ul}) {
    for (std::size_t length = 1; length <= 300; ++length) {
      SCOPED_TRACE(std::to_string(pid) + " " + std::to_string(length));
      const std::string path = folder + std::string(length, 'n');
      std::set<std::string> offered;
      for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = TemporaryPathFor(path, pid, attempt);
        ASSERT_LE(temporary.size(), path.size());
        ASSERT_EQ(temporary.compare(0, folder.size(), folder), 0) << temporary;
        ASSERT_EQ(LastNameStart(temporary), folder.size()) << temporary;
        ASSERT_EQ(temporary[folder.size()], '~') << temporary;
        offered.insert(temporary);
      }
      EXPECT_GE(offered.size(), length == 1 ? 1u : 35u);
    }
  }
  // Names of code page 932 characters (two bytes, or one for half-width
  // katakana): the temporary name has no more characters than the final one.
  const struct {
    const char* name;
    std::size_t characters;
  } cases[] = {{"\xB1", 1}, {"\x83\x81", 1}, {"\x83\x81\x83\x82", 2}, {"\x83\x81\xB1\xB2", 3},
               {"\x83\x81\x83\x82\x92\xA0.txt", 7}};
  for (const auto& c : cases) {
    const std::string temporary = TemporaryPathFor(folder + c.name, 42, 7);
    EXPECT_LE(temporary.size() - folder.size(), c.characters) << c.name;
  }
}

// Temporary names that are taken, or that are the final name itself, are
// left alone and the next is tried; a failed write leaves nothing behind.
TEST(WriteWholeFileTest, CollisionsAreRetriedAndFailuresLeaveNothing) {
  using Bytes = FakeFileSystem::Bytes;
  const std::string path = JoinPath("out", "Install.inf");
  {
    FakeFileSystem files;
    const std::string first = TemporaryPathFor(path, files.ProcessId(), 0);
    const std::string second = TemporaryPathFor(path, files.ProcessId(), 1);
    const std::string third = TemporaryPathFor(path, files.ProcessId(), 2);
    ASSERT_NE(first, second);
    files.files[first] = {1};
    files.files[second] = {2};
    ASSERT_TRUE(WriteWholeFile(files, path, "A"));
    EXPECT_EQ(files.files, (std::map<std::string, Bytes>{{first, {1}}, {second, {2}}, {path, {'A'}}}));
    EXPECT_EQ(files.log, (std::vector<std::string>{"replace " + third + " " + path}));
  }
  {
    // "~16" is the first temporary name of any 3-character name for process 42.
    FakeFileSystem files;
    const std::string own = JoinPath("out", "~16");
    ASSERT_EQ(TemporaryPathFor(own, 42, 0), own);
    ASSERT_TRUE(WriteWholeFile(files, own, "B"));
    EXPECT_EQ(files.files, (std::map<std::string, Bytes>{{own, {'B'}}}));
    EXPECT_EQ(files.log, (std::vector<std::string>{"replace " + TemporaryPathFor(own, 42, 1) + " " + own}));
  }
  const struct {
    const char* what;
    void (*arrange)(FakeFileSystem&);
  } failures[] = {
      {"create", [](FakeFileSystem& f) { f.fail_create = true; }},
      {"write", [](FakeFileSystem& f) { f.write_limit = 0; }},
      {"close", [](FakeFileSystem& f) { f.fail_close = true; }},
      {"replace", [](FakeFileSystem& f) { f.fail_replace = true; }},
  };
  for (const auto& failure : failures) {
    FakeFileSystem files;
    files.files[path] = {'o', 'l', 'd'};
    failure.arrange(files);
    EXPECT_FALSE(WriteWholeFile(files, path, "new")) << failure.what;
    EXPECT_EQ(files.files, (std::map<std::string, Bytes>{{path, {'o', 'l', 'd'}}})) << failure.what;
  }
}

}  // namespace
}  // namespace base
