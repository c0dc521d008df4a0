// The steps before a plug-in runs: finding it, and choosing the parameter
// block it gets.
#pragma once

#include <string>
#include <vector>

#include "paramdesc.h"
#include "plugin.h"

namespace lvhost {

// The block the next run starts from: the file given by the user, else the
// stored block of the last successful run, else the plug-in's defaults;
// then the named values on top, then the module's checks. On failure
// *status is the exit status to end with and error the reason.
bool ChooseParams(const Plugin& plugin, const std::string& paramsFile,
                  const std::vector<std::pair<std::string, std::string>>& sets, ParamBlock* block,
                  std::string* error, int* status);

}  // namespace lvhost
