#include "pakforge_build/project_build.h"

#include "base/encoding.h"
#include "base/json_writer.h"
#include "base/host_path.h"
#include "base/listing_memo.h"
#include "base/path_resolver.h"
#include "base/sjis.h"
#include "builder/build_error.h"
#include "builder/driver.h"
#include "kit_version.h"
#include "pakforge_build/messages.h"
#include "pakforge_build/wizard_messages.h"
#include "wizard/build_outputs.h"
#include "wizard/file_utils.h"
#include "wizard/finish.h"
#include "wizard/project_pipeline.h"
#include "wizard/project_safety.h"
#include "wizard/texts.h"

namespace pakforge_build {
namespace {

using base::Stream;

constexpr char kVersion[] = PAK_KIT_NAME " " PAK_KIT_VERSION "\n";

// A kit text as UTF-8, for the JSON report (UTF-8 on every platform).
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
bool ProjectFolder(const base::FileAccess& fs, const std::string& kit_project, std::string* folder) {
  wizard::SplitPath(kit_project, folder, nullptr, nullptr);
  if (!IsAbsolute(*folder)) {
    const std::string here = wizard::CurrentDirectory(fs);
    if (here.empty()) return false;
    *folder = folder->empty() ? here : base::JoinPath(here, *folder);
  }
  while (folder->size() > 1 && folder->back() == base::kPathSeparator) folder->pop_back();
  return true;
}

// True when the last character of the kit text `path` is a path separator
// of its own (not the trail byte of a double-byte character).
bool IsTrailingSeparator(const std::string& path) {
  if (path.empty()) return false;
  if (path.back() == '/') return true;
#ifdef _WIN32
  return base::SjisFindLast(path, '\\') == path.size() - 1;
#else
  return false;
#endif
}

// `items` (kit texts) as a JSON array of their UTF-8 forms.
void JsonList(base::JsonWriter& json, const std::vector<std::string>& items) {
  json.BeginArray();
  for (const std::string& item : items) json.String(ToUtf8(item));
  json.EndArray();
}

// The builder's console: it speaks the program's language, keeps each
// warning the builder prints for the report, and with --json sends the
// builder's report lines to standard error, so that standard output holds the
// JSON document alone.
class BuilderConsole : public base::Console {
 public:
  BuilderConsole(base::Console& inner, bool errors_only, std::vector<std::string>* warnings)
      : base::Console(inner.language()), inner_(inner), errors_only_(errors_only), warnings_(warnings) {}
  void Write(Stream stream, std::string_view sjis) override {
    if (stream == Stream::kWarning) {
      std::string_view line = sjis;
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
      warnings_->emplace_back(line);
    }
    inner_.Write(errors_only_ && stream == Stream::kOut ? Stream::kErr : stream, sjis);
  }

 private:
  base::Console& inner_;
  bool errors_only_;
  std::vector<std::string>* warnings_;
};

// One build of a saved project: what it found, wrote and built, and how it
// ended.
class ProjectBuild {
 public:
  ProjectBuild(const Options& options, RunEnvironment& env)
      : options_(options),
        env_(env),
        memo_(base::FileAccess{env.files, env.lister}),
        fs_(memo_.access()),
        console_(env.console, options.json, &warnings_) {}

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
  // One of this program's texts in the console's language.
  template <typename... Args>
  std::string Say(Message id, Args... args) const {
    return Text(env_.console.language(), id, args...);
  }
  int Refuse(int string_id, const std::string& argument = std::string(),
             const std::string& detail = std::string()) {
    std::string text = WizardMessage(env_.console.language(), string_id, argument);
    if (!detail.empty()) text += "\n  " + detail;
    return Fail(kExitRefused, text);
  }
  // A refusal of the safety rules: the message, then what it concerns (in
  // place of the message's "%s" where it has one).
  int RefuseUnsafe(const wizard::SafetyRefusal& unsafe) {
    const std::string detail = unsafe.Detail();
    std::string located = LocatedKey(unsafe.what);
    if (const std::string other = LocatedKey(unsafe.other); !other.empty()) {
      located += (located.empty() ? "" : "\n  ") + other;
    }
    if (located.empty() && unsafe.string_id == wizard::kStrBadName) located = detail;
    return Refuse(unsafe.string_id, detail, located);
  }
  void Warn(const std::string& sjis) {
    warnings_.push_back(sjis);
    env_.console.Write(Stream::kErr, "pakforge-build: " + Say(Message::kWarning) + sjis + "\n");
  }

