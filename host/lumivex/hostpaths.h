// Where the host keeps its own files: drive C: of the platform prefix.
#pragma once

#include <string>

namespace lvhost {

// The platform prefix ($LUMIVEX_PREFIX, or ~/.local/share/lumivex).
std::string PlatformPrefix();

// Unix path of a file below drive C: given with backslashes relative to the
// drive root ("lumivex\\params\\gridsplit.prm").
std::string DriveCPath(const std::string& relativeWinPath);

}  // namespace lvhost
