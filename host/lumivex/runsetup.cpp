// Choosing the parameter block of a run.
#include "runsetup.h"

#include <cstdio>

#include "exitcodes.h"
#include "paramstore.h"

namespace lvhost {

bool ChooseParams(const Plugin& plugin, const std::string& paramsFile,
                  const std::vector<std::pair<std::string, std::string>>& sets, ParamBlock* block,
                  std::string* error, int* status) {
  size_t size = static_cast<size_t>(plugin.Info().paramSize);
  const ModuleParams* desc = FindModuleParams(plugin.Name());
  if (!sets.empty() && !desc) {
    *error = "no named parameters are known for " + plugin.Name() + "; use --params FILE";
    *status = kExitUsage;
    return false;
  }
  std::string note;
  if (!paramsFile.empty()) {
    if (!LoadParamsFile(paramsFile, size, block, error)) {
      *status = kExitFileError;
      return false;
    }
  } else if (!LoadStoredParams(plugin.Name(), size, block, &note)) {
    if (!note.empty()) std::fprintf(stderr, "lumivex: note: %s\n", note.c_str());
    if (!plugin.Defaults(block, error)) {
      *status = kExitFailed;
      return false;
    }
  }
  if (!desc) return true;
  if (desc->blockSize != size) {
    *error = plugin.Name() + " announces a parameter block of " + std::to_string(size) + " bytes; the host expects " +
             std::to_string(desc->blockSize);
    *status = kExitFailed;
    return false;
  }
  for (const auto& [name, value] : sets) {
    if (!SetNamedValue(*desc, name, value, *block, error)) {
      *status = kExitUsage;
      return false;
    }
  }
  if (desc->derive) desc->derive(*block);
  if (!CheckBlock(*desc, *block, error)) {
    *status = kExitUsage;
    return false;
  }
  return true;
}

}  // namespace lvhost
