#pragma once
// Helpers for the wizard core's tests: a folder on the in-memory file
// system, a sample project, and recorders for the two UI services.

#include <string>
#include <vector>

#include "base/fake_folder_lister.h"
#include "base/file_access.h"
#include "base/listing.h"
#include "base/ini_file.h"
#include "project/file_utils.h"
#include "project/project_file.h"
#include "project/row_store.h"
#include "project/settings.h"
#include "project/ui_services.h"

namespace project {
namespace testing {

/// The project file at `path` as ReadProjectFile reads it; a missing or
/// unreadable file reads as an empty one.
inline base::IniFile ParsedProject(const base::FileAccess& fs, const std::string& path) {
  base::IniFile ini;
  ReadProjectFile(fs, path, &ini);
  return ini;
}

/// An in-memory file system, handed to the code under test as `fs`, holding
/// one empty folder, path(), which is also its current folder. Names given
/// to its members are relative, with "/" between folders; the answers are
/// kit paths. Names are ASCII, so that kit and host paths are the same bytes.
class FakeFolder {
 public:
  FakeFolder() {
    files.folders.insert(path_);
    files.need_parent_folder = true;
    files.current_folder = path_;
  }
  const std::string& path() const { return path_; }
  /// Kit path of `name` inside the folder.
  std::string At(std::string name) const {
    for (char& c : name) {
      if (c == '/') c = base::kPathSeparator;
    }
    return base::JoinPath(path_, name);
  }
  /// Creates the folder `name` and the folders above it.
  void MakeFolder(const std::string& name) {
    for (std::size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1))
      files.folders.insert(At(name.substr(0, slash)));
    files.folders.insert(At(name));
  }
  /// Writes the file `name` with `content`, creating the folders above it.
  void MakeFile(const std::string& name, const std::string& content = "x") {
    const std::size_t slash = name.rfind('/');
    if (slash != std::string::npos) MakeFolder(name.substr(0, slash));
    files.files[At(name)].assign(content.begin(), content.end());
  }

  base::FakeFileSystem files;
  base::FakeFolderLister lister{files};
  /// What the code under test reaches files through.
  const base::FileAccess fs{files, lister};

 private:
  std::string path_ = std::string(1, base::kPathSeparator) + "kit";
};

/// A small project: Acme's Foo with the menu caption "Foo Menu", the archive
/// FooPack packed from the folder src, installed to Foo with the program
/// Foo.exe and the uninstall description UnFoo.
inline ProjectSettings FooProject() {
  ProjectSettings s;
  s.Product.Assign("Acme");
  s.Name.Assign("Foo");
  s.Caption.Assign("Foo Menu");
  s.Output.Assign("FooPack");
  s.Source.Assign("src");
  s.InstDir.Assign("Foo");
  s.Exe.Assign("Foo.exe");
  s.UninstFile.Assign("UnFoo");
  return s;
}

/// Records every message shown.
class RecordingMessages : public MessageSink {
 public:
  int Show(int string_id, MessageIcon icon, const std::string& argument = std::string()) override {
    return ShowFilled(string_id, icon, argument.empty() ? std::vector<std::string>{} : std::vector{argument});
  }
  int ShowFilled(int string_id, MessageIcon, const std::vector<std::string>& arguments) override {
    ids.push_back(string_id);
    this->arguments.push_back(arguments);
    return 1;
  }
  std::vector<int> ids;
  /// The arguments of each message, in the order of `ids`.
  std::vector<std::vector<std::string>> arguments;
};

/// Records every batch run and answers `result` (an ended run by default).
class RecordingStarter : public BatchStarter {
 public:
  RecordingStarter() { result.outcome = BuildRun::Outcome::kEnded; }
  BuildRun Run(const std::string& batch_path) override {
    started.push_back(batch_path);
    return result;
  }
  std::vector<std::string> started;
  BuildRun result;
};

/// What a Finish run takes besides its folder: the project, its file and
/// registry rows, and the two recorders.
struct FinishInputs {
  ProjectSettings s = FooProject();
  MemoryFileRowStore files;
  MemoryRegistryRowStore registry;
  RecordingMessages messages;
  RecordingStarter starter;
};

/// The platform separator as a string, for expected paths.
inline std::string Sep() { return std::string(1, base::kPathSeparator); }

}  // namespace testing
}  // namespace project
