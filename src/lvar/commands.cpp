#include "lvar/commands.h"

#include <cstdio>
#include <utility>

#include <nlohmann/json.hpp>

#include "base/hex.h"
#include "archive/archive_format.h"
#include "base/host_path.h"
#include "kit_version.h"
#include "lvar/archive_diff.h"
#include "lvar/archive_reader.h"
#include "lvar/exit_status.h"
#include "lvar/extractor.h"
#include "lvar/install_plan.h"
#include "lvar/messages.h"
#include "lvar/text_form.h"

namespace lvar {
namespace {

using Json = nlohmann::ordered_json;

const base::Stream kOut = base::Stream::kOut;
const base::Stream kErr = base::Stream::kErr;

struct CommandLine {
  std::string command;
  std::vector<std::string> operands;
  bool json = false, force = false, rename = false, native_ina = false, help = false;
};

// "lvar: ARCHIVE: offset 0x........: message" for a fault of the archive's
// bytes, "lvar: ARCHIVE: message" for the others.
void ReportFailure(LvarEnvironment& env, const std::string& path, const Status& status) {
  bool at_offset = false;
  switch (status.fault) {
    case Fault::kNotArchive:
    case Fault::kTruncated:
    case Fault::kBadField:
    case Fault::kUnsound:
      at_offset = true;
      break;
    case Fault::kRefused:  // a name, or the folder (offset 0)
      at_offset = status.offset != 0;
      break;
    default:
      break;
  }
  const std::string shown = base::KitText(path);
  const std::string message = DisplayText(NoteText(env.console.language(), status.note));
  if (at_offset)
    Say(env.console, kErr, Message::kFailureAt, shown.c_str(), base::HexNumber(status.offset, 8).c_str(), message.c_str());
  else
    Say(env.console, kErr, Message::kFailure, shown.c_str(), message.c_str());
}

// The word for an entry kind in the reader's language (JSON keeps KindWord).
const char* KindText(const base::Console& console, std::uint32_t kind) {
  return MessageText(console.language(), KindMessage(kind > 0xFF ? 0 : static_cast<std::uint8_t>(kind)));
}

// The destination's word on the console: the keyword of a known code, else
// "none" or "unknown" in the reader's language (JSON keeps DestinationWord).
const char* DestinationText(const base::Console& console, std::uint32_t destination) {
  if (destination == 0) return MessageText(console.language(), Message::kDestinationNone);
  if (destination >= archive::kDestinationCount) return MessageText(console.language(), Message::kDestinationUnknown);
  return DestinationWord(destination);
}

// The "status" member that ends every document.
Json StatusJson(const Status& status) {
  Json json = {{"ok", status.ok()}};
  if (!status.ok()) {
    json["fault"] = FaultWord(status.fault);
    json["offset"] = status.offset;
    // English in every language, as scripts read it.
    json["message"] = SjisTextJson(NoteText(base::Language::kEnglish, status.note));
  }
  return json;
}

// A path as the user gave it: a kit text on Windows, the host's bytes
// elsewhere (JsonText replaces those that are not UTF-8).
Json PathJson(const std::string& host_path) {
#ifdef _WIN32
  return SjisTextJson(host_path);
#else
  return host_path;
#endif
}

struct Block {
  Message label;
  const char* key;
  std::size_t at, size;
};
const Block kBlocks[] = {
    {Message::kBlockPlatform, "platform_information", archive::kPlatformBlockAt, archive::kPlatformBlockSize},
    {Message::kBlockOsVersion, "os_version_information", archive::kOsBlockAt, archive::kOsBlockSize},
    {Message::kBlockCpuType, "cpu_type_information", archive::kCpuBlockAt, archive::kCpuBlockSize}};

void PrintHeader(LvarEnvironment& env, const HeaderFields& h) {
  Say(env.console, kOut, Message::kHeaderEntries, h.entry_count);
  Say(env.console, kOut, Message::kHeaderPlatformMask, base::HexNumber(h.platform_mask, 8).c_str());
  Say(env.console, kOut, Message::kHeaderOsMask, base::HexNumber(h.os_version_mask, 8).c_str());
  Say(env.console, kOut, Message::kHeaderCpuMask, base::HexNumber(h.cpu_type_mask, 8).c_str());
  Say(env.console, kOut, Message::kHeaderDestination, h.destination, DestinationText(env.console, h.destination));
  for (const Block& block : kBlocks) {
    std::string text;
    const char* label = MessageText(env.console.language(), block.label);
    if (BlockAsText(&h.bytes[block.at], block.size, &text)) {
      env.console.Printf(kOut, "%-23s \"%s\"\n", label, text.c_str());
    } else {
      env.console.Printf(kOut, "%-23s %s\n", label, base::HexBytes(&h.bytes[block.at], block.size).c_str());
    }
  }
}

Json HeaderJson(const HeaderFields& h) {
  Json json = {{"entry_count", h.entry_count},
               {"platform_mask", h.platform_mask},
               {"os_version_mask", h.os_version_mask},
               {"cpu_type_mask", h.cpu_type_mask},
               {"destination", h.destination},
               {"destination_word", DestinationWord(h.destination)}};
  for (const Block& block : kBlocks) {
    Json& member = json[block.key] = Json::object();
    std::string text;
    if (BlockAsText(&h.bytes[block.at], block.size, &text)) member["text"] = SjisTextJson(text);
    member["hex"] = base::HexBytes(&h.bytes[block.at], block.size);
  }
  return json;
}

// Prints the header and each entry as the reading meets them. With --json
// each entry goes out as it is read too, so that memory does not grow with
// the archive: the document's members are written in the compact layout of
// JsonText, each value by JsonText, the punctuation between them here.
class ListPrinter : public ArchiveVisitor {
 public:
  ListPrinter(LvarEnvironment& env, bool json) : env_(env), json_(json) {}

