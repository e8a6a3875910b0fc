// The wizard's project file: loading a file and saving it back, then loading
// and saving once more, must give the same file both times; nothing may
// crash on the way.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_access.h"
#include "base/ini_file.h"
#include "fuzz_support.h"
#include "project/file_utils.h"
#include "project/project_file.h"
#include "project/row_store.h"
#include "project/settings.h"

namespace {

// Loads the whole project at `path` and saves it back to the same file, as
// the wizard does when an existing project is opened and finished again.
std::string LoadAndSave(const base::FileAccess& fs, const std::string& path) {
  project::ProjectSettings settings;
  project::MemoryFileRowStore files;
  project::MemoryRegistryRowStore registry;
  base::IniFile ini;
  project::ReadProjectFile(fs, path, &ini);
  project::LoadProjectSettings(settings, ini);
  project::LoadCopyFileRows(ini, files);
  project::LoadRegistryRows(ini, registry);
  FUZZ_CHECK(project::SaveProject(fs, settings, path, &files, &registry));
  std::string saved;
  FUZZ_CHECK(project::ReadWholeFile(fs, path, &saved));
  return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64 * 1024) return 0;
  const fuzz::ScratchFolder& scratch = fuzz::ScratchFolder::For("project");
  const std::string path = base::JoinPath(scratch.path(), "Pakforge_Fuzz.ini");
  const base::FileAccess fs = base::SystemFileAccess();
  FUZZ_CHECK(project::WriteTextFile(fs, path, std::string_view(reinterpret_cast<const char*>(data), size)));
  std::string first = LoadAndSave(fs, path);
  std::string second = LoadAndSave(fs, path);
  if (first != second) {
    std::fprintf(stderr, "first save:\n%s\nsecond save:\n%s\n", first.c_str(), second.c_str());
    FUZZ_CHECK(first == second);
  }
  return 0;
}
