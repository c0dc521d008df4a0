// lumivex params: a plug-in's named parameters and the values the next run uses.
#include <cstdio>

#include "commands.h"
#include "exitcodes.h"
#include "runsetup.h"

namespace lvhost {

int RunParamsCommand(const std::string& module) {
  std::string path, error;
  if (!ResolveModule(module, &path, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  Plugin plugin;
  if (!plugin.Load(path, &error)) {
    PrintError(error);
    return kExitFailed;
  }
  const ModuleParams* desc = FindModuleParams(plugin.Name());
  if (!desc) {
    std::printf("%s: no named parameters known; its block has %ld bytes (use --params FILE)\n",
                plugin.Name().c_str(), static_cast<long>(plugin.Info().paramSize));
    return kExitOk;
  }
  ParamBlock block;
  int status = kExitOk;
  if (!ChooseParams(plugin, "", {}, &block, &error, &status)) {
    PrintError(error);
    return status;
  }
  std::printf("%s (%zu-byte block)\n", plugin.Name().c_str(), desc->blockSize);
  for (const ParamDesc& p : desc->params)
    std::printf("  %-8s = %-8s  %-8s  %s\n", p.name, FormatParamValue(p, block).c_str(), DescribeRange(p).c_str(),
                p.label);
  return kExitOk;
}

}  // namespace lvhost
