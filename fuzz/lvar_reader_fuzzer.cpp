// lvar's reader over an archive made from the input: list, verify, plan
// (text and JSON) and extract into a scratch folder of the in-memory file
// system. Extraction may create files and folders only inside that folder,
// and it succeeds only for an archive that verifies.
//
// The first input byte picks the extract options (bit 0 --rename, bit 1
// --native-ina, bit 2 --force with a file already in the folder); the rest
// is the archive.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "base/capturing_console.h"
#include "base/fake_file_system.h"
#include "fuzz_support.h"
#include "lvar/commands.h"
#include "lvar/exit_status.h"

namespace {

bool Inside(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
         path[folder.size()] == '/';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 256 * 1024) return 0;
  const std::uint8_t flags = data[0];
  const std::string archive = "/fuzz/Package.lvar";
  const std::string scratch = "/fuzz/out";

  base::FakeFileSystem files;
  files.folders.insert("/fuzz");
  files.files[archive].assign(data + 1, data + size);
  if (flags & 4) {
    files.folders.insert(scratch);
    files.files[scratch + "/Readme.txt"] = {'x'};
  }
  fuzz::FakeFolderLister lister(files);
  base::CapturingConsole console, json;
  lvar::LvarEnvironment env{{console, files, lister}, json};

  const int verified = lvar::RunLvar({"verify", archive}, env);
  lvar::RunLvar({"verify", "--json", archive}, env);
  lvar::RunLvar({"list", archive}, env);
  lvar::RunLvar({"list", "--json", archive}, env);
  lvar::RunLvar({"plan", archive}, env);
  lvar::RunLvar({"plan", "--json", archive}, env);

  const std::map<std::string, base::FakeFileSystem::Bytes> before = files.files;
  const std::set<std::string> folders_before = files.folders;
  std::vector<std::string> args = {"extract"};
  if (flags & 1) args.push_back("--rename");
  if (flags & 2) args.push_back("--native-ina");
  if (flags & 4) args.push_back("--force");
  args.push_back(archive);
  args.push_back(scratch);
  const int extracted = lvar::RunLvar(args, env);

  for (const auto& [path, bytes] : files.files) {
    if (Inside(path, scratch)) continue;
    FUZZ_CHECK(before.count(path) && before.at(path) == bytes);
  }
  for (const std::string& folder : files.folders) FUZZ_CHECK(folders_before.count(folder) || folder == scratch || Inside(folder, scratch));
  // What was there stays as it was.
  for (const auto& [path, bytes] : before) FUZZ_CHECK(files.files.count(path) && files.files.at(path) == bytes);
  if (extracted == lvar::kExitOk) FUZZ_CHECK(verified == lvar::kExitOk);
  return 0;
}
