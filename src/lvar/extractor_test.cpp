#include "lvar/extractor.h"

#include <gtest/gtest.h>

#include "base/fake_file_system.h"
#include "base/fake_folder_lister.h"
#include "base/host_path.h"
#include "lvar/test_archive.h"

namespace lvar {
namespace {

using lvar_test::EnglishNote;
using lvar_test::MakeArchive;
using lvar_test::SoundEntries;
using lvar_test::TestEntry;
using Bytes = base::FakeFileSystem::Bytes;

class ExtractorTest : public ::testing::Test {
 protected:
  void PutArchive(const std::vector<TestEntry>& entries) {
    const std::string a = MakeArchive(entries);
    files_.files["in.lvar"] = Bytes(a.begin(), a.end());
  }
  Status Extract(const ExtractOptions& options = {}) {
    report_ = {};
    return ExtractArchive(files_, lister_, "in.lvar", "out", options, &report_);
  }
  std::string Content(const std::string& name) {
    const Bytes& b = files_.files.at("out" + std::string(1, base::kPathSeparator) + name);
    return std::string(b.begin(), b.end());
  }

  base::FakeFileSystem files_;
  base::FakeFolderLister lister_{files_};
  ExtractReport report_;
};

TEST_F(ExtractorTest, WritesEveryEntryAndTheDeviceBytes) {
  PutArchive(SoundEntries());
  ExtractOptions options;
  options.native_ina = true;
  ASSERT_TRUE(Extract(options).ok());
  EXPECT_TRUE(files_.folders.count("out"));
  EXPECT_EQ(8u, files_.files.size());  // the archive, six entries, Native.ina
  EXPECT_EQ("first", Content("a.txt"));
  EXPECT_EQ("", Content("b.txt"));
  EXPECT_EQ(std::string("\x00\x01\xFF", 3), Content("extra.bin"));
  const std::string native = Content("Native.ina");
  ASSERT_EQ(192u, native.size());
  EXPECT_EQ("PLATFORM", native.substr(0, 8));
  EXPECT_EQ("OS", native.substr(136, 2));
  EXPECT_EQ("CPU", native.substr(156, 3));

  // A folder that is not empty is refused unless --force, which still never
  // replaces a file.
  const auto before = files_.files;
  EXPECT_EQ(Fault::kRefused, Extract().fault);
  options.force = true;
  EXPECT_EQ(Fault::kWriteError, Extract(options).fault);
  EXPECT_EQ(before, files_.files);
}

// Every hostile archive is refused before anything is created: the whole
// tree stays as it was.
TEST_F(ExtractorTest, HostileNamesAndDuplicatesWriteNothing) {
  const std::string hostile[] = {"..\\x", "C:x", "a/b", "a\x01z", "..", "CON", "/etc"};
  for (const std::string& name : hostile) {
    std::vector<TestEntry> entries = SoundEntries();
    entries.push_back({3, name, "evil"});
    PutArchive(entries);
    const auto files_before = files_.files;
    const auto folders_before = files_.folders;
    Status s = Extract();
    EXPECT_EQ(Fault::kRefused, s.fault) << name;
    EXPECT_NE(std::string::npos, EnglishNote(s).find("refused")) << EnglishNote(s);
    EXPECT_EQ(files_before, files_.files) << name;
    EXPECT_EQ(folders_before, files_.folders) << name;
  }

  std::vector<TestEntry> entries = SoundEntries();
  entries.push_back({3, "A.TXT", "second"});
  entries.push_back({3, "a (2).txt", "third"});
  PutArchive(entries);
  Status s = Extract();
  EXPECT_EQ(Fault::kRefused, s.fault);
  EXPECT_NE(std::string::npos, EnglishNote(s).find("--rename")) << EnglishNote(s);
  EXPECT_EQ(1u, files_.files.size());
  EXPECT_TRUE(files_.folders.empty());

  ExtractOptions options;
  options.rename = true;
  ASSERT_TRUE(Extract(options).ok());
  EXPECT_EQ("first", Content("a.txt"));
  EXPECT_EQ("second", Content("A (2).TXT"));
  EXPECT_EQ("third", Content("a (2) (2).txt"));
  EXPECT_EQ("A.TXT", report_.files[6].stored_name);
}

// Names are compared in the host's form, folded as its file system folds
// them: two Shift-JIS codes of one character are one file name, and so are
// two letter cases of a full-width letter. Such a clash is refused before
// anything is written, or numbered with --rename, which goes on counting
// for each name instead of trying every number from 2 again.
TEST_F(ExtractorTest, NamesThatBecomeOneHostNameAndTheirNumbers) {
  const struct {
    std::string first, second, renamed;
  } cases[] = {
      {"\x87\x54.txt", "\xFA\x4A.txt", "\xFA\x4A (2).txt"},  // Roman numeral one, NEC and IBM codes
      {"\x82\x60.txt", "\x82\x81.txt", "\x82\x81 (2).txt"},  // full-width A and a
      {"\x81\xCA", "\xEE\xF9", "\xEE\xF9 (2)"},              // the not sign, JIS and NEC-selected IBM codes
  };
  for (const auto& c : cases) {
    files_ = {};
    std::vector<TestEntry> entries = SoundEntries();
    entries.push_back({3, c.first, "1"});
    entries.push_back({3, "z.txt", "between"});
    entries.push_back({3, c.second, "2"});
    PutArchive(entries);
    Status s = Extract();
    EXPECT_EQ(Fault::kRefused, s.fault) << c.second;
    EXPECT_NE(std::string::npos, EnglishNote(s).find("--rename")) << EnglishNote(s);
    EXPECT_EQ(1u, files_.files.size()) << "nothing written: " << c.second;
    EXPECT_TRUE(files_.folders.empty());
    ExtractOptions options;
    options.rename = true;
    ASSERT_TRUE(Extract(options).ok()) << c.second;
    EXPECT_EQ("2", Content(base::HostText(c.renamed))) << c.second;
  }

  files_ = {};
  std::vector<TestEntry> entries = {{1, "Install.inf", ";"}};
  for (int i = 0; i < 4; ++i) entries.push_back({3, i == 2 ? "A.TXT" : "a.txt", std::to_string(i)});
  entries.push_back({3, "a (3).txt", "taken"});
  entries.push_back({3, "a.txt", "5"});
  PutArchive(entries);
  ExtractOptions options;
  options.rename = true;
  ASSERT_TRUE(Extract(options).ok());
  std::vector<std::string> written;
  for (const ExtractedFile& file : report_.files) written.push_back(file.written_name);
  EXPECT_EQ((std::vector<std::string>{"Install.inf", "a.txt", "a (2).txt", "A (3).TXT", "a (4).txt", "a (3) (2).txt",
                                      "a (5).txt"}),
            written);
}

TEST_F(ExtractorTest, AFailedWriteLeavesNoPartFile) {
  PutArchive(SoundEntries());
  files_.write_limit = 3;  // every file's write of more than 3 bytes fails
  Status s = Extract();
  EXPECT_EQ(Fault::kWriteError, s.fault);
  EXPECT_EQ(1u, files_.files.size()) << "only the archive is left";
}

// The folder is swapped for a link to another folder once the checks are
// made (at the first file created in it, or when it is opened): the files go
// into the folder checked, or nowhere; never into the other folder.
TEST_F(ExtractorTest, AFolderSwappedForALinkIsNeverWrittenThrough) {
  struct Case {
    const char* at_call;
    bool force;
  } cases[] = {{"create", false}, {"create", true}, {"list", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.at_call) + (c.force ? " --force" : ""));
    files_ = base::FakeFileSystem();
    PutArchive(SoundEntries());
    files_.folders = {"out", "elsewhere"};
    bool swapped = false;
    files_.before_each = [&](const std::string& call, const std::string&) {
      if (swapped || call != c.at_call) return;
      swapped = true;
      files_.MoveTree("out", "away");
      files_.links["out"] = "elsewhere";
    };
    ExtractOptions options;
    options.force = c.force;
    const Status s = Extract(options);
    EXPECT_TRUE(swapped);
    EXPECT_TRUE(s.ok());
    for (const auto& [path, bytes] : files_.files) EXPECT_NE(0u, path.rfind("elsewhere", 0)) << path;
    EXPECT_EQ(1u, files_.files.count("away" + std::string(1, base::kPathSeparator) + "a.txt"));
  }
}

TEST(ExtractorDefaultTest, FolderNamedAfterTheArchive) {
  EXPECT_EQ("Demo", DefaultExtractFolder("Demo.lvar"));
  EXPECT_EQ("Demo", DefaultExtractFolder(std::string("build") + base::kPathSeparator + "Demo.lvar"));
  EXPECT_EQ("Demo.files", DefaultExtractFolder("Demo"));
  EXPECT_EQ(".lvar.files", DefaultExtractFolder(".lvar"));
  EXPECT_EQ("a.b", DefaultExtractFolder("a.b.lvar"));
  // No usable name: the caller asks for the folder.
  for (const char* archive : {"...lvar", "..lvar", ". .lvar", "...", "dir/"}) EXPECT_EQ("", DefaultExtractFolder(archive)) << archive;
}

}  // namespace
}  // namespace lvar
