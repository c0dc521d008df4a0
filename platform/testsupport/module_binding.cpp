// Windows paths of staged files for the module-loading tests.
#include "module_binding.h"

#include "testsupport.h"

namespace lvtest {

std::string WinPath(const std::filesystem::path& unixPath) {
  char win[MAX_PATH * 2] = {};
  if (!lvUnixPathToWin(unixPath.string().c_str(), win, sizeof win)) return std::string();
  return win;
}

std::string StagedModulePath(const std::string& fileName) {
  return WinPath(StageDir() / "modules" / fileName);
}

}  // namespace lvtest
