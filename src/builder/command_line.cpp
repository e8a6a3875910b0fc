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

}  // namespace

void PrintUsage(base::Console& console) {
  using namespace messages;
  const base::Stream out = base::Stream::kOut;
  console.Write(out, kUsage1);
  console.Printf(out, kUsage2, 'p', 'o', 'c');
  console.Write(out, kUsage3);
  console.Write(out, kUsage4);
  console.Printf(out, kUsage5, "Native.ina");
  console.Write(out, kUsage6);
  console.Printf(out, kUsage7, "Install.inf");
  console.Write(out, kUsage8);
  console.Write(out, kUsage9);
  console.Write(out, kUsage10);
  console.Write(out, kUsage11);
  console.Write(out, kUsage12);
  console.Write(out, kUsage13);
  console.Write(out, kUsage14);
  console.Write(out, kUsage15);
  console.Write(out, kUsage16);
  console.Printf(out, kUsage17, 'p', kDefaultPlatformMask >> 16);
  console.Write(out, kUsage18);
  console.Printf(out, kUsage17, 'o', kDefaultOsVersionMask >> 16);
  console.Write(out, kUsage20);
  console.Printf(out, kUsage17, 'c', kDefaultCpuTypeMask >> 16);
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
  char pending = 0;  // option letter waiting for its value
  for (std::size_t index = 0; index < args.size(); ++index) {
    const std::string& arg = args[index];
    const std::size_t position = index + 1;
    if (position > kMaxArguments) {
      console.Write(err, messages::kTooManyArguments);
      return 0x1000000;
    }
    if (!arg.empty() && arg[0] == '-') {
      if (pending) {
        console.Printf(err, messages::kMaskValueMissing, pending);
        return 0x2000000;
      }
      char letter = arg.size() > 1 ? arg[1] : 0;
      if (letter != 'p' && letter != 'o' && letter != 'c') {
        console.Write(err, messages::kBadOption);
        return 0x3000000;
      }
      if (arg.size() > 2) {
        console.Write(err, messages::kBadOption);
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
        console.Write(err, messages::kBadOption);
        return 0x5000000;
      }
      std::uint16_t value = 0;
      if (BuildErrorCode code = ParseMaskValue(arg, console, &value)) return code | 0x6000000;
      *MaskFor(pending, options) = static_cast<std::uint32_t>(value) << 16;
      pending = 0;
    }
  }
  if (options->directory.empty()) {
    console.Write(err, messages::kDirectoryMissing);
    return 0x8000000;
  }
  if (pending) {
    console.Printf(err, messages::kMaskValueMissing, pending);
    return 0x9000000;
  }
  return 0;
}

}  // namespace builder