  /// Opens the document with the archive's path.
  void BeginJson(const std::string& path) { out_ = "{\"archive\":" + JsonText(PathJson(path)); }

  /// Closes the entries, if the header was read, and the document with the
  /// status, and writes what is left.
  void EndJson(const Status& status) {
    if (in_array_) out_ += ']';
    in_array_ = false;
    out_ += ",\"status\":" + JsonText(StatusJson(status)) + "}\n";
    Flush();
  }

  Status OnHeader(const HeaderFields& header) override {
    if (json_) {
      out_ += ",\"header\":" + JsonText(HeaderJson(header)) + ",\"entries\":[";
      in_array_ = true;
    } else {
      PrintHeader(env_, header);
      Say(env_.console, kOut, Message::kListColumns);
    }
    return {};
  }

  Status OnEntry(const EntryFields& e) override {
    if (json_) {
      Json entry = {{"offset", e.offset}, {"kind", e.kind}, {"kind_word", KindWord(e.kind)}, {"size", e.size}};
      AddSjisName(entry, "name", e.name);
      if (!first_entry_) out_ += ',';
      first_entry_ = false;
      out_ += JsonText(entry);
      Flush();
    } else {
      env_.console.Printf(kOut, "%-10s  %-19s  %10u  %s\n", base::HexNumber(e.offset, 8).c_str(), KindText(env_.console, e.kind),
                          e.size, DisplayText(e.name).c_str());
    }
    return {};
  }

  void Flush() {
    env_.json.Write(kOut, out_);
    out_.clear();
  }