  // The road of the wizard's Finish: the project read once, its lists read
  // as the pages show them, every page's checks, Finish's files; then the
  // builder with the batch file's arguments.
  int Steps() {
    if (!base::ExactKitText(options_.project, &project_)) {
      return Fail(kExitNoProject, Say(Message::kProjectNameNotSjis, options_.project.c_str()));
    }
    if (!ProjectFolder(fs_, project_, &current_dir_)) {
      return Fail(kExitNotWritten, Say(Message::kCurrentFolderUnnamed));
    }
    // Refused before it is read at all.
    if (wizard::ProjectFileTooLarge(fs_, project_)) {
      return Fail(kExitNoProject, Say(Message::kProjectTooLarge, project_.c_str()));
    }
    if (!wizard::LoadProject(fs_, project_, &loaded_)) {
      return Fail(kExitNoProject, Say(Message::kCannotReadProject, project_.c_str()));
    }
    // A hand-written file: its names that are not read are warned of, its
    // words that would read as other words refused.
    if (int status = ReviewProjectFile()) return status;
    if (wizard::Refusal words; !wizard::CheckRegistryWords(loaded_.unknown_words, &words)) {
      return Refuse(words.string_id, words.argument);
    }
    if (int status = ApplyOverrides()) return status;

    wizard::ProjectSettings& s = loaded_.settings;
    // Nothing outside the project's folder is read: the source folder is
    // followed through its links before it is listed, and every name is
    // checked before a row is looked up.
    wizard::SafetyRefusal unsafe;
    if (!wizard::CheckControlCharacters(s, &loaded_.files, &loaded_.registry, &unsafe) ||
        !wizard::CheckSourceFolderInside(fs_, s, current_dir_, env_.resolver, &unsafe) ||
        !wizard::CheckProjectNames(s, &loaded_.files, &unsafe)) {
      return RefuseUnsafe(unsafe);
    }
    const wizard::SourceIndex* source = wizard::ReadSourceFolder(fs_, s, current_dir_, &source_) ? &source_ : nullptr;
    const wizard::ListReading reading = wizard::ReadListsAsPages(s, source, loaded_.files, loaded_.registry);
    if (source && reading.rebuilt && loaded_.files.Count() == 0) {
      Warn(WizardMessage(env_.console.language(), wizard::kStrNoFiles));
    }
    // A file of the folder that no row names is packed but never installed.
    for (const std::string& name : reading.unlisted) {
      Warn(Say(Message::kUnlistedFile, name.c_str()));
    }
    wizard::Refusal refusal;
    if (!wizard::CheckEveryPage({fs_, s, current_dir_, source, loaded_.files, loaded_.registry}, &refusal)) {
      return Refuse(refusal.string_id, refusal.argument, RefusalDetail(refusal));
    }
    // Page 2's picker offers only the files copied into the application
    // folder; a project file written by hand may name any.
    if (!wizard::CheckStartupProgramRow(s, loaded_.files, &refusal)) {
      return Refuse(refusal.string_id, refusal.argument,
                    Say(Message::kExeNotAFileRow, s.Exe.Text().c_str()) + "\n  " + RefusalDetail(refusal));
    }
    std::string project_folder;
    wizard::SplitPath(project_, &project_folder, nullptr, nullptr);
    if (!wizard::CheckOutputNames(s, &loaded_.files, project_.substr(project_folder.size()), &unsafe) ||
        !wizard::CheckBatchPaths(s, current_dir_, &unsafe)) {
      return RefuseUnsafe(unsafe);
    }
    if (int status = WriteFinishFiles()) return status;
    return RunBuilder();
  }

