#include "project/builder_requirements.h"

#include "project/texts.h"

namespace project {

int BuilderRefusal(const ProjectSettings& s) {
  // 0x22 is never the trail byte of a Shift-JIS character, so a plain search
  // finds only real double quotes.
  if (s.Cmd.Text().find('"') != std::string::npos) return kStrCmdQuote;
  if (!s.Uninstall.On()) return kStrUninstallRequired;
  return 0;
}

}  // namespace project
