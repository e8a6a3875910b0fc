#include "pakforge_build/project_build.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "base/encoding.h"
#include "base/path_resolver.h"
#include "base/sjis.h"
#include "builder/build_error.h"
#include "builder/driver.h"
#include "kit_version.h"
#include "pakforge_build/wizard_messages.h"
#include "pakforge_build/working_folder.h"
#include "wizard/build_outputs.h"
#include "wizard/file_utils.h"
#include "wizard/finish.h"
#include "wizard/host_fs.h"
#include "wizard/inf_writer.h"
#include "wizard/page_fields.h"
#include "wizard/project_file.h"
#include "wizard/project_safety.h"
#include "wizard/registry_value_checks.h"
#include "wizard/row_store.h"
#include "wizard/settings.h"
#include "wizard/source_folder_rules.h"
#include "wizard/texts.h"

namespace pakforge_build {
namespace {

using base::Stream;

constexpr char kVersion[] = PAK_KIT_NAME " " PAK_KIT_VERSION "\n";

// Host texts (the command line, the file system) to the kit's Shift-JIS
// and back. Windows hands over ANSI texts, which already are Shift-JIS.
bool ToKit(const std::string& host, std::string* kit) {
#ifdef _WIN32
  *kit = host;
  return true;
#else
  return base::Utf8ToCp932(host, kit);
#endif
}

std::string ToUtf8(const std::string& sjis) {
  std::string utf8;
  if (base::Cp932ToUtf8(sjis, &utf8)) return utf8;
  std::string plain;  // not Shift-JIS: keep the ASCII, mark the rest
  for (char c : sjis) plain += (static_cast<unsigned char>(c) < 0x80) ? c : '?';
  return plain;
}

bool IsAbsolute(const std::string& path) {
#ifdef _WIN32
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
#else
  return !path.empty() && path[0] == '/';
#endif
}

// The folder that holds the project file, as the wizard's current
// directory: absolute, without a trailing separator. False when the project
// path is relative and the current folder cannot be taken: an empty one
// would put every output into the root.
bool ProjectFolder(const std::string& kit_project, std::string* folder) {
  wizard::SplitPath(kit_project, folder, nullptr, nullptr);
  if (!IsAbsolute(*folder)) {
    const std::string here = wizard::CurrentDirectory();
    if (here.empty()) return false;
    *folder = folder->empty() ? here : base::JoinPath(here, *folder);
  }
  while (folder->size() > 1 && folder->back() == base::kPathSeparator) folder->pop_back();
  return true;
}

// Page 3's order of a rebuilt list: extension first, then base name, ASCII
// letters ignoring case (folded to lower case, so "_" sorts before letters
// as in the list control), double-byte characters by their bytes.
std::string SortKey(const std::string& text) {
  std::string key = text;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(key[i]);
    if (base::IsSjisLeadByte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      key[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

void SortLikeTheFilesList(std::vector<std::string>* names) {
  auto keys = [](const std::string& name) {
    std::string base, extension;
    wizard::SplitPath(name, nullptr, &base, &extension);
    return std::make_pair(SortKey(extension), SortKey(base));
  };
  std::stable_sort(names->begin(), names->end(),
                   [&](const std::string& a, const std::string& b) { return keys(a) < keys(b); });
}

std::string JsonString(const std::string& sjis) {
  std::string out = "\"";
  for (char c : ToUtf8(sjis)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string JsonList(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + JsonString(items[i]);
  return out + "]";
}

// With --json, standard output holds the JSON document alone: the builder's
// own report lines go to standard error.
class ErrorsOnlyConsole : public base::Console {
 public:
  explicit ErrorsOnlyConsole(base::Console& inner) : inner_(inner) {}
  void Write(Stream, std::string_view sjis) override { inner_.Write(Stream::kErr, sjis); }

 private:
  base::Console& inner_;
};

// One run: what it found, wrote and built, and how it ended.
class Run {
 public:
  Run(const Options& options, RunEnvironment& env)
      : options_(options), env_(env), quiet_(env.console), console_(options.json ? quiet_ : env.console) {}

  int Execute() {
    const int status = Steps();
    Report(status);
    return status;
  }

 private:
  // Prints an error (with the program's name in front) and remembers it.
  int Fail(int status, const std::string& sjis) {
    errors_.push_back(sjis);
    env_.console.Write(Stream::kErr, "pakforge-build: " + sjis + "\n");
    return status;
  }
  int Refuse(int string_id, const std::string& argument = std::string(),
             const std::string& detail = std::string()) {
    std::string text = WizardMessage(string_id, argument);
    if (!detail.empty()) text += "\n  " + detail;
    return Fail(kExitRefused, text);
  }
  // A refusal of the safety rules: the message, then what it concerns (in
  // place of the message's "%s" where it has one).
  int RefuseUnsafe(const wizard::SafetyRefusal& unsafe) {
    const std::string detail = unsafe.Detail();
    return Refuse(unsafe.string_id, detail, unsafe.string_id == wizard::kStrBadName ? detail : std::string());
  }
  // True when the project file opens and reads as a regular file.
  static bool IsReadable(const std::string& path) {
    if (wizard::FolderExists(path)) return false;
    std::string content;
    return wizard::ReadWholeFile(path, &content);
  }
  void Warn(const std::string& sjis) {
    warnings_.push_back(sjis);
    env_.console.Write(Stream::kErr, "pakforge-build: warning: " + sjis + "\n");
  }

  int Steps() {
    if (!ToKit(options_.project, &project_)) {
      return Fail(kExitNoProject, "the project file's name has no Shift-JIS form: " + options_.project);
    }
    if (!ProjectFolder(project_, &current_dir_)) {
      return Fail(kExitNotWritten, "cannot read the name of the current folder, which holds the project file");
    }
    // Refused before it is read whole (the readers below read it each).
    if (wizard::ProjectFileTooLarge(project_)) {
      return Fail(kExitNoProject, "the project file '" + project_ +
                                      "' is larger than 64 MiB, far larger than Pakforge writes one");
    }
    if (!IsReadable(project_)) return Fail(kExitNoProject, "cannot read the project file '" + project_ + "'");

    wizard::LoadProjectSettings(settings_, project_);
    wizard::LoadCopyFileRows(project_, rows_);
    wizard::LoadRegistryRows(project_, registry_);
    if (int status = ApplyOverrides()) return status;

    wizard::Refusal refusal;
    if (!wizard::CheckProgramFields(settings_, current_dir_, &refusal) ||
        !wizard::CheckInstallFields(settings_, &refusal)) {
      return Refuse(refusal.string_id, refusal.argument, FieldName(refusal.field));
    }
    wizard::SafetyRefusal unsafe;
    if (!wizard::CheckSourceFolderInside(settings_, current_dir_, base::SystemPathResolver(), &unsafe) ||
        !wizard::CheckProjectNames(settings_, &rows_, &unsafe)) {
      return RefuseUnsafe(unsafe);
    }
    if (int status = CheckSourceFolder()) return status;
    if (int status = CheckRegistryRows()) return status;
    std::string project_folder;
    wizard::SplitPath(project_, &project_folder, nullptr, nullptr);
    if (!wizard::CheckOutputNames(settings_, &rows_, project_.substr(project_folder.size()), &unsafe)) {
      return RefuseUnsafe(unsafe);
    }
    if (int status = WriteFinishFiles()) return status;
    return RunBuilder();
  }

  static std::string FieldName(wizard::Field field) {
    switch (field) {
      case wizard::Field::kProduct: return "(Product)";
      case wizard::Field::kName: return "(Name)";
      case wizard::Field::kCaption: return "(Caption)";
      case wizard::Field::kVer: return "(Ver)";
      case wizard::Field::kOutput: return "(Output)";
      case wizard::Field::kSource: return "(Source)";
      case wizard::Field::kInstDir: return "(InstDir)";
      case wizard::Field::kUninstFile: return "(UninstFile)";
      case wizard::Field::kCmd: return "(Cmd)";
      case wizard::Field::kUninstall: return "(Uninstall)";
      case wizard::Field::kNone: break;
    }
    return std::string();
  }

  // --source and --output replace the saved values for this run only; they
  // are held to the lengths the wizard's fields take.
  int ApplyOverrides() {
    struct Override {
      const std::string& host;
      wizard::TextSetting& setting;
      int too_long;
    } overrides[] = {{options_.source, settings_.Source, wizard::kStrSourceNameTooLong},
                     {options_.output, settings_.Output, wizard::kStrOutputTooLong}};
    for (const Override& o : overrides) {
      if (o.host.empty()) continue;
      std::string kit;
      if (!ToKit(o.host, &kit)) return Fail(kExitUsage, "no Shift-JIS form: " + o.host);
      if (static_cast<int>(kit.size()) >= o.setting.Maximum()) return Refuse(o.too_long);
      o.setting.Assign(kit);
    }
    return 0;
  }

  // Page 3's checks, in the order of its Next button, plus the row rules.
  int CheckSourceFolder() {
    if (!settings_.SourceFolderPath(current_dir_, &source_path_) ||
        wizard::SourcePathTooLong(source_path_)) {
      return Refuse(wizard::kStrSourceNameTooLong);
    }
    const wizard::SourceFolderScan scan =
        wizard::ScanSourceFolder(source_path_, settings_.InstDir.Text());
    if (rows_.Count() == 0) {
      // No saved rows: the list of a rebuild, every file into the install folder.
      std::vector<std::string> names = scan.files;
      SortLikeTheFilesList(&names);
      for (const std::string& name : names) {
        wizard::InsertFileRow(rows_, name, false, std::string(), wizard::AppRoot);
      }
      if (names.empty()) Warn(WizardMessage(wizard::kStrNoFiles));
    } else {
      // A file of the folder that no row names is packed but never installed.
      std::unordered_set<std::string> named;
      for (const wizard::FileRow& row : rows_.rows) named.insert(UpperKey(row.name));
      for (const std::string& name : scan.files) {
        if (!named.count(UpperKey(name))) Warn("'" + name + "' is in the source folder but in no file row");
      }
    }
    if (scan.native_ina_count == 0) return Refuse(wizard::kStrNoNativeIna);
    if (scan.native_ina_count >= 2) return Refuse(wizard::kStrManyNativeIna);
    if (wizard::MarkFileRows(rows_, settings_.Exe.Text(), source_path_)) {
      std::string missing;
      for (const wizard::FileRow& row : rows_.rows) {
        if (row.mark == "x") missing += (missing.empty() ? "" : ", ") + row.name;
      }
      return Refuse(wizard::kStrMissingFiles, std::string(), missing);
    }
    if (scan.duplicate_names) return Refuse(wizard::kStrDuplicateNames);
    if (scan.path_too_long) return Refuse(wizard::kStrPathTooLong);
    if (scan.nested_folders) return Refuse(wizard::kStrNestedFolders);
    return 0;
  }

  static std::string UpperKey(std::string name) {
    base::SjisUpperAscii(name);
    return name;
  }

  // The registry entry dialog's checks for every saved row.
  int CheckRegistryRows() {
    for (int i = 0; i < registry_.Count(); ++i) {
      wizard::RegistryRow row;
      registry_.Get(i, &row);
      wizard::RegistryEntry entry;
      wizard::RowToEntry(row, &entry);
      int message = 0;
      if (entry.key.IsEmpty() || entry.value.IsEmpty()) {
        message = wizard::kStrKeyValueRequired;
      } else {
        message = wizard::RegistryValueError(entry.type, entry.value.Text());
      }
      if (message) {
        return Refuse(message, std::string(),
                      "RegistryKey" + std::to_string(i) + ": " + row.key + ", " + row.value);
      }
    }
    return 0;
  }

  // What Finish writes after saving the project, in its order.
  int WriteFinishFiles() {
    // .txt/.inf files that Finish does not write: the wizard asks before
    // deleting them; here --clean is the author's yes.
    std::vector<std::string> foreign;
    wizard::ListForeignOutputs(settings_, current_dir_, &rows_, &foreign);
    if (!foreign.empty() && !options_.clean) {
      std::string names;
      for (const std::string& name : foreign) names += "\n  " + source_path_ + name;
      return Fail(kExitForeignFiles,
                  "the source folder holds .txt/.inf files that Pakforge does not write; "
                  "--clean deletes them:" + names);
    }
    wizard::RemoveOldOutputs(settings_, current_dir_, &rows_, options_.clean);
    bool ok = wizard::WriteInstallInf(settings_, current_dir_, &rows_, &registry_) &&
              (!settings_.Uninstall.On() ||
               wizard::WriteUninstallInf(settings_, current_dir_, &rows_, &registry_)) &&
              wizard::WriteMenuFiles(settings_, current_dir_, &rows_);
    if (ok && settings_.SetupIniCreate.On()) ok = wizard::WriteSetupIni(settings_, current_dir_) != 0;
    std::string batch;
    if (ok) {
      ok = wizard::BatchPath(settings_, current_dir_, &batch) &&
           wizard::WriteTextFile(batch, wizard::BatchText(settings_, current_dir_));
    }
    // Every .txt and .inf of the source folder was written now (the old
    // ones were removed first).
    for (const std::string& name : wizard::ListDirectory(source_path_ + "*.*", true)) {
      if (wizard::IsGeneratedFile(name)) written_.push_back(source_path_ + name);
    }
    if (settings_.SetupIniCreate.On()) written_.push_back(base::JoinPath(current_dir_, "Setup.ini"));
    if (ok) written_.push_back(batch);
    if (!ok) return Fail(kExitNotWritten, WizardMessage(wizard::kStrNotAllWritten));
    return 0;
  }

  // The builder with the batch file's arguments, from the project's folder.
  int RunBuilder() {
    WorkingFolder folder(current_dir_);
    if (!folder.entered()) return Fail(kExitNotWritten, "cannot enter " + current_dir_);
    archive_ = settings_.Output.Text() + ".lvar";
    std::vector<std::string> args = {wizard::host::ToHost(settings_.Source.Text())};
    if (!options_.check) args.push_back(wizard::host::ToHost(archive_));
    for (const char* arg : {"-p", "0000", "-o", "c000", "-c", "0000"}) args.push_back(arg);
    builder::BuildEnvironment build{console_, env_.lister, env_.files};
    builder_code_ = builder::RunBuild(args, build);
    if (builder_code_ != 0) {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(builder_code_));
      errors_.push_back(std::string("the archive builder failed with code ") + code);
      return builder::ExitStatusFor(builder_code_);
    }
    if (!options_.check) {
      base::FileInfo info;
      if (env_.files.Stat(wizard::host::ToHost(base::JoinPath(current_dir_, archive_)), &info)) {
        archive_size_ = info.size;
      }
    }
    CountEntries();
    return kExitOk;
  }

  // The files and folders of the source folder, as the builder packs them.
  void CountEntries() {
    file_count_ = wizard::ListDirectory(source_path_ + "*.*", true).size();
    for (const std::string& folder : wizard::ListDirectory(source_path_ + "*.*", false)) {
      ++folder_count_;
      const std::string inner = source_path_ + folder + base::kPathSeparator + "*.*";
      file_count_ += wizard::ListDirectory(inner, true).size();
    }
  }

  void Report(int status) {
    const bool built = status == kExitOk && !options_.check;
    if (options_.json) {
      std::string j = "{\n";
      j += "  \"project\": " + JsonString(project_) + ",\n";
      j += "  \"folder\": " + JsonString(current_dir_) + ",\n";
      j += "  \"check_only\": " + std::string(options_.check ? "true" : "false") + ",\n";
      j += "  \"written\": " + JsonList(written_) + ",\n";
      j += "  \"archive\": " + (built ? JsonString(archive_) : std::string("null")) + ",\n";
      j += "  \"archive_size\": " + (built ? std::to_string(archive_size_) : std::string("null")) + ",\n";
      j += "  \"files\": " + std::to_string(file_count_) + ",\n";
      j += "  \"folders\": " + std::to_string(folder_count_) + ",\n";
      j += "  \"warnings\": " + JsonList(warnings_) + ",\n";
      j += "  \"errors\": " + JsonList(errors_) + ",\n";
      j += "  \"builder_code\": " + std::to_string(builder_code_) + ",\n";
      j += "  \"status\": " + std::to_string(status) + "\n}\n";
      if (env_.json) {
        *env_.json = j;
      } else {
        env_.console.Write(Stream::kOut, j);
      }
      return;
    }
    if (status != kExitOk && written_.empty()) return;
    std::string r;
    for (const std::string& path : written_) r += "Wrote " + path + "\n";
    if (status == kExitOk) {
      if (built) {
        r += "Archive " + base::JoinPath(current_dir_, archive_) + ": " +
             std::to_string(archive_size_) + " bytes, " + std::to_string(file_count_) + " files in " +
             std::to_string(folder_count_) + " sub-folders\n";
      } else {
        r += "Check passed: " + std::to_string(file_count_) + " files in " +
             std::to_string(folder_count_) + " sub-folders\n";
      }
    }
    env_.console.Write(Stream::kOut, r);
  }

  const Options& options_;
  RunEnvironment& env_;
  ErrorsOnlyConsole quiet_;
  base::Console& console_;  // the builder's console

  std::string project_;
  std::string current_dir_;
  std::string source_path_;
  wizard::ProjectSettings settings_;
  wizard::MemoryFileRowStore rows_;
  wizard::MemoryRegistryRowStore registry_;

  std::vector<std::string> written_;
  std::vector<std::string> warnings_;
  std::vector<std::string> errors_;
  std::string archive_;
  std::uint64_t archive_size_ = 0;
  std::size_t file_count_ = 0;
  std::size_t folder_count_ = 0;
  builder::BuildErrorCode builder_code_ = 0;
};

}  // namespace

std::string UsageText() {
  return "Usage: pakforge-build PROJECT_FILE [--source DIR] [--output NAME] [--check] [--clean]\n"
         "                      [--json]\n"
         "Builds the archive of a project saved by Pakforge: checks it as the wizard does,\n"
         "writes the files of Finish and runs the archive builder.\n"
         "  --source DIR   use the source folder DIR (beside the project file) for this run\n"
         "  --output NAME  write the archive NAME.lvar for this run\n"
         "  --check        stop after the builder's check; no archive is written\n"
         "  --clean        delete .txt/.inf files of the source folder that Pakforge did not write\n"
         "  --json         print the report as one JSON document\n"
         "  -h, --help     print this text\n"
         "  --version      print the version\n"
         "Exit status: 0 built (or checked); 64 usage; 65 refused by a check; 66 project file\n"
         "unreadable; 67 foreign .txt/.inf files; 73 files not written; otherwise the\n"
         "archive builder's status.\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* value = nullptr;
    if (arg == "--source") value = &options->source;
    else if (arg == "--output") value = &options->output;
    if (value) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        *error = arg + " needs a value";
        return false;
      }
      *value = args[++i];
    } else if (arg == "--check") {
      options->check = true;
    } else if (arg == "--clean") {
      options->clean = true;
    } else if (arg == "--json") {
      options->json = true;
    } else if (arg == "-h" || arg == "--help") {
      options->help = true;
    } else if (arg == "--version") {
      options->version = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      *error = "unknown option " + arg;
      return false;
    } else if (options->project.empty()) {
      options->project = arg;
    } else {
      *error = "one project file only";
      return false;
    }
  }
  if (options->project.empty() && !options->help && !options->version) {
    *error = "no project file given";
    return false;
  }
  return true;
}

int RunProjectBuild(const Options& options, RunEnvironment& env) {
  if (options.help) {
    env.console.Write(Stream::kOut, UsageText());
    return kExitOk;
  }
  if (options.version) {
    env.console.Write(Stream::kOut, kVersion);
    return kExitOk;
  }
  Run run(options, env);
  return run.Execute();
}

}  // namespace pakforge_build