  // Where a refusal points: the field's project-file key with its line and
  // value (or the option that replaced it), or the rows.
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
    const wizard::ProjectSettings& s = loaded_.settings;
    const struct {
      wizard::Field field;
      const char* key;
      const wizard::TextSetting& setting;
    } keys[] = {{wizard::Field::kProduct, "Product", s.Product}, {wizard::Field::kName, "Name", s.Name},
                {wizard::Field::kCaption, "Caption", s.Caption},  {wizard::Field::kVer, "Ver", s.Ver},
                {wizard::Field::kOutput, "Output", s.Output},     {wizard::Field::kSource, "Source", s.Source},
                {wizard::Field::kInstDir, "InstDir", s.InstDir},  {wizard::Field::kUninstFile, "UninstFile", s.UninstFile},
                {wizard::Field::kCmd, "Cmd", s.Cmd},              {wizard::Field::kExe, "Exe", s.Exe}};
    for (const auto& k : keys) {
      if (k.field == refusal.field) return KeyDetail(k.key, k.setting.Text());
    }
    if (refusal.field == wizard::Field::kUninstall) {
      return KeyDetail("Uninstall", s.Uninstall.On() ? "true" : "false");
    }
    return std::string();
  }

  // "Pakforge_X.ini:12: InstDir=value" for a key of section Property; the
  // option that replaced it for this run; or that the key is not there.
  std::string KeyDetail(const std::string& key, const std::string& value) const {
    if (key == "Source" && !options_.source.empty()) {
      return Say(Message::kOptionValue, "--source", value.c_str(), key.c_str());
    }
    if (key == "Output" && !options_.output.empty()) {
      return Say(Message::kOptionValue, "--output", value.c_str(), key.c_str());
    }
    const std::size_t line = loaded_.ini.LineOf("Property", key);
    if (line == 0) return Say(Message::kKeyAbsent, project_.c_str(), key.c_str());
    return Say(Message::kKeyAt, project_.c_str(), std::to_string(line).c_str(), key.c_str(), value.c_str());
  }

  // "Pakforge_X.ini:3: File3=..\x.exe" for a "key=value" text of a safety
  // refusal whose key the project file holds; empty otherwise.
  std::string LocatedKey(const std::string& what) const {
    const std::size_t eq = what.find('=');
    if (eq == std::string::npos || eq == 0) return std::string();
    const std::string key = what.substr(0, eq);
    for (const char* section : {"Property", "CopyFile", "Folder", "SetupIni"}) {
      if (const std::size_t line = loaded_.ini.LineOf(section, key)) {
        return Say(Message::kKeyAt, project_.c_str(), std::to_string(line).c_str(), key.c_str(),
                   what.substr(eq + 1).c_str());
      }
    }
    return std::string();
  }

