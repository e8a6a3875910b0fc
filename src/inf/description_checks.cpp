#include "inf/description_checks.h"

#include <string>

#include "base/sjis.h"
#include "inf/messages.h"
#include "inf/section_table.h"

namespace inf {

namespace {

const char* TextOrNull(const OptionalText& text) { return text ? text->c_str() : "(null)"; }

std::uint32_t DestinationCodeOf(const std::string& value) {
  if (base::EqualsIgnoreAsciiCase(value, "MAINMEM_ONLY")) return 1;
  if (base::EqualsIgnoreAsciiCase(value, "STORAGE_ONLY")) return 2;
  if (base::EqualsIgnoreAsciiCase(value, "ALTERNATIVE")) return 3;
  return 0;
}

void ListAppInformation(const AppInformationRecord& r, base::Console& console) {
  const base::Stream e = base::Stream::kErr;
  const std::string major = std::to_string(r.major_ver), minor = std::to_string(r.minor_ver);
  const std::pair<const char*, const char*> keys[] = {
      {"Maker", TextOrNull(r.maker)},          {"Program", TextOrNull(r.program)},
      {"MajorVer", major.c_str()},             {"MinorVer", minor.c_str()},
      {"InstallDir", TextOrNull(r.install_dir)}, {"ExeFile", TextOrNull(r.exe_file)},
      {"Uninstall", TextOrNull(r.uninstall)},  {"Icon", TextOrNull(r.icon)},
      {"Caption", TextOrNull(r.caption)},      {"SoundBmp", TextOrNull(r.sound_bmp)},
      {"Wave", TextOrNull(r.wave)},            {"CmndLine", TextOrNull(r.command_line)},
      {"OpData", TextOrNull(r.op_data)},       {"SettingDll", TextOrNull(r.setting_dll)},
      {"Destination", TextOrNull(r.destination)}, {"Unload", TextOrNull(r.unload)}};
  console.Write(e, "\n[ App Information ]\n\n");
  for (const auto& [key, value] : keys) console.Printf(e, "%-11s = %s\n", key, value);
}

std::uint32_t CheckAppInformation(const AppInformationRecord& r, base::Console& console,
                                  InstallInfoState* state, bool listing) {
  state->app_information_checked = true;
  state->uninstall_file_name = r.uninstall.value_or(std::string());
  std::uint32_t bits = 0;
  auto require = [&](bool present, const char* key, std::uint32_t bit) {
    if (present) return;
    Say(console, base::Stream::kErr, InfMessage::kKeywordMissing, key);
    bits |= bit;
  };
  require(r.maker.has_value(), "Maker", 0x1);
  require(r.program.has_value(), "Program", 0x2);
  if (r.major_ver == 0) {
    Say(console, base::Stream::kErr, InfMessage::kMajorVersionZero);
    Say(console, base::Stream::kErr, InfMessage::kMajorVerMayBeMissing);
    bits |= 0x4;
  }
  require(r.install_dir.has_value(), "InstallDir", 0x8);
  require(r.exe_file.has_value(), "ExeFile", 0x10);
  require(r.uninstall.has_value(), "Uninstall", 0x20);
  require(r.caption.has_value(), "Caption", 0x80);
  require(r.destination.has_value(), "Destination", 0x200);
  if (r.destination) {
    const std::uint32_t code = DestinationCodeOf(*r.destination);
    if (code == 0) {
      Say(console, base::Stream::kErr, InfMessage::kDestinationInvalid);
      // Where it was given and what would do, beside the listing's
      // internal names.
      if (r.destination_line > 0)
        Say(console, base::Stream::kErr, InfMessage::kDestinationAccepted, r.destination->c_str(),
            r.destination_line);
      bits |= 0x400;
    }
    if (code != 0) state->destination = code;
  }
  require(r.unload.has_value(), "Unload", 0x800);
  if (bits == 0) return 0;
  if (listing) ListAppInformation(r, console);
  return bits + 0x10000;
}

std::uint32_t CheckUninstallInformation(const UninstallInformationRecord& r,
                                        base::Console& console, bool listing) {
  std::uint32_t bits = 0;
  if (!r.maker) {
    Say(console, base::Stream::kErr, InfMessage::kKeywordMissing, "Maker");
    bits |= 0x1;
  }
  if (!r.program) {
    Say(console, base::Stream::kErr, InfMessage::kKeywordMissing, "Program");
    bits |= 0x2;
  }
  if (bits == 0) return 0;
  if (!listing) return bits + 0x20000;
  console.Write(base::Stream::kErr, "\n[ Uninstall Information ]\n\n");
  console.Printf(base::Stream::kErr, "Maker      = %s\n", TextOrNull(r.maker));
  console.Printf(base::Stream::kErr, "Program    = %s\n", TextOrNull(r.program));
  return bits + 0x20000;
}

std::uint32_t CheckExInstallInformation(const ExInstallInformationRecord& r,
                                        base::Console& console, bool listing) {
  if (r.program) return 0;
  Say(console, base::Stream::kErr, InfMessage::kKeywordMissing, "Program");
  if (!listing) return 0xA0001;
  console.Write(base::Stream::kErr, "\n[ Ex-Install Information ]\n\n");
  console.Printf(base::Stream::kErr, "Program = %s\n", TextOrNull(r.program));
  console.Printf(base::Stream::kErr, "TimeOut = %u\n", static_cast<unsigned>(r.time_out));
  return 0xA0001;
}

// A list section needs one statement at least: the code of an empty one;
// 0 for the other sections (Setup Data-Files may stay empty).
std::uint32_t EmptyListCode(SectionKind kind) {
  switch (kind) {
    case SectionKind::kMakeDirs: return 0x30000;
    case SectionKind::kDeleteDirs: return 0x40000;
    case SectionKind::kCopyFiles: return 0x50000;
    case SectionKind::kDeleteFiles: return 0x70000;
    case SectionKind::kAddRegistry: return 0x80000;
    case SectionKind::kDeleteRegistry: return 0x90000;
    default: return 0;
  }
}

// Checks one record, printing its messages and, with `listing`, the listing
// of a failing key-value record.
std::uint32_t CheckRecord(const SectionRecord& record, base::Console& console,
                          InstallInfoState* state, bool listing = true) {
  if (auto* app = std::get_if<AppInformationRecord>(&record.data)) {
    return CheckAppInformation(*app, console, state, listing);
  }
  if (auto* uninstall = std::get_if<UninstallInformationRecord>(&record.data)) {
    return CheckUninstallInformation(*uninstall, console, listing);
  }
  if (auto* ex = std::get_if<ExInstallInformationRecord>(&record.data)) {
    return CheckExInstallInformation(*ex, console, listing);
  }
  const std::uint32_t code = EmptyListCode(record.kind);
  if (code == 0 || record.item_count > 0) return 0;
  if (record.kind == SectionKind::kCopyFiles) {
    Say(console, base::Stream::kErr, InfMessage::kCopyFilesWithoutDefinition);
  } else {
    Say(console, base::Stream::kErr, InfMessage::kSectionWithoutDefinition,
                   std::string(SectionName(record.kind)).c_str());
  }
  return code;
}

// Drops what it is given: the checks of a passing record print nothing, and
// a failing one is checked again, printing, at the end of the file.
class SilentConsole : public base::Console {
 public:
  void Write(base::Stream, std::string_view) override {}
};

}  // namespace

DescriptionChecker::DescriptionChecker(const InstallInfoState& state, bool check_all)
    : app_information_checked_(state.app_information_checked),
      uninstall_file_name_(state.uninstall_file_name),
      destination_(state.destination),
      check_all_(check_all) {}

void DescriptionChecker::Add(SectionRecord record, int head_line, bool statements_failed) {
  if (check_all_) {
    // Every record is checked, and what a failing one records counts as
    // well: it is what the default mode would carry on with had it passed.
    InstallInfoState trial;
    trial.app_information_checked = app_information_checked_;
    trial.uninstall_file_name = uninstall_file_name_;
    trial.destination = destination_;
    SilentConsole silent;
    if (CheckRecord(record, silent, &trial, /*listing=*/false) && !statements_failed) {
      failures_.push_back({std::move(record), head_line});
    }
    app_information_checked_ = trial.app_information_checked;
    uninstall_file_name_ = std::move(trial.uninstall_file_name);
    destination_ = trial.destination;
    return;
  }
  if (failed_) return;  // the checks stop at the first failing record
  InstallInfoState trial;
  trial.app_information_checked = app_information_checked_;
  trial.uninstall_file_name = uninstall_file_name_;
  trial.destination = destination_;
  SilentConsole silent;
  if (CheckRecord(record, silent, &trial)) {
    failed_ = std::move(record);
    return;
  }
  app_information_checked_ = trial.app_information_checked;
  uninstall_file_name_ = std::move(trial.uninstall_file_name);
  destination_ = trial.destination;
}

std::uint32_t DescriptionChecker::Finish(base::Console& console, InstallInfoState* state) {
  state->app_information_checked = app_information_checked_;
  state->uninstall_file_name = uninstall_file_name_;
  state->destination = destination_;
  return failed_ ? CheckRecord(*failed_, console, state) : 0;
}

void DescriptionChecker::FinishEach(base::Console& console, InstallInfoState* state,
                                    const FailureReport& report) {
  state->app_information_checked = app_information_checked_;
  state->uninstall_file_name = uninstall_file_name_;
  state->destination = destination_;
  for (Failure& failure : failures_) {
    // The messages do not depend on the state; what the record records is
    // already in `state`.
    InstallInfoState scratch;
    const std::uint32_t code = CheckRecord(failure.record, console, &scratch, /*listing=*/false);
    report(code, failure.head_line, failure.record.kind);
  }
  failures_.clear();
}

std::uint32_t CheckInstallDescription(const SectionList& sections, base::Console& console,
                                      InstallInfoState* state) {
  DescriptionChecker checker(*state);
  for (const SectionRecord& record : sections) checker.Add(record);
  return checker.Finish(console, state);
}

}  // namespace inf