 private:
  LvarEnvironment& env_;
  bool json_;
  std::string out_;
  bool in_array_ = false;
  bool first_entry_ = true;
};

int List(LvarEnvironment& env, const CommandLine& cl) {
  const std::string& path = cl.operands[0];
  ListPrinter printer(env, cl.json);
  if (cl.json) printer.BeginJson(path);
  Status status = ReadArchiveFile(env.files, path, printer);
  if (cl.json) printer.EndJson(status);
  if (!status.ok()) ReportFailure(env, path, status);
  return ExitStatusOf(status);
}

// Writes the JSON document of a command on one archive: its path, what
// `members` writes when the command succeeded, and the status.
template <typename Members>
void JsonReport(LvarEnvironment& env, const std::string& path, const Status& status, Members members) {
  Json json = {{"archive", PathJson(path)}};
  if (status.ok()) members(json);
  json["status"] = StatusJson(status);
  env.json.Write(kOut, JsonText(json) + "\n");
}

int Verify(LvarEnvironment& env, const CommandLine& cl) {
  const std::string& path = cl.operands[0];
  ArchiveSummary summary;
  Status status = VerifyArchive(env.files, path, &summary);
  if (cl.json) {
    JsonReport(env, path, status, [&](Json& json) {
      json["entries"] = static_cast<std::uint64_t>(summary.entries);
      json["size"] = summary.file_size;
      json["checksum"] = summary.checksum;
    });
  } else if (status.ok()) {
    Say(env.console, kOut, Message::kVerifySound, base::KitText(path).c_str(), summary.entries,
        static_cast<unsigned long long>(summary.file_size), summary.checksum);
  }
  if (!status.ok()) ReportFailure(env, path, status);
  return ExitStatusOf(status);
}

const char* ChangeWord(EntryChange::What what) {
  switch (what) {
    case EntryChange::What::kAdded: return "added";
    case EntryChange::What::kRemoved: return "removed";
    case EntryChange::What::kChanged: return "changed";
  }
  return "";
}

int Diff(LvarEnvironment& env, const CommandLine& cl) {
  ArchiveDigest a, b;
  for (int i = 0; i < 2; ++i) {
    Status status = DigestArchive(env.files, cl.operands[static_cast<std::size_t>(i)], i == 0 ? &a : &b);
    if (!status.ok()) {
      ReportFailure(env, cl.operands[static_cast<std::size_t>(i)], status);
      return kExitUsage;
    }
  }
  ArchiveDifference diff = CompareArchives(a, b);
  if (cl.json) {
    Json header = Json::array();
    for (const HeaderChange& change : diff.header)
      header.push_back({{"field", EnglishMessage(change.field)}, {"a", change.a}, {"b", change.b}});
    auto side = [](const EntryDigest& entry) { return Json{{"kind", entry.kind}, {"size", entry.size}}; };
    Json entries = Json::array();
    for (const EntryChange& change : diff.entries) {
      const EntryDigest& any = change.what == EntryChange::What::kAdded ? change.b : change.a;
      Json entry = {{"change", ChangeWord(change.what)}};
      AddSjisName(entry, "name", any.name);
      if (change.what != EntryChange::What::kAdded) entry["a"] = side(change.a);
      if (change.what != EntryChange::What::kRemoved) entry["b"] = side(change.b);
      entries.push_back(std::move(entry));
    }
    const Json json = {{"a", PathJson(cl.operands[0])},
                       {"b", PathJson(cl.operands[1])},
                       {"identical", diff.identical()},
                       {"header", std::move(header)},
                       {"entries", std::move(entries)},
                       {"order_differs", diff.order_differs}};
    env.json.Write(kOut, JsonText(json) + "\n");
  } else {
    for (const HeaderChange& change : diff.header)
      Say(env.console, kOut, Message::kDiffHeader, MessageText(env.console.language(), change.field), change.a.c_str(),
          change.b.c_str());
    for (const EntryChange& change : diff.entries) {
      if (change.what == EntryChange::What::kChanged) {
        Say(env.console, kOut, Message::kDiffChanged, DisplayText(change.a.name).c_str(),
            KindText(env.console, change.a.kind), change.a.size, KindText(env.console, change.b.kind), change.b.size);
        continue;
      }
      const bool added = change.what == EntryChange::What::kAdded;
      const EntryDigest& entry = added ? change.b : change.a;
      Say(env.console, kOut, Message::kDiffAddedOrRemoved, added ? '+' : '-', DisplayText(entry.name).c_str(),
          KindText(env.console, entry.kind), entry.size);
    }
    if (diff.order_differs) Say(env.console, kOut, Message::kDiffOrder);
  }
  return diff.identical() ? kExitOk : kExitDiffer;
}

int Extract(LvarEnvironment& env, const CommandLine& cl) {
  const std::string& path = cl.operands[0];
  const std::string dir = cl.operands.size() > 1 ? cl.operands[1] : DefaultExtractFolder(path);
  if (dir.empty()) {
    const Status refused = Failure(Fault::kRefused, 0, Message::kRefusedNoFolderName);
    ReportFailure(env, path, refused);
    return ExitStatusOf(refused);
  }
  ExtractOptions options;
  options.force = cl.force;
  options.rename = cl.rename;
  options.native_ina = cl.native_ina;
  ExtractReport report;
  Status status = ExtractArchive(env.files, env.lister, path, dir, options, &report);
  for (const ExtractedFile& file : report.files) {
    if (file.written_name == file.stored_name) {
      env.console.Printf(kOut, "%10u  %s\n", file.size, DisplayText(file.written_name).c_str());
    } else {
      Say(env.console, kOut, Message::kExtractedRenamed, file.size, DisplayText(file.written_name).c_str(),
          DisplayText(file.stored_name).c_str());
    }
  }
  if (!status.ok()) {
    ReportFailure(env, path, status);
    return ExitStatusOf(status);
  }
  if (report.native_ina_written)
    Say(env.console, kOut, Message::kExtractedNativeInfo, static_cast<unsigned>(archive::kNativeInfoSize));
  const HeaderFields& h = report.header;
  // The count covers every line above, Native.ina included.
  const unsigned written = static_cast<unsigned>(report.files.size()) + (report.native_ina_written ? 1u : 0u);
  Say(env.console, kOut, written == 1 ? Message::kExtractDoneOne : Message::kExtractDone, written,
      base::KitText(dir).c_str());
  if (report.native_ina_written && (h.platform_mask & 0xFFFF) == 0 && (h.os_version_mask & 0xFFFF) == 0 &&
      (h.cpu_type_mask & 0xFFFF) == 0)
    Say(env.console, kOut, Message::kRebuild, base::KitText(dir).c_str(), h.platform_mask >> 16,
        h.os_version_mask >> 16, h.cpu_type_mask >> 16);
  return kExitOk;
}

Json TextsJson(const std::vector<std::string>& texts) {
  Json json = Json::array();
  for (const std::string& text : texts) json.push_back(SjisTextJson(text));
  return json;
}

// The members of a registry value in the plan's JSON, in their order.
const std::pair<const char*, std::string PlannedRegistryValue::*> kRegistryMembers[] = {
    {"root_key", &PlannedRegistryValue::root_key}, {"subkey", &PlannedRegistryValue::subkey},
    {"value_name", &PlannedRegistryValue::value_name}, {"type", &PlannedRegistryValue::data_type},
    {"flag", &PlannedRegistryValue::write_flag}, {"value", &PlannedRegistryValue::value}};

void PlanJson(Json& json, const InstallPlan& plan) {
  json["destination"] = SjisTextJson(plan.destination);
  json["destination_code"] = plan.header.destination;
  json["install_dir"] = SjisTextJson(plan.install_dir);
  json["folders"] = TextsJson(plan.folders);
  Json files = Json::array();
  for (const PlannedFile& file : plan.files) {
    Json entry = Json::object();
    AddSjisName(entry, "archive_name", file.archive_name);
    entry["device_path"] = SjisTextJson(file.device_path);
    entry["flags"] = SjisTextJson(file.flags);
    entry["in_archive"] = file.in_archive;
    files.push_back(std::move(entry));
  }
  json["files"] = std::move(files);
  Json registry = Json::array();
  for (const PlannedRegistryValue& value : plan.registry) {
    Json entry = Json::object();
    for (const auto& [key, member] : kRegistryMembers) entry[key] = SjisTextJson(value.*member);
    registry.push_back(std::move(entry));
  }
  json["registry"] = std::move(registry);
  json["startup_program"] = SjisTextJson(plan.startup_program);
  json["menu_caption"] = SjisTextJson(plan.menu_caption);
  json["uninstall"] = {{"file", SjisTextJson(plan.uninstall.file_name)},
                       {"in_archive", plan.uninstall.in_archive},
                       {"delete_files", TextsJson(plan.uninstall.files)},
                       {"delete_folders", TextsJson(plan.uninstall.folders)},
                       {"delete_registry", TextsJson(plan.uninstall.registry_keys)}};
  // The warnings in English in every language, as scripts read them.
  Json warnings = Json::array();
  for (const Note& warning : plan.warnings) warnings.push_back(SjisTextJson(NoteText(base::Language::kEnglish, warning)));
  json["warnings"] = std::move(warnings);
}

void PlanText(LvarEnvironment& env, const InstallPlan& plan) {
  base::Console& console = env.console;
  auto text = [&](Message id) { return MessageText(console.language(), id); };
  const std::string not_in_archive = text(Message::kPlanNotInArchive);
  auto line = [&](Message label, const std::string& sjis) {
    Say(console, kOut, Message::kPlanLabelLine, text(label), DisplayText(sjis).c_str());
  };
  auto heading = [&](Message title, bool empty) {
    console.Printf(kOut, "%s%s\n", text(title), empty ? text(Message::kPlanNone) : "");
  };
  auto list = [&](Message title, const std::vector<std::string>& texts) {
    const char* indent = text(title)[0] == ' ' ? "    " : "  ";
    heading(title, texts.empty());
    for (const std::string& t : texts) console.Printf(kOut, "%s%s\n", indent, DisplayText(t).c_str());
  };
  std::vector<char> destination(plan.destination.size() + 64);
  std::snprintf(destination.data(), destination.size(), text(Message::kPlanDestinationCode), plan.destination.c_str(),
                static_cast<unsigned>(plan.header.destination));
  line(Message::kPlanDestination, destination.data());
  line(Message::kPlanInstallFolder, plan.install_dir);
  line(Message::kPlanStartupProgram, plan.startup_program);
  line(Message::kPlanMenuCaption, plan.menu_caption);
  list(Message::kPlanFolders, plan.folders);
  heading(Message::kPlanFiles, plan.files.empty());
  for (const PlannedFile& file : plan.files)
    console.Printf(kOut, "  %s -> %s [%s]%s\n", DisplayText(file.archive_name).c_str(),
                   DisplayText(file.device_path).c_str(), DisplayText(file.flags).c_str(),
                   file.in_archive ? "" : not_in_archive.c_str());
  heading(Message::kPlanRegistry, plan.registry.empty());
  for (const PlannedRegistryValue& v : plan.registry)
    console.Printf(kOut, "  %s\\%s [%s] %s %s = %s\n", DisplayText(v.root_key).c_str(),
                   DisplayText(v.subkey).c_str(), DisplayText(v.value_name).c_str(), v.data_type.c_str(),
                   v.write_flag.c_str(), DisplayText(v.value).c_str());
  if (plan.uninstall.file_name.empty()) {
    Say(console, kOut, Message::kPlanNoUninstall);
  } else {
    line(Message::kPlanUninstall, plan.uninstall.file_name + (plan.uninstall.in_archive ? "" : not_in_archive));
    list(Message::kPlanFilesDeleted, plan.uninstall.files);
    list(Message::kPlanFoldersDeleted, plan.uninstall.folders);
    list(Message::kPlanRegistryDeleted, plan.uninstall.registry_keys);
  }
  std::vector<std::string> warnings;
  for (const Note& warning : plan.warnings) warnings.push_back(NoteText(console.language(), warning));
  list(Message::kPlanWarnings, warnings);
}

int Plan(LvarEnvironment& env, const CommandLine& cl) {
  const std::string& path = cl.operands[0];
  InstallPlan plan;
  Status status = MakeInstallPlan(env.files, path, env.console, &plan);
  if (cl.json) {
    JsonReport(env, path, status, [&](Json& json) { PlanJson(json, plan); });
  } else if (status.ok()) {
    PlanText(env, plan);
  }
  if (!status.ok()) ReportFailure(env, path, status);
  return ExitStatusOf(status);
}

struct CommandInfo {
  const char* name;
  std::size_t min_operands, max_operands;
  int (*run)(LvarEnvironment&, const CommandLine&);
};
const CommandInfo kCommands[] = {
    {"list", 1, 1, List}, {"verify", 1, 1, Verify}, {"diff", 2, 2, Diff},
    {"extract", 1, 2, Extract}, {"plan", 1, 1, Plan}};

// Prints the usage error `id`, filled with `argument`, and the hint to --help.
int UsageError(LvarEnvironment& env, Message id, const std::string& argument = "") {
  std::vector<char> message(argument.size() + 256);
  std::snprintf(message.data(), message.size(), MessageText(env.console.language(), id), argument.c_str());
  Say(env.console, kErr, Message::kUsageError, message.data());
  return kExitUsage;
}

}  // namespace

int RunLvar(const std::vector<std::string>& args, LvarEnvironment& env) {
  if (args.empty()) {
    Say(env.console, kErr, Message::kUsage);
    return kExitUsage;
  }
  CommandLine cl;
  bool options_end = false;
  for (const std::string& arg : args) {
    if (!options_end && arg.size() > 1 && arg[0] == '-') {
      if (arg == "--") options_end = true;
      else if (arg == "-h" || arg == "--help") cl.help = true;
      else if (arg == "--version") {
        env.console.Write(kOut, PAK_KIT_NAME " " PAK_KIT_VERSION "\n");
        return kExitOk;
      } else if (arg == "--json") cl.json = true;
      else if (arg == "--force") cl.force = true;
      else if (arg == "--rename") cl.rename = true;
      else if (arg == "--native-ina") cl.native_ina = true;
      else return UsageError(env, Message::kUnknownOption, arg);
    } else if (cl.command.empty()) {
      cl.command = arg;
    } else {
      cl.operands.push_back(arg);
    }
  }
  if (cl.help) {
    Say(env.console, kOut, Message::kUsage);
    return kExitOk;
  }
  for (const CommandInfo& command : kCommands) {
    if (cl.command != command.name) continue;
    if (cl.operands.size() < command.min_operands || cl.operands.size() > command.max_operands)
      return UsageError(env, Message::kWrongArgumentCount, cl.command);
    const bool extract = cl.command == "extract";
    if (extract && cl.json) return UsageError(env, Message::kJsonNotForExtract);
    if (!extract && (cl.force || cl.rename || cl.native_ina))
      return UsageError(env, Message::kExtractOnlyOptions);
    return command.run(env, cl);
  }
  return UsageError(env, Message::kUnknownCommand, cl.command);
}

}  // namespace lvar
