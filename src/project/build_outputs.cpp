#include "project/build_outputs.h"

#include <cstdio>

#include "base/host_path.h"
#include "base/sjis.h"
#include "project/file_utils.h"
#include "project/source_index.h"
#include "project/texts.h"

namespace project {
namespace {

// Doubles every "%" so that the command interpreter keeps it.
std::string BatchQuote(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

// "1,234,567": the digits of `value` in groups of three.
std::string GroupDigits(std::uint64_t value) {
  std::string digits = std::to_string(value);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// `text` cut to at most `limit` bytes without splitting a double-byte
// character, with "..." after a cut.
std::string CutAtCharacter(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  return std::string(base::SjisCut(text, limit)) + "...";
}

}  // namespace

std::uint32_t EstimateArchiveSize(const SourceIndex& source) {
  std::uint32_t total = 0;
  for (const SourceFile& file : source.files()) {
    if (base::EqualsIgnoreAsciiCase(file.name, "Native.ina")) continue;
    total += static_cast<std::uint32_t>(file.name.size()) + static_cast<std::uint32_t>(file.size & 0xFFFFFFFFu) +
             12u;
  }
  return total;
}

std::string SetupIniText(const ProjectSettings& s, std::uint32_t estimate) {
  std::uint32_t ram = estimate + 256u;
  std::uint32_t registry = static_cast<std::uint32_t>(static_cast<double>(ram) * 0.2);
  if (registry < 65536u) registry = 65536u;
  int place = s.Dest == kLocationMainOnly ? 1 : s.Dest == kLocationCardOnly ? 2 : 3;
  std::string t;
  t += "[APPNAME]\r\nappname = " + s.SetupIniName.Text() + "\r\n";
  t += "file = " + s.Output.Text() + ".lvar\r\n";
  // The figures are unsigned: a folder above 2 GB must not print negative.
  t += "[REGISTRY]\r\nbyte = " + std::to_string(registry) + "\r\n";
  t += "[RAM]\r\nbyte = " + std::to_string(ram) + "\r\n";
  t += "[PLACE]\r\ndrive = " + std::to_string(place) + "\r\n";
  return t;
}

bool WriteSetupIni(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                   std::uint32_t estimate) {
  std::string text = SetupIniText(s, estimate);
  if (current_dir.size() + 10 >= static_cast<std::size_t>(kMaxPath)) return false;
  return WriteTextFile(fs, base::JoinPath(current_dir, "Setup.ini"), text);
}

std::vector<std::string> BuilderArguments(const ProjectSettings& s, bool with_archive) {
  std::vector<std::string> args = {s.Source.Text()};
  if (with_archive) args.push_back(s.ArchiveName());
  const BuilderMasks masks;
  const struct {
    const char* option;
    std::uint16_t mask;
  } options[] = {{"-p", masks.platform}, {"-o", masks.os_version}, {"-c", masks.cpu_type}};
  for (const auto& o : options) {
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04x", static_cast<unsigned>(o.mask));
    args.emplace_back(o.option);
    args.emplace_back(digits);
  }
  return args;
}

bool IsBatchSafe(std::string_view path) {
  for (char c : path) {
    const unsigned char byte = static_cast<unsigned char>(c);
    // A trail byte of a double-byte character is never one of these.
    if (byte == '"' || IsControlCharacter(byte)) return false;
  }
  return true;
}

std::string BatchText(const ProjectSettings& s, const std::string& current_dir) {
  // The folder and the archive in double quotes; the masks as they stand.
  const std::vector<std::string> args = BuilderArguments(s, true);
  std::string text = "cd \"" + BatchQuote(current_dir) + "\"\r\nPakmak";
  for (std::size_t i = 0; i < args.size(); ++i) {
    text += i < 2 ? " \"" + BatchQuote(args[i]) + "\"" : " " + args[i];
  }
  return text + "\r\n";
}

bool BatchPath(const ProjectSettings& s, const std::string& current_dir, std::string* path) {
  if (current_dir.size() + s.Name.Text().size() + 5 >= static_cast<std::size_t>(kMaxPath)) return false;
  *path = base::JoinPath(current_dir, s.Name.Text() + ".bat");
  return true;
}

bool WriteBatchFile(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                    std::string* path) {
  for (const std::string* quoted : {&current_dir, &s.Source.Text(), &s.Output.Text()}) {
    if (!IsBatchSafe(*quoted)) return false;
  }
  return BatchPath(s, current_dir, path) && WriteTextFile(fs, *path, BatchText(s, current_dir));
}

void ReportBuild(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                 const BuildRun& run, MessageSink& messages) {
  if (run.outcome == BuildRun::Outcome::kStillRunning) {
    messages.ShowFilled(kStrBuildRunning, MessageIcon::kWarning, {std::to_string(run.waited_seconds)});
    return;
  }
  const std::string name = s.ArchiveName();
  base::FileInfo archive;
  if (run.outcome == BuildRun::Outcome::kEnded && run.exit_code == 0 &&
      fs.files.Stat(base::HostText(base::JoinPath(current_dir, name)), &archive) &&
      archive.kind == base::FileKind::kRegular) {
    messages.ShowFilled(kStrBuildDone, MessageIcon::kInformation, {name, GroupDigits(archive.size)});
    return;
  }
  messages.ShowFilled(kStrBuildFailed, MessageIcon::kError, {CutAtCharacter(run.output, kBuildOutputShown)});
}

}  // namespace project
