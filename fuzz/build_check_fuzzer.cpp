// The builder's whole run over a source folder made from the input: once
// check-only, once writing an archive. Both runs must end with the same code,
// and the archive must exist exactly when the run succeeded; a written
// archive must pass lvar's verification with one entry per file of the
// folder (Native.ina aside), and lvar's plan must read its install
// information again.
//
// Input: the text of Install.inf, optionally followed by more files, each
// introduced by a line "@@ NAME" (NAME may hold "/" for subfolders). A
// Native.ina is added to the top folder when the input brings none.
// PAK_FUZZ_VERBOSE=1 in the environment prints the check-only run's output;
// PAK_FUZZ_SAVE_ARCHIVE=PATH writes the archive made to PATH.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/capturing_console.h"
#include "base/fake_file_system.h"
#include "base/sjis.h"
#include "builder/driver.h"
#include "fuzz_support.h"
#include "lvar/archive_reader.h"
#include "lvar/commands.h"
#include "lvar/exit_status.h"

namespace {

constexpr std::string_view kFileMark = "\n@@ ";

struct InputFile {
  std::string name;
  std::string content;
};

// Splits the input into its files; the first one is Install.inf.
std::vector<InputFile> SplitInput(std::string_view data) {
  std::vector<InputFile> files;
  std::string name = "Install.inf";
  for (;;) {
    std::size_t mark = data.find(kFileMark);
    files.push_back({name, std::string(data.substr(0, mark))});
    if (mark == std::string_view::npos) break;
    data.remove_prefix(mark + kFileMark.size());
    std::size_t end = data.find('\n');
    name = std::string(data.substr(0, end));
    data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
  }
  return files;
}

// The name's folders and file name: no empty, "." or ".." parts, no NUL,
// at most three levels; empty when nothing usable remains.
std::vector<std::string> NameParts(const std::string& name) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t slash = name.find('/', start);
    if (slash == std::string::npos) slash = name.size();
    std::string part = name.substr(start, slash - start);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string::npos ||
        part.size() > 64)
      return {};
    parts.push_back(part);
    start = slash + 1;
  }
  if (parts.size() > 3) return {};
  return parts;
}

// Places the files in `files` under `root`.
void MakeSourceFolder(const std::vector<InputFile>& input, const std::string& root, base::FakeFileSystem* files) {
  files->folders.insert(root);
  bool native_info = false;
  for (const InputFile& file : input) {
    std::vector<std::string> parts = NameParts(file.name);
    if (parts.empty()) continue;
    std::string path = root;
    bool usable = true;
    for (std::size_t i = 0; i + 1 < parts.size() && usable; ++i) {
      path += "/" + parts[i];
      usable = files->files.count(path) == 0;
      files->folders.insert(path);
    }
    path += "/" + parts.back();
    if (!usable || files->folders.count(path) || files->files.count(path)) continue;
    files->files[path].assign(file.content.begin(), file.content.end());
    if (base::EqualsIgnoreAsciiCase(parts.back(), "Native.ina")) native_info = true;
  }
  if (!native_info) files->files[root + "/Native.ina"].assign(192, 0x4E);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64 * 1024) return 0;
  const fuzz::ScratchFolder& scratch = fuzz::ScratchFolder::For("build");
  const std::string root = scratch.path() + "/src";
  const std::string archive = scratch.path() + "/Package.lvar";
  std::vector<InputFile> input = SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));

  base::FakeFileSystem files;
  MakeSourceFolder(input, root, &files);
  fuzz::FakeFolderLister lister(files);

  base::CapturingConsole check_console;
  builder::BuildEnvironment check_env{{check_console, files, lister}};
  builder::BuildErrorCode check_code = builder::RunBuild({root}, check_env);
  FUZZ_CHECK(files.files.count(archive) == 0);
  if (std::getenv("PAK_FUZZ_VERBOSE")) {
    std::fprintf(stderr, "check-only: 0x%08X\n%s%s", check_code, check_console.out.c_str(), check_console.err.c_str());
  }

  const std::size_t file_count = files.files.size();
  base::CapturingConsole write_console;
  builder::BuildEnvironment write_env{{write_console, files, lister}};
  builder::BuildErrorCode write_code = builder::RunBuild({root, archive}, write_env);
  if (std::getenv("PAK_FUZZ_VERBOSE")) {
    std::fprintf(stderr, "with archive: 0x%08X\n%s%s", write_code, write_console.out.c_str(), write_console.err.c_str());
  }
  FUZZ_CHECK(write_code == check_code);
  FUZZ_CHECK((files.files.count(archive) != 0) == (write_code == 0));
  // No temporary file stays behind.
  FUZZ_CHECK(files.files.size() == file_count + (write_code == 0 ? 1 : 0));

  if (write_code == 0) {
    lvar::ArchiveSummary summary;
    lvar::Status verified = lvar::VerifyArchive(files, archive, &summary);
    if (!verified.ok()) std::fprintf(stderr, "lvar: %s\n", lvar::NoteText(base::Language::kEnglish, verified.note).c_str());
    FUZZ_CHECK(verified.ok());
    int stored = 0;
    for (const auto& [path, bytes] : files.files) {
      if (path.compare(0, root.size() + 1, root + "/") != 0) continue;
      std::string name = path.substr(path.rfind('/') + 1);
      if (!base::EqualsIgnoreAsciiCase(name, "Native.ina")) ++stored;
    }
    FUZZ_CHECK(summary.entries == stored);
    // The stored install information reads again from the archive.
    base::CapturingConsole plan_console, plan_json;
    lvar::LvarEnvironment lvar_env{{plan_console, files, lister}, plan_json};
    const int planned = lvar::RunLvar({"plan", archive}, lvar_env);
    if (planned != lvar::kExitOk) std::fprintf(stderr, "lvar plan: %d\n%s", planned, plan_console.err.c_str());
    FUZZ_CHECK(planned == lvar::kExitOk);
    if (const char* save = std::getenv("PAK_FUZZ_SAVE_ARCHIVE")) {
      const base::FakeFileSystem::Bytes& bytes = files.files[archive];
      std::ofstream(save, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
    }
  }
  scratch.Clear();
  return 0;
}
