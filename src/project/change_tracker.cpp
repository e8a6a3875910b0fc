#include "project/change_tracker.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace project {
namespace {

// Appends one field and a separator that no field holds.
void Add(std::string* state, const std::string& value) {
  state->append(value);
  state->push_back('\0');
}

void Add(std::string* state, int value) { Add(state, std::to_string(value)); }

void AddNames(std::string* state, const NameList& names) {
  Add(state, names.Count());
  for (int i = 0; i < names.Count(); ++i) Add(state, names.At(i));
}

}  // namespace

std::string ProjectState(const ProjectSettings& s, const FileRowStore* files,
                         const RegistryRowStore* registry) {
  std::string state;
  Add(&state, s.Locate);
  Add(&state, s.Dest);
  for (const TextSetting* text : {&s.Product, &s.Name, &s.Caption, &s.Ver, &s.Output, &s.Source,
                                  &s.InstDir, &s.Exe, &s.Cmd, &s.UninstFile, &s.SetupIniName}) {
    Add(&state, text->Text());
  }
  for (const FlagSetting* flag : {&s.Uninstall, &s.Reboot, &s.UnRegist, &s.SetupIniCreate}) {
    Add(&state, flag->On() ? 1 : 0);
  }
  AddNames(&state, s.Folders.app_folders);
  AddNames(&state, s.Folders.doc_folders);

  // The lists sort their rows themselves: their order is not the author's work.
  std::vector<std::string> rows;
  const int file_rows = files ? files->Count() : 0;
  for (int i = 0; i < file_rows; ++i) {
    FileRow row;
    files->Get(i, &row);
    std::string text;
    Add(&text, row.name);
    Add(&text, row.folder);
    Add(&text, static_cast<int>(row.kind >> 16));
    rows.push_back(std::move(text));
  }
  std::sort(rows.begin(), rows.end());
  Add(&state, file_rows);
  for (const std::string& row : rows) state += row;

  rows.clear();
  const int registry_rows = registry ? registry->Count() : 0;
  for (int i = 0; i < registry_rows; ++i) {
    RegistryRow row;
    registry->Get(i, &row);
    std::string text;
    std::string root = RootWord(row.root);
    std::string type = TypeWord(row.type);
    for (const std::string* field : {&root, &row.key, &row.name, &type, &row.value}) Add(&text, *field);
    rows.push_back(std::move(text));
  }
  std::sort(rows.begin(), rows.end());
  Add(&state, registry_rows);
  for (const std::string& row : rows) state += row;
  return state;
}

void ChangeTracker::Start(std::string state) {
  start_ = std::move(state);
  started_ = true;
  edited_ = false;
}

bool ChangeTracker::Changed(const std::string& state) const {
  return started_ && (edited_ || state != start_);
}

}  // namespace project