  // Warns of every name the project file holds that is not read, and
  // refuses the words that would be read as other words, each with its line.
  int ReviewProjectFile() {
    const wizard::ProjectFileReview& review = loaded_.review;
    const auto more = [this](std::size_t listed, std::size_t count) {
      return Say(Message::kMoreNotListed, std::to_string(count - listed).c_str());
    };
    for (const wizard::UnreadName& n : review.unread) {
      const std::string line = std::to_string(n.line);
      std::string text = n.key.empty() ? Say(Message::kSectionNotRead, project_.c_str(), line.c_str(), n.section.c_str())
                                       : Say(Message::kKeyNotRead, project_.c_str(), line.c_str(), n.key.c_str());
      if (!n.suggestion.empty()) {
        const std::string named = n.key.empty() ? "[" + n.suggestion + "]" : n.suggestion;
        text += Say(Message::kDidYouMean, named.c_str());
      }
      Warn(text);
    }
    if (review.unread_count > review.unread.size()) Warn(more(review.unread.size(), review.unread_count));
    if (review.word_count == 0) return 0;
    std::string text = Say(Message::kWordsRefused);
    for (const wizard::UnwrittenWord& w : review.words) {
      text += "\n  " + Say(Message::kWordNotWritten, project_.c_str(), std::to_string(w.line).c_str(), w.key.c_str(),
                           w.value.c_str(), w.accepted.c_str(), w.read_as.c_str());
    }
    if (review.word_count > review.words.size()) text += "\n  " + more(review.words.size(), review.word_count);
    return Fail(kExitRefused, text);
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
      if (!base::ExactKitText(o.host, &kit)) return Fail(kExitUsage, Say(Message::kValueNotSjis, o.host.c_str()));
      // "--source TinyNotes/" as tab completion writes it: one separator
      // at the end is the folder's own.
      if (&o.setting == &s.Source && kit.size() > 1 && IsTrailingSeparator(kit)) kit.pop_back();
      // "--output Foo.lvar" names the archive Foo.lvar, not Foo.lvar.lvar.
      if (&o.setting == &s.Output && kit.size() > 5 &&
          base::EqualsIgnoreAsciiCase(std::string_view(kit).substr(kit.size() - 5), ".lvar")) {
        kit.resize(kit.size() - 5);
      }
      if (static_cast<int>(kit.size()) >= o.setting.Maximum()) {
        const char* option = &o.setting == &s.Source ? "--source" : "--output";
        return Refuse(o.too_long, std::string(),
                      Say(Message::kOptionValue, option, kit.c_str(), &o.setting == &s.Source ? "Source" : "Output"));
      }
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
    wizard::ListForeignOutputs(fs_, s, current_dir_, &loaded_.files, &foreign, &source_);
    if (!foreign.empty() && !options_.clean) {
      std::string names;
      for (const std::string& name : foreign) names += "\n  " + source_.path() + name;
      return Fail(kExitForeignFiles, Say(Message::kForeignFiles) + names);
    }
    // The old archive stays: the builder replaces it only once the new one
    // is complete, so a failed build (a full disk) or a check keeps the
    // last good one.
    // The source folder is opened once, inside the project's folder: Finish
    // writes and deletes through this handle, and the builder packs from it.
    std::string folder;
    if (s.SourceFolderPath(current_dir_, &folder)) source_folder_ = wizard::OpenFolderInside(fs_, folder, current_dir_);
    const bool ok = source_folder_ &&
                    wizard::WriteFinishFiles(fs_, s, current_dir_, &loaded_.files, &loaded_.registry, options_.clean,
                                             &written_, &source_, &packed_, /*remove_archive=*/false,
                                             source_folder_.get());
    // With --clean, the foreign files are gone now: each is named.
    for (const std::string& name : foreign) {
      if (!wizard::FileExists(fs_, source_.path() + name)) deleted_.push_back(source_.path() + name);
    }
    if (!ok) {
      return Fail(kExitNotWritten, WizardMessage(env_.console.language(), wizard::kStrNotAllWritten));
    }
    return 0;
  }

  // The builder with the batch file's arguments, from the project's folder.
  int RunBuilder() {
    const std::unique_ptr<base::EnteredFolder> folder = fs_.files.EnterFolder(base::HostText(current_dir_));
    if (!folder) return Fail(kExitNotWritten, Say(Message::kCannotEnter, current_dir_.c_str()));
    const wizard::ProjectSettings& s = loaded_.settings;
    archive_ = s.ArchiveName();
    std::vector<std::string> args;
    for (const std::string& arg : wizard::BuilderArguments(s, !options_.check)) {
      args.push_back(base::HostText(arg));
    }
    builder::BuildEnvironment build{console_, fs_.lister, fs_.files};
    build.source = source_folder_.get();
    builder_code_ = builder::RunBuild(args, build);
    if (builder_code_ != 0) {
      errors_.push_back(Say(Message::kBuilderFailed, static_cast<unsigned>(builder_code_)));
      return builder::ExitStatusFor(builder_code_);
    }
    if (!options_.check) {
      base::FileInfo info;
      if (fs_.files.Stat(base::HostText(base::JoinPath(current_dir_, archive_)), &info)) {
        archive_size_ = info.size;
      }
    }
    // The entries of the source folder, as the builder packed them: its
    // Native.ina goes into the header, not among the entries.
    for (const wizard::SourceFile& file : packed_.files()) {
      if (file.folder.empty() && wizard::IsNativeIna(file.name)) {
        native_ina_ = true;
      } else {
        ++file_count_;
      }
    }
    folder_count_ = packed_.folders().size();
    return kExitOk;
  }

