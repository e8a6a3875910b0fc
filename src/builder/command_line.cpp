#include "builder/command_line.h"

#include "builder/mask_value.h"
#include "kit_version.h"
#include "builder/messages.h"

namespace builder {
namespace {

constexpr std::size_t kMaxArguments = 9;

std::uint32_t* MaskFor(char letter, BuildOptions* options) {
  switch (letter) {
    case 'p': return &options->platform_mask;
    case 'o': return &options->os_version_mask;
    case 'c': return &options->cpu_type_mask;
    default: return nullptr;
  }
}

// True when `arg` is the long option `name`, alone or as "name=value";
// `*value` is then the text after "=" (empty when there is none).
bool LongOption(const std::string& arg, std::string_view name, std::string_view* value) {
  const std::string_view text = arg;
  if (text.substr(0, name.size()) != name) return false;
  if (text.size() == name.size()) {
    *value = {};
    return true;
  }
  if (text[name.size()] != '=') return false;
  *value = text.substr(name.size() + 1);
  return true;
}

}  // namespace

void PrintUsage(base::Console& console) {
  const base::Stream out = base::Stream::kOut;
  Say(console, out, Message::kUsage1);
  Say(console, out, Message::kUsage2, 'p', 'o', 'c');
  Say(console, out, Message::kUsage3);
  Say(console, out, Message::kUsage4);
  Say(console, out, Message::kUsage5, "Native.ina");
  Say(console, out, Message::kUsage6);
  Say(console, out, Message::kUsage7, "Install.inf");
  for (Message line : {Message::kUsage8, Message::kUsage9, Message::kUsage10, Message::kUsage11, Message::kUsage12,
                       Message::kUsage13, Message::kUsage14, Message::kUsage15, Message::kUsage16})
    Say(console, out, line);
  Say(console, out, Message::kUsage17, 'p', kDefaultPlatformMask >> 16);
  Say(console, out, Message::kUsage18);
  Say(console, out, Message::kUsage17, 'o', kDefaultOsVersionMask >> 16);
  Say(console, out, Message::kUsage20);
  Say(console, out, Message::kUsage17, 'c', kDefaultCpuTypeMask >> 16);
}

BuildErrorCode ParseCommandLine(const std::vector<std::string>& args, base::Console& console,
                                BuildOptions* options) {
  const base::Stream err = base::Stream::kErr;
  if (args.empty() || (args.size() == 1 && args[0] == "--help")) {
    PrintUsage(console);
    return kUsageShown;
  }
  if (args.size() == 1 && args[0] == "--version") {
    console.Write(base::Stream::kOut, PAK_KIT_NAME " " PAK_KIT_VERSION "\n");
    return kUsageShown;
  }
  *options = BuildOptions();
  // The long options may stand anywhere; the rest is read by position.
  std::vector<std::string> rest;
  for (const std::string& arg : args) {
    std::string_view value;
    if (LongOption(arg, "--diagnostics", &value)) {
      if (!ParseDiagnosticsFormat(value, &options->diagnostics)) {
        Say(console, err, Message::kBadDiagnosticsFormat);
        return 0xA000000;
      }
    } else if (LongOption(arg, "--warnings", &value)) {
      if (value != "error") {
        Say(console, err, Message::kBadWarningsValue);
        return 0xB000000;
      }
      options->warnings_as_errors = true;
    } else {
      rest.push_back(arg);
    }
  }
  char pending = 0;  // option letter waiting for its value
  for (std::size_t index = 0; index < rest.size(); ++index) {
    const std::string& arg = rest[index];
    const std::size_t position = index + 1;
    if (position > kMaxArguments) {
      Say(console, err, Message::kTooManyArguments);
      return 0x1000000;
    }
    if (!arg.empty() && arg[0] == '-') {
      if (pending) {
        Say(console, err, Message::kMaskValueMissing, pending);
        return 0x2000000;
      }
      char letter = arg.size() > 1 ? arg[1] : 0;
      if (letter != 'p' && letter != 'o' && letter != 'c') {
        Say(console, err, Message::kBadOption);
        return 0x3000000;
      }
      if (arg.size() > 2) {
        Say(console, err, Message::kBadOption);
        return 0x4000000;
      }
      pending = letter;
    } else if (position == 1) {
      options->directory = arg;
      pending = 0;
    } else if (position == 2) {
      options->archive = arg;
      pending = 0;
    } else {
      if (!pending) {
        Say(console, err, Message::kBadOption);
        return 0x5000000;
      }
      std::uint16_t value = 0;
      if (BuildErrorCode code = ParseMaskValue(arg, console, &value)) return code | 0x6000000;
      *MaskFor(pending, options) = static_cast<std::uint32_t>(value) << 16;
      pending = 0;
    }
  }
  if (options->directory.empty()) {
    Say(console, err, Message::kDirectoryMissing);
    return 0x8000000;
  }
  if (pending) {
    Say(console, err, Message::kMaskValueMissing, pending);
    return 0x9000000;
  }
  return 0;
}

}  // namespace builder
