#include "lvar/commands.h"

#include <cstdio>
#include <utility>

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

void JsonStatus(base::JsonWriter& json, const Status& status) {
  json.Key("status").BeginObject();
  json.Key("ok").Bool(status.ok());
  if (!status.ok()) {
    json.Key("fault").String(FaultWord(status.fault));
    json.Key("offset").Number(status.offset);
    // English in every language, as scripts read it.
    JsonSjisText(json.Key("message"), NoteText(base::Language::kEnglish, status.note));
  }
  json.EndObject();
}

void JsonPath(base::JsonWriter& json, const char* key, const std::string& host_path) {
  json.Key(key);
#ifdef _WIN32
  JsonSjisText(json, host_path);
#else
  json.String(host_path);
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

void JsonHeader(base::JsonWriter& json, const HeaderFields& h) {
  json.Key("header").BeginObject();
  json.Key("entry_count").Number(h.entry_count);
  json.Key("platform_mask").Number(h.platform_mask);
  json.Key("os_version_mask").Number(h.os_version_mask);
  json.Key("cpu_type_mask").Number(h.cpu_type_mask);
  json.Key("destination").Number(h.destination);
  json.Key("destination_word").String(DestinationWord(h.destination));
  for (const Block& block : kBlocks) {
    json.Key(block.key).BeginObject();
    std::string text;
    if (BlockAsText(&h.bytes[block.at], block.size, &text)) JsonSjisText(json.Key("text"), text);
    json.Key("hex").String(base::HexBytes(&h.bytes[block.at], block.size));
    json.EndObject();
  }
  json.EndObject();
}

// Prints the header and each entry as the reading meets them.
class ListPrinter : public ArchiveVisitor {
 public:
  ListPrinter(LvarEnvironment& env, bool json, std::string* out) : env_(env), json_(json), out_(out), writer_(out) {}

  base::JsonWriter& writer() { return writer_; }

  Status OnHeader(const HeaderFields& header) override {
    if (json_) {
      JsonHeader(writer_, header);
      writer_.Key("entries").BeginArray();
      in_array_ = true;
    } else {
      PrintHeader(env_, header);
      Say(env_.console, kOut, Message::kListColumns);
    }
    return {};
  }

  Status OnEntry(const EntryFields& e) override {
    if (json_) {
      writer_.BeginObject();
      writer_.Key("offset").Number(e.offset);
      writer_.Key("kind").Number(e.kind);
      writer_.Key("kind_word").String(KindWord(e.kind));
      writer_.Key("size").Number(e.size);
      JsonSjisName(writer_, "name", e.name);
      writer_.EndObject();
      Flush();
    } else {
      env_.console.Printf(kOut, "%-10s  %-19s  %10u  %s\n", base::HexNumber(e.offset, 8).c_str(), KindText(env_.console, e.kind),
                          e.size, DisplayText(e.name).c_str());
    }
    return {};
  }

  void EndArray() {
    if (in_array_) writer_.EndArray();
    in_array_ = false;
  }

  void Flush() {
    env_.json.Write(kOut, *out_);
    out_->clear();
  }

 private:
  LvarEnvironment& env_;
  bool json_;
  std::string* out_;
  base::JsonWriter writer_;
  bool in_array_ = false;
};

int List(LvarEnvironment& env, const CommandLine& cl) {
  const std::string& path = cl.operands[0];
  std::string out;
  ListPrinter printer(env, cl.json, &out);
  if (cl.json) {
    printer.writer().BeginObject();
    JsonPath(printer.writer(), "archive", path);
  }
  Status status = ReadArchiveFile(env.files, path, printer);
  if (cl.json) {
    printer.EndArray();
    JsonStatus(printer.writer(), status);
    printer.writer().EndObject();
    out += "\n";
    printer.Flush();
  }
  if (!status.ok()) ReportFailure(env, path, status);
  return ExitStatusOf(status);
}

// Writes the JSON document of a command on one archive: its path, what
// `members` writes when the command succeeded, and the status.
template <typename Members>
void JsonReport(LvarEnvironment& env, const std::string& path, const Status& status, Members members) {
  std::string out;
  base::JsonWriter json(&out);
  json.BeginObject();
  JsonPath(json, "archive", path);
  if (status.ok()) members(json);
  JsonStatus(json, status);
  json.EndObject();
  env.json.Write(kOut, out + "\n");
}

int Verify(LvarEnvironment& env, const CommandLine& cl) {
  const std::string& path = cl.operands[0];
  ArchiveSummary summary;
  Status status = VerifyArchive(env.files, path, &summary);
  if (cl.json) {
    JsonReport(env, path, status, [&](base::JsonWriter& json) {
      json.Key("entries").Number(static_cast<std::uint64_t>(summary.entries));
      json.Key("size").Number(summary.file_size);
      json.Key("checksum").Number(summary.checksum);
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
    std::string out;
    base::JsonWriter json(&out);
    json.BeginObject();
    JsonPath(json, "a", cl.operands[0]);
    JsonPath(json, "b", cl.operands[1]);
    json.Key("identical").Bool(diff.identical());
    json.Key("header").BeginArray();
    for (const HeaderChange& change : diff.header) {
      json.BeginObject();
      json.Key("field").String(EnglishMessage(change.field));
      json.Key("a").String(change.a);
      json.Key("b").String(change.b);
      json.EndObject();
    }
    json.EndArray();
    auto side = [&](const char* key, const EntryDigest& entry) {
      json.Key(key).BeginObject();
      json.Key("kind").Number(entry.kind);
      json.Key("size").Number(entry.size);
      json.EndObject();
    };
    json.Key("entries").BeginArray();
    for (const EntryChange& change : diff.entries) {
      const EntryDigest& any = change.what == EntryChange::What::kAdded ? change.b : change.a;
      json.BeginObject();
      json.Key("change").String(ChangeWord(change.what));
      JsonSjisName(json, "name", any.name);
      if (change.what != EntryChange::What::kAdded) side("a", change.a);
      if (change.what != EntryChange::What::kRemoved) side("b", change.b);
      json.EndObject();
    }
    json.EndArray();
    json.Key("order_differs").Bool(diff.order_differs);
    json.EndObject();
    env.json.Write(kOut, out + "\n");
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

void JsonTexts(base::JsonWriter& json, const char* key, const std::vector<std::string>& texts) {
  json.Key(key).BeginArray();
  for (const std::string& text : texts) JsonSjisText(json, text);
  json.EndArray();
}

// The members of a registry value in the plan's JSON, in their order.
const std::pair<const char*, std::string PlannedRegistryValue::*> kRegistryMembers[] = {
    {"root_key", &PlannedRegistryValue::root_key}, {"subkey", &PlannedRegistryValue::subkey},
    {"value_name", &PlannedRegistryValue::value_name}, {"type", &PlannedRegistryValue::data_type},
    {"flag", &PlannedRegistryValue::write_flag}, {"value", &PlannedRegistryValue::value}};

void PlanJson(base::JsonWriter& json, const InstallPlan& plan) {
  JsonSjisText(json.Key("destination"), plan.destination);
  json.Key("destination_code").Number(plan.header.destination);
  JsonSjisText(json.Key("install_dir"), plan.install_dir);
  JsonTexts(json, "folders", plan.folders);
  json.Key("files").BeginArray();
  for (const PlannedFile& file : plan.files) {
    json.BeginObject();
    JsonSjisName(json, "archive_name", file.archive_name);
    JsonSjisText(json.Key("device_path"), file.device_path);
    JsonSjisText(json.Key("flags"), file.flags);
    json.Key("in_archive").Bool(file.in_archive);
    json.EndObject();
  }
  json.EndArray();
  json.Key("registry").BeginArray();
  for (const PlannedRegistryValue& value : plan.registry) {
    json.BeginObject();
    for (const auto& [key, member] : kRegistryMembers) JsonSjisText(json.Key(key), value.*member);
    json.EndObject();
  }
  json.EndArray();
  JsonSjisText(json.Key("startup_program"), plan.startup_program);
  JsonSjisText(json.Key("menu_caption"), plan.menu_caption);
  json.Key("uninstall").BeginObject();
  JsonSjisText(json.Key("file"), plan.uninstall.file_name);
  json.Key("in_archive").Bool(plan.uninstall.in_archive);
  JsonTexts(json, "delete_files", plan.uninstall.files);
  JsonTexts(json, "delete_folders", plan.uninstall.folders);
  JsonTexts(json, "delete_registry", plan.uninstall.registry_keys);
  json.EndObject();
  // The warnings in English in every language, as scripts read them.
  json.Key("warnings").BeginArray();
  for (const Note& warning : plan.warnings) JsonSjisText(json, NoteText(base::Language::kEnglish, warning));
  json.EndArray();
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
    JsonReport(env, path, status, [&](base::JsonWriter& json) { PlanJson(json, plan); });
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