  void Report(int status) {
    const bool built = status == kExitOk && !options_.check;
    if (options_.json) {
      std::string j;
      base::JsonWriter json(&j, base::JsonLayout::kMembersOnLines);
      json.BeginObject();
      json.Key("project").String(ToUtf8(project_));
      json.Key("folder").String(ToUtf8(current_dir_));
      json.Key("check_only").Bool(options_.check);
      JsonList(json.Key("written"), written_);
      JsonList(json.Key("deleted"), deleted_);
      if (built) {
        json.Key("archive").String(ToUtf8(archive_));
        json.Key("archive_size").Number(archive_size_);
      } else {
        json.Key("archive").Null();
        json.Key("archive_size").Null();
      }
      json.Key("files").Number(file_count_);
      json.Key("native_ina").Bool(native_ina_);
      json.Key("folders").Number(folder_count_);
      JsonList(json.Key("warnings"), warnings_);
      JsonList(json.Key("errors"), errors_);
      json.Key("builder_code").Number(builder_code_);
      json.Key("status").Number(status);
      json.EndObject();
      j += '\n';
      if (env_.json) {
        *env_.json = j;
      } else {
        env_.console.Write(Stream::kOut, j);
      }
      return;
    }
    if (status != kExitOk && written_.empty() && deleted_.empty()) return;
    std::string r;
    for (const std::string& path : deleted_) r += Say(Message::kDeleted, path.c_str());
    for (const std::string& path : written_) r += Say(Message::kWrote, path.c_str());
    if (status == kExitOk) {
      // "6 entries (+ Native.ina) in 1 sub-folder": what lvar list shows.
      const auto entries = static_cast<unsigned>(file_count_);
      const auto folders = static_cast<unsigned>(folder_count_);
      std::string counts = Say(entries == 1 ? Message::kEntry : Message::kEntries, entries);
      if (native_ina_) counts += Say(Message::kPlusNativeIna);
      counts += Say(folders == 1 ? Message::kInSubFolder : Message::kInSubFolders, folders);
      if (built) {
        r += Say(Message::kArchiveBuilt, base::JoinPath(current_dir_, archive_).c_str(),
                 static_cast<unsigned long long>(archive_size_), counts.c_str());
      } else {
        r += Say(Message::kCheckPassed, counts.c_str());
      }
    }
    env_.console.Write(Stream::kOut, r);
  }

  const Options& options_;
  RunEnvironment& env_;
  // The environment's file system and lister, for the wizard's steps and
  // the builder alike: the builder's listing of the source folder takes what
  // the wizard's examined, except the files Finish wrote.
  base::ListingMemo memo_;
  const base::FileAccess fs_;
  BuilderConsole console_;

  std::string project_;
  std::string current_dir_;
  wizard::LoadedProject loaded_;
  wizard::SourceIndex source_;  // the source folder before Finish's files
  wizard::SourceIndex packed_;  // and after them, as the builder packs it
  std::unique_ptr<base::Folder> source_folder_;  // held open from Finish to the build

  std::vector<std::string> written_;
  std::vector<std::string> deleted_;
  std::vector<std::string> warnings_;
  std::vector<std::string> errors_;
  std::string archive_;
  std::uint64_t archive_size_ = 0;
  std::size_t file_count_ = 0;
  std::size_t folder_count_ = 0;
  bool native_ina_ = false;
  builder::BuildErrorCode builder_code_ = 0;
};

}  // namespace

std::string UsageText(base::Language language) { return Text(language, Message::kUsage); }

bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error,
                  base::Language language) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* value = nullptr;
    if (arg == "--source") value = &options->source;
    else if (arg == "--output") value = &options->output;
    if (value) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        *error = Text(language, Message::kOptionNeedsValue, arg.c_str());
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
      *error = Text(language, Message::kUnknownOption, arg.c_str());
      return false;
    } else if (options->project.empty()) {
      options->project = arg;
    } else {
      *error = Text(language, Message::kOneProjectOnly);
      return false;
    }
  }
  if (options->project.empty() && !options->help && !options->version) {
    *error = Text(language, Message::kNoProjectGiven);
    return false;
  }
  return true;
}

int RunProjectBuild(const Options& options, RunEnvironment& env) {
  if (options.help) {
    env.console.Write(Stream::kOut, UsageText(env.console.language()));
    return kExitOk;
  }
  if (options.version) {
    env.console.Write(Stream::kOut, kVersion);
    return kExitOk;
  }
  ProjectBuild build(options, env);
  return build.Execute();
}

}  // namespace pakforge_build
