#include "pakforge_build/project_build.h"

#include <cstdio>

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
#include "wizard/project_pipeline.h"
#include "wizard/project_safety.h"
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
  void Warn(const std::string& sjis) {
    warnings_.push_back(sjis);
    env_.console.Write(Stream::kErr, "pakforge-build: warning: " + sjis + "\n");
  }

  // The road of the wizard's Finish: the project read once, its lists read
  // as the pages show them, every page's checks, Finish's files; then the
  // builder with the batch file's arguments.
  int Steps() {
    if (!ToKit(options_.project, &project_)) {
      return Fail(kExitNoProject, "the project file's name has no Shift-JIS form: " + options_.project);
    }
    if (!ProjectFolder(project_, &current_dir_)) {
      return Fail(kExitNotWritten, "cannot read the name of the current folder, which holds the project file");
    }
    // Refused before it is read at all.
    if (wizard::ProjectFileTooLarge(project_)) {
      return Fail(kExitNoProject, "the project file '" + project_ +
                                      "' is larger than 64 MiB, far larger than Pakforge writes one");
    }
    if (!wizard::LoadProject(project_, &loaded_)) {
      return Fail(kExitNoProject, "cannot read the project file '" + project_ + "'");
    }
    if (wizard::Refusal words; !wizard::CheckRegistryWords(loaded_.unknown_words, &words)) {
      return Refuse(words.string_id, words.argument);
    }
    if (int status = ApplyOverrides()) return status;

    wizard::ProjectSettings& s = loaded_.settings;
    // Nothing outside the project's folder is read: the source folder is
    // followed through its links before it is listed, and every name is
    // checked before a row is looked up.
    wizard::SafetyRefusal unsafe;
    if (!wizard::CheckSourceFolderInside(s, current_dir_, base::SystemPathResolver(), &unsafe) ||
        !wizard::CheckProjectNames(s, &loaded_.files, &unsafe)) {
      return RefuseUnsafe(unsafe);
    }
    const wizard::SourceIndex* source = wizard::ReadSourceFolder(s, current_dir_, &source_) ? &source_ : nullptr;
    const wizard::ListReading reading = wizard::ReadListsAsPages(s, source, loaded_.files, loaded_.registry);
    if (source && reading.rebuilt && loaded_.files.Count() == 0) Warn(WizardMessage(wizard::kStrNoFiles));
    // A file of the folder that no row names is packed but never installed.
    for (const std::string& name : reading.unlisted) {
      Warn("'" + name + "' is in the source folder but in no file row");
    }
    wizard::Refusal refusal;
    if (!wizard::CheckEveryPage({s, current_dir_, source, loaded_.files, loaded_.registry}, &refusal)) {
      return Refuse(refusal.string_id, refusal.argument, RefusalDetail(refusal));
    }
    std::string project_folder;
    wizard::SplitPath(project_, &project_folder, nullptr, nullptr);
    if (!wizard::CheckOutputNames(s, &loaded_.files, project_.substr(project_folder.size()), &unsafe)) {
      return RefuseUnsafe(unsafe);
    }
    if (int status = WriteFinishFiles()) return status;
    return RunBuilder();
  }

  // Where a refusal points: the field's project-file key, or the rows.
  std::string RefusalDetail(const wizard::Refusal& refusal) const {
    if (refusal.field == wizard::Field::kFileRow) {
      std::string missing;
      for (const wizard::FileRow& row : loaded_.files.rows) {
        if (row.mark == "x") missing += (missing.empty() ? "" : ", ") + row.name;
      }
      return missing;
    }
    if (refusal.field == wizard::Field::kRegistryRow) {
      const wizard::RegistryRow& row = loaded_.registry.rows[static_cast<std::size_t>(refusal.row)];
      return "Registry: " + row.root + "," + row.key + "," + row.name + "," + row.type + "," + row.value;
    }
    return FieldName(refusal.field);
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
      default: break;
    }
    return std::string();
  }

  // --source and --output replace the saved values for this run only; they
  // are held to the lengths the wizard's fields take.
  int ApplyOverrides() {
    wizard::ProjectSettings& s = loaded_.settings;
    struct Override {
      const std::string& host;
      wizard::TextSetting& setting;
      int too_long;
    } overrides[] = {{options_.source, s.Source, wizard::kStrSourceNameTooLong},
                     {options_.output, s.Output, wizard::kStrOutputTooLong}};
    for (const Override& o : overrides) {
      if (o.host.empty()) continue;
      std::string kit;
      if (!ToKit(o.host, &kit)) return Fail(kExitUsage, "no Shift-JIS form: " + o.host);
      if (static_cast<int>(kit.size()) >= o.setting.Maximum()) return Refuse(o.too_long);
      o.setting.Assign(kit);
    }
    return 0;
  }

  // What Finish writes after saving the project, in its order.
  int WriteFinishFiles() {
    const wizard::ProjectSettings& s = loaded_.settings;
    // .txt/.inf files that Finish does not write: the wizard asks before
    // deleting them; here --clean is the author's yes.
    std::vector<std::string> foreign;
    wizard::ListForeignOutputs(s, current_dir_, &loaded_.files, &foreign, &source_);
    if (!foreign.empty() && !options_.clean) {
      std::string names;
      for (const std::string& name : foreign) names += "\n  " + source_.path() + name;
      return Fail(kExitForeignFiles,
                  "the source folder holds .txt/.inf files that Pakforge does not write; "
                  "--clean deletes them:" + names);
    }
    if (!wizard::WriteFinishFiles(s, current_dir_, &loaded_.files, &loaded_.registry, options_.clean,
                                  &written_, &source_, &packed_)) {
      return Fail(kExitNotWritten, WizardMessage(wizard::kStrNotAllWritten));
    }
    return 0;
  }

  // The builder with the batch file's arguments, from the project's folder.
  int RunBuilder() {
    WorkingFolder folder(current_dir_);
    if (!folder.entered()) return Fail(kExitNotWritten, "cannot enter " + current_dir_);
    const wizard::ProjectSettings& s = loaded_.settings;
    archive_ = s.Output.Text() + ".lvar";
    std::vector<std::string> args;
    for (const std::string& arg : wizard::BuilderArguments(s, !options_.check)) {
      args.push_back(wizard::host::ToHost(arg));
    }
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
    // The files and folders of the source folder, as the builder packed them.
    file_count_ = packed_.files().size();
    folder_count_ = packed_.folders().size();
    return kExitOk;
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
  wizard::LoadedProject loaded_;
  wizard::SourceIndex source_;  // the source folder before Finish's files
  wizard::SourceIndex packed_;  // and after them, as the builder packs it

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
