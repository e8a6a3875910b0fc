#include "project/change_tracker.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <string>

namespace project {
namespace {

struct Project {
  ProjectSettings settings;
  MemoryFileRowStore files;
  MemoryRegistryRowStore registry;
  std::string State() const { return ProjectState(settings, &files, &registry); }
};

// A project with something in every part, as a loaded one has.
void Fill(Project* p) {
  ProjectSettings& s = p->settings;
  s.Product.Assign("Maker");
  s.Name.Assign("Demo");
  s.Caption.Assign("Demo");
  s.Output.Assign("Demo");
  s.Source.Assign("src");
  s.Exe.Assign("Demo.exe");
  s.Folders.app_folders.Add("Data");
  s.Folders.doc_folders.Add("Notes");
  FileRow file;
  file.name = "Demo.exe";
  file.startup = true;
  file.folder = "Data";
  file.kind = AppRoot;
  file.number = 1;
  p->files.rows.push_back(file);
  p->registry.rows.push_back({kHklm, "Software\\Demo", "Path", kSz, "\"x\""});
}

TEST(ChangeTrackerTest, EveryPartOfTheProjectCounts) {
  using Edit = std::function<void(Project*)>;
  const struct {
    const char* name;
    Edit edit;
    bool counts;
  } cases[] = {
      {"product", [](Project* p) { p->settings.Product.Assign("Other"); }, true},
      {"version", [](Project* p) { p->settings.Ver.Assign("2.0"); }, true},
      {"source", [](Project* p) { p->settings.Source.Assign("src2"); }, true},
      {"install folder", [](Project* p) { p->settings.InstDir.Assign("Demo"); }, true},
      {"command line", [](Project* p) { p->settings.Cmd.Assign("/x"); }, true},
      {"uninstall name", [](Project* p) { p->settings.UninstFile.Assign("u"); }, true},
      {"display name", [](Project* p) { p->settings.SetupIniName.Assign("Shown"); }, true},
      {"language", [](Project* p) { p->settings.Locate = kLanguageUs; }, true},
      {"location", [](Project* p) { p->settings.Dest = kLocationCardOnly; }, true},
      {"reboot", [](Project* p) { p->settings.Reboot.Set(true); }, true},
      {"uninstall", [](Project* p) { p->settings.Uninstall.Set(false); }, true},
      {"setup.ini", [](Project* p) { p->settings.SetupIniCreate.Set(false); }, true},
      {"own folder added", [](Project* p) { p->settings.Folders.app_folders.Add("More"); }, true},
      {"own folder moved",
       [](Project* p) {
         p->settings.Folders.app_folders.Clear();
         p->settings.Folders.doc_folders.Add("Data");
       },
       true},
      {"file row destination", [](Project* p) { p->files.rows[0].folder = "Other"; }, true},
      {"file row kind", [](Project* p) { p->files.rows[0].kind = Doc; }, true},
      {"file row removed", [](Project* p) { p->files.rows.clear(); }, true},
      {"registry value", [](Project* p) { p->registry.rows[0].value = "\"y\""; }, true},
      {"registry row added", [](Project* p) { p->registry.rows.push_back(p->registry.rows[0]); },
       true},
      {"value moved between fields",
       [](Project* p) {
         p->registry.rows[0].key = "Software\\DemoPath";
         p->registry.rows[0].name = "";
       },
       true},
      // Not the author's work: recomputed or remembered by the pages.
      {"rows in another order",
       [](Project* p) {
         p->files.rows.insert(p->files.rows.begin(), p->files.rows[0]);
         p->files.rows[0].name = "A.dat";
         p->registry.rows.push_back(p->registry.rows[0]);
         p->registry.rows[1].key = "Software\\A";
         Project sorted = *p;
         std::swap(p->files.rows[0], p->files.rows[1]);
         std::swap(p->registry.rows[0], p->registry.rows[1]);
         EXPECT_EQ(sorted.State(), p->State());
       },
       true},
      {"file row missing", [](Project* p) { p->files.rows[0].missing = true; }, false},
      {"file row start-up", [](Project* p) { p->files.rows[0].startup = false; }, false},
      {"file row number", [](Project* p) { p->files.rows[0].number = 7; }, false},
      {"scanned source", [](Project* p) { p->settings.ScannedSource.Assign("src"); }, false},
      {"project path", [](Project* p) { p->settings.ProjectPath.Assign("C:\\p.ini"); }, false},
      {"chooser mode", [](Project* p) { p->settings.Folders.mode = 0; }, false},
  };
  for (const auto& c : cases) {
    Project project;
    Fill(&project);
    ChangeTracker tracker;
    tracker.Start(project.State());
    EXPECT_FALSE(tracker.Changed(project.State())) << c.name;
    c.edit(&project);
    EXPECT_EQ(tracker.Changed(project.State()), c.counts) << c.name;
  }
}

TEST(ChangeTrackerTest, EditsAndStartingPoints) {
  Project project;
  ChangeTracker tracker;
  tracker.NoteEdit();  // before the start (the project question is open): nothing counts
  project.settings.Product.Assign("Maker");
  EXPECT_FALSE(tracker.Changed(project.State()));

  tracker.Start(project.State());
  EXPECT_FALSE(tracker.Changed(project.State()));
  tracker.NoteEdit();  // a field typed in, not yet stored
  EXPECT_TRUE(tracker.Changed(project.State()));

  Fill(&project);  // a project loaded: the new starting point
  tracker.Start(project.State());
  EXPECT_FALSE(tracker.Changed(project.State()));
  const MemoryFileRowStore no_files;
  const MemoryRegistryRowStore no_entries;
  EXPECT_EQ(ProjectState(project.settings, nullptr, nullptr),
            ProjectState(project.settings, &no_files, &no_entries));
}

}  // namespace
}  // namespace project
