// lumivex: the command-line host program.
#include <cstdio>
#include <string>
#include <vector>

#include "cmdline.h"
#include "commands.h"
#include "exitcodes.h"

namespace lvhost {

void PrintError(const std::string& text) { std::fprintf(stderr, "lumivex: %s\n", text.c_str()); }

}  // namespace lvhost

int main(int argc, char** argv) {
  using namespace lvhost;
  std::vector<std::string> args(argv + 1, argv + argc);
  CommandLine cl;
  std::string error;
  if (!ParseCommandLine(args, &cl, &error)) {
    PrintError(error);
    std::fprintf(stderr, "Try 'lumivex --help'.\n");
    return kExitUsage;
  }
  switch (cl.command) {
    case Command::Help: std::fputs(HelpText(cl.helpTopic).c_str(), stdout); return kExitOk;
    case Command::Modules: return RunModulesCommand(cl.json);
    case Command::Params: return RunParamsCommand(cl.module);
    case Command::Apply: return RunApplyCommand(cl.apply);
    case Command::Audio: return RunAudioCommand(cl.audioArgs);
    case Command::Convert: return RunConvertCommand(cl.file);
    case Command::Info: return RunInfoCommand(cl.file);
    case Command::Preview: return RunPreviewCommand(cl.file);
    case Command::Text: return RunTextCommand(cl.textArgs);
  }
  return kExitUsage;
}
