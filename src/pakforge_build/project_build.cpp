#include "pakforge_build/project_build.h"

#include <functional>
#include <optional>

#include <nlohmann/json.hpp>

#include "base/encoding.h"
#include "base/host_path.h"
#include "base/path_resolver.h"
#include "base/sjis.h"
#include "builder/build_error.h"
#include "builder/driver.h"
#include "kit_version.h"
#include "pakforge_build/messages.h"
#include "pakforge_build/project_diagnostics.h"
#include "pakforge_build/wizard_messages.h"
#include "project/build_outputs.h"
#include "project/file_utils.h"
#include "project/finish.h"
#include "project/project_pipeline.h"
#include "project/project_run.h"
#include "project/project_safety.h"
#include "project/source_index.h"
#include "project/texts.h"

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
  project::SplitPath(kit_project, folder, nullptr, nullptr);
  if (!IsAbsolute(*folder)) {
    const std::string here = project::CurrentDirectory(fs);
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

using Json = nlohmann::ordered_json;

// `items` (kit texts) as a JSON array of their UTF-8 forms.
Json JsonList(const std::vector<std::string>& items) {
  Json json = Json::array();
  for (const std::string& item : items) json.push_back(ToUtf8(item));
  return json;
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

// --clean is the author's yes to deleting the source folder's other
// ".txt"/".inf" files; without it they stop the run, as the wizard's No does.
class CleanOption : public project::ForeignOutputPolicy {
 public:
  explicit CleanOption(bool clean) : clean_(clean) {}
  project::ForeignOutputs Decide(const std::vector<std::string>& names) override {
    if (names.empty()) return clean_ ? project::ForeignOutputs::kRemove : project::ForeignOutputs::kKeep;
    return clean_ ? project::ForeignOutputs::kRemove : project::ForeignOutputs::kStop;
  }

 private:
  bool clean_;
};

// The builder in this process, on the folder Finish left: the source
// folder's handle and listings as the run holds them, the paths given
// whole, and the masks of the batch file.
class InProcessBuild : public project::BuildPolicy {
 public:
  // `check`, when given, stands in for builder::Build: the diagnostics
  // mode's check of the written folder.
  using Check = std::function<builder::BuildErrorCode(const builder::BuildOptions&, builder::BuildEnvironment&)>;
  InProcessBuild(base::Console& console, const base::FileAccess& fs, bool with_archive, bool warnings_as_errors,
                 Check check)
      : console_(console),
        fs_(fs),
        with_archive_(with_archive),
        warnings_as_errors_(warnings_as_errors),
        check_(std::move(check)) {}
  bool BeforeWriting(const project::ProjectRun&) override { return true; }
  bool RemovesOldArchive() const override { return false; }
  bool Build(const project::ProjectRun& run) override {
    const project::ProjectSettings& s = run.settings();
    const project::SourceIndex& packed = run.packed();
    builder::BuildOptions options;
    options.directory = packed.host_path();
    // Named as the batch file names them, relative to the project's folder.
    options.directory_shown = s.Source.Text();
    if (with_archive_) {
      options.archive = base::HostText(base::JoinPath(run.current_dir(), s.ArchiveName()));
      options.archive_shown = s.ArchiveName();
    }
    const project::BuilderMasks masks;
    options.platform_mask = static_cast<std::uint32_t>(masks.platform) << 16;
    options.os_version_mask = static_cast<std::uint32_t>(masks.os_version) << 16;
    options.cpu_type_mask = static_cast<std::uint32_t>(masks.cpu_type) << 16;
    options.warnings_as_errors = warnings_as_errors_;
    builder::BuildEnvironment build{{console_, fs_.files, fs_.lister}};
    // The folder Finish wrote through, held open since it was checked, and
    // its listings as Finish left them: the builder lists nothing again.
    build.source = run.source_folder();
    if (run.source() != nullptr) build.listings = &packed;
    code_ = check_ ? check_(options, build) : builder::Build(options, build);
    return code_ == 0;
  }
  builder::BuildErrorCode code() const { return code_; }

 private:
  base::Console& console_;
  const base::FileAccess fs_;
  bool with_archive_;
  bool warnings_as_errors_;
  Check check_;
  builder::BuildErrorCode code_ = 0;
};

// One build of a saved project: what it found, wrote and built, and how it
// ended.
class ProjectBuild {
 public:
  ProjectBuild(const Options& options, RunEnvironment& env)
      : options_(options),
        env_(env),
        fs_{env.files, env.lister},
        console_(env.console, options.json, &warnings_) {
    if (options.diagnostics != builder::DiagnosticsFormat::kNone) {
      std::string folder;
      project::SplitPath(base::KitText(options.project), &folder, nullptr, nullptr);
      diagnostics_.emplace(env.console.language(), base::KitText(options.project), folder);
    }
  }

  int Execute() {
    const int status = Steps();
    Report(status);
    return status;
  }

 private:
  // Prints an error (with the program's name in front) and remembers it;
  // in the diagnostics mode, keeps it at `place` instead. `number`: the
  // wizard's message number, or kOwnMessage + pakforge-build's own.
  int Fail(int status, const std::string& sjis, const ProblemPlace& place = {}, int number = 0) {
    errors_.push_back(sjis);
    if (diagnostics_) {
      diagnostics_->Add(inf::Severity::kError, ProblemCode(status, number), sjis, place);
      if (!first_status_) first_status_ = status;
      return status;
    }
    env_.console.Write(Stream::kErr, "pakforge-build: " + sjis + "\n");
    return status;
  }
  int Fail(int status, Message id, const std::string& sjis, const ProblemPlace& place = {}) {
    return Fail(status, sjis, place, kOwnMessage + static_cast<int>(id));
  }
  // One of this program's texts in the console's language.
  template <typename... Args>
  std::string Say(Message id, Args... args) const {
    return Text(env_.console.language(), id, args...);
  }
  int Refuse(int string_id, const std::string& argument = std::string(),
             const std::string& detail = std::string(), const ProblemPlace& place = {}) {
    std::string text = WizardMessage(env_.console.language(), string_id, argument);
    if (!detail.empty()) text += "\n  " + detail;
    return Fail(kExitRefused, text, place, string_id);
  }
  // A refusal of the safety rules: the message, then what it concerns (in
  // place of the message's "%s" where it has one).
  int RefuseUnsafe(const project::SafetyRefusal& unsafe) {
    const std::string detail = unsafe.Detail();
    // The diagnostic stands at the first key; the other stays named.
    ProblemPlace place, other_place;
    std::string located = LocatedKey(unsafe.what, &place);
    if (const std::string other = LocatedKey(unsafe.other, &other_place); !other.empty()) {
      located += (located.empty() ? "" : "\n  ") + other;
      if (place.line == 0) place = other_place;
    }
    if (located.empty() && unsafe.string_id == project::kStrBadName) located = detail;
    return Refuse(unsafe.string_id, detail, located, place);
  }
  // A refusal of any check, with where it points.
  int RefuseChecked(const project::CheckRefusal& refusal) {
    if (refusal.safety) return RefuseUnsafe(refusal.unsafe);
    const project::Refusal& page = refusal.page;
    ProblemPlace place;
    const std::string detail = RefusalDetail(page, &place);
    if (refusal.check == project::CheckId::kStartupProgramRow) {
      return Refuse(page.string_id, page.argument,
                    Say(Message::kExeNotAFileRow, run().settings().Exe.Text().c_str()) + "\n  " + detail, place);
    }
    return Refuse(page.string_id, page.argument, detail, place);
  }
  void Warn(const std::string& sjis, const ProblemPlace& place = {}) {
    warnings_.push_back(sjis);
    if (diagnostics_) {
      diagnostics_->Add(inf::Severity::kWarning, 0, sjis, place);
      return;
    }
    env_.console.Write(Stream::kErr, "pakforge-build: " + Say(Message::kWarning) + sjis + "\n");
  }
  project::ProjectRun& run() { return *run_; }
  const project::ProjectRun& run() const { return *run_; }

  // The road of the wizard's Finish (project::ProjectRun), with the
  // overrides of the command line and the reports of this program.
  int Steps() {
    if (!base::ExactKitText(options_.project, &project_)) {
      return Fail(kExitNoProject, Message::kProjectNameNotSjis,
                  Say(Message::kProjectNameNotSjis, options_.project.c_str()));
    }
    if (!ProjectFolder(fs_, project_, &current_dir_)) {
      return Fail(kExitNotWritten, Message::kCurrentFolderUnnamed, Say(Message::kCurrentFolderUnnamed));
    }
    run_ = std::make_unique<project::ProjectRun>(fs_, current_dir_);
    project::Refusal words;
    const project::LoadOutcome loaded = run().Load(project_, &words);
    if (loaded == project::LoadOutcome::kTooLarge) {
      return Fail(kExitNoProject, Message::kProjectTooLarge, Say(Message::kProjectTooLarge, project_.c_str()));
    }
    if (loaded == project::LoadOutcome::kUnreadable) {
      return Fail(kExitNoProject, Message::kCannotReadProject, Say(Message::kCannotReadProject, project_.c_str()));
    }
    if (diagnostics_) diagnostics_->set_project_file(&run().project().ini);
    if (loaded == project::LoadOutcome::kUnconvertible) return RefuseUnconvertible();
    // A hand-written file: its names that are not read are warned of, its
    // words that would read as other words refused.
    // The diagnostics mode goes on after the words refused: each is
    // reported, and the checks below read nothing the words change.
    if (int status = ReviewProjectFile(); status && !diagnostics_) return status;
    if (diagnostics_) {
      RefuseRegistryWordsEach();
    } else if (loaded == project::LoadOutcome::kUnknownWords) {
      return Refuse(words.string_id, words.argument);
    }
    if (int status = ApplyOverrides()) return status;

    project::CheckRefusal refusal;
    if (!run().ReadSource(env_.resolver, &refusal)) return RefuseChecked(refusal);
    const project::ListReading& reading = run().reading();
    if (run().source() && reading.rebuilt && run().project().files.Count() == 0) {
      Warn(WizardMessage(env_.console.language(), project::kStrNoFiles));
    }
    // A file of the folder that no row names is packed but never installed.
    for (const std::string& name : reading.unlisted) {
      Warn(Say(Message::kUnlistedFile, name.c_str()),
           ProblemPlace{0, {}, {}, base::JoinPath(run().settings().Source.Text(), name), {}});
    }
    // The diagnostics mode reports the first refusal of each page; the
    // checks of Finish follow when the pages passed.
    if (diagnostics_) RefuseEachPage();
    if (!first_status_ && !run().Check(project::CheckStage::kAfterReading, &refusal)) return RefuseChecked(refusal);
    // Nothing is written for a project with errors.
    if (first_status_) return first_status_;
    return Finish();
  }

  // Finish's files, then the builder; what was deleted and written is
  // named in the report.
  int Finish() {
    CleanOption clean(options_.clean);
    // With --warnings=error, the project's own warnings hold the archive
    // back: the builder only checks; its own warnings fail it.
    const bool held = options_.warnings_as_errors && !warnings_.empty();
    InProcessBuild::Check check;
    if (diagnostics_) {
      check = [this](const builder::BuildOptions& options, builder::BuildEnvironment& build) {
        return CheckWrittenFolder(options, build, run().project(), *diagnostics_, [this](const std::string& key) {
          return Say(Message::kFromKey, key.c_str());
        });
      };
    }
    InProcessBuild build(console_, fs_, !options_.check && !held, options_.warnings_as_errors, check);
    const project::FinishResult result = run().Finish(clean, build);
    const std::vector<std::string>& foreign = run().foreign();
    // Page 3's check has read the source folder.
    const std::string folder = run().source() ? run().source()->path() : std::string();
    if (result == project::FinishResult::kDeclined && diagnostics_) {
      for (const std::string& name : foreign) {
        Fail(kExitForeignFiles, Message::kForeignFiles, Say(Message::kForeignFiles),
             ProblemPlace{0, {}, {}, base::JoinPath(run().settings().Source.Text(), name), {}});
      }
      return kExitForeignFiles;
    }
    if (result == project::FinishResult::kDeclined) {
      std::string names;
      for (const std::string& name : foreign) names += "\n  " + folder + name;
      return Fail(kExitForeignFiles, Message::kForeignFiles, Say(Message::kForeignFiles) + names);
    }
    written_ = run().written();
    // With --clean, the foreign files are gone now: each is named.
    for (const std::string& name : foreign) {
      if (!project::FileExists(fs_, folder + name)) deleted_.push_back(folder + name);
    }
    if (result == project::FinishResult::kNotWritten) {
      return Fail(kExitNotWritten, WizardMessage(env_.console.language(), project::kStrNotAllWritten), {},
                  project::kStrNotAllWritten);
    }
    archive_ = run().settings().ArchiveName();
    builder_code_ = build.code();
    if (builder_code_ != 0) {
      errors_.push_back(Say(Message::kBuilderFailed, static_cast<unsigned>(builder_code_)));
      return builder::ExitStatusFor(builder_code_);
    }
    if (held) {
      builder_code_ = inf::kWarningsFailedCode;
      const std::string text = Say(Message::kWarningsAreErrors);
      if (diagnostics_) {
        errors_.push_back(text);
      } else {
        Fail(0, text);
      }
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
    for (const project::SourceFile& file : run().packed().files()) {
      if (file.folder.empty() && project::IsNativeIna(file.name)) {
        native_ina_ = true;
      } else {
        ++file_count_;
      }
    }
    folder_count_ = run().packed().folders().size();
    return kExitOk;
  }

  // The diagnostics mode's checks of the pages: the first refusal of each,
  // in the order the author meets them. The pages check different fields;
  // only the files page needs the source folder, so it is left out when
  // that folder was refused or could not be read.
  void RefuseEachPage() {
    const project::ProjectRun& r = run();
    const project::ProjectUnderCheck p{r.fs(), r.settings(), r.current_dir(), r.source(), r.project().files,
                                      r.project().registry};
    project::Refusal refusal;
    const auto refuse = [this, &refusal] {
      ProblemPlace place;
      const std::string detail = RefusalDetail(refusal, &place);
      Refuse(refusal.string_id, refusal.argument, detail, place);
    };
    bool source_passed = p.source != nullptr;
    if (!project::CheckProgramFields(p.fs, p.settings, p.current_dir, &refusal)) {
      refuse();
      source_passed = source_passed && refusal.field != project::Field::kSource;
    }
    if (!project::CheckInstallFields(p.settings, &refusal)) refuse();
    if (source_passed && !project::CheckFilesPage(p, &refusal)) refuse();
    if (!project::CheckRegistryPage(p.registry, &refusal)) refuse();
  }

  // Where a refusal points: the field's project-file key with its line and
  // value (or the option that replaced it), or the rows.
  std::string RefusalDetail(const project::Refusal& refusal, ProblemPlace* place) const {
    if (refusal.field == project::Field::kFileRow) {
      std::string missing;
      for (const project::FileRow& row : run().project().files.rows) {
        if (!row.missing) continue;
        if (missing.empty()) LocateRow({"CopyFile", "", row.name}, place);
        missing += (missing.empty() ? "" : ", ") + row.name;
      }
      return missing;
    }
    if (refusal.field == project::Field::kRegistryRow) {
      const project::RegistryRow& row = run().project().registry.rows[static_cast<std::size_t>(refusal.row)];
      const std::string text = project::RegistryRowText(row);
      LocateRow({"Registry", "", text}, place);
      return "Registry: " + text;
    }
    const project::ProjectSettings& s = run().project().settings;
    const struct {
      project::Field field;
      const char* key;
      const project::TextSetting& setting;
    } keys[] = {{project::Field::kProduct, "Product", s.Product}, {project::Field::kName, "Name", s.Name},
                {project::Field::kCaption, "Caption", s.Caption},  {project::Field::kVer, "Ver", s.Ver},
                {project::Field::kOutput, "Output", s.Output},     {project::Field::kSource, "Source", s.Source},
                {project::Field::kInstDir, "InstDir", s.InstDir},  {project::Field::kUninstFile, "UninstFile", s.UninstFile},
                {project::Field::kCmd, "Cmd", s.Cmd},              {project::Field::kExe, "Exe", s.Exe}};
    for (const auto& k : keys) {
      if (k.field == refusal.field) return KeyDetail(k.key, k.setting.Text(), place);
    }
    if (refusal.field == project::Field::kUninstall) {
      return KeyDetail("Uninstall", s.Uninstall.On() ? "true" : "false", place);
    }
    return std::string();
  }

  // "Pakforge_X.ini:12: InstDir=value" for a key of section Property; the
  // option that replaced it for this run; or that the key is not there.
  std::string KeyDetail(const std::string& key, const std::string& value, ProblemPlace* place) const {
    std::string detail = KeyDetailText(key, value);
    place->section = "Property";
    place->key = key;
    place->line = run().project().ini.LineOf("Property", key);
    place->shown.push_back(detail);
    return detail;
  }
  std::string KeyDetailText(const std::string& key, const std::string& value) const {
    if (key == "Source" && !options_.source.empty()) {
      return Say(Message::kOptionValue, "--source", value.c_str(), key.c_str());
    }
    if (key == "Output" && !options_.output.empty()) {
      return Say(Message::kOptionValue, "--output", value.c_str(), key.c_str());
    }
    const std::size_t line = run().project().ini.LineOf("Property", key);
    if (line == 0) return Say(Message::kKeyAbsent, project_.c_str(), key.c_str());
    return Say(Message::kKeyAt, project_.c_str(), std::to_string(line).c_str(), key.c_str(), value.c_str());
  }

  // "Pakforge_X.ini:3: File3=..\x.exe" for a "key=value" text of a safety
  // refusal whose key the project file holds; empty otherwise.
  std::string LocatedKey(const std::string& what, ProblemPlace* place) const {
    const std::size_t eq = what.find('=');
    if (eq == std::string::npos || eq == 0) return std::string();
    const std::string key = what.substr(0, eq);
    for (const char* section : {"Property", "CopyFile", "Folder", "SetupIni"}) {
      if (const std::size_t line = run().project().ini.LineOf(section, key)) {
        std::string located = Say(Message::kKeyAt, project_.c_str(), std::to_string(line).c_str(), key.c_str(),
                                  what.substr(eq + 1).c_str());
        *place = ProblemPlace{line, section, key, {}, {located}};
        return located;
      }
    }
    return std::string();
  }

  // The place of the project file's row that holds `origin`, when it has one.
  void LocateRow(const project::LineOrigin& origin, ProblemPlace* place) const {
    std::string key;
    std::size_t line = 0;
    if (project::LocateOrigin(run().project().ini, origin, &key, &line)) {
      *place = ProblemPlace{line, origin.section, key, {}, {}};
    }
  }

  // The diagnostics mode's refusal of the registry rows' unknown words:
  // one for each row, at its key.
  void RefuseRegistryWordsEach() {
    std::size_t i = 0;
    while (i < run().project().unknown_words.size()) {
      std::vector<project::UnknownRegistryWord> row;
      const int number = run().project().unknown_words[i].row;
      for (; i < run().project().unknown_words.size() && run().project().unknown_words[i].row == number; ++i) {
        row.push_back(run().project().unknown_words[i]);
      }
      project::Refusal words;
      if (project::CheckRegistryWords(row, &words)) continue;
      const std::string key = "RegistryKey" + std::to_string(number);
      Refuse(words.string_id, words.argument, std::string(),
             ProblemPlace{run().project().ini.LineOf("Registry", key), "Registry", key, {}, {}});
    }
  }

  // Warns of every name the project file holds that is not read, and
  // refuses the words that would be read as other words, each with its line.
  int ReviewProjectFile() {
    const project::ProjectFileReview& review = run().project().review;
    const auto more = [this](std::size_t listed, std::size_t count) {
      return Say(Message::kMoreNotListed, std::to_string(count - listed).c_str());
    };
    for (const project::UnreadName& n : review.unread) {
      const std::string line = std::to_string(n.line);
      std::string text = n.key.empty() ? Say(Message::kSectionNotRead, project_.c_str(), line.c_str(), n.section.c_str())
                                       : Say(Message::kKeyNotRead, project_.c_str(), line.c_str(), n.key.c_str());
      if (!n.suggestion.empty()) {
        const std::string named = n.key.empty() ? "[" + n.suggestion + "]" : n.suggestion;
        text += Say(Message::kDidYouMean, named.c_str());
      }
      Warn(diagnostics_ ? WithoutPlace(text, line) : text, ProblemPlace{n.line, n.section, n.key, {}, {}});
    }
    if (review.unread_count > review.unread.size()) Warn(more(review.unread.size(), review.unread_count));
    if (review.word_count == 0) return 0;
    if (diagnostics_) {
      // One error for each word, at its line.
      for (const project::UnwrittenWord& w : review.words) {
        const std::string line = std::to_string(w.line);
        Fail(kExitRefused, Message::kWordNotWritten,
             WithoutPlace(Say(Message::kWordNotWritten, project_.c_str(), line.c_str(), w.key.c_str(), w.value.c_str(),
                              w.accepted.c_str(), w.read_as.c_str()),
                          line),
             ProblemPlace{w.line, {}, w.key, {}, {}});
      }
      if (review.word_count > review.words.size()) {
        Fail(kExitRefused, Message::kMoreNotListed, more(review.words.size(), review.word_count));
      }
      return kExitRefused;
    }
    std::string text = Say(Message::kWordsRefused);
    for (const project::UnwrittenWord& w : review.words) {
      text += "\n  " + Say(Message::kWordNotWritten, project_.c_str(), std::to_string(w.line).c_str(), w.key.c_str(),
                           w.value.c_str(), w.accepted.c_str(), w.read_as.c_str());
    }
    if (review.word_count > review.words.size()) text += "\n  " + more(review.words.size(), review.word_count);
    return Fail(kExitRefused, text);
  }

  // A project file saved as UTF-8 with a character that Shift-JIS lacks
  // (or marked as UTF-8 with a byte that is none) was read undecoded, every
  // Japanese text of it garbled: it is refused at that character's line
  // before anything is checked or written.
  int RefuseUnconvertible() {
    const project::UnconvertibleCharacter& u = run().project().unconvertible;
    const std::string line = std::to_string(u.line);
    const std::string point = project::CodePointText(u);
    const Message id = u.malformed     ? Message::kMalformedUtf8
                       : u.key.empty() ? Message::kUnconvertibleInLine
                                       : Message::kUnconvertibleInValue;
    const std::string text = id == Message::kUnconvertibleInValue
                                 ? Say(id, project_.c_str(), line.c_str(), u.key.c_str(), point.c_str())
                                 : Say(id, project_.c_str(), line.c_str(), point.c_str());
    return Fail(kExitRefused, id, diagnostics_ ? WithoutPlace(text, line) : text,
                ProblemPlace{static_cast<std::size_t>(u.line), {}, u.key, {}, {}});
  }

  // A review line without the "Pakforge_X.ini:12: " that begins it: the
  // diagnostic stands at that line itself.
  std::string WithoutPlace(const std::string& text, const std::string& line) const {
    const std::string place = project_ + ":" + line + ": ";
    return text.compare(0, place.size(), place) == 0 ? text.substr(place.size()) : text;
  }

  // --source and --output replace the saved values for this run only; they
  // are held to the lengths the wizard's fields take.
  int ApplyOverrides() {
    project::ProjectSettings& s = run().project().settings;
    struct Override {
      const std::string& host;
      project::TextSetting& setting;
      int too_long;
    } overrides[] = {{options_.source, s.Source, project::kStrSourceNameTooLong},
                     {options_.output, s.Output, project::kStrOutputTooLong}};
    for (const Override& o : overrides) {
      if (o.host.empty()) continue;
      std::string kit;
      if (!base::ExactKitText(o.host, &kit)) {
        return Fail(kExitUsage, Message::kValueNotSjis, Say(Message::kValueNotSjis, o.host.c_str()));
      }
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

  void Report(int status) {
    const bool built = status == kExitOk && !options_.check;
    if (diagnostics_) {
      std::optional<std::string> archive;
      if (built) archive = ToUtf8(base::JoinPath(current_dir_, archive_));
      const std::string report = diagnostics_->Report(options_.diagnostics, archive);
      if (env_.json) {
        *env_.json = report;
      } else {
        env_.console.Write(Stream::kOut, report);
      }
      return;
    }
    if (options_.json) {
      const Json json = {{"project", ToUtf8(project_)},
                         {"folder", ToUtf8(current_dir_)},
                         {"check_only", options_.check},
                         {"written", JsonList(written_)},
                         {"deleted", JsonList(deleted_)},
                         {"archive", built ? Json(ToUtf8(archive_)) : Json(nullptr)},
                         {"archive_size", built ? Json(archive_size_) : Json(nullptr)},
                         {"files", file_count_},
                         {"native_ina", native_ina_},
                         {"folders", folder_count_},
                         {"warnings", JsonList(warnings_)},
                         {"errors", JsonList(errors_)},
                         {"builder_code", builder_code_},
                         {"status", status}};
      // Every text is UTF-8 (ToUtf8); the replacement only guards the output.
      const std::string j = json.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
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
  const base::FileAccess fs_;
  BuilderConsole console_;

  std::string project_;
  std::string current_dir_;
  std::unique_ptr<project::ProjectRun> run_;  // once the project's folder is known

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
  // The diagnostics mode's problems, and the status of the first error.
  std::optional<ProjectDiagnostics> diagnostics_;
  int first_status_ = 0;
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
    } else if (arg.rfind("--diagnostics=", 0) == 0) {
      if (!builder::ParseDiagnosticsFormat(std::string_view(arg).substr(14), &options->diagnostics)) {
        *error = Text(language, Message::kBadDiagnosticsFormat);
        return false;
      }
    } else if (arg == "--diagnostics") {
      *error = Text(language, Message::kBadDiagnosticsFormat);
      return false;
    } else if (arg.rfind("--warnings", 0) == 0) {
      if (arg != "--warnings=error") {
        *error = Text(language, Message::kBadWarningsValue);
        return false;
      }
      options->warnings_as_errors = true;
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
  if (options->json && options->diagnostics != builder::DiagnosticsFormat::kNone) {
    *error = Text(language, Message::kJsonWithDiagnostics);
    return false;
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
